#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Reproducible data that compresses like a system disk's files: text (INI files, logs,
// documentation) and binaries (code, tables, padding, compressed resources).
class CBenchData {
public:
    enum class Kind { Text, Binary, Mixed };

    explicit CBenchData(std::uint32_t seed) : m_state(seed * 2654435761u + 1) {}

    // The next 'size' bytes of this kind; Mixed alternates text and binary stretches.
    void Fill(std::uint8_t* buffer, std::size_t size, Kind kind);
    std::uint32_t Next();

private:
    void FillText(std::uint8_t* buffer, std::size_t size);
    void FillBinary(std::uint8_t* buffer, std::size_t size);

    std::uint32_t m_state;
    std::size_t m_mixedOffset = 0;
};
