#pragma once

#include <string>

// A new, empty file in the directory of `path` (the path's text up to its last backslash),
// under a name that no file there has, so that it lies on the same volume as `path` and can
// take its place in one step. It is removed when the object goes, unless it was kept.
class CSiblingTempFile {
public:
    explicit CSiblingTempFile(const std::wstring& path);
    ~CSiblingTempFile();
    CSiblingTempFile(const CSiblingTempFile&) = delete;
    CSiblingTempFile& operator=(const CSiblingTempFile&) = delete;

    bool Created() const { return !m_path.empty(); }
    const std::wstring& Path() const { return m_path; }
    // The file took the place it was made for, or waits to take it: it stays.
    void Keep() { m_kept = true; }

private:
    std::wstring m_path;
    bool m_kept = false;
};
