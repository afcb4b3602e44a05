#pragma once

#include "archive/ObjectBase.h"

#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <string_view>
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

    // The file's name, without directory. Its folder keeps the text, which ends with a null
    // character after the view.
    std::wstring_view GetName() const {
        return m_pNames ? std::wstring_view(m_pNames->data() + m_nNameAt, m_nNameLength)
                        : std::wstring_view();
    }

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
    friend class CRestoreFolder;
    static const std::wstring& NoSource();

    std::shared_ptr<const std::wstring> m_pSource;
    const std::wstring* m_pNames = nullptr;
    std::uint32_t m_nNameAt = 0;
    std::uint32_t m_nNameLength = 0;
};

// One folder of the restore inventory. It owns its files and subfolders, which keep the order
// in which they were added. Names are compared without regard to case; a folder keeps the
// spelling with which it was first met.
class CRestoreFolder : public CObjectBase {
public:
    explicit CRestoreFolder(std::wstring name);
    // The files refer to the folder's names: a folder stays where it is made.
    CRestoreFolder(const CRestoreFolder&) = delete;
    CRestoreFolder& operator=(const CRestoreFolder&) = delete;

    const std::wstring& GetName() const { return m_strName; }
    int m_nState = 0; // 1: ticked

    size_t GetFileCount() const { return m_files.size(); }
    CRestoreFile& GetFile(size_t i) const { return m_files[i]; }
    size_t GetChildCount() const { return m_children.size(); }
    CRestoreFolder& GetChild(size_t i) const { return *m_children[i]; }

    // A new file record of that name at the end, made in place. The folder's other files may
    // move: refer to them only once the folder is complete.
    CRestoreFile& AddFile(std::wstring_view name);
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
    // The files in one block, which moves as it grows: a recovery source offers tens of thousands,
    // and the inventory is complete before anything refers to a file. Their marks change while
    // the folder is only read, as its children's do.
    mutable std::vector<CRestoreFile> m_files;
    // The names of the files, one after another, each ending with a null character: one
    // allocation now and then rather than one for every file.
    std::wstring m_strNames;
    std::vector<std::unique_ptr<CRestoreFolder>> m_children;
};
