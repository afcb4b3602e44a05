#include "restore/core/ListRules.h"

#include "archive/ArchiveNames.h"
#include "common/core/DrivePaths.h"

namespace restorecore {

using textcore::AsciiText;

// The line is read in place and the target built once: lists hold thousands of lines.
template <typename String> String ListLineTarget(const String& line) {
    size_t first = 0;
    size_t last = line.size();
    while (first < last && textcore::IsBlank(line[first]))
        ++first;
    while (last > first && textcore::IsBlank(line[last - 1]))
        --last;
    if (!textcore::IsDriveRootedPath(
            std::basic_string_view<typename String::value_type>(line).substr(first, last - first)))
        return {};
    String target = AsciiText<String>("C:\\");
    target.append(line, first + 3, last - first - 3);
    using View = std::basic_string_view<typename String::value_type>;
    if (!IsSafeEntryName(View(target).substr(3)))
        return {};
    return target;
}

template <typename String>
bool IsExcludedListPath(const String& fullPath, const std::vector<String>& exclusions,
                        textcore::CaseFold<String> lower) {
    if (ContainsAscii(fullPath, "obra.dav"))
        return true;
    if (exclusions.empty())
        return false;
    const String lowered = lower(fullPath);
    for (const String& exclusion : exclusions) {
        // An empty line would occur in every path.
        if (!exclusion.empty() && lowered.find(lower(exclusion)) != String::npos)
            return true;
    }
    return false;
}

// The rules for each kind of string (common/core/StringKinds.h).
#define INSTANTIATE_LIST_RULES(String)                                                             \
    template String ListLineTarget(const String&);                                                 \
    template bool IsExcludedListPath(const String&, const std::vector<String>&,                    \
                                     textcore::CaseFold<String>);

INSTANTIATE_LIST_RULES(std::u16string)
#ifdef _WIN32
INSTANTIATE_LIST_RULES(std::wstring)
#endif

} // namespace restorecore
