#include "BenchData.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace {

constexpr std::size_t MixedStretch = 64 * 1024;

// A vocabulary in which a few words are frequent and most are rare.
const std::vector<std::string>& Vocabulary() {
    static const std::vector<std::string> words = [] {
        static constexpr std::array<std::string_view, 24> syllables = {
            "re",  "sto", "dri", "ver",  "sys", "tem", "con", "fig", "win", "dow", "file", "path",
            "set", "up",  "ins", "tall", "da",  "ta",  "reg", "ist", "ry",  "key", "val",  "ue"};
        std::vector<std::string> list;
        std::uint32_t state = 7;
        for (int i = 0; i < 600; ++i) {
            std::string word;
            for (int n = 1 + i % 3; n >= 0; --n) {
                state = state * 1664525u + 1013904223u;
                word += syllables[(state >> 16) % syllables.size()];
            }
            list.push_back(word);
        }
        return list;
    }();
    return words;
}

} // namespace

std::uint32_t CBenchData::Next() {
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return m_state;
}

void CBenchData::Fill(std::uint8_t* buffer, std::size_t size, Kind kind) {
    if (kind == Kind::Text) {
        FillText(buffer, size);
    } else if (kind == Kind::Binary) {
        FillBinary(buffer, size);
    } else {
        for (std::size_t done = 0; done < size;) {
            const std::size_t stretch =
                std::min(size - done, MixedStretch - m_mixedOffset % MixedStretch);
            const bool text = m_mixedOffset / MixedStretch % 2 == 0;
            text ? FillText(buffer + done, stretch) : FillBinary(buffer + done, stretch);
            done += stretch;
            m_mixedOffset += stretch;
        }
    }
}

// Lines of words, most of them frequent ones, as "key=value" and prose.
void CBenchData::FillText(std::uint8_t* buffer, std::size_t size) {
    const auto& words = Vocabulary();
    std::string text;
    while (text.size() < size) {
        const std::uint32_t r = Next();
        const std::size_t rank = (r & 0xFFFF) * (r >> 16 & 0xFF) / (256 * 110);
        text += words[std::min<std::size_t>(rank, words.size() - 1)];
        const std::uint32_t separator = r >> 24;
        text += separator < 20 ? "\r\n" : separator < 28 ? "=" : separator < 34 ? ", " : " ";
    }
    std::memcpy(buffer, text.data(), size);
}

// Stretches of code-like bytes, tables of rising 32-bit values, padding and noise.
void CBenchData::FillBinary(std::uint8_t* buffer, std::size_t size) {
    static constexpr std::array<std::uint8_t, 16> opcodes = {0x8B, 0x89, 0xE8, 0x48, 0x83, 0xFF,
                                                             0x0F, 0x85, 0x74, 0xC3, 0x55, 0x33,
                                                             0xC0, 0x50, 0x8D, 0x45};
    for (std::size_t done = 0; done < size;) {
        const std::uint32_t r = Next();
        const std::size_t stretch = std::min<std::size_t>(size - done, 256 + (r >> 20));
        std::uint8_t* out = buffer + done;
        switch (r & 7) {
        case 0: // padding
            std::memset(out, 0, stretch);
            break;
        case 1: // a table of addresses
            for (std::size_t i = 0, value = r & 0xFFFF00; i < stretch; ++i) {
                out[i] = static_cast<std::uint8_t>(value >> (8 * (i % 4)));
                value += i % 4 == 3 ? 4 + (Next() & 0x1F) : 0;
            }
            break;
        case 2: // compressed resources
            for (std::size_t i = 0; i < stretch; ++i) {
                out[i] = static_cast<std::uint8_t>(Next());
            }
            break;
        default: // code
            for (std::size_t i = 0; i < stretch; ++i) {
                const std::uint32_t c = Next();
                out[i] = (c & 3) != 0 ? opcodes[c >> 8 & 15] : static_cast<std::uint8_t>(c >> 16);
            }
            break;
        }
        done += stretch;
    }
}
