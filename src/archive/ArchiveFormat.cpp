#include "archive/ArchiveFormat.h"

namespace {

std::uint16_t ReadLe16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

void WriteLe16(std::uint8_t* bytes, std::uint16_t value) {
    bytes[0] = static_cast<std::uint8_t>(value);
    bytes[1] = static_cast<std::uint8_t>(value >> 8);
}

// The directory stores the file size high half first, like WIN32_FIND_DATAW.
ArchiveFindData ParseFindData(const std::uint8_t* record) {
    ArchiveFindData data;
    data.attributes = ReadLe32(record);
    data.times.creation = ReadLe64(record + 4);
    data.times.lastAccess = ReadLe64(record + 12);
    data.times.lastWrite = ReadLe64(record + 20);
    data.fileSizeHigh = ReadLe32(record + 28);
    data.fileSizeLow = ReadLe32(record + 32);
    return data;
}

void WriteFindData(std::uint8_t* record, const ArchiveFindData& data) {
    WriteLe32(record, data.attributes);
    WriteLe64(record + 4, data.times.creation);
    WriteLe64(record + 12, data.times.lastAccess);
    WriteLe64(record + 20, data.times.lastWrite);
    WriteLe32(record + 28, data.fileSizeHigh);
    WriteLe32(record + 32, data.fileSizeLow);
}

} // namespace

std::uint32_t ReadLe32(const std::uint8_t* bytes) {
    return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
           std::uint32_t{bytes[3]} << 24;
}

std::uint64_t ReadLe64(const std::uint8_t* bytes) {
    return std::uint64_t{ReadLe32(bytes)} | std::uint64_t{ReadLe32(bytes + 4)} << 32;
}

void WriteLe32(std::uint8_t* bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

void WriteLe64(std::uint8_t* bytes, std::uint64_t value) {
    WriteLe32(bytes, static_cast<std::uint32_t>(value));
    WriteLe32(bytes + 4, static_cast<std::uint32_t>(value >> 32));
}

bool ArchiveHeader::IsReadable() const {
    return magicLow == ArchiveFormat::MagicLow && magicHigh == ArchiveFormat::MagicHigh &&
           version <= ArchiveFormat::Version;
}

ArchiveHeader ParseArchiveHeader(std::span<const std::uint8_t, ArchiveFormat::HeaderSize> bytes) {
    ArchiveHeader h;
    h.magicLow = ReadLe32(&bytes[0]);
    h.magicHigh = ReadLe32(&bytes[4]);
    h.version = ReadLe32(&bytes[8]);
    h.reserved12 = ReadLe32(&bytes[12]);
    h.dataStart = ReadLe64(&bytes[16]);
    h.directoryOffset = ReadLe64(&bytes[24]);
    h.directorySize = ReadLe32(&bytes[32]);
    h.reserved36 = ReadLe32(&bytes[36]);
    return h;
}

std::array<std::uint8_t, ArchiveFormat::HeaderSize> SerializeArchiveHeader(const ArchiveHeader& h) {
    std::array<std::uint8_t, ArchiveFormat::HeaderSize> bytes{};
    WriteLe32(&bytes[0], h.magicLow);
    WriteLe32(&bytes[4], h.magicHigh);
    WriteLe32(&bytes[8], h.version);
    WriteLe32(&bytes[12], h.reserved12);
    WriteLe64(&bytes[16], h.dataStart);
    WriteLe64(&bytes[24], h.directoryOffset);
    WriteLe32(&bytes[32], h.directorySize);
    WriteLe32(&bytes[36], h.reserved36);
    return bytes;
}

ArchiveEntryParse ParseArchiveEntry(std::span<const std::uint8_t> directory, std::size_t cursor,
                                    ArchiveEntryRecord& entry) {
    if (cursor >= directory.size()) {
        return ArchiveEntryParse::End;
    }
    const std::size_t available = directory.size() - cursor;
    if (available < ArchiveFormat::EntryFixedSize) {
        return ArchiveEntryParse::Corrupt;
    }
    const std::uint8_t* record = directory.data() + cursor;
    const std::uint16_t nameLength = ReadLe16(record + 56);
    if (available < ArchiveFormat::EntryFixedSize + 2 * std::size_t{nameLength}) {
        return ArchiveEntryParse::Corrupt;
    }
    // The name ends at its first zero unit, which at the latest is the stored terminator.
    std::u16string name;
    const std::uint8_t* unit = record + ArchiveFormat::EntryNameOffset;
    for (std::size_t i = 0; ReadLe16(unit) != 0; ++i, unit += 2) {
        if (i == nameLength) {
            return ArchiveEntryParse::Corrupt;
        }
        name.push_back(static_cast<char16_t>(ReadLe16(unit)));
    }
    entry.findData = ParseFindData(record);
    entry.storedSize = ReadLe64(record + 40);
    entry.dataOffset = ReadLe64(record + 48);
    entry.nameLength = nameLength;
    entry.name = std::move(name);
    return ArchiveEntryParse::Ok;
}

void AppendArchiveEntry(std::vector<std::uint8_t>& directory, const ArchiveEntryRecord& entry) {
    const std::size_t start = directory.size();
    const auto nameLength = static_cast<std::uint16_t>(entry.name.size());
    directory.resize(start + ArchiveFormat::EntryFixedSize + 2 * std::size_t{nameLength});
    std::uint8_t* record = directory.data() + start;
    WriteFindData(record, entry.findData);
    WriteLe64(record + 40, entry.storedSize);
    WriteLe64(record + 48, entry.dataOffset);
    WriteLe16(record + 56, nameLength);
    for (std::size_t i = 0; i < nameLength; ++i) {
        WriteLe16(record + ArchiveFormat::EntryNameOffset + 2 * i, entry.name[i]);
    }
}
