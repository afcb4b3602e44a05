// The portable rules underneath the readers: reading in pieces, failing reads, the fixed code
// page, path resolution and the bytes of a written line.
#include "common/core/IniRules.h"
#include "common/core/MemoryByteSource.h"
#include "common/core/TextReader.h"
#include "common/core/UnicodeLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

using namespace std::string_literals;
using namespace textcore;

// Delivers at most `piece` bytes per read, then fails for good after `limit` bytes.
class CPiecewiseSource : public IByteSource {
public:
    CPiecewiseSource(std::string bytes, size_t piece, size_t limit = std::string::npos)
        : m_bytes(std::move(bytes)), m_nPiece(piece), m_nLimit(std::min(limit, m_bytes.size())) {}

    size_t Read(void* buffer, size_t size) override {
        const size_t count = std::min({size, m_nPiece, m_nLimit - m_nPos});
        std::memcpy(buffer, m_bytes.data() + m_nPos, count);
        m_nPos += count;
        return count;
    }
    bool SeekToStart() override {
        m_nPos = 0;
        return true;
    }

private:
    std::string m_bytes;
    size_t m_nPiece;
    size_t m_nLimit;
    size_t m_nPos = 0;
};

std::vector<std::u16string> ReadAll(ILineSource& lines) {
    std::vector<std::u16string> result{lines.ReadLine()};
    while (!lines.IsEnd())
        result.push_back(lines.ReadLine());
    return result;
}

TEST(CoreReaderTest, PiecesOfAnySizeGiveTheSameLines) {
    std::string unicode = "\xFF\xFE"s;
    for (char16_t unit : std::u16string(u"first\r\n\u20ACsecond\rX\r\n"))
        unicode += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    const std::string ansi = "first\r\n\x80second\rX\r\n"s;
    const std::vector<std::u16string> expected{u"first", u"\u20ACsecond", u"", u""};
    for (const std::string& bytes : {unicode, ansi}) {
        for (size_t piece : {1, 2, 3, 4096}) {
            CPiecewiseSource source(bytes, piece);
            CTextReader reader(DecodeWindows1252);
            reader.Open(&source);
            EXPECT_EQ(ReadAll(reader), expected) << "piece " << piece;
        }
    }
}

TEST(CoreReaderTest, FailingReadEndsTheLineAndSetsTheEndFlag) {
    CPiecewiseSource source("one\r\ntwo three\r\nfour\r\n", 2, 9);
    CTextReader reader(DecodeWindows1252);
    reader.Open(&source);
    EXPECT_EQ(ReadAll(reader), (std::vector<std::u16string>{u"one", u"two "}));
    EXPECT_EQ(reader.ReadLine(), u"");
    EXPECT_TRUE(reader.IsEnd());
}

TEST(CoreReaderTest, Windows1252MapsItsHighControlsAndKeepsOtherBytes) {
    EXPECT_EQ(DecodeWindows1252("\x80\x81\x9F\xA0\xE9\xFF\x01"s),
              u"\u20AC\u0081\u0178\u00A0\u00E9\u00FF\u0001");
}

TEST(CoreReaderTest, NamesWithoutDriveFormAreRelativeToTheCurrentDirectory) {
    EXPECT_EQ(ResolveProfilePath(u"Install.ini", u"C:\\src\\"), u"C:\\src\\Install.ini");
    EXPECT_EQ(ResolveProfilePath(u"I386\\a.dta", u"C:\\"), u"C:\\I386\\a.dta");
    EXPECT_EQ(ResolveProfilePath(u"D:\\Master.log", u"C:\\src\\"), u"D:\\Master.log");
    EXPECT_EQ(ResolveProfilePath(u"\\\\?\\D:\\x.ini", u"C:\\"), u"\\\\?\\D:\\x.ini");
    EXPECT_EQ(ResolveProfilePath(u"D:x.ini", u"C:\\"), u"C:\\D:x.ini");
}

TEST(CoreReaderTest, WrittenLineIsLittleEndianUnitsAndABreakWithoutMark) {
    EXPECT_EQ(EncodeUnicodeLine(u"R\u20AC"), "R\0\xAC\x20\r\0\n\0"s);
    EXPECT_EQ(EncodeUnicodeLine(u""), "\r\0\n\0"s);
}

} // namespace
