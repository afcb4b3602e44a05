#include "BaselineExtractor.h"

#include "archive/ArchiveFormat.h"
#include "archive/ArchiveText.h"

#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <unistd.h>
#include <vector>
#include <zlib.h>

namespace {

bool ReadAt(int fd, void* buffer, std::size_t size, std::uint64_t offset) {
    return pread(fd, buffer, size, static_cast<off_t>(offset)) == static_cast<ssize_t>(size);
}

bool ReadAll(int fd, void* buffer, std::size_t size) {
    return read(fd, buffer, size) == static_cast<ssize_t>(size);
}

std::string NativeName(const std::u16string& name) {
    std::string path = Utf16ToUtf8(name);
    for (char& c : path) {
        c = c == '\\' ? '/' : c;
    }
    return path;
}

struct Buffers {
    std::unique_ptr<std::uint8_t[]> input =
        std::make_unique_for_overwrite<std::uint8_t[]>(ArchiveFormat::MaxBlockLength);
    std::unique_ptr<std::uint8_t[]> output =
        std::make_unique_for_overwrite<std::uint8_t[]>(ArchiveFormat::MaxBlockOutput);
};

std::int64_t InflateEntry(int container, const ArchiveEntryRecord& entry, int target,
                          Buffers& buffers) {
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK ||
        lseek(container, static_cast<off_t>(entry.dataOffset), SEEK_SET) < 0) {
        return -1;
    }
    std::int64_t written = 0;
    for (std::uint64_t remaining = entry.storedSize; remaining != 0;) {
        std::uint8_t prefix[4];
        if (!ReadAll(container, prefix, 4)) {
            break;
        }
        const std::uint32_t length = ReadLe32(prefix);
        remaining -= 4 + std::uint64_t{length};
        if (!ReadAll(container, buffers.input.get(), length)) {
            break;
        }
        stream.next_in = buffers.input.get();
        stream.avail_in = length;
        stream.next_out = buffers.output.get();
        stream.avail_out = ArchiveFormat::MaxBlockOutput;
        inflate(&stream, remaining == 0 ? Z_FINISH : Z_SYNC_FLUSH);
        const std::size_t produced = ArchiveFormat::MaxBlockOutput - stream.avail_out;
        if (write(target, buffers.output.get(), produced) != static_cast<ssize_t>(produced)) {
            break;
        }
        written += static_cast<std::int64_t>(produced);
    }
    inflateEnd(&stream);
    return written;
}

} // namespace

std::int64_t BaselineExtract(const std::string& containerPath, const std::string& destination) {
    const int container = open(containerPath.c_str(), O_RDONLY);
    std::uint8_t image[ArchiveFormat::HeaderSize];
    if (container < 0 || !ReadAt(container, image, sizeof image, 0)) {
        return -1;
    }
    const ArchiveHeader header = ParseArchiveHeader(std::span(image));
    std::vector<std::uint8_t> directory(header.directorySize);
    if (!ReadAt(container, directory.data(), directory.size(), header.directoryOffset)) {
        return -1;
    }
    Buffers buffers;
    std::int64_t total = 0;
    ArchiveEntryRecord entry;
    for (std::size_t cursor = 0;
         ParseArchiveEntry(directory, cursor, entry) == ArchiveEntryParse::Ok;
         cursor += entry.RecordSize()) {
        const std::filesystem::path target =
            std::filesystem::path(destination) / NativeName(entry.name);
        std::filesystem::create_directories(target.parent_path());
        const int file = open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        const std::int64_t written = InflateEntry(container, entry, file, buffers);
        close(file);
        if (file < 0 || written < 0) {
            return -1;
        }
        total += written;
    }
    close(container);
    return total;
}
