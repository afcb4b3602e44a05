// The reboot flag file: written whole and anew, found, and removed whatever its attributes.
#include "common/RebootFlag.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

using namespace std::string_literals;

// "Reboot", carriage return and line feed in UTF-16LE, without a byte-order mark.
const std::string kFlagBytes = "R\0e\0b\0o\0o\0t\0\r\0\n\0"s;

TEST(RebootFlag, WritesOneLineInUtf16WithoutByteOrderMark) {
    TempDir dir;
    const std::wstring flag = (dir / L"brelmak.flg").wstring();
    ASSERT_TRUE(WriteRebootFlag(flag));
    EXPECT_EQ(ReadBytes(flag), kFlagBytes);
    EXPECT_TRUE(RebootFlagExists(flag));
}

TEST(RebootFlag, AnEarlierLongerFileIsReplacedWhole) {
    TempDir dir;
    const std::wstring flag = (dir / L"brelmak.flg").wstring();
    WriteBytes(flag, std::string(1000, 'x'));
    ASSERT_TRUE(WriteRebootFlag(flag));
    EXPECT_EQ(ReadBytes(flag), kFlagBytes);
}

TEST(RebootFlag, AFlagThatCannotBeCreatedIsReported) {
    TempDir dir;
    const std::wstring flag = (dir / L"missing" / L"brelmak.flg").wstring();
    EXPECT_FALSE(WriteRebootFlag(flag));
    EXPECT_FALSE(RebootFlagExists(flag));
}

TEST(RebootFlag, DeleteRemovesAReadOnlyFlagAndPassesOverAMissingOne) {
    TempDir dir;
    const std::wstring flag = (dir / L"brelmak.flg").wstring();
    ASSERT_TRUE(WriteRebootFlag(flag));
    ASSERT_TRUE(
        ::SetFileAttributesW(flag.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    DeleteRebootFlag(flag);
    EXPECT_FALSE(RebootFlagExists(flag));
    EXPECT_EQ(::GetFileAttributesW(flag.c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteRebootFlag(flag);
    EXPECT_FALSE(RebootFlagExists(flag));
}

// The letter case of the name does not matter: the runs delete and create it under different
// spellings.
TEST(RebootFlag, TheNameIsFoundInAnyLetterCase) {
    TempDir dir;
    ASSERT_TRUE(WriteRebootFlag((dir / L"Brelmak.flg").wstring()));
    EXPECT_TRUE(RebootFlagExists((dir / L"BRELMAK.FLG").wstring()));
    DeleteRebootFlag((dir / L"BrelMak.flg").wstring());
    EXPECT_FALSE(RebootFlagExists((dir / L"brelmak.flg").wstring()));
}

} // namespace
