#pragma once

#include "archive/ArchiveFormat.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Builds container images byte by byte, sound or damaged, for the reader's tests.

using Bytes = std::vector<std::uint8_t>;

// A FILETIME with a fraction of a second, so that tests see whether 100 ns units survive.
inline constexpr std::uint64_t SampleWriteTime = 126444736001234567; // 2001-09-09T01:46:40Z + .123
inline constexpr std::uint64_t SampleCreationTime = 125000000000000000;
inline constexpr std::uint64_t SampleAccessTime = 126444736009000000;

struct FixtureEntry {
    std::u16string name;
    std::uint32_t attributes = ArchiveAttributes::Archive;
    ArchiveFileTimes times{SampleCreationTime, SampleAccessTime, SampleWriteTime};
    std::uint64_t fileSize = 0;
    Bytes data;                              // framed: each block with its length prefix
    std::optional<std::uint64_t> storedSize; // default: the size of 'data'
    std::optional<std::uint64_t> dataOffset; // default: where 'data' is placed
};

struct FixtureContainer {
    ArchiveHeader header; // directory offset and size are filled in unless given below
    std::vector<FixtureEntry> entries;
    std::optional<std::uint64_t> directoryOffset;
    std::optional<std::uint32_t> directorySize;

    Bytes Build() const;
};

Bytes Pattern(std::size_t size, std::uint32_t seed = 1); // varied, hardly compressible bytes
Bytes Text(std::size_t size);                            // compressible text

// Block payloads to framed data: each payload after its 4-byte length.
Bytes Frame(const std::vector<Bytes>& payloads);

// One zlib stream over 'data', one block per 'chunk' bytes of input: each block flushed, the
// last one ending the stream.
std::vector<Bytes> DeflateBlocks(std::span<const std::uint8_t> data,
                                 std::size_t chunk = ArchiveFormat::MaxBlockOutput);
// One complete zlib stream over 'data'.
Bytes ZlibStream(std::span<const std::uint8_t> data);
// A zlib stream over 'data' that is flushed but never ended.
Bytes UnendedZlibStream(std::span<const std::uint8_t> data);
// A zlib stream of 'data' in 'blocks' stored (uncompressed) deflate blocks: exactly
// 6 + 5 * blocks + data.size() bytes.
Bytes StoredZlibStream(std::span<const std::uint8_t> data, std::size_t blocks);
// The blocks of one zlib stream of 'size' zero bytes, each block inflating to 1 MiB or less:
// cheap to build for sizes beyond 4 GiB.
std::vector<Bytes> ZeroStreamBlocks(std::uint64_t size);

// A sound entry holding 'content'.
FixtureEntry EntryOf(std::u16string name, std::span<const std::uint8_t> content);
