#include "support/TempDir.h"

#include <random>
#include <stdexcept>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32

// The standard library stops at 260 characters and at read-only files here; the "\\?\" form
// of the Win32 calls does not, and tests make both.
void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    const HANDLE find = ::FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring child = path + L"\\" + name;
            ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                ::DeleteFileW(child.c_str());
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(path.c_str());
}

void RemoveAll(const fs::path& path) {
    RemoveTree(L"\\\\?\\" + fs::absolute(path).make_preferred().wstring());
}

#else

// A read-only file in a writable directory goes with the directory here.
void RemoveAll(const fs::path& path) {
    std::error_code ignored; // a leftover in the temporary directory fails no test
    fs::remove_all(path, ignored);
}

#endif

} // namespace

TempDir::TempDir() : TempDir(fs::temp_directory_path()) {}

TempDir::TempDir(const fs::path& parent) {
    std::random_device random;
    // create_directory is false for a directory that exists already: another test's, so the
    // name is drawn again.
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_path = parent / ("melvorin-" + std::to_string(random()));
        if (fs::create_directory(m_path))
            return;
    }
    throw std::runtime_error("no fresh temporary directory below " + parent.string());
}

TempDir::~TempDir() {
    RemoveAll(m_path);
}
