#include "common/TextFile.h"

#include "common/TextConversion.h"

CTextFile::CTextFile() : m_reader(DecodeAnsi) {}

bool CTextFile::Open(const std::wstring& path) {
    const bool opened = m_file.Open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    m_reader.Open(opened ? &m_file : nullptr);
    return opened;
}

std::wstring CTextFile::ReadLine() {
    return ToWide(m_reader.ReadLine());
}

void CTextFile::Close() {
    m_reader.Close();
    m_file.Close();
}
