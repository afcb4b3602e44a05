// Walking the directory: what each entry shows, and damaged records.
#include "FixtureFiles.h"
#include "support/TempDir.h"

#include "archive/ArchiveError.h"
#include "archive/ArchiveReader.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

class ArchiveEntries : public ::testing::Test {
protected:
    void Open(const FixtureContainer& container) {
        WriteBytes(m_path, container.Build());
        ASSERT_TRUE(m_reader.Open(ArchiveTextOf(m_path)));
    }

    static FixtureContainer ThreeEntries() {
        FixtureContainer container;
        container.entries.push_back(EntryOf(u"FIRST.TXT", Text(10)));
        container.entries.push_back(EntryOf(u"dir\\SECOND.DLL", Pattern(3000)));
        container.entries.push_back(EntryOf(u"THIRD", {}));
        container.entries[1].attributes = ArchiveAttributes::ReadOnly | ArchiveAttributes::Hidden;
        container.entries[1].times.lastWrite =
            ArchiveFormat::FileTimeUnixEpoch + 10000000 * 1000000000LL + 9999999;
        return container;
    }

    void ExpectCorruptAt(std::size_t goodEntries) {
        for (std::size_t i = 0; i < goodEntries; ++i) {
            ASSERT_TRUE(m_reader.ReadEntry(true));
        }
        EXPECT_FALSE(m_reader.ReadEntry(false));
        EXPECT_EQ(GetArchiveLastError(), ArchiveError::FileCorrupt);
        EXPECT_FALSE(m_reader.ExtractEntry(ArchiveTextOf(m_dir / "out")));
        EXPECT_EQ(GetArchiveLastError(), ArchiveError::FileCorrupt);
        EXPECT_FALSE(m_reader.TestEntry());
        EXPECT_EQ(GetArchiveLastError(), ArchiveError::FileCorrupt);
        EXPECT_FALSE(fs::exists(m_dir / "out"));
    }

    TempDir m_dir;
    fs::path m_path = m_dir / "test.inp";
    CArchiveReader m_reader;
};

TEST_F(ArchiveEntries, ReadWithoutAdvanceShowsTheSameEntryUntilAdvanced) {
    const FixtureContainer container = ThreeEntries();
    Open(container);
    ASSERT_TRUE(m_reader.ReadEntry(false));
    ASSERT_TRUE(m_reader.ReadEntry(false));
    EXPECT_EQ(m_reader.GetFileName(), u"FIRST.TXT");
    ASSERT_TRUE(m_reader.ReadEntry(true));
    EXPECT_EQ(m_reader.GetFileName(), u"FIRST.TXT");
    ASSERT_TRUE(m_reader.ReadEntry(true));
    EXPECT_EQ(m_reader.GetFileName(), u"dir\\SECOND.DLL");
    EXPECT_EQ(m_reader.GetAttributes(), ArchiveAttributes::ReadOnly | ArchiveAttributes::Hidden);
    EXPECT_EQ(m_reader.GetFileSize(), 3000u);
    EXPECT_EQ(m_reader.GetStoredSize(), container.entries[1].data.size());
    EXPECT_EQ(m_reader.GetLastWriteTime(), 1000000000);
    EXPECT_EQ(m_reader.GetFileTimes().creation, SampleCreationTime);
    ASSERT_TRUE(m_reader.ReadEntry(true));
    EXPECT_EQ(m_reader.GetFileName(), u"THIRD");
    EXPECT_EQ(m_reader.GetStoredSize(), 0u);
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(m_reader.ReadEntry(true));
        EXPECT_EQ(GetArchiveLastError(), ArchiveError::NoMoreItems);
    }
    EXPECT_EQ(m_reader.GetFileName(), u"THIRD"); // a failed step keeps the current entry
}

TEST_F(ArchiveEntries, TimesBefore1970RoundDown) {
    FixtureContainer container;
    container.entries.push_back(EntryOf(u"OLD", {}));
    container.entries[0].times.lastWrite = ArchiveFormat::FileTimeUnixEpoch - 5;
    Open(container);
    ASSERT_TRUE(m_reader.ReadEntry(false));
    EXPECT_EQ(m_reader.GetLastWriteTime(), -1);
}

TEST_F(ArchiveEntries, NameEndsAtItsFirstZeroUnit) {
    FixtureContainer container;
    container.entries.push_back(EntryOf(u"AB\0CD"s, Text(5)));
    container.entries.push_back(EntryOf(u"NEXT", Text(5)));
    Open(container);
    ASSERT_TRUE(m_reader.ReadEntry(true));
    EXPECT_EQ(m_reader.GetFileName(), u"AB");
    ASSERT_TRUE(m_reader.ReadEntry(true));
    EXPECT_EQ(m_reader.GetFileName(), u"NEXT");
}

TEST_F(ArchiveEntries, RecordRunningPastTheDirectoryIsCorrupt) {
    FixtureContainer container = ThreeEntries();
    const Bytes image = container.Build();
    const std::uint32_t directorySize = ReadLe32(image.data() + 32);
    for (std::uint32_t cut : {1u, 10u, 63u}) { // into the name, into the fixed part
        container.directorySize = directorySize - cut;
        WriteBytes(m_path, container.Build());
        CArchiveReader reader;
        ASSERT_TRUE(reader.Open(ArchiveTextOf(m_path)));
        ASSERT_TRUE(reader.ReadEntry(true));
        ASSERT_TRUE(reader.ReadEntry(true));
        EXPECT_FALSE(reader.ReadEntry(false));
        EXPECT_EQ(GetArchiveLastError(), ArchiveError::FileCorrupt) << cut;
    }
}

TEST_F(ArchiveEntries, RecordWithoutTerminatorIsCorrupt) {
    FixtureContainer container = ThreeEntries();
    Bytes image = container.Build();
    const std::size_t second = ReadLe64(image.data() + 24) + 64 + 2 * 9; // after FIRST.TXT
    image[second + 58 + 2 * 14] = 'X'; // the terminator of dir\SECOND.DLL
    WriteBytes(m_path, image);
    ASSERT_TRUE(m_reader.Open(ArchiveTextOf(m_path)));
    ExpectCorruptAt(1);
}

TEST_F(ArchiveEntries, NameLengthBeyondTheDirectoryIsCorrupt) {
    FixtureContainer container = ThreeEntries();
    Bytes image = container.Build();
    const std::size_t directory = ReadLe64(image.data() + 24);
    image[directory + 56] = 0xFF; // name length 65535
    image[directory + 57] = 0xFF;
    WriteBytes(m_path, image);
    ASSERT_TRUE(m_reader.Open(ArchiveTextOf(m_path)));
    ExpectCorruptAt(0);
}

} // namespace
