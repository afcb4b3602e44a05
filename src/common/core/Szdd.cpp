#include "common/core/Szdd.h"

#include <array>
#include <cstring>
#include <vector>

namespace szdd {

namespace {

constexpr unsigned char Signature[] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33, 'A'};
constexpr std::size_t WindowSize = 4096;
constexpr std::size_t FirstWritePosition = WindowSize - 16;
constexpr std::size_t BlockSize = 64 * 1024;

// The source read a block at a time.
class CInput {
public:
    explicit CInput(textcore::IByteSource& source) : m_source(source), m_block(BlockSize) {}

    // False at the end of the data.
    bool Next(unsigned char& byte) {
        if (m_at == m_size) {
            m_size = m_source.Read(m_block.data(), m_block.size());
            m_at = 0;
            if (m_size == 0)
                return false;
        }
        byte = m_block[m_at++];
        return true;
    }

private:
    textcore::IByteSource& m_source;
    std::vector<unsigned char> m_block;
    std::size_t m_size = 0;
    std::size_t m_at = 0;
};

// The expanded bytes, collected into blocks for the sink.
class COutput {
public:
    explicit COutput(const ByteSink& sink, std::uint32_t size) : m_sink(sink), m_left(size) {
        m_block.reserve(BlockSize);
    }

    bool IsComplete() const { return m_left == 0; }
    bool Put(unsigned char byte) {
        m_block.push_back(byte);
        --m_left;
        return m_block.size() < BlockSize || Flush();
    }
    bool Flush() {
        const bool written = m_block.empty() || m_sink(m_block.data(), m_block.size());
        m_block.clear();
        return written;
    }

private:
    const ByteSink& m_sink;
    std::vector<unsigned char> m_block;
    std::uint32_t m_left;
};

} // namespace

bool IsSzddHeader(const void* data, std::size_t size) {
    return size >= HeaderSize && std::memcmp(data, Signature, sizeof Signature) == 0;
}

Result Expand(textcore::IByteSource& source, const ByteSink& sink) {
    std::array<unsigned char, HeaderSize> header{};
    std::size_t got = 0;
    while (got < header.size()) {
        const std::size_t read = source.Read(header.data() + got, header.size() - got);
        if (read == 0)
            break;
        got += read;
    }
    if (!IsSzddHeader(header.data(), got))
        return Result::NotSzdd;
    const std::uint32_t size = header[10] | header[11] << 8 | header[12] << 16 |
                               static_cast<std::uint32_t>(header[13]) << 24;

    std::array<unsigned char, WindowSize> window;
    window.fill(' ');
    std::size_t position = FirstWritePosition;
    CInput input(source);
    COutput output(sink, size);
    auto emit = [&](unsigned char byte) {
        window[position] = byte;
        position = (position + 1) % WindowSize;
        return output.Put(byte);
    };

    while (!output.IsComplete()) {
        unsigned char control = 0;
        if (!input.Next(control))
            return Result::Truncated;
        for (int bit = 0; bit < 8 && !output.IsComplete(); ++bit) {
            unsigned char first = 0;
            if (!input.Next(first))
                return Result::Truncated;
            if (control & (1 << bit)) {
                if (!emit(first))
                    return Result::WriteFailed;
                continue;
            }
            unsigned char second = 0;
            if (!input.Next(second))
                return Result::Truncated;
            std::size_t from = first | (second & 0xF0) << 4;
            const int length = (second & 0x0F) + 3;
            for (int i = 0; i < length && !output.IsComplete(); ++i) {
                if (!emit(window[from]))
                    return Result::WriteFailed;
                from = (from + 1) % WindowSize;
            }
        }
    }
    return output.Flush() ? Result::Expanded : Result::WriteFailed;
}

} // namespace szdd
