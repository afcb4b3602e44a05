#pragma once

#include "archive/ArchiveFormat.h"

#include <cstdint>
#include <string_view>

// The platform's file operations that the archive code needs, over UTF-16 paths. The Windows
// build maps them onto the Win32 file calls; the portable build onto POSIX calls, with both
// separators accepted in paths and the read-only attribute kept in the permission bits. Every
// operation that returns false leaves the platform's error code in the thread's last-error value
// (ArchiveError.h), as the Windows error code of the same cause.

// How an opened container file was found.
enum class ContainerAccess {
    Created,   // it did not exist and is now an empty file, open for reading and writing
    ReadWrite, // it existed and is open for reading and writing
    ReadOnly,  // it existed but is read-only (attribute, medium or permissions)
};

// One open file; closed on destruction. Every open is exclusive: no other open of the same
// file, in this or another process, succeeds until it is closed.
class CArchiveFile {
public:
    CArchiveFile() = default;
    ~CArchiveFile();
    CArchiveFile(const CArchiveFile&) = delete;
    CArchiveFile& operator=(const CArchiveFile&) = delete;

    // Opens a container for reading and writing, creating it when it is missing (unless
    // `createMissing` is false: a missing file then fails with FileNotFound); an existing file
    // that cannot be written is opened for reading only.
    bool OpenContainer(std::u16string_view path, ContainerAccess& access, bool createMissing);
    // Creates a new file for reading and writing; fails when the path exists.
    bool CreateNew(std::u16string_view path);
    // Opens an existing file for reading.
    bool OpenForReading(std::u16string_view path);

    bool IsOpen() const { return m_handle != InvalidHandle; }
    bool Seek(std::uint64_t position);
    // Reads up to 'size' bytes; 'done' is less than 'size' only at the end of the file.
    bool Read(void* buffer, std::uint32_t size, std::uint32_t& done);
    // Writes all bytes or fails.
    bool Write(const void* data, std::uint32_t size);
    bool GetSize(std::uint64_t& size);
    bool SetTimes(const ArchiveFileTimes& times);
    bool Close();

private:
    static constexpr std::intptr_t InvalidHandle = -1;
    std::intptr_t m_handle = InvalidHandle; // a HANDLE on Windows, a descriptor elsewhere
};

// A file or directory exists at the path.
bool ArchivePathExists(std::u16string_view path);
bool ArchiveCreateDirectory(std::u16string_view path);
// The path is free, or holds a file that could be replaced now (not in use, not read-only).
bool ArchiveCheckReplaceable(std::u16string_view path);
// Sets the attribute bits that a file can carry; no bits at all make a normal file.
bool ArchiveSetAttributes(std::u16string_view path, std::uint32_t attributes);
// Renames 'from' to 'to', replacing a file there.
bool ArchiveReplaceFile(std::u16string_view from, std::u16string_view to);
bool ArchiveDeleteFile(std::u16string_view path);

struct ArchiveFileInfo {
    std::uint32_t attributes = 0;
    ArchiveFileTimes times;
    std::uint64_t size = 0;
};

bool ArchiveGetFileInfo(std::u16string_view path, ArchiveFileInfo& info);
