#include "restore/RestoreRecords.h"

#include "common/StringHelpers.h"
#include "common/TextCase.h"

const std::wstring& CRestoreFile::NoSource() {
    static const std::wstring none;
    return none;
}

bool CRestoreFile::IsListed() const {
    return EndsWith(MakeLower(GetSource()), L".w32");
}

CRestoreFolder::CRestoreFolder(std::wstring name)
    : m_strName(std::move(name)), m_strKey(MakeLower(m_strName)) {}

// A folder's first file makes room for a few more at once: under Wine in particular, each
// growth of the blocks costs far more than the files it makes room for.
CRestoreFile& CRestoreFolder::AddFile(std::wstring_view name) {
    const size_t firstFiles = 16;
    const size_t shortName = 13; // "FILENAME.EXT" and its null character
    if (m_files.empty()) {
        m_files.reserve(firstFiles);
        m_strNames.reserve(firstFiles * shortName);
    }
    CRestoreFile& file = m_files.emplace_back();
    file.m_pNames = &m_strNames;
    file.m_nNameAt = static_cast<std::uint32_t>(m_strNames.size());
    file.m_nNameLength = static_cast<std::uint32_t>(name.size());
    m_strNames.append(name).push_back(L'\0');
    return file;
}

CRestoreFolder& CRestoreFolder::AddChild(std::unique_ptr<CRestoreFolder> child) {
    m_children.push_back(std::move(child));
    return *m_children.back();
}

CRestoreFolder* CRestoreFolder::FindChild(const std::wstring& name) const {
    const std::wstring key = MakeLower(name);
    for (const auto& child : m_children) {
        if (child->m_strKey == key)
            return child.get();
    }
    return nullptr;
}

void CRestoreFolder::Tick(int state, bool below) {
    m_nState = state;
    if (state != 0) {
        for (CRestoreFile& file : m_files)
            file.m_nState = 1;
    }
    if (!below)
        return;
    for (const auto& child : m_children)
        child->Tick(state, true);
}

void CRestoreFolder::ClearMarks() {
    m_nState = 0;
    for (CRestoreFile& file : m_files)
        file.m_nState = 0;
    for (const auto& child : m_children)
        child->ClearMarks();
}
