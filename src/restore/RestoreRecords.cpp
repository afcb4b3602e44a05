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

CRestoreFile& CRestoreFolder::AddFile(CRestoreFile file) {
    m_files.push_back(std::move(file));
    return m_files.back();
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
