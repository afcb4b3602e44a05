#include "tools/ContainerCheck.h"

#include "archive/ArchiveError.h"
#include "archive/ArchiveFile.h"
#include "archive/ArchiveNames.h"

#include <array>

namespace {

bool HasContainerHeader(std::u16string_view path) {
    CArchiveFile file;
    std::array<std::uint8_t, ArchiveFormat::HeaderSize> image;
    std::uint32_t done = 0;
    if (!file.OpenForReading(path) || !file.Read(image.data(), image.size(), done)) {
        return false;
    }
    return (done == image.size() && ParseArchiveHeader(image).IsReadable()) ||
           FailWithArchiveError(ArchiveError::BadFormat);
}

// Inflates the current entry and checks its name; the code of the first fault, or 0.
std::uint32_t CheckEntry(CArchiveReader& reader) {
    const bool safe = IsSafeEntryName(reader.GetFileName());
    if (!reader.TestEntry()) {
        const std::uint32_t code = GetArchiveLastError();
        reader.ReadEntry(true);
        return code;
    }
    return safe ? ArchiveError::Success : ArchiveError::InvalidName;
}

} // namespace

bool OpenExistingContainer(CArchiveReader& reader, std::u16string_view path) {
    return HasContainerHeader(path) && reader.Open(path);
}

ContainerVerdict VerifyContainer(std::u16string_view path) {
    ContainerVerdict verdict;
    CArchiveReader reader;
    verdict.opened = OpenExistingContainer(reader, path);
    if (!verdict.opened) {
        verdict.openCode = GetArchiveLastError();
        return verdict;
    }
    while (reader.ReadEntry(false)) {
        ++verdict.entries;
        const std::u16string name = reader.GetFileName();
        if (const std::uint32_t code = CheckEntry(reader); code != ArchiveError::Success)
            verdict.faults.push_back({name, code});
    }
    const std::uint32_t end = GetArchiveLastError();
    verdict.directoryCode = end == ArchiveError::NoMoreItems ? ArchiveError::Success : end;
    return verdict;
}
