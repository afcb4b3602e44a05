#pragma once

#include "common/core/StringKinds.h"

#include <string>
#include <vector>

// The catalogue's rules for description files and exclusions, apart from files and windows.
// Templates over the kind of string (common/core/StringKinds.h).
namespace cataloguecore {

// Install.ini's numbered keys (Exclude1 ... Exclude99, DtaFile1 ... DtaFile99; textcore's
// NumberedKey) run from 1 to this; a gap in the numbering does not end a list.
inline constexpr int kLastNumberedKey = 99;

// A description file: its path ends with ".dta" once lower-cased by `lower`, so WORD.DTA counts.
template <typename String>
bool IsDescriptionFilePath(const String& path, textcore::CaseFold<String> lower);

// The index of the first exclusion entry, from `start` on, that begins with `candidate` when both
// are upper-cased by `upper`; -1 when there is none. An entry shorter than the candidate never
// matches, one that merely begins with it does (WORD.DTA.OLD excludes WORD.DTA).
template <typename String>
int FindExcluded(const std::vector<String>& exclusions, const String& candidate,
                 textcore::CaseFold<String> upper, int start = 0);

} // namespace cataloguecore
