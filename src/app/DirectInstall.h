#pragma once

#include "common/AppFlags.h"

#include <string>

// The direct installation: "/APPS:" or "/DRV:" on the command line, followed by the name of a
// description file, installs that one item without the wizard.

enum class DirectKind { Applications, Drivers };

struct DirectSwitch {
    bool found = false;
    DirectKind kind = DirectKind::Applications;
    std::wstring name; // upper case, as the switch was found
    bool operator==(const DirectSwitch&) const = default;
};

// The arguments of a command line: what follows the program's name (quoted or not) and the
// blanks after it.
std::wstring CommandArguments(const std::wstring& commandLine);

// The switch of the arguments, found without regard to case; "/APPS:" wins over "/DRV:". The
// name is the upper-cased text after the switch, at most 12 characters, ending at the first
// blank, tab or double quote; one double quote right after the switch is skipped.
DirectSwitch ParseDirectSwitch(const std::wstring& arguments);

// Installs the one description file of the kind through the installation run, with no window
// of the wizard and no owner. The source is searched with the direct variant, which may expose
// the partition (and never hides it again).
void RunDirectInstall(const std::wstring& name, DirectKind kind, PartitionFlags& partition,
                      const WindowsVersionFlags& windows);
