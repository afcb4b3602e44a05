#include "common/LineFile.h"

#include "common/TextConversion.h"
#include "common/core/UnicodeLines.h"

bool CLineFile::Open(const std::wstring& path, Mode mode) {
    const bool opened = mode == modeRead
                            ? m_file.Open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING)
                            : m_file.Open(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS);
    m_lines.Attach(opened ? &m_file : nullptr);
    return opened;
}

std::wstring CLineFile::ReadLine() {
    return ToWide(textcore::ReadUnicodeLine(m_lines));
}

bool CLineFile::WriteLine(const std::wstring& text) {
    const std::string bytes = textcore::EncodeUnicodeLine(ToUtf16(text));
    return m_file.Write(bytes.data(), bytes.size());
}

void CLineFile::Close() {
    m_lines.Detach();
    m_file.Close();
}
