#pragma once

#include "archive/ArchiveFile.h"

#include <string>

// A file written under a temporary name in its target's directory. Only Commit replaces the
// target; until then, and after any failure, the target is untouched, and the temporary file is
// removed on destruction unless it was committed.
class CStagedFile {
public:
    explicit CStagedFile(std::u16string target);
    ~CStagedFile();
    CStagedFile(const CStagedFile&) = delete;
    CStagedFile& operator=(const CStagedFile&) = delete;

    bool Create();
    CArchiveFile& File() { return m_file; }
    // Replaces the target with what was written.
    bool Commit();
    // The same, the file first carrying these times and attributes.
    bool Commit(const ArchiveFileTimes& times, std::uint32_t attributes);

private:
    bool Replace();

    std::u16string m_target;
    std::u16string m_temporary;
    CArchiveFile m_file;
    bool m_committed = false;
};
