#include "framework/Thread.h"

#include <process.h>

namespace {
struct ThreadStart {
    WorkerProc proc;
    HWND hWnd;
};

unsigned __stdcall ThreadMain(void* argument) {
    ThreadStart start = *static_cast<ThreadStart*>(argument);
    delete static_cast<ThreadStart*>(argument);
    try {
        return start.proc(start.hWnd);
    } catch (...) {
        return 1;
    }
}
} // namespace

HANDLE BeginThread(WorkerProc proc, HWND hWnd) {
    auto* start = new ThreadStart{proc, hWnd};
    // _beginthreadex rather than CreateThread, so the C runtime is set up for the thread.
    uintptr_t handle = ::_beginthreadex(nullptr, 0, ThreadMain, start, 0, nullptr);
    if (handle == 0) {
        delete start;
        return nullptr;
    }
    return reinterpret_cast<HANDLE>(handle);
}
