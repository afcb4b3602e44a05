#pragma once

// A path that names a place on a drive: a letter A to Z in either case, a colon and a backslash
// at its start. Targets taken from recovery-source data must be such paths: anything else would
// act relative to the current directory.
namespace textcore {

template <typename String> bool IsDriveRootedPath(const String& path) {
    if (path.size() < 3)
        return false;
    const auto letter = path[0];
    return ((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z')) &&
           path[1] == ':' && path[2] == '\\';
}

} // namespace textcore
