#include "app/IntroRules.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

namespace {

// One row: the [General] switches as written, what the source offers, and the page's choices.
// Options read "ev" for enabled and visible, "e-", "-v" or "--".
struct IntroCase {
    const char* name;
    IntroSwitches switches;
    SourceOffer offer;
    const char* apps;
    const char* drivers;
    const char* fileRestore;
    int preselection;
};

std::string Letters(const OptionState& state) {
    return std::string(state.enabled ? "e" : "-") + (state.visible ? "v" : "-");
}

IntroSwitches Switches(const wchar_t* enableRestore, const wchar_t* enableApps,
                       const wchar_t* enableDrivers, const wchar_t* visibleApps,
                       const wchar_t* visibleDrivers) {
    return {enableRestore, enableApps, enableDrivers, visibleApps, visibleDrivers};
}

const SourceOffer kEverything = {true, true, true};
const SourceOffer kAppsOnly = {true, false, false};
const SourceOffer kNothing = {false, false, false};

const IntroCase kCases[] = {
    {"defaults with everything", IntroSwitches{}, kEverything, "ev", "ev", "e-", kOptionApps},
    {"defaults with nothing", IntroSwitches{}, kNothing, "-v", "-v", "--", kOptionNone},
    {"upper-case ON counts", Switches(L"ON", L"ON", L"On", L"YES", L"Yes"), kEverything, "ev", "ev",
     "e-", kOptionApps},
    {"yes does not enable", Switches(L"yes", L"yes", L"yes", L"yes", L"yes"), kEverything, "-v",
     "-v", "--", kOptionNone},
    {"no drivers on the source", Switches(L"on", L"off", L"on", L"yes", L"yes"), kAppsOnly, "-v",
     "-v", "--", kOptionNone},
    {"hidden applications give the drivers", Switches(L"on", L"on", L"on", L"no", L"yes"),
     kEverything, "e-", "ev", "e-", kOptionDrivers},
    {"disabled applications give the drivers", Switches(L"on", L"off", L"on", L"yes", L"yes"),
     kEverything, "-v", "ev", "e-", kOptionDrivers},
    {"everything hidden", Switches(L"on", L"on", L"on", L"No", L"YES!"), kEverything, "e-", "e-",
     "e-", kOptionNone},
    {"file restore switched off", Switches(L"off", L"on", L"on", L"yes", L"yes"), kEverything, "ev",
     "ev", "--", kOptionApps},
    {"blank values are not the defaults", Switches(L"", L"", L"", L"", L""), kEverything, "--",
     "--", "--", kOptionNone},
};

TEST(IntroRules, ChoicesFollowTheSwitchesAndWhatTheSourceOffers) {
    for (const IntroCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const IntroChoices choices = DecideIntroChoices(c.switches, c.offer);
        EXPECT_EQ(Letters(choices.apps), c.apps);
        EXPECT_EQ(Letters(choices.drivers), c.drivers);
        EXPECT_EQ(Letters(choices.fileRestore), c.fileRestore);
        EXPECT_EQ(choices.preselection, c.preselection);
    }
}

TEST(IntroRules, NextLeadsToTheChosenPageAndTheHiddenButtonWins) {
    const struct {
        int option;
        bool jump;
        int page;
    } cases[] = {
        {kOptionApps, false, IDD_APPS},
        {kOptionDrivers, false, IDD_DRIVERS},
        {kOptionFileRestore, false, IDD_FILE_RESTORE},
        {kOptionNone, false, IDD_INTRO},
        {7, false, IDD_INTRO},
        {kOptionDrivers, true, IDD_FILE_RESTORE},
        {kOptionNone, true, IDD_FILE_RESTORE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "option " << c.option << " jump " << c.jump);
        EXPECT_EQ(IntroNextPage(c.option, c.jump), c.page);
    }
}

} // namespace
