#include "framework/Thread.h"

#include "framework/ExceptionBarrier.h"

#include <process.h>

namespace {
struct ThreadStart {
    WorkerProc proc;
    HWND hWnd;
};

unsigned __stdcall ThreadMain(void* argument) {
    ThreadStart start = *static_cast<ThreadStart*>(argument);
    delete static_cast<ThreadStart*>(argument);
    UINT result = 1;
    RunBehindBarrier(L"a worker thread", [&] { result = start.proc(start.hWnd); });
    return result;
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
