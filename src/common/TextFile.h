#pragma once

#include "common/Win32File.h"
#include "common/core/TextReader.h"

#include <string>

// Read-only line reader for ANSI and UTF-16LE files (see textcore::CTextReader for the rules).
// The file is opened shared for reading only, so it cannot change while it is open.
class CTextFile {
public:
    CTextFile();
    CTextFile(const CTextFile&) = delete;
    CTextFile& operator=(const CTextFile&) = delete;

    bool Open(const std::wstring& path);
    void Rewind() { m_reader.Rewind(); }
    std::wstring ReadLine();
    bool IsEnd() const { return m_reader.IsEnd(); }
    bool IsUnicode() const { return m_reader.IsUnicode(); }
    void Close();

    // The lines in the form the profile rules read them.
    textcore::ILineSource& Lines() { return m_reader; }

private:
    CWin32File m_file;
    textcore::CTextReader m_reader;
};
