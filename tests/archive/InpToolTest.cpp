// The container tool: containers it creates read back through the reader entry for entry, and
// its commands' output and exit status.
#include "FixtureFiles.h"
#include "support/TempDir.h"

#include "archive/ArchiveReader.h"
#include "tools/InpTool.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

class InpTool : public ::testing::Test {
protected:
    int Run(std::vector<std::u16string> args) {
        m_out.str({});
        m_err.str({});
        return RunInpTool(args, m_out, m_err);
    }

    std::u16string Container() const { return ArchiveTextOf(m_container); }

    void WriteContainer(std::vector<FixtureEntry> entries) {
        FixtureContainer container;
        container.entries = std::move(entries);
        WriteBytes(m_container, container.Build());
    }

    TempDir m_dir;
    fs::path m_container = m_dir / "test.inp";
    std::ostringstream m_out;
    std::ostringstream m_err;
};

struct SourceFile {
    std::u16string name;
    fs::path relative;
    Bytes content;
    bool readOnly = false;
};

TEST_F(InpTool, CreatedContainerReadsBackEntryForEntry) {
    // In the order the container keeps: sorted by name.
    const std::vector<SourceFile> files = {
        {u"Gr\u00fc\u00dfe.txt", fs::path(u8"Gr\u00fc\u00dfe.txt"), Text(300)},
        {u"a.txt", "a.txt", Text(100)},
        {u"ro.txt", "ro.txt", Pattern(64), true},
        {u"sub\\deeper\\big.bin", fs::path("sub") / "deeper" / "big.bin",
         Pattern(5 * ArchiveFormat::MaxBlockOutput / 2)},
        {u"sub\\empty.dat", fs::path("sub") / "empty.dat", {}},
    };
    const fs::path source = m_dir / "source";
    std::uint64_t time = SampleWriteTime;
    for (const SourceFile& file : files) {
        fs::create_directories((source / file.relative).parent_path());
        WriteBytes(source / file.relative, file.content);
        SetLastWriteTime(source / file.relative, time += 1234567891);
        SetReadOnly(source / file.relative, file.readOnly);
    }
    ASSERT_EQ(Run({u"create", Container(), ArchiveTextOf(source)}), 0) << m_err.str();

    CArchiveReader reader;
    ASSERT_TRUE(reader.Open(Container()));
    const fs::path out = m_dir / "out";
    for (const SourceFile& file : files) {
        const FileFacts facts = ProbeFile(source / file.relative);
        ASSERT_TRUE(reader.ExtractEntry(ArchiveTextOf(out)));
        EXPECT_EQ(reader.GetFileName(), file.name);
        EXPECT_EQ(reader.GetFileSize(), file.content.size());
        EXPECT_EQ(reader.GetFileTimes().lastWrite, facts.lastWrite);
        EXPECT_EQ((reader.GetAttributes() & ArchiveAttributes::ReadOnly) != 0, file.readOnly);
#ifdef _WIN32
        EXPECT_EQ(reader.GetAttributes(), facts.attributes);
#endif
        EXPECT_EQ(ReadBytes(out / file.relative), file.content);
        EXPECT_EQ(ProbeFile(out / file.relative).lastWrite, facts.lastWrite);
        EXPECT_EQ(ProbeFile(out / file.relative).readOnly, file.readOnly);
    }
    EXPECT_FALSE(reader.ReadEntry(false));
}

TEST_F(InpTool, CreateFromAMissingDirectoryLeavesNoContainer) {
    EXPECT_NE(Run({u"create", Container(), ArchiveTextOf(m_dir / "missing")}), 0);
    EXPECT_FALSE(fs::exists(m_container));
}

#ifndef _WIN32
TEST_F(InpTool, CreateRefusesNamesThatCouldNotBeExtracted) {
    for (const char* name : {"aux.txt", "a:b", "trailing.", "back\\slash"}) {
        TempDir source;
        WriteBytes(source / name, Text(3));
        EXPECT_NE(Run({u"create", Container(), ArchiveTextOf(source.Path())}), 0) << name;
        EXPECT_NE(m_err.str().find("ERROR_INVALID_NAME"), std::string::npos) << name;
        EXPECT_FALSE(fs::exists(m_container));
    }
}
#endif

TEST_F(InpTool, ListShowsOneLinePerEntry) {
    FixtureEntry first = EntryOf(u"dir\\A.TXT", Text(3));
    first.attributes = 0x21;
    FixtureEntry second = EntryOf(u"B", {});
    second.times.lastWrite = 125962560000000000; // 2000-02-29T00:00:00Z
    second.attributes = 0x80000000;
    WriteContainer({first, second});
    ASSERT_EQ(Run({u"list", Container()}), 0) << m_err.str();
    EXPECT_EQ(m_out.str(), "dir\\A.TXT\t3\t" + std::to_string(first.data.size()) +
                               "\t0x00000021\t2001-09-09T01:46:40Z\n"
                               "B\t0\t0\t0x80000000\t2000-02-29T00:00:00Z\n");
    EXPECT_EQ(FormatUtcFileTime(0), "1601-01-01T00:00:00Z");
    EXPECT_EQ(FormatUtcFileTime(ArchiveFormat::FileTimeUnixEpoch - 1), "1969-12-31T23:59:59Z");
}

TEST_F(InpTool, ExtractSkipsUnsafeNamesAndReportsThem) {
    WriteContainer({EntryOf(u"good.txt", Text(4)), EntryOf(u"..\\evil.txt", Text(5)),
                    EntryOf(u"sub\\x.txt", Text(6))});
    const fs::path out = m_dir / "out";
    EXPECT_EQ(Run({u"extract", Container(), ArchiveTextOf(out)}), 1);
    EXPECT_NE(m_err.str().find("..\\evil.txt: ERROR_INVALID_NAME (123)"), std::string::npos)
        << m_err.str();
    EXPECT_EQ(ReadBytes(out / "good.txt"), Text(4));
    EXPECT_EQ(ReadBytes(out / "sub" / "x.txt"), Text(6));
    EXPECT_FALSE(fs::exists(m_dir / "evil.txt"));
}

TEST_F(InpTool, ExtractTakesNamedEntries) {
    WriteContainer({EntryOf(u"good.txt", Text(4)), EntryOf(u"sub\\x.txt", Text(6))});
    const fs::path out = m_dir / "out";
    ASSERT_EQ(Run({u"extract", Container(), ArchiveTextOf(out), u"SUB/X.TXT"}), 0) << m_err.str();
    EXPECT_EQ(NamesIn(out), std::vector<std::string>{"sub"});
    EXPECT_EQ(ReadBytes(out / "sub" / "x.txt"), Text(6));

    EXPECT_EQ(Run({u"extract", Container(), ArchiveTextOf(out), u"good.txt", u"nothere"}), 1);
    EXPECT_EQ(m_err.str(), "inptool: no entry nothere: ERROR_FILE_NOT_FOUND (2)\n");
    EXPECT_EQ(ReadBytes(out / "good.txt"), Text(4));
}

TEST_F(InpTool, VerifyReportsEachBadEntry) {
    FixtureEntry damaged = EntryOf(u"bad.bin", Pattern(1000));
    damaged.data.back() ^= 1;
    WriteContainer({EntryOf(u"good.txt", Text(4)), damaged, EntryOf(u"..\\evil.txt", Text(5))});
    EXPECT_EQ(Run({u"verify", Container()}), 1);
    EXPECT_EQ(m_out.str(), "bad.bin\tERROR_INTERNAL_ERROR\n"
                           "..\\evil.txt\tERROR_INVALID_NAME\n"
                           "3 entries, 2 bad\n");
    EXPECT_NE(m_err.str().find("ERROR_INTERNAL_ERROR"), std::string::npos) << m_err.str();

    WriteContainer({EntryOf(u"good.txt", Text(4))});
    EXPECT_EQ(Run({u"verify", Container()}), 0) << m_err.str();
    EXPECT_EQ(m_out.str(), "1 entries, 0 bad\n");
}

TEST_F(InpTool, FailuresNameTheirErrorCode) {
    EXPECT_EQ(Run({u"list", Container()}), 1);
    EXPECT_NE(m_err.str().find("ERROR_FILE_NOT_FOUND"), std::string::npos);
    EXPECT_FALSE(fs::exists(m_container)); // listing never creates a container

    WriteBytes(m_container, Text(100));
    EXPECT_EQ(Run({u"verify", Container()}), 1);
    EXPECT_NE(m_err.str().find("ERROR_BAD_FORMAT"), std::string::npos);

    FixtureContainer corrupt;
    corrupt.entries.push_back(EntryOf(u"A", Text(1)));
    corrupt.directorySize = 70;
    WriteBytes(m_container, corrupt.Build());
    EXPECT_EQ(Run({u"list", Container()}), 1);
    EXPECT_NE(m_err.str().find("ERROR_FILE_CORRUPT"), std::string::npos);

    EXPECT_EQ(Run({u"unpack", Container()}), 1);
    EXPECT_NE(m_err.str().find("ERROR_INVALID_PARAMETER"), std::string::npos);
}

} // namespace
