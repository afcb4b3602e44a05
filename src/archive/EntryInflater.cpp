#include "archive/EntryInflater.h"

#include <zlib.h>

namespace {

// One zlib inflation stream; ended on destruction when End was not reached.
class CInflateStream {
public:
    CInflateStream() = default;
    ~CInflateStream() {
        if (m_initialised) {
            inflateEnd(&m_stream);
        }
    }
    CInflateStream(const CInflateStream&) = delete;
    CInflateStream& operator=(const CInflateStream&) = delete;

    bool Init() {
        m_initialised = inflateInit(&m_stream) == Z_OK;
        return m_initialised;
    }

    // Inflates one whole block into 'output'; the last block must end the stream.
    bool InflateBlock(std::uint8_t* input, std::uint32_t length, std::uint8_t* output, bool last,
                      std::uint32_t& produced) {
        m_stream.next_in = input;
        m_stream.avail_in = length;
        m_stream.next_out = output;
        m_stream.avail_out = ArchiveFormat::MaxBlockOutput;
        const int result = inflate(&m_stream, last ? Z_FINISH : Z_SYNC_FLUSH);
        produced = ArchiveFormat::MaxBlockOutput - m_stream.avail_out;
        return result == (last ? Z_STREAM_END : Z_OK) && m_stream.avail_in == 0;
    }

    bool End() {
        m_initialised = false;
        return inflateEnd(&m_stream) == Z_OK;
    }

private:
    z_stream m_stream{};
    bool m_initialised = false;
};

} // namespace

CEntryInflater::CEntryInflater() = default;

CEntryInflater::~CEntryInflater() = default;

bool CEntryInflater::Inflate(CArchiveFile& container, const ArchiveEntryRecord& entry,
                             const Sink& sink) {
    const std::uint64_t fileSize = entry.findData.FileSize();
    if (entry.storedSize == 0) {
        return fileSize == 0;
    }
    if (!m_input) {
        m_input = std::make_unique_for_overwrite<std::uint8_t[]>(ArchiveFormat::MaxBlockLength);
        m_output = std::make_unique_for_overwrite<std::uint8_t[]>(ArchiveFormat::MaxBlockOutput);
    }
    CInflateStream stream;
    if (!container.Seek(entry.dataOffset) || !stream.Init()) {
        return false;
    }
    std::uint64_t remaining = entry.storedSize;
    std::uint64_t count = 0;
    while (remaining != 0) {
        std::uint32_t length = 0;
        std::uint32_t produced = 0;
        if (!ReadBlock(container, remaining, length) ||
            !stream.InflateBlock(m_input.get(), length, m_output.get(), remaining == 0, produced) ||
            produced > fileSize - count || !sink(m_output.get(), produced)) {
            return false;
        }
        count += produced;
    }
    return stream.End() && count == fileSize;
}

// A block's length must fit the input buffer and the rest of the entry's stored size.
bool CEntryInflater::ReadBlock(CArchiveFile& container, std::uint64_t& remaining,
                               std::uint32_t& length) {
    std::uint8_t prefix[4];
    std::uint32_t done = 0;
    if (remaining < sizeof prefix || !container.Read(prefix, sizeof prefix, done) ||
        done != sizeof prefix) {
        return false;
    }
    length = ReadLe32(prefix);
    remaining -= sizeof prefix;
    if (length > ArchiveFormat::MaxBlockLength || length > remaining ||
        !container.Read(m_input.get(), length, done) || done != length) {
        return false;
    }
    remaining -= length;
    return true;
}
