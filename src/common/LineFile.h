#pragma once

#include "common/Win32File.h"
#include "common/core/LineSplitter.h"

#include <string>

// Reads or writes UTF-16LE lines ended by carriage return and line feed, with no byte-order
// mark: a mark at the start of a file is read as the first character of the first line, and
// characters with code 0 are dropped. Lines follow the text file's Unicode line rule.
class CLineFile {
public:
    enum Mode {
        modeRead,  // an existing file, for reading
        modeCreate // a new or emptied file, for writing
    };

    CLineFile() = default;
    CLineFile(const CLineFile&) = delete;
    CLineFile& operator=(const CLineFile&) = delete;

    bool Open(const std::wstring& path, Mode mode);
    std::wstring ReadLine();
    bool IsEnd() const { return m_lines.IsEnd(); }
    // True when the line and its line break were written.
    bool WriteLine(const std::wstring& text);
    void Rewind() { m_lines.Restart(); }
    void Close();

private:
    CWin32File m_file;
    textcore::CLineSplitter m_lines;
};
