// The run log: where its setting sends it, and what a line looks like in the file.
#include "common/RunLog.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::MatchesRegex;

TEST(RunLog, TheSettingNamesTheFile) {
    const SystemLayout xp{false, true};
    const SystemLayout win2000{true, true};
    EXPECT_EQ(RunLogPathFor(L"", xp), L"");
    EXPECT_EQ(RunLogPathFor(L"no", xp), L"");
    EXPECT_EQ(RunLogPathFor(L"OFF", xp), L"");
    EXPECT_EQ(RunLogPathFor(L"yes", xp), L"C:\\Windows\\Melvorin.log");
    EXPECT_EQ(RunLogPathFor(L"Yes", win2000), L"C:\\Winnt\\Melvorin.log");
    EXPECT_EQ(RunLogPathFor(L"D:\\Logs\\recovery.log", xp), L"D:\\Logs\\recovery.log");
}

class RunLogFile : public ::testing::Test {
protected:
    ~RunLogFile() override { SetRunLogPath(L""); }
    std::wstring Path() const { return m_dir / L"run.log"; }
    TempDir m_dir;
};

// UTF-16LE with one byte-order mark, then time-stamped lines with CRLF, appended run after run.
TEST_F(RunLogFile, LinesAreAppendedAsUtf16WithOneMark) {
    SetRunLogPath(Path());
    LogRun(L"first");
    SetRunLogPath(Path());
    LogRun(L"second \u00e9");
    const std::string bytes = ReadBytes(Path());
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    const std::string stamp = "\\d\\d\\d\\d-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d  ";
    EXPECT_THAT(ReadUtf16AsUtf8(Path()),
                MatchesRegex(stamp + "first\r\n" + stamp + "second \xC3\xA9\r\n"));
    EXPECT_EQ(bytes.find("\xFF\xFE", 2), std::string::npos);
}

TEST_F(RunLogFile, OffOrUnwritableWritesNothingAndGoesOn) {
    SetRunLogPath(L"");
    EXPECT_FALSE(IsRunLogOn());
    LogRun(L"nothing");
    EXPECT_FALSE(Exists(Path()));
    SetRunLogPath(m_dir / L"missing-dir\\run.log");
    LogRun(L"passed over");
    EXPECT_FALSE(Exists(m_dir / L"missing-dir"));
}

} // namespace
