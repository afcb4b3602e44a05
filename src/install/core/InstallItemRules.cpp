#include "install/core/InstallItemRules.h"

#include "common/core/SafeNames.h"
#include "common/core/StringRules.h"

namespace installcore {

using textcore::AsciiText;

namespace {
const size_t kInstallSectionLength = 8;
} // namespace

template <typename String> InstallationType InstallationTypeOf(const String& value) {
    if (value == AsciiText<String>("RunOnce\\Setup"))
        return InstallationType::Setup;
    if (value == AsciiText<String>("RunOnce"))
        return InstallationType::Copy;
    if (value == AsciiText<String>("Desktop"))
        return InstallationType::Desktop;
    return InstallationType::Unknown;
}

template <typename String> bool IsGiven(const String& value) {
    return value != AsciiText<String>("none");
}

template <typename String>
bool NamesSetupProgram(const String& exeFile, textcore::CaseFold<String> lower) {
    return lower(exeFile).ends_with(AsciiText<String>(".exe"));
}

template <typename String> String InfFileKey(int number) {
    return textcore::NumberedKey<String>("Exe_File", number);
}

template <typename String> String InfInstallSection(const String& infPath) {
    return textcore::FileNameOf(infPath).substr(0, kInstallSectionLength);
}

template <typename String> bool IsAcceptedSourceDir(const String& sourceDir) {
    return IsGiven(sourceDir) && textcore::IsSafeRelativePath(textcore::Utf16Units(sourceDir));
}

template <typename String>
bool TakesFromSourceDir(InstallationType type, const String& exeFile,
                        textcore::CaseFold<String> lower) {
    if (type == InstallationType::Unknown)
        return false;
    return type != InstallationType::Setup || !NamesSetupProgram(exeFile, lower) ||
           !textcore::IsAbsolutePath(exeFile);
}

template <typename String>
bool IsRefusedSourceDir(InstallationType type, const String& exeFile, const String& sourceDir,
                        textcore::CaseFold<String> lower) {
    if (!TakesFromSourceDir(type, exeFile, lower))
        return false;
    if (type == InstallationType::Setup && (sourceDir.empty() || !IsGiven(sourceDir)))
        return false;
    return !IsAcceptedSourceDir(sourceDir);
}

// The rules for each kind of string (common/core/StringKinds.h).
#define INSTANTIATE_INSTALL_ITEM_RULES(String)                                                     \
    template InstallationType InstallationTypeOf(const String&);                                   \
    template bool IsGiven(const String&);                                                          \
    template bool NamesSetupProgram(const String&, textcore::CaseFold<String>);                    \
    template String InfFileKey<String>(int);                                                       \
    template String InfInstallSection(const String&);                                              \
    template bool IsAcceptedSourceDir(const String&);                                              \
    template bool TakesFromSourceDir(InstallationType, const String&, textcore::CaseFold<String>); \
    template bool IsRefusedSourceDir(InstallationType, const String&, const String&,               \
                                     textcore::CaseFold<String>);

INSTANTIATE_INSTALL_ITEM_RULES(std::u16string)
#ifdef _WIN32
INSTANTIATE_INSTALL_ITEM_RULES(std::wstring)
#endif

} // namespace installcore
