#include "app/DirectInstall.h"

#include <gtest/gtest.h>

namespace {

const DirectKind kApps = DirectKind::Applications;
const DirectKind kDrivers = DirectKind::Drivers;

TEST(DirectSwitch, TheSwitchIsFoundInAnyCaseAndTheNameEndsWhereTheFileNameEnds) {
    const struct {
        const wchar_t* arguments;
        DirectSwitch expected;
    } cases[] = {
        {L"/APPS:WORD.DTA", {true, kApps, L"WORD.DTA"}},
        {L"/apps:word.dta", {true, kApps, L"WORD.DTA"}},
        {L"/Drv:Sound.dta", {true, kDrivers, L"SOUND.DTA"}},
        {L"/DRV:x.dta /APPS:y.dta", {true, kApps, L"Y.DTA"}},
        {L"/APPS:A.DTA /S", {true, kApps, L"A.DTA"}},
        {L"/APPS:A.DTA\t/S", {true, kApps, L"A.DTA"}},
        {L"/APPS:\"A.DTA\"", {true, kApps, L"A.DTA"}},
        {L"/APPS:ABCDEFGHIJKLMNOP.DTA", {true, kApps, L"ABCDEFGHIJKL"}},
        {L"/APPS:ABCDEFGH.DTA", {true, kApps, L"ABCDEFGH.DTA"}},
        {L"/APPS:", {true, kApps, L""}},
        {L"-s /drv:net.dta", {true, kDrivers, L"NET.DTA"}},
        {L"", {}},
        {L"/APPS WORD.DTA", {}},
        {L"/DRIVERS:X", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.arguments)));
        const DirectSwitch found = ParseDirectSwitch(c.arguments);
        EXPECT_EQ(found.found, c.expected.found);
        EXPECT_EQ(found.kind, c.expected.kind);
        EXPECT_EQ(found.name, c.expected.name);
    }
}

TEST(DirectSwitch, TheArgumentsFollowTheProgramsName) {
    const struct {
        const wchar_t* commandLine;
        const wchar_t* arguments;
    } cases[] = {
        {L"Melvorin.exe /APPS:A.DTA", L"/APPS:A.DTA"},
        {L"\"C:\\Program Files\\/APPS:X\\Melvorin.exe\"  /DRV:B.DTA", L"/DRV:B.DTA"},
        {L"C:\\Melvorin\\Melvorin.exe", L""},
        {L"\"C:\\unclosed /APPS:A.DTA", L""},
        {L"", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.commandLine)));
        EXPECT_EQ(CommandArguments(c.commandLine), c.arguments);
    }
}

} // namespace
