#include "common/core/TextReader.h"

namespace textcore {

void CTextReader::Open(IByteSource* source) {
    m_lines.Attach(source);
    m_bUnicode = source && m_lines.SkipUnicodeMark();
}

void CTextReader::Close() {
    m_lines.Detach();
    m_bUnicode = false;
}

void CTextReader::Rewind() {
    m_bUnicode = m_lines.SkipUnicodeMark();
}

std::u16string CTextReader::ReadLine() {
    if (!IsOpen())
        m_lines.SetEnd();
    std::u16string line = m_bUnicode ? m_lines.ReadUnitLine() : m_decode(m_lines.ReadByteLine());
    const size_t nul = line.find(u'\0');
    if (nul != std::u16string::npos)
        line.resize(nul);
    return line;
}

} // namespace textcore
