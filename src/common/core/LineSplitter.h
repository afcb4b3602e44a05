#pragma once

#include "common/core/ByteSource.h"

#include <array>
#include <cstdint>
#include <string>

namespace textcore {

// Splits a byte source into lines, in bytes (ANSI files) or in 16-bit little-endian units
// (Unicode files), and keeps the end flag of the line readers.
//
// Line rule: every unit other than carriage return belongs to the line; a carriage return ends
// it and the one unit after it is dropped, whatever it is, so a lone line feed is an ordinary
// character. The read that finds no more data ends the line and sets the end flag; once the flag
// is set, lines are empty and nothing is read until the splitter is restarted.
//
// The source is read in blocks rather than unit by unit. The files are opened so that nobody
// can write to them meanwhile, so the lines and the end flag come out as from single reads.
// Lines have no length limit: the line grows as long as the data runs without a break.
class CLineSplitter {
public:
    // Reads from `source` from now on (null: nothing to read); clears the end flag.
    void Attach(IByteSource* source);
    // Stops reading the source; the end flag stays as it is.
    void Detach();
    bool IsAttached() const { return m_pSource != nullptr; }

    // Moves to the start of the source and clears the end flag. When the source cannot move,
    // reading simply goes on where it was.
    void Restart();

    // Restarts, then consumes the UTF-16LE byte-order mark (FF FE) when the source begins with
    // it and returns true; otherwise restarts again so that the first byte is read next.
    bool SkipUnicodeMark();

    std::string ReadByteLine();
    std::u16string ReadUnitLine();

    bool IsEnd() const { return m_bEnd; }
    void SetEnd() { m_bEnd = true; }

private:
    bool NextByte(uint8_t& byte);
    bool NextUnit(char& unit);
    bool NextUnit(char16_t& unit);
    template <typename String> String ReadLineOf();

    IByteSource* m_pSource = nullptr;
    std::array<uint8_t, 4096> m_buffer{};
    size_t m_nPos = 0;
    size_t m_nLength = 0;
    bool m_bEnd = false;
};

} // namespace textcore
