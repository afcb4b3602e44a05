#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Byte layout of an archive container: a 40-byte header, the entries' framed zlib data, and a
// directory of entry records. Every integer is little-endian.
namespace ArchiveFormat {
inline constexpr std::uint32_t MagicLow = 0x4C505343;  // "CSPL"
inline constexpr std::uint32_t MagicHigh = 0x54484749; // "IGHT"
inline constexpr std::uint32_t Version = 1;
inline constexpr std::size_t HeaderSize = 40;
inline constexpr std::size_t EntryFixedSize = 64; // a record is this plus two bytes per name unit
inline constexpr std::size_t EntryNameOffset = 58;
inline constexpr std::uint32_t MaxBlockLength = 1064979; // payload bytes after a block's length
inline constexpr std::uint32_t MaxBlockOutput = 1048576; // bytes one block may inflate to
inline constexpr std::uint64_t FileTimeUnixEpoch = 116444736000000000; // 1970 as a FILETIME
} // namespace ArchiveFormat

// Windows file attribute bits as the directory stores them.
namespace ArchiveAttributes {
inline constexpr std::uint32_t ReadOnly = 0x1;
inline constexpr std::uint32_t Hidden = 0x2;
inline constexpr std::uint32_t System = 0x4;
inline constexpr std::uint32_t Directory = 0x10;
inline constexpr std::uint32_t Archive = 0x20;
inline constexpr std::uint32_t Normal = 0x80;
inline constexpr std::uint32_t Temporary = 0x100;
inline constexpr std::uint32_t Offline = 0x1000;
inline constexpr std::uint32_t NotContentIndexed = 0x2000;
// The bits a file's attributes can be set to; the others describe the file system's own state.
inline constexpr std::uint32_t Settable =
    ReadOnly | Hidden | System | Archive | Normal | Temporary | Offline | NotContentIndexed;
} // namespace ArchiveAttributes

// The three times of a file, as FILETIME values (100-nanosecond units since 1601-01-01 UTC).
struct ArchiveFileTimes {
    std::uint64_t creation = 0;
    std::uint64_t lastAccess = 0;
    std::uint64_t lastWrite = 0;
};

struct ArchiveHeader {
    std::uint32_t magicLow = ArchiveFormat::MagicLow;
    std::uint32_t magicHigh = ArchiveFormat::MagicHigh;
    std::uint32_t version = ArchiveFormat::Version;
    std::uint32_t reserved12 = 0;
    std::uint64_t dataStart = ArchiveFormat::HeaderSize;
    std::uint64_t directoryOffset = 0;
    std::uint32_t directorySize = 0;
    std::uint32_t reserved36 = 0;

    // True for the magic and a version this reader understands.
    bool IsReadable() const;
};

ArchiveHeader ParseArchiveHeader(std::span<const std::uint8_t, ArchiveFormat::HeaderSize> bytes);
std::array<std::uint8_t, ArchiveFormat::HeaderSize> SerializeArchiveHeader(const ArchiveHeader& h);

// The head of an entry record, laid out like the head of WIN32_FIND_DATAW.
struct ArchiveFindData {
    std::uint32_t attributes = 0;
    ArchiveFileTimes times;
    std::uint32_t fileSizeHigh = 0;
    std::uint32_t fileSizeLow = 0;

    std::uint64_t FileSize() const { return std::uint64_t{fileSizeHigh} << 32 | fileSizeLow; }
};

struct ArchiveEntryRecord {
    ArchiveFindData findData;
    std::uint64_t storedSize = 0;
    std::uint64_t dataOffset = 0;
    std::uint16_t nameLength = 0; // as stored: the record spans 64 + 2 * nameLength bytes
    std::u16string name;          // the stored units up to the terminator

    std::size_t RecordSize() const {
        return ArchiveFormat::EntryFixedSize + 2 * std::size_t{nameLength};
    }
};

enum class ArchiveEntryParse { Ok, End, Corrupt };

// Reads the record at 'cursor'. End when the cursor is at or past the directory's end; Corrupt
// when the record runs past the end or its name has no terminator.
ArchiveEntryParse ParseArchiveEntry(std::span<const std::uint8_t> directory, std::size_t cursor,
                                    ArchiveEntryRecord& entry);

// Appends a record whose name length is the name's length.
void AppendArchiveEntry(std::vector<std::uint8_t>& directory, const ArchiveEntryRecord& entry);

// Little-endian access to the format's integers.
std::uint32_t ReadLe32(const std::uint8_t* bytes);
std::uint64_t ReadLe64(const std::uint8_t* bytes);
void WriteLe32(std::uint8_t* bytes, std::uint32_t value);
void WriteLe64(std::uint8_t* bytes, std::uint64_t value);
