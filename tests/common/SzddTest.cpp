// Expansion of SZDD-compressed files, over memory.
#include "common/core/MemoryByteSource.h"
#include "common/core/Szdd.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

// The header with the expanded size.
std::string Header(std::uint32_t size) {
    std::string header = "SZDD\x88\xF0\x27\x33"
                         "A"
                         "_"s;
    for (int shift = 0; shift < 32; shift += 8)
        header += static_cast<char>(size >> shift & 0xFF);
    return header;
}

struct Expansion {
    szdd::Result result;
    std::string bytes;
};

Expansion ExpandBytes(std::string data) {
    textcore::CMemoryByteSource source(std::move(data));
    Expansion expansion{};
    expansion.result = szdd::Expand(source, [&](const void* bytes, size_t size) {
        expansion.bytes.append(static_cast<const char*>(bytes), size);
        return true;
    });
    return expansion;
}

// What mscompress makes of "abcabcabcabcabc hello hello hello\r\n".
const std::string Compressed = "SZDD\x88\xF0\x27\x33\x41\x00\x23\x00\x00\x00\xF7"
                               "abc\xF0\xF9 hel\x1B\x6C"
                               "o\xFF\xF9\r\n"s;

TEST(Szdd, ExpandsWhatTheCompressorMade) {
    const Expansion expansion = ExpandBytes(Compressed);
    EXPECT_EQ(expansion.result, szdd::Result::Expanded);
    EXPECT_EQ(expansion.bytes, "abcabcabcabcabc hello hello hello\r\n");
}

TEST(Szdd, LiteralsOnly) {
    const Expansion expansion = ExpandBytes(Header(3) + "\x07"
                                                        "xyz");
    EXPECT_EQ(expansion.result, szdd::Result::Expanded);
    EXPECT_EQ(expansion.bytes, "xyz");
}

TEST(Szdd, TheWindowStartsFilledWithBlanks) {
    // A reference to position 0, 5 bytes long, before anything was written.
    const Expansion expansion = ExpandBytes(Header(6) + "\x02\x00\x02"
                                                        "!"s);
    EXPECT_EQ(expansion.result, szdd::Result::Expanded);
    EXPECT_EQ(expansion.bytes, "     !");
}

TEST(Szdd, AReferenceMayOverlapWhatItWrites) {
    // "a" at 4080, then 18 bytes from 4080: the byte repeats.
    const Expansion expansion = ExpandBytes(Header(19) + "\x01"
                                                         "a\xF0\xFF"s);
    EXPECT_EQ(expansion.result, szdd::Result::Expanded);
    EXPECT_EQ(expansion.bytes, std::string(19, 'a'));
}

TEST(Szdd, TheWindowWrapsAround) {
    // 5,000 literal bytes take the write position past the window's end twice over; a
    // reference to position 0 then finds the bytes written there last (from the 4,113th on).
    std::string data = Header(5003);
    std::string expected;
    for (int i = 0; i < 5000; ++i) {
        if (i % 8 == 0)
            data += '\xFF';
        const char byte = static_cast<char>('A' + i % 26);
        data += byte;
        expected += byte;
    }
    data += "\x00\x00\x00"s;
    expected += expected.substr(4112, 3);
    const Expansion expansion = ExpandBytes(data);
    EXPECT_EQ(expansion.result, szdd::Result::Expanded);
    EXPECT_EQ(expansion.bytes, expected);
}

TEST(Szdd, WritesExactlyTheDeclaredSize) {
    const Expansion expansion = ExpandBytes(Header(2) + "\x07"
                                                        "xyz");
    EXPECT_EQ(expansion.result, szdd::Result::Expanded);
    EXPECT_EQ(expansion.bytes, "xy");
    EXPECT_EQ(ExpandBytes(Header(0)).result, szdd::Result::Expanded);
}

TEST(Szdd, DataThatEndsEarlyIsTruncated) {
    EXPECT_EQ(ExpandBytes(Header(4) + "\x07"
                                      "xyz")
                  .result,
              szdd::Result::Truncated);
    EXPECT_EQ(ExpandBytes(Header(1)).result, szdd::Result::Truncated);
    // A reference cut after its first byte.
    EXPECT_EQ(ExpandBytes(Header(5) + "\x00\x00"s).result, szdd::Result::Truncated);
}

TEST(Szdd, OtherDataIsNotSzdd) {
    for (const std::string& data : {""s, "plain text"s, Header(3).substr(0, 13),
                                    "SZDD\x88\xF0\x27\x33"
                                    "B_\x03\x00\x00\x00"s}) {
        const Expansion expansion = ExpandBytes(data);
        EXPECT_EQ(expansion.result, szdd::Result::NotSzdd) << testing::PrintToString(data);
        EXPECT_TRUE(expansion.bytes.empty());
    }
}

TEST(Szdd, ARefusingSinkFailsTheExpansion) {
    textcore::CMemoryByteSource source(Compressed);
    EXPECT_EQ(szdd::Expand(source, [](const void*, size_t) { return false; }),
              szdd::Result::WriteFailed);
}

TEST(Szdd, LargeOutputGoesOutInBlocks) {
    // One literal, then references of 18 bytes each: over 256 KB from a few bytes.
    const std::uint32_t size = 300000;
    const std::string reference = "\xF0\xFF";
    std::string data = Header(size) + "\x01"
                                      "z";
    for (int i = 0; i < 7; ++i)
        data += reference;
    for (std::uint32_t written = 1 + 7 * 18; written < size; written += 8 * 18) {
        data += '\0';
        for (int i = 0; i < 8; ++i)
            data += reference;
    }
    textcore::CMemoryByteSource source(data);
    size_t total = 0;
    size_t calls = 0;
    bool allZ = true;
    const szdd::Result result = szdd::Expand(source, [&](const void* bytes, size_t n) {
        const std::string block(static_cast<const char*>(bytes), n);
        allZ = allZ && block.find_first_not_of('z') == std::string::npos;
        total += n;
        ++calls;
        return true;
    });
    EXPECT_EQ(result, szdd::Result::Expanded);
    EXPECT_EQ(total, size);
    EXPECT_TRUE(allZ);
    EXPECT_GT(calls, 1u);
}

} // namespace
