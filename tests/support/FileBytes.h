#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Fixture files of the Windows tests, written and read through the Win32 file calls.

// Writes bytes to a file, replacing it.
void WriteBytes(const std::wstring& path, const std::string& bytes);
// Writes a text as ANSI bytes with CRLF line ends as given.
inline void WriteAnsi(const std::wstring& path, const std::string& text) {
    WriteBytes(path, text);
}
// Reads a file whole, also while another process holds it open for writing.
std::string ReadBytes(const std::wstring& path);

// The text in UTF-8, as the stand-ins write their logs.
std::string Utf8(const std::wstring& text);

// A UTF-16LE file with a byte-order mark, such as the run log, in UTF-8.
std::string ReadUtf16AsUtf8(const std::wstring& path);

// UTF-16LE bytes of a text, without a byte-order mark: the form of line-file scripts.
std::string Utf16(const std::wstring& text);

// Sets a file's last-write time to `utcSeconds` after 1970.
void SetWriteTime(const std::wstring& path, std::int64_t utcSeconds);
std::int64_t WriteTimeOf(const std::wstring& path);

DWORD AttributesOfFile(const std::wstring& path);
bool Exists(const std::wstring& path);
// The names in a directory, sorted, "." and ".." left out.
std::vector<std::wstring> NamesIn(const std::wstring& directory);
