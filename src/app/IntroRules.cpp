#include "app/IntroRules.h"

#include "common/InstallIni.h"
#include "common/core/StringRules.h"
#include "resources/resource.h"

namespace {
bool Is(const std::wstring& value, const wchar_t* expected) {
    return textcore::LowerAsciiLetters(value) == expected;
}
} // namespace

IntroSwitches ReadIntroSwitches() {
    IntroSwitches switches;
    switches.enableFileRestore = GeneralValue(L"EnableFileRestore", switches.enableFileRestore);
    switches.enableApplication = GeneralValue(L"EnableApplication", switches.enableApplication);
    switches.enableDriver = GeneralValue(L"EnableDriver", switches.enableDriver);
    switches.visibleApplication = GeneralValue(L"VisibleApplication", switches.visibleApplication);
    switches.visibleDriver = GeneralValue(L"VisibleDriver", switches.visibleDriver);
    return switches;
}

IntroChoices DecideIntroChoices(const IntroSwitches& switches, const SourceOffer& offer) {
    IntroChoices choices;
    choices.apps = {Is(switches.enableApplication, L"on") && offer.apps,
                    Is(switches.visibleApplication, L"yes")};
    choices.drivers = {Is(switches.enableDriver, L"on") && offer.drivers,
                       Is(switches.visibleDriver, L"yes")};
    choices.fileRestore = {Is(switches.enableFileRestore, L"on") && offer.fileRestore, false};
    if (choices.apps.enabled && choices.apps.visible)
        choices.preselection = kOptionApps;
    else if (choices.drivers.enabled && choices.drivers.visible)
        choices.preselection = kOptionDrivers;
    return choices;
}

int IntroNextPage(int option, bool jumpToRestore) {
    if (jumpToRestore)
        return IDD_FILE_RESTORE;
    switch (option) {
    case kOptionApps:
        return IDD_APPS;
    case kOptionDrivers:
        return IDD_DRIVERS;
    case kOptionFileRestore:
        return IDD_FILE_RESTORE;
    default:
        return IDD_INTRO;
    }
}
