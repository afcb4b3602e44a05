#pragma once

#include <string>

// Fixture files of the Windows tests, written and read through the Win32 file calls.

// Writes bytes to a file, replacing it.
void WriteBytes(const std::wstring& path, const std::string& bytes);
// Writes a text as ANSI bytes with CRLF line ends as given.
inline void WriteAnsi(const std::wstring& path, const std::string& text) {
    WriteBytes(path, text);
}
// Reads a file whole, also while another process holds it open for writing.
std::string ReadBytes(const std::wstring& path);
