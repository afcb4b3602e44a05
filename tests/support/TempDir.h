#pragma once

#include <filesystem>

// A fresh directory for one test, removed with all it holds when the object goes: read-only
// files too, and on Windows paths longer than 260 characters. The native tests, the fuzz
// targets and the Windows tests all make their scratch directories with it.
class TempDir {
public:
    // A directory below the system's temporary directory.
    TempDir();
    // A directory below `parent`, which must exist.
    explicit TempDir(const std::filesystem::path& parent);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // The path of a name inside the directory.
    std::filesystem::path operator/(const std::filesystem::path& relative) const {
        return m_path / relative;
    }

private:
    std::filesystem::path m_path;
};
