#include "tools/ArchiveWriter.h"

#include "archive/ArchiveError.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <zlib.h>

namespace {

// One zlib deflation stream, ended on destruction.
class CDeflateStream {
public:
    explicit CDeflateStream(int level) { m_initialised = deflateInit(&m_stream, level) == Z_OK; }
    ~CDeflateStream() {
        if (m_initialised) {
            deflateEnd(&m_stream);
        }
    }
    CDeflateStream(const CDeflateStream&) = delete;
    CDeflateStream& operator=(const CDeflateStream&) = delete;

    // Deflates one chunk completely into 'output'; the last chunk ends the stream.
    bool DeflateChunk(std::uint8_t* input, std::uint32_t size, std::uint8_t* output, bool last,
                      std::uint32_t& produced) {
        if (!m_initialised) {
            return false;
        }
        m_stream.next_in = input;
        m_stream.avail_in = size;
        m_stream.next_out = output;
        m_stream.avail_out = ArchiveFormat::MaxBlockLength;
        const int result = deflate(&m_stream, last ? Z_FINISH : Z_SYNC_FLUSH);
        produced = ArchiveFormat::MaxBlockLength - m_stream.avail_out;
        // Output room left over shows that the flush completed.
        return m_stream.avail_in == 0 &&
               (last ? result == Z_STREAM_END : result == Z_OK && m_stream.avail_out != 0);
    }

private:
    z_stream m_stream{};
    bool m_initialised = false;
};

} // namespace

CArchiveWriter::CArchiveWriter(int compressionLevel) : m_level(compressionLevel) {}

CArchiveWriter::~CArchiveWriter() = default;

bool CArchiveWriter::Create(std::u16string_view path) {
    m_file = std::make_unique<CStagedFile>(std::u16string(path));
    m_directory.clear();
    if (!m_file->Create()) {
        return false;
    }
    // The header is written last, once the directory's place is known.
    const std::uint8_t placeholder[ArchiveFormat::HeaderSize] = {};
    m_position = 0;
    return Write(placeholder, sizeof placeholder);
}

bool CArchiveWriter::AddEntry(const ArchiveEntryInfo& info, std::uint64_t size,
                              const Source& source) {
    ArchiveEntryRecord entry;
    entry.name = info.name;
    entry.findData.attributes = info.attributes;
    entry.findData.times = info.times;
    entry.findData.fileSizeHigh = static_cast<std::uint32_t>(size >> 32);
    entry.findData.fileSizeLow = static_cast<std::uint32_t>(size);
    entry.nameLength = static_cast<std::uint16_t>(info.name.size());
    entry.dataOffset = m_position;
    if (info.name.empty() || info.name.size() > std::numeric_limits<std::uint16_t>::max() ||
        m_directory.size() + entry.RecordSize() > std::numeric_limits<std::uint32_t>::max()) {
        return FailWithArchiveError(ArchiveError::InvalidParameter);
    }
    if (!WriteStream(size, source, entry.storedSize)) {
        return false;
    }
    AppendArchiveEntry(m_directory, entry);
    return true;
}

bool CArchiveWriter::AddEntry(const ArchiveEntryInfo& info, std::span<const std::uint8_t> data) {
    std::size_t offset = 0;
    return AddEntry(info, data.size(), [&](std::uint8_t* buffer, std::uint32_t size) {
        std::memcpy(buffer, data.data() + offset, size);
        offset += size;
        return true;
    });
}

bool CArchiveWriter::Finish() {
    ArchiveHeader header;
    header.directoryOffset = m_directory.empty() ? 0 : m_position;
    header.directorySize = static_cast<std::uint32_t>(m_directory.size());
    const auto image = SerializeArchiveHeader(header);
    return Write(m_directory.data(), header.directorySize) && m_file->File().Seek(0) &&
           m_file->File().Write(image.data(), image.size()) && m_file->Commit();
}

// Each chunk of at most one block's output is deflated and flushed into a block of its own.
bool CArchiveWriter::WriteStream(std::uint64_t size, const Source& source,
                                 std::uint64_t& storedSize) {
    storedSize = 0;
    if (size == 0) {
        return true;
    }
    if (!m_input) {
        m_input = std::make_unique_for_overwrite<std::uint8_t[]>(ArchiveFormat::MaxBlockOutput);
        m_block = std::make_unique_for_overwrite<std::uint8_t[]>(4 + ArchiveFormat::MaxBlockLength);
    }
    CDeflateStream stream(m_level);
    for (std::uint64_t remaining = size; remaining != 0;) {
        const auto chunk = static_cast<std::uint32_t>(
            std::min<std::uint64_t>(remaining, ArchiveFormat::MaxBlockOutput));
        remaining -= chunk;
        std::uint32_t length = 0;
        if (!source(m_input.get(), chunk)) {
            return false;
        }
        if (!stream.DeflateChunk(m_input.get(), chunk, m_block.get() + 4, remaining == 0, length)) {
            return FailWithArchiveError(ArchiveError::InternalError);
        }
        WriteLe32(m_block.get(), length);
        if (!Write(m_block.get(), 4 + length)) {
            return false;
        }
        storedSize += 4 + length;
    }
    return true;
}

bool CArchiveWriter::Write(const void* data, std::uint32_t size) {
    if (!m_file->File().Write(data, size)) {
        return false;
    }
    m_position += size;
    return true;
}
