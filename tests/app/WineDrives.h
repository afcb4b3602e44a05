#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Drive letters of the Wine prefix that the tests run in, defined through Wine's mount manager
// as its configuration tool does: a letter's link and its drive type take effect at once,
// without restarting the prefix. Every letter that the object defines is removed again when it
// goes, and drive Z:, the build machine's root, is put back.
//
// Drive Z: is where the test programs themselves and the build tree lie, so a test that maps
// drives copies what it needs before it starts and must not run beside other tests.
class CWineDrives {
public:
    CWineDrives() = default;
    CWineDrives(const CWineDrives&) = delete;
    CWineDrives& operator=(const CWineDrives&) = delete;
    ~CWineDrives();

    // Makes the letter a drive of the type (DRIVE_FIXED, DRIVE_CDROM, DRIVE_REMOVABLE) on the
    // directory, which need not exist yet; true when the mount manager agreed.
    bool Map(wchar_t letter, const std::wstring& directory, UINT type);
    // Removes the letter, Z: included.
    bool Unmap(wchar_t letter);

private:
    bool Define(wchar_t letter, UINT type, const std::string& unixPath);

    std::vector<wchar_t> m_changed;
};

// The build machine's path of a Windows path; empty when Wine cannot tell.
std::string UnixPath(const std::wstring& windowsPath);
