#include "ContainerBuilder.h"

#include <stdexcept>
#include <zlib.h>

namespace {

// Deflates 'input' through 'stream' with 'flush' into 'out'.
void Deflate(z_stream& stream, std::span<const std::uint8_t> input, int flush, Bytes& out) {
    stream.next_in = const_cast<std::uint8_t*>(input.data());
    stream.avail_in = static_cast<uInt>(input.size());
    std::uint8_t buffer[65536];
    do {
        stream.next_out = buffer;
        stream.avail_out = sizeof buffer;
        if (deflate(&stream, flush) == Z_STREAM_ERROR) {
            throw std::runtime_error("deflate failed");
        }
        out.insert(out.end(), buffer, buffer + (sizeof buffer - stream.avail_out));
    } while (stream.avail_out == 0 || stream.avail_in != 0);
}

// A zlib stream (or a raw deflate stream for negative window bits), ended on destruction.
struct Deflater {
    explicit Deflater(int windowBits = 15) {
        if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, windowBits, 8,
                         Z_DEFAULT_STRATEGY) != Z_OK) {
            throw std::runtime_error("deflateInit2 failed");
        }
    }
    ~Deflater() { deflateEnd(&stream); }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;
    z_stream stream{};
};

void Append(Bytes& out, std::span<const std::uint8_t> bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
}

void AppendLe(Bytes& out, std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

// zlib's trailer is big-endian.
void AppendBe32(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

} // namespace

Bytes FixtureContainer::Build() const {
    Bytes image(ArchiveFormat::HeaderSize);
    Bytes directory;
    for (const FixtureEntry& fixture : entries) {
        ArchiveEntryRecord record;
        record.findData.attributes = fixture.attributes;
        record.findData.times = fixture.times;
        record.findData.fileSizeHigh = static_cast<std::uint32_t>(fixture.fileSize >> 32);
        record.findData.fileSizeLow = static_cast<std::uint32_t>(fixture.fileSize);
        record.storedSize = fixture.storedSize.value_or(fixture.data.size());
        record.dataOffset = fixture.dataOffset.value_or(image.size());
        record.name = fixture.name;
        AppendArchiveEntry(directory, record);
        Append(image, fixture.data);
    }
    ArchiveHeader h = header;
    h.directoryOffset = directoryOffset.value_or(image.size());
    h.directorySize = directorySize.value_or(static_cast<std::uint32_t>(directory.size()));
    Append(image, directory);
    const auto headerImage = SerializeArchiveHeader(h);
    std::copy(headerImage.begin(), headerImage.end(), image.begin());
    return image;
}

Bytes Pattern(std::size_t size, std::uint32_t seed) {
    Bytes bytes(size);
    std::uint32_t state = seed * 2654435761u + 1;
    for (auto& byte : bytes) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>(state >> 24);
    }
    return bytes;
}

Bytes Text(std::size_t size) {
    static constexpr std::string_view words[] = {"restore ", "system ",  "file ",  "driver\r\n",
                                                 "the ",     "archive ", "entry ", "Windows "};
    Bytes bytes;
    for (std::size_t i = 0; bytes.size() < size; ++i) {
        const std::string_view word = words[(i * 7 + i / 5) % 8];
        bytes.insert(bytes.end(), word.begin(), word.end());
    }
    bytes.resize(size);
    return bytes;
}

Bytes Frame(const std::vector<Bytes>& payloads) {
    Bytes framed;
    for (const Bytes& payload : payloads) {
        AppendLe(framed, payload.size(), 4);
        Append(framed, payload);
    }
    return framed;
}

std::vector<Bytes> DeflateBlocks(std::span<const std::uint8_t> data, std::size_t chunk) {
    Deflater deflater;
    std::vector<Bytes> blocks;
    std::size_t offset = 0;
    do {
        const std::size_t size = std::min(chunk, data.size() - offset);
        offset += size;
        Deflate(deflater.stream, data.subspan(offset - size, size),
                offset == data.size() ? Z_FINISH : Z_SYNC_FLUSH, blocks.emplace_back());
    } while (offset < data.size());
    return blocks;
}

Bytes ZlibStream(std::span<const std::uint8_t> data) {
    Deflater deflater;
    Bytes out;
    Deflate(deflater.stream, data, Z_FINISH, out);
    return out;
}

Bytes UnendedZlibStream(std::span<const std::uint8_t> data) {
    Deflater deflater;
    Bytes out;
    Deflate(deflater.stream, data, Z_SYNC_FLUSH, out);
    return out;
}

Bytes StoredZlibStream(std::span<const std::uint8_t> data, std::size_t blocks) {
    Bytes out{0x78, 0x01};
    std::size_t offset = 0;
    for (std::size_t i = 0; i < blocks; ++i) {
        const std::size_t size = (data.size() - offset) / (blocks - i);
        out.push_back(i + 1 == blocks ? 1 : 0); // final bit, stored type, padding
        AppendLe(out, size, 2);
        AppendLe(out, ~size & 0xFFFF, 2);
        Append(out, data.subspan(offset, size));
        offset += size;
    }
    AppendBe32(out,
               static_cast<std::uint32_t>(adler32(1, data.data(), static_cast<uInt>(data.size()))));
    return out;
}

std::vector<Bytes> ZeroStreamBlocks(std::uint64_t size) {
    // A raw segment made from an empty history and ending in a full flush stands anywhere in a
    // stream, so one segment of 1 MiB of zeros serves for every full block.
    const Bytes zeros(ArchiveFormat::MaxBlockOutput);
    Bytes segment;
    {
        Deflater raw(-15);
        Deflate(raw.stream, zeros, Z_FULL_FLUSH, segment);
    }
    const std::uint64_t fullBlocks = (size - 1) / ArchiveFormat::MaxBlockOutput;
    const std::size_t rest =
        static_cast<std::size_t>(size - fullBlocks * ArchiveFormat::MaxBlockOutput);
    Bytes last;
    {
        Deflater raw(-15);
        Deflate(raw.stream, std::span(zeros).first(rest), Z_FINISH, last);
    }
    // The Adler-32 of n zero bytes: the byte sum stays 1, the running sum is n.
    AppendBe32(last, static_cast<std::uint32_t>(size % 65521) << 16 | 1);
    std::vector<Bytes> blocks(fullBlocks, segment);
    blocks.push_back(std::move(last));
    Bytes& first = blocks.front();
    first.insert(first.begin(), {0x78, 0xDA});
    return blocks;
}

FixtureEntry EntryOf(std::u16string name, std::span<const std::uint8_t> content) {
    FixtureEntry entry;
    entry.name = std::move(name);
    entry.fileSize = content.size();
    if (!content.empty()) {
        entry.data = Frame(DeflateBlocks(content));
    }
    return entry;
}
