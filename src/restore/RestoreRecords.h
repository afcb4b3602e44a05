#pragma once

#include "archive/ObjectBase.h"

#include <cstdint>
#include <ctime>
#include <deque>
#include <memory>
#include <string>
#include <vector>

// One file that the recovery source can restore: an entry of an archive container, or a path
// named in a file list (ALL.W32, WINDOWS.W32) whose compressed copy lies in the source's I386.
class CRestoreFile : public CObjectBase {
public:
    // The container or the list that provides the file. All files of one source share its path.
    const std::wstring& GetSource() const { return m_pSource ? *m_pSource : NoSource(); }
    void SetSource(std::shared_ptr<const std::wstring> source) { m_pSource = std::move(source); }
    void SetSource(const std::wstring& source) {
        m_pSource = std::make_shared<const std::wstring>(source);
    }

    std::wstring m_strName; // the file's name, without directory
    std::uint32_t m_nSize = 0;
    std::time_t m_time = 0; // a container entry's last write; nothing for a listed file
    int m_bArchive = 0;
    int m_bSystem = 0;
    int m_bHidden = 0;
    int m_bReadOnly = 0;
    unsigned m_nState = 0; // 1: marked for restoring

    // A listed file is expanded from the source's I386; a container entry is extracted.
    bool IsListed() const;

private:
    static const std::wstring& NoSource();

    std::shared_ptr<const std::wstring> m_pSource;
};

// One folder of the restore inventory. It owns its files and subfolders, which keep the order
// in which they were added. Names are compared without regard to case; a folder keeps the
// spelling with which it was first met.
class CRestoreFolder : public CObjectBase {
public:
    explicit CRestoreFolder(std::wstring name);

    const std::wstring& GetName() const { return m_strName; }
    int m_nState = 0; // 1: ticked

    size_t GetFileCount() const { return m_files.size(); }
    CRestoreFile& GetFile(size_t i) const { return m_files[i]; }
    size_t GetChildCount() const { return m_children.size(); }
    CRestoreFolder& GetChild(size_t i) const { return *m_children[i]; }

    CRestoreFile& AddFile(CRestoreFile file);
    CRestoreFolder& AddChild(std::unique_ptr<CRestoreFolder> child);
    // The subfolder of that name in any case, or nullptr.
    CRestoreFolder* FindChild(const std::wstring& name) const;

    // Ticking (state 1) marks the folder's files; unticking (state 0) leaves them marked, so that
    // a folder can be unticked without losing the files picked in it. With `below` the folders
    // below take the same state and their files are treated alike.
    void Tick(int state, bool below);
    // Sets the state of every folder and file at and below this one to 0.
    void ClearMarks();

private:
    std::wstring m_strName;
    std::wstring m_strKey; // the name lower-cased, for FindChild
    // Files stay where they are as more are added (the file list refers to them), and are
    // allocated in blocks: a recovery source offers tens of thousands. Their marks change
    // while the folder is only read, as its children's do.
    mutable std::deque<CRestoreFile> m_files;
    std::vector<std::unique_ptr<CRestoreFolder>> m_children;
};
