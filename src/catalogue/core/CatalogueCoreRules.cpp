#include "catalogue/core/CatalogueCoreRules.h"

namespace cataloguecore {

template <typename String>
bool IsDescriptionFilePath(const String& path, textcore::CaseFold<String> lower) {
    return lower(path).ends_with(textcore::AsciiText<String>(".dta"));
}

template <typename String>
int FindExcluded(const std::vector<String>& exclusions, const String& candidate,
                 textcore::CaseFold<String> upper, int start) {
    const String wanted = upper(candidate);
    for (size_t i = start < 0 ? 0 : static_cast<size_t>(start); i < exclusions.size(); ++i) {
        const String& entry = exclusions[i];
        if (entry.size() >= wanted.size() && upper(entry.substr(0, wanted.size())) == wanted)
            return static_cast<int>(i);
    }
    return -1;
}

// The rules for each kind of string (common/core/StringKinds.h).
#define INSTANTIATE_CATALOGUE_RULES(String)                                                        \
    template bool IsDescriptionFilePath(const String&, textcore::CaseFold<String>);                \
    template int FindExcluded(const std::vector<String>&, const String&,                           \
                              textcore::CaseFold<String>, int);

INSTANTIATE_CATALOGUE_RULES(std::u16string)
#ifdef _WIN32
INSTANTIATE_CATALOGUE_RULES(std::wstring)
#endif

} // namespace cataloguecore
