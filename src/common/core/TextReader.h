#pragma once

#include "common/core/AnsiCodePage.h"
#include "common/core/LineSource.h"
#include "common/core/LineSplitter.h"

namespace textcore {

// The reading rules of the text file reader, for ANSI and UTF-16LE files.
//
// On opening and on every rewind the file's first two bytes decide the encoding: the UTF-16LE
// byte-order mark (FF FE) makes it Unicode and is skipped; anything else (an empty or one-byte
// file, a big-endian or UTF-8 mark) makes it ANSI, read from its first byte, so a UTF-8 mark
// reaches the first line as ordinary characters. ANSI lines are converted with the given code
// page. Every line is cut at its first character with code 0.
class CTextReader : public ILineSource {
public:
    explicit CTextReader(AnsiDecoder decode) : m_decode(decode) {}

    // Starts reading `source` (null: the file could not be opened); clears the end flag.
    void Open(IByteSource* source);
    void Close();
    bool IsOpen() const { return m_lines.IsAttached(); }

    // Back to the first line, after any byte-order mark; clears the end flag.
    void Rewind();

    // The next line, possibly empty. Reading a closed file, or after the end, gives the empty
    // string and the end flag.
    std::u16string ReadLine() override;
    bool IsEnd() const override { return m_lines.IsEnd(); }
    bool IsUnicode() const { return m_bUnicode; }

private:
    AnsiDecoder m_decode;
    CLineSplitter m_lines;
    bool m_bUnicode = false;
};

} // namespace textcore
