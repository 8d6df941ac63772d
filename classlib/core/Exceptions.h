#pragma once
// The class library's exceptions. Misuse raises Exception (or one of these kinds) with a fixed
// message; the application's exception display shows what reaches the message loop.
#include "Strings.h"
#include <exception>

class Exception : public std::exception {
public:
    explicit Exception(AnsiString message) : FMessage(std::move(message)) {}
    const AnsiString& Message() const noexcept { return FMessage; }
    const char* what() const noexcept override { return FMessage.c_str(); }
private:
    AnsiString FMessage;
};

// Text that is not a number (string to integer or to a date).
class EConvertError : public Exception { using Exception::Exception; };
// A variant that cannot be cast to the type asked for.
class EVariantError : public Exception { using Exception::Exception; };
// An index outside a list.
class EListError : public Exception { using Exception::Exception; };
// A position outside a string (or another value outside its range).
class ERangeError : public Exception { using Exception::Exception; };
// A stream read that comes short, or a form file / stream that does not parse.
class EReadError : public Exception { using Exception::Exception; };
class EStreamError : public Exception { using Exception::Exception; };
class EFCreateError : public EStreamError { using EStreamError::EStreamError; };
class EFOpenError : public EStreamError { using EStreamError::EStreamError; };
// An invalid or duplicate component name.
class EComponentError : public Exception { using Exception::Exception; };
// A property or method that is not what the caller asked for.
class EPropertyError : public Exception { using Exception::Exception; };
// A settings file that cannot be written.
class EIniFileError : public Exception { using Exception::Exception; };

// The date conversion error: a value that is no valid date or time ("日付に変換できない値が渡されました").
class EDateConvertError : public EConvertError {
public:
    EDateConvertError();
};

#include <exception>
#include <functional>

// What happens to an exception that escapes a window procedure, an event or a timer: the
// application installs its exception display here. No C++ exception may cross a Win32 frame, so
// every window procedure the class library makes catches and hands over.
using TExceptionHandler = std::function<void(std::exception_ptr)>;
void SetExceptionHandler(TExceptionHandler handler);
void HandleException(std::exception_ptr error);
// The text an exception shows: Exception::Message, what() of other std::exceptions, or a
// generic text for anything else.
AnsiString ExceptionMessage(std::exception_ptr error);
