#include "install/core/BundleRules.h"

#include "common/core/StringKinds.h"
#include "common/core/StringRules.h"

#include <algorithm>
#include <string>

namespace installcore {

namespace {
struct BundleExtension {
    const char* extension;
    BundleKind kind;
};
constexpr BundleExtension kBundleExtensions[] = {
    {".del", BundleKind::Delete},         {".cop", BundleKind::Copy},
    {".cfl", BundleKind::Extract},        {".rgd", BundleKind::RegistryScript},
    {".reg", BundleKind::RegistryImport},
};
} // namespace

template <typename String>
BundleKind BundleKindOf(const String& path, textcore::CaseFold<String> lower) {
    const String lowered = lower(path);
    for (const BundleExtension& known : kBundleExtensions)
        if (lowered.ends_with(textcore::AsciiText<String>(known.extension)))
            return known.kind;
    return BundleKind::None;
}

bool SniffsAsExtract(std::string_view firstBytes) {
    std::string text(firstBytes.substr(0, std::min(firstBytes.size(), kBundleSniffSize)));
    text.resize(std::min(text.size(), text.find('\0')));
    return textcore::LowerAsciiLetters(text).find("[extract]") != std::string::npos;
}

// The rules for each kind of string (common/core/StringKinds.h).
template BundleKind BundleKindOf(const std::u16string&, textcore::CaseFold<std::u16string>);
#ifdef _WIN32
template BundleKind BundleKindOf(const std::wstring&, textcore::CaseFold<std::wstring>);
#endif

} // namespace installcore
