#pragma once

#include <windows.h>

#include <string>

// A fresh directory below the user's temporary directory, removed with all it holds (read-only
// files too) when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::wstring& Path() const { return m_path; }
    // The path of a name inside the directory.
    std::wstring operator/(const std::wstring& name) const { return m_path + L"\\" + name; }

private:
    std::wstring m_path;
};

// Writes bytes to a file, replacing it.
void WriteBytes(const std::wstring& path, const std::string& bytes);
// Writes a text as ANSI bytes with CRLF line ends as given.
inline void WriteAnsi(const std::wstring& path, const std::string& text) {
    WriteBytes(path, text);
}
std::string ReadBytes(const std::wstring& path);
