#include "restore/core/ListRules.h"

#include "archive/ArchiveNames.h"
#include "common/core/DrivePaths.h"

namespace restorecore {

using textcore::AsciiText;

// Only the letters A to Z need folding here: no other character folds to a letter of these
// names, in either case, so the platform's rule would find the same.
template <typename String> bool IsNeverRestored(const String& directory, const String& fileName) {
    return textcore::LowerAsciiLetters(fileName) == AsciiText<String>("obra.dav") ||
           textcore::LowerAsciiLetters(directory).find(AsciiText<String>(":\\recycled")) !=
               String::npos;
}

template <typename String> String ListLineTarget(const String& line) {
    const String path = textcore::TrimBlanks(line);
    if (!textcore::IsDriveRootedPath(path))
        return {};
    const String rest = path.substr(3);
    return IsSafeEntryName(textcore::Utf16Units(rest)) ? AsciiText<String>("C:\\") + rest
                                                       : String();
}

template <typename String>
bool IsExcludedListPath(const String& fullPath, const std::vector<String>& exclusions,
                        textcore::CaseFold<String> lower) {
    const String lowered = lower(fullPath);
    for (const String& exclusion : exclusions) {
        // An empty line would occur in every path.
        if (!exclusion.empty() && lowered.find(lower(exclusion)) != String::npos)
            return true;
    }
    return lowered.find(AsciiText<String>("obra.dav")) != String::npos;
}

// The rules for each kind of string (common/core/StringKinds.h).
#define INSTANTIATE_LIST_RULES(String)                                                             \
    template bool IsNeverRestored(const String&, const String&);                                   \
    template String ListLineTarget(const String&);                                                 \
    template bool IsExcludedListPath(const String&, const std::vector<String>&,                    \
                                     textcore::CaseFold<String>);

INSTANTIATE_LIST_RULES(std::u16string)
#ifdef _WIN32
INSTANTIATE_LIST_RULES(std::wstring)
#endif

} // namespace restorecore
