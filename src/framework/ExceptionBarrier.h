#pragma once

// What the program's window procedures do with an exception that a handler throws.
//
// No exception may unwind into Win32 (the dialog manager, the common controls, the message
// dispatch, a thread's start): each procedure runs its handlers behind this one barrier. The
// barrier records what it caught with OutputDebugStringW, the exception's what() when it is a
// std::exception, and tells the procedure that the handler failed. The procedure then answers
// the message as if it had not handled it, unless that answer would act on the half-done
// work: a wizard page whose Next, Back or Finish handler throws stays where it is.

// Records the exception being handled; call it only inside a catch block. `where` names the
// kind of window or thread.
void RecordCaughtException(const wchar_t* where) noexcept;

// Runs `handler`; true when it returned, false when it threw (the exception is recorded).
template <typename Handler>
bool RunBehindBarrier(const wchar_t* where, Handler&& handler) noexcept {
    try {
        handler();
        return true;
    } catch (...) {
        RecordCaughtException(where);
        return false;
    }
}
