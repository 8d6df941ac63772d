#include "Exceptions.h"

#include <windows.h>

EDateConvertError::EDateConvertError() : EConvertError("日付に変換できない値が渡されました") {}

namespace {

TExceptionHandler& CurrentHandler() {
    static TExceptionHandler handler;
    return handler;
}

}  // namespace

void SetExceptionHandler(TExceptionHandler handler) { CurrentHandler() = std::move(handler); }

void HandleException(std::exception_ptr error) {
    if (!error) return;
    if (CurrentHandler()) {
        // The handler is the last stop before a Win32 frame: nothing it raises may pass on.
        try {
            CurrentHandler()(error);
        } catch (...) {
            OutputDebugStringA(ExceptionMessage(std::current_exception()).c_str());
        }
        return;
    }
    // No application yet: leave a trace for a debugger instead of losing the error silently.
    OutputDebugStringA(ExceptionMessage(error).c_str());
}

AnsiString ExceptionMessage(std::exception_ptr error) {
    if (!error) return {};
    try {
        std::rethrow_exception(error);
    } catch (const Exception& e) {
        return e.Message();
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "不明な例外が発生しました";
    }
}
