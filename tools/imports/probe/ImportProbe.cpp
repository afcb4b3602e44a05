// A program for the test of the import check. Built with the posix thread model and
// MELVORIN_PROBE_REFUSED, it has the imports that keep a program from loading on Windows 2000:
// its runtime brings libwinpthread (GetTickCount64, the vectored exception handler functions)
// for the thread-local variable, it calls SetWindowSubclass by name, and it imports a function
// of the common controls by ordinal. Built with the win32 thread model and without the macro,
// it has none of them.
#include <windows.h>

#include <commctrl.h>

#include <string>

namespace {
// Trivially destructible: a thread-local variable with a destructor makes the runtime import
// GetModuleHandleExW (Windows XP), whatever the thread model.
thread_local int t_depth = 0;

#ifdef MELVORIN_PROBE_REFUSED
// Ordinal 410 of the common controls (comctl32-ordinal.def).
extern "C" __declspec(dllimport) BOOL WINAPI ProbeImportByOrdinal();

LRESULT CALLBACK ProbeProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    return ::DefSubclassProc(hWnd, msg, wParam, lParam);
}

void ImportRefusedFunctions() {
    ::SetWindowSubclass(nullptr, ProbeProc, 0, 0);
    ProbeImportByOrdinal();
}
#else
void ImportRefusedFunctions() {}
#endif
} // namespace

int wmain(int argc, wchar_t**) {
    // Never true when run: the calls are there to be imported.
    if (argc > 1000)
        ImportRefusedFunctions();
    try {
        ++t_depth;
        throw std::wstring(L"probe");
    } catch (const std::wstring& text) {
        return static_cast<int>(text.size()) == 5 && t_depth == 1 ? 0 : 1;
    }
}
