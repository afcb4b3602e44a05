#pragma once

#include <windows.h>

#include <string>
#include <type_traits>

// Enumerates the entries that match a pattern (a directory joined with "*.*", or a plain path,
// in which case finding it means that it exists). Every directory walk and existence test of
// the system rests on it; the walks go through ForEachEntry below.
class CFileFind {
public:
    CFileFind() = default;
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;
    ~CFileFind() { Close(); }

    // Starts a search; true when a first entry was found, which is then the current one. An
    // empty pattern finds nothing.
    bool FindFile(const std::wstring& pattern);
    // Moves to the next entry; false when there is none (the search is then over).
    bool FindNextFile();
    void Close();

    // The current entry.
    std::wstring GetFileName() const { return m_data.cFileName; }
    // The absolute directory of the pattern joined with the name.
    std::wstring GetFilePath() const { return m_strRoot + m_data.cFileName; }
    FILETIME GetLastWriteTime() const { return m_data.ftLastWriteTime; }
    DWORD GetAttributes() const { return m_data.dwFileAttributes; }
    bool IsDirectory() const { return (m_data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    bool IsNormal() const { return (m_data.dwFileAttributes & FILE_ATTRIBUTE_NORMAL) != 0; }
    // The full path ends with "." (the "." and ".." entries): every tree walk skips these.
    bool IsDots() const;

private:
    HANDLE m_hFind = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW m_data = {};
    std::wstring m_strRoot; // with a trailing backslash
};

// True when at least one file or directory matches the pattern (a find-first succeeds).
bool AnyFileMatches(const std::wstring& pattern);

// The pattern that enumerates every entry of a directory. An empty name is refused: it gives
// the empty pattern, which finds nothing (joined with "*.*" it would mean the root of the
// current drive).
std::wstring AllEntriesOf(const std::wstring& directory);

// Visits every entry of `directory` but "." and "..", with the finder on that entry; an empty
// name visits nothing. A visitor that returns bool stops the walk by returning false, and
// ForEachEntry then returns false.
template <typename Visit> bool ForEachEntry(const std::wstring& directory, Visit&& visit) {
    CFileFind find;
    for (bool found = find.FindFile(AllEntriesOf(directory)); found; found = find.FindNextFile()) {
        if (find.IsDots())
            continue;
        if constexpr (std::is_same_v<decltype(visit(find)), bool>) {
            if (!visit(find))
                return false;
        } else {
            visit(find);
        }
    }
    return true;
}
