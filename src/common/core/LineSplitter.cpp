#include "common/core/LineSplitter.h"

namespace textcore {

namespace {
constexpr int kCarriageReturn = 13;
}

void CLineSplitter::Attach(IByteSource* source) {
    m_pSource = source;
    m_nPos = m_nLength = 0;
    m_bEnd = false;
}

void CLineSplitter::Detach() {
    m_pSource = nullptr;
    m_nPos = m_nLength = 0;
}

void CLineSplitter::Restart() {
    // Buffered bytes are kept when the move fails, so reading goes on at the same place as
    // reading unit by unit would.
    if (m_pSource && m_pSource->SeekToStart())
        m_nPos = m_nLength = 0;
    m_bEnd = false;
}

bool CLineSplitter::SkipUnicodeMark() {
    Restart();
    uint8_t first = 0;
    uint8_t second = 0;
    if (NextByte(first) && NextByte(second) && first == 0xFF && second == 0xFE)
        return true;
    Restart();
    return false;
}

std::string CLineSplitter::ReadByteLine() {
    return ReadLineOf<std::string>();
}

std::u16string CLineSplitter::ReadUnitLine() {
    return ReadLineOf<std::u16string>();
}

bool CLineSplitter::NextByte(uint8_t& byte) {
    if (m_nPos == m_nLength) {
        m_nPos = 0;
        m_nLength = m_pSource ? m_pSource->Read(m_buffer.data(), m_buffer.size()) : 0;
        if (m_nLength == 0)
            return false;
    }
    byte = m_buffer[m_nPos++];
    return true;
}

bool CLineSplitter::NextUnit(char& unit) {
    uint8_t byte = 0;
    if (!NextByte(byte))
        return false;
    unit = static_cast<char>(byte);
    return true;
}

bool CLineSplitter::NextUnit(char16_t& unit) {
    uint8_t low = 0;
    uint8_t high = 0;
    if (!NextByte(low))
        return false;
    // A lone byte at the very end still counts as data; it becomes a unit of its own.
    NextByte(high);
    unit = static_cast<char16_t>(low | high << 8);
    return true;
}

template <typename String> String CLineSplitter::ReadLineOf() {
    String line;
    if (m_bEnd)
        return line;
    typename String::value_type unit{};
    while (NextUnit(unit)) {
        if (unit == kCarriageReturn) {
            if (!NextUnit(unit))
                break;
            return line;
        }
        line.push_back(unit);
    }
    m_bEnd = true;
    return line;
}

} // namespace textcore
