#pragma once

#include "common/RecoverySource.h"

#include <string>

// The intro page's decisions, as plain functions of Install.ini's switches and of what the
// recovery source offers.

// The [General] switches as written; the rules compare them lower-cased.
struct IntroSwitches {
    std::wstring enableFileRestore = L"on";
    std::wstring enableApplication = L"on";
    std::wstring enableDriver = L"on";
    std::wstring visibleApplication = L"yes";
    std::wstring visibleDriver = L"yes";
};
// The switches of Install.ini, with their defaults.
IntroSwitches ReadIntroSwitches();

// The operations in the order of the page's option values.
enum IntroOption { kOptionNone = -1, kOptionFileRestore = 0, kOptionApps = 1, kOptionDrivers = 2 };

struct OptionState {
    bool enabled = false;
    bool visible = false;
    bool operator==(const OptionState&) const = default;
};

struct IntroChoices {
    OptionState apps;
    OptionState drivers;
    // Never visible: the file-restore page is reached through the hidden button.
    OptionState fileRestore;
    int preselection = kOptionNone;
    bool operator==(const IntroChoices&) const = default;
};

// An option is enabled when its Enable switch is "on" and the source has it, visible when its
// Visible switch is "yes"; the first of applications and drivers that is both is preselected.
IntroChoices DecideIntroChoices(const IntroSwitches& switches, const SourceOffer& offer);

// The page that Next leads to: the file-restore page after the hidden button, else the page of
// the chosen option; the intro page itself when none is chosen.
int IntroNextPage(int option, bool jumpToRestore);
