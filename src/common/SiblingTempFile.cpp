#include "common/SiblingTempFile.h"

#include "common/RemoveFile.h"

#include <windows.h>

CSiblingTempFile::CSiblingTempFile(const std::wstring& path) {
    const std::wstring directory = path.substr(0, path.rfind(L'\\') + 1);
    wchar_t name[MAX_PATH];
    if (!directory.empty() && ::GetTempFileNameW(directory.c_str(), L"mvr", 0, name))
        m_path = name;
}

CSiblingTempFile::~CSiblingTempFile() {
    // A file that cannot be removed is passed over: it is only an unused copy.
    if (!m_path.empty() && !m_kept)
        RemoveFile(m_path);
}
