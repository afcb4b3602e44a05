#include "common/SystemLayout.h"

#include "common/Paths.h"

#include <windows.h>

#include <vector>

std::wstring SystemLayout::WindowsDir() const {
    return win2000 ? L"C:\\Winnt" : L"C:\\Windows";
}

std::wstring SystemLayout::TempDir() const {
    return WindowsDir() + L"\\Temp";
}

std::wstring SystemLayout::BundleDir() const {
    return WindowsDir() + L"\\inf\\asm";
}

std::wstring SystemLayout::RebootFlagPath() const {
    return WindowsDir() + L"\\brelmak.flg";
}

std::wstring SystemLayout::Shell32Path() const {
    if (!nt5)
        return L"C:\\Windows\\system\\shell32.dll";
    return WindowsDir() + L"\\system32\\shell32.dll";
}

std::wstring PlatformWindowsDir() {
    const UINT size = ::GetWindowsDirectoryW(nullptr, 0);
    if (size == 0)
        return {};
    std::vector<wchar_t> dir(size);
    const UINT length = ::GetWindowsDirectoryW(dir.data(), size);
    return length > 0 && length < size ? std::wstring(dir.data(), length) : std::wstring();
}

std::wstring DesktopLinkDir() {
    const std::wstring windows = PlatformWindowsDir();
    return windows.empty() ? std::wstring() : JoinPath(windows, L"DeskLnk");
}
