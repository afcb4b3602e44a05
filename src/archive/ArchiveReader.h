#pragma once

#include "archive/ArchiveFormat.h"
#include "archive/ObjectBase.h"

#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <string_view>

#ifdef _WIN32
#include "archive/ArchiveText.h"
#endif

// One open archive container: opens it, walks its directory forward one entry at a time and
// extracts entries into files.
//
// Every operation but the accessors returns false on failure and leaves the reason in the
// thread's last-error value (ArchiveError.h): the platform's code for a failed file call,
// otherwise InvalidParameter (no path or destination, not open), InsufficientBuffer (target
// path too long), InvalidName (unsafe entry name), NoMoreItems (past the last entry),
// InternalError (damaged entry data), FileCorrupt (damaged directory), BadFormat (unreadable
// header). A failed step never moves the cursor.
//
// The reader opens the container exclusively, for reading and writing, and creates it when it
// is missing unless asked to open an existing container only; Close writes the header and the
// directory back (exactly what was read) for a container that it created or could read, and writes
// nothing to any other file. A reader is used by one thread at a time.
class CArchiveReader : public CObjectBase {
public:
    CArchiveReader();
    ~CArchiveReader() override; // closes an open container without writing it
    CArchiveReader(const CArchiveReader&) = delete;
    CArchiveReader& operator=(const CArchiveReader&) = delete;

    enum class OpenMode {
        OpenOrCreate, // a missing container is created empty
        OpenExisting, // a missing container fails with FileNotFound and nothing is created
    };

    bool Open(std::u16string_view path, OpenMode mode = OpenMode::OpenOrCreate);
    // Loads the current entry; with 'advance' the cursor then moves past it.
    bool ReadEntry(bool advance);
    // Writes the current entry as a file below the destination directory, creating the
    // directories on the way; then loads the entry and moves past it. The target is replaced
    // only once the whole entry inflated to its file size; on failure it is left as it was and
    // no partial file remains.
    bool ExtractEntry(std::u16string_view destinationDirectory);
    // The same into the file `targetFile` (any name, in an existing directory), for a copy that
    // is to take another file's place later.
    bool ExtractEntryAs(std::u16string_view targetFile);
    // Inflates the current entry without writing it, with the checks of ExtractEntry; then
    // loads the entry and moves past it.
    bool TestEntry();
    bool Close();

    // The current entry, valid after a successful ReadEntry, ExtractEntry or TestEntry.
    // Valid until the reader moves on.
    const std::u16string& GetFileName() const { return m_name; }
    // Whole seconds since 1970-01-01 UTC.
    std::time_t GetLastWriteTime() const;
    std::uint32_t GetAttributes() const { return m_findData.attributes; }
    std::uint64_t GetStoredSize() const { return m_storedSize; }
    std::uint64_t GetFileSize() const { return m_findData.FileSize(); }
    const ArchiveFileTimes& GetFileTimes() const { return m_findData.times; }

#ifdef _WIN32
    bool Open(std::wstring_view path, OpenMode mode = OpenMode::OpenOrCreate) {
        return Open(ToArchiveText(path), mode);
    }
    bool ExtractEntry(std::wstring_view destinationDirectory) {
        return ExtractEntry(ToArchiveText(destinationDirectory));
    }
    bool ExtractEntryAs(std::wstring_view targetFile) {
        return ExtractEntryAs(ToArchiveText(targetFile));
    }
#endif

private:
    struct Container;

    bool CurrentEntry(ArchiveEntryRecord& entry) const;
    bool ExtractCurrentTo(ArchiveEntryRecord& entry, const std::u16string& target);
    bool InflateCurrent(const ArchiveEntryRecord& entry, const std::u16string& target);
    void LoadAndAdvance(ArchiveEntryRecord& entry);
    void Load(ArchiveEntryRecord& entry);

    ArchiveFindData m_findData;
    std::unique_ptr<Container> m_container;
    std::u16string m_name;
    std::uint64_t m_storedSize = 0;
};
