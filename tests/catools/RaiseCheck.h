#pragma once
// Checks that a statement raises an exception of a given class with an exact message.
#include "classlib/core/Exceptions.h"
#include <gtest/gtest.h>

#define EXPECT_RAISES(statement, ExceptionClass, message)                                        \
    do {                                                                                         \
        try {                                                                                    \
            statement;                                                                           \
            ADD_FAILURE() << #statement " raised nothing";                                       \
        } catch (const ExceptionClass& e_) {                                                     \
            EXPECT_EQ(AnsiString(message), e_.Message()) << #statement;                          \
        } catch (const std::exception& e_) {                                                     \
            ADD_FAILURE() << #statement " raised another exception: " << e_.what();              \
        }                                                                                        \
    } while (0)
