#include "archive/ArchiveReader.h"

#include "archive/ArchiveError.h"
#include "archive/ArchiveFile.h"
#include "archive/ArchiveNames.h"
#include "archive/EntryInflater.h"
#include "archive/StagedFile.h"

#include <array>
#include <vector>

namespace {

// Destination plus entry name; longer targets are refused before anything is created.
constexpr std::size_t MaxTargetLength = 1024;

// Creates every missing directory on the way to 'directory'. Failures are left to show when the
// file is created there.
void CreateMissingDirectories(std::u16string_view directory) {
    if (directory.empty() || ArchivePathExists(directory)) {
        return;
    }
    for (std::size_t end = 1; end <= directory.size(); ++end) {
        if (end < directory.size() && !IsPathSeparator(directory[end])) {
            continue;
        }
        const std::u16string_view prefix = directory.substr(0, end);
        if (!IsPathSeparator(prefix.back()) && !ArchivePathExists(prefix)) {
            ArchiveCreateDirectory(prefix);
        }
    }
}

} // namespace

// The state of one open container, from Open to Close.
struct CArchiveReader::Container {
    CArchiveFile file;
    std::vector<std::uint8_t> directory;
    std::size_t cursor = 0;                            // the current entry's place in the directory
    std::uint64_t dataEnd = ArchiveFormat::HeaderSize; // where Close writes the directory
    ArchiveHeader header;
    bool writeBack = false; // a container that was created or read: Close writes it back
    CEntryInflater inflater;

    bool Load(bool writable);
    bool WriteBack();
};

// Reads the header and the directory of an existing file. A file that is no container of a
// readable version opens without entries, and is never written.
bool CArchiveReader::Container::Load(bool writable) {
    std::uint64_t size = 0;
    if (!file.GetSize(size)) {
        return false;
    }
    if (size < ArchiveFormat::HeaderSize) {
        return true;
    }
    std::array<std::uint8_t, ArchiveFormat::HeaderSize> image;
    std::uint32_t done = 0;
    if (!file.Seek(0) || !file.Read(image.data(), image.size(), done) || done != image.size()) {
        return FailWithArchiveError(ArchiveError::BadFormat);
    }
    header = ParseArchiveHeader(image);
    if (!header.IsReadable()) {
        return true;
    }
    writeBack = writable;
    if (header.directorySize == 0) {
        return true;
    }
    // Checked before the buffer is sized by it: the header may be damaged.
    if (header.directoryOffset > size || header.directorySize > size - header.directoryOffset) {
        return FailWithArchiveError(ArchiveError::FileCorrupt);
    }
    directory.resize(header.directorySize);
    if (!file.Seek(header.directoryOffset) ||
        !file.Read(directory.data(), header.directorySize, done) || done != header.directorySize) {
        return FailWithArchiveError(ArchiveError::FileCorrupt);
    }
    dataEnd = header.directoryOffset;
    return true;
}

bool CArchiveReader::Container::WriteBack() {
    if (header.dataStart == 0) {
        header.dataStart = ArchiveFormat::HeaderSize;
    }
    header.directoryOffset = directory.empty() ? 0 : dataEnd;
    header.directorySize = static_cast<std::uint32_t>(directory.size());
    if (!directory.empty() &&
        (!file.Seek(dataEnd) || !file.Write(directory.data(), header.directorySize))) {
        return false;
    }
    const auto image = SerializeArchiveHeader(header);
    return file.Seek(0) && file.Write(image.data(), image.size());
}

CArchiveReader::CArchiveReader() = default;

CArchiveReader::~CArchiveReader() = default;

bool CArchiveReader::Open(std::u16string_view path, OpenMode mode) {
    if (path.empty() || m_container) {
        return FailWithArchiveError(ArchiveError::InvalidParameter);
    }
    auto container = std::make_unique<Container>();
    ContainerAccess access = ContainerAccess::Created;
    if (!container->file.OpenContainer(path, access, mode == OpenMode::OpenOrCreate)) {
        return false;
    }
    if (access == ContainerAccess::Created) {
        container->writeBack = true;
    } else if (!container->Load(access == ContainerAccess::ReadWrite)) {
        return false;
    }
    m_container = std::move(container);
    return true;
}

bool CArchiveReader::ReadEntry(bool advance) {
    ArchiveEntryRecord entry;
    if (!CurrentEntry(entry)) {
        return false;
    }
    Load(entry);
    if (advance) {
        m_container->cursor += entry.RecordSize();
    }
    return true;
}

bool CArchiveReader::ExtractEntry(std::u16string_view destinationDirectory) {
    if (destinationDirectory.empty()) {
        return FailWithArchiveError(ArchiveError::InvalidParameter);
    }
    ArchiveEntryRecord entry;
    if (!CurrentEntry(entry)) {
        return false;
    }
    if (destinationDirectory.size() + entry.nameLength > MaxTargetLength) {
        return FailWithArchiveError(ArchiveError::InsufficientBuffer);
    }
    if (!IsSafeEntryName(entry.name)) {
        return FailWithArchiveError(ArchiveError::InvalidName);
    }
    const std::u16string target = JoinEntryPath(destinationDirectory, entry.name);
    CreateMissingDirectories(ParentPathOf(target));
    return ExtractCurrentTo(entry, target);
}

bool CArchiveReader::ExtractEntryAs(std::u16string_view targetFile) {
    if (targetFile.empty()) {
        return FailWithArchiveError(ArchiveError::InvalidParameter);
    }
    ArchiveEntryRecord entry;
    if (!CurrentEntry(entry)) {
        return false;
    }
    return ExtractCurrentTo(entry, std::u16string(targetFile));
}

bool CArchiveReader::ExtractCurrentTo(ArchiveEntryRecord& entry, const std::u16string& target) {
    if (!ArchiveCheckReplaceable(target) || !InflateCurrent(entry, target)) {
        return false;
    }
    LoadAndAdvance(entry);
    return true;
}

bool CArchiveReader::TestEntry() {
    ArchiveEntryRecord entry;
    if (!CurrentEntry(entry)) {
        return false;
    }
    const auto discard = [](const std::uint8_t*, std::uint32_t) { return true; };
    if (!m_container->inflater.Inflate(m_container->file, entry, discard)) {
        return FailWithArchiveError(ArchiveError::InternalError);
    }
    LoadAndAdvance(entry);
    return true;
}

bool CArchiveReader::Close() {
    if (!m_container) {
        return FailWithArchiveError(ArchiveError::InvalidParameter);
    }
    if (m_container->writeBack && !m_container->WriteBack()) {
        return false;
    }
    m_container.reset();
    return true;
}

std::time_t CArchiveReader::GetLastWriteTime() const {
    constexpr std::int64_t unitsPerSecond = 10000000;
    const auto units =
        static_cast<std::int64_t>(m_findData.times.lastWrite - ArchiveFormat::FileTimeUnixEpoch);
    const std::int64_t seconds = units / unitsPerSecond;
    return static_cast<std::time_t>(units % unitsPerSecond < 0 ? seconds - 1 : seconds);
}

bool CArchiveReader::CurrentEntry(ArchiveEntryRecord& entry) const {
    if (!m_container) {
        return FailWithArchiveError(ArchiveError::InvalidParameter);
    }
    switch (ParseArchiveEntry(m_container->directory, m_container->cursor, entry)) {
    case ArchiveEntryParse::Ok:
        return true;
    case ArchiveEntryParse::End:
        return FailWithArchiveError(ArchiveError::NoMoreItems);
    case ArchiveEntryParse::Corrupt:
        break;
    }
    return FailWithArchiveError(ArchiveError::FileCorrupt);
}

// Inflates into a staged file that replaces the target only when complete.
bool CArchiveReader::InflateCurrent(const ArchiveEntryRecord& entry, const std::u16string& target) {
    CStagedFile staged(target);
    if (!staged.Create()) {
        return false;
    }
    const auto write = [&staged](const std::uint8_t* data, std::uint32_t size) {
        return staged.File().Write(data, size);
    };
    if (!m_container->inflater.Inflate(m_container->file, entry, write)) {
        return FailWithArchiveError(ArchiveError::InternalError);
    }
    return staged.Commit(entry.findData.times, entry.findData.attributes);
}

void CArchiveReader::LoadAndAdvance(ArchiveEntryRecord& entry) {
    m_container->cursor += entry.RecordSize();
    Load(entry);
}

void CArchiveReader::Load(ArchiveEntryRecord& entry) {
    m_findData = entry.findData;
    m_name = std::move(entry.name);
    m_storedSize = entry.storedSize;
}
