#pragma once

#include "common/core/StringKinds.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The line rules of the file-operation scripts and the registry-deletion script, apart from their
// effects. Scripts come from the recovery source and are untrusted. Templates over the kind of
// string (common/core/StringKinds.h).
namespace installcore {

// The operation lines of a script, from all its lines: every line after the first one that reads
// as `header` once lower-cased by `lower`, up to the end of the file, empty ones left out. A
// script holds one section, so a later header is an operation line like any other; a script
// without its header has none.
template <typename String>
std::vector<String> ScriptOperationLines(const std::vector<String>& lines, const String& header,
                                         textcore::CaseFold<String> lower);
// Where the operation lines begin: the index of the line after the header; nothing when the
// script has no header.
template <typename String>
std::optional<std::size_t> ScriptOperationsStart(const std::vector<String>& lines,
                                                 const String& header,
                                                 textcore::CaseFold<String> lower);

// The platform's attribute bits that a script sets.
namespace ScriptAttributes {
inline constexpr std::uint32_t ReadOnly = 0x01;
inline constexpr std::uint32_t Hidden = 0x02;
inline constexpr std::uint32_t System = 0x04;
inline constexpr std::uint32_t Archive = 0x20;
inline constexpr std::uint32_t Normal = 0x80;
} // namespace ScriptAttributes

// An attribute list such as "RO/H": the attribute bits of its tokens ("N", "RO", "H", "S",
// "A", compared exactly) combined; unknown tokens add nothing. An empty list means "N".
template <typename String> std::uint32_t AttributesOf(const String& list);

// A copy line: source | destination | attribute list.
template <typename String> struct CopyLine {
    String source;      // relative to the source root, or "<..." (only the directory)
    String destination; // absolute target file, or the directory of a "<" line
    std::uint32_t attributes = ScriptAttributes::Normal;

    bool OnlyCreatesDirectory() const { return !source.empty() && source[0] == '<'; }
    // The directory the line creates: the destination's, or the destination itself.
    String DirectoryToCreate() const;
};
template <typename String> CopyLine<String> ParseCopyLine(String line);

// A rename line: old | new | attribute list.
template <typename String> struct RenameLine {
    String oldPath; // the file or directory to move, or "*..." (only the attributes)
    String newPath;
    std::uint32_t attributes = ScriptAttributes::Normal;

    bool OnlySetsAttributes() const { return !oldPath.empty() && oldPath[0] == '*'; }
};
template <typename String> RenameLine<String> ParseRenameLine(String line);

// The version-check modes. The extract mode of the same setting is one step ahead.
enum VersionMode {
    VersionAlwaysReplace = 0, // no check
    VersionReplaceOlder = 1,  // replaced unless the existing file is newer
    VersionAsk = 2,           // any mode but 0, 1 and 3: asks unless the existing file is newer
    VersionNeverReplace = 3,
};
// The number that a setting starts with, as the platform's C library reads it (wcstol on
// Windows): the core cannot tell every digit and blank that the library knows.
template <typename String> using LeadingNumber = long long (*)(const String&);
// From File_Version_Checking ("none" when not given). A number that leaves the range of an int
// gives its nearest end, which asks as any other unknown mode does.
template <typename String> int CopyVersionMode(const String& setting, LeadingNumber<String> number);
template <typename String>
int ExtractVersionMode(const String& setting, LeadingNumber<String> number);

enum class ReplaceDecision { Replace, Keep, Ask };
// For an existing target: times are whole seconds on one basis (UTC); a source as old as the
// target is not older.
ReplaceDecision DecideReplace(int mode, std::int64_t existingTime, std::int64_t newTime);

// The registry-deletion script ("[delreg]"): lines that delete registry keys and values.
//
//   root\subkey|kind|value name|value type|rest
//
// root is HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE or HKEY_USERS (exactly; any
// other name means HKEY_LOCAL_MACHINE); kind "Value" deletes the value (name "@": the default
// value), anything else the key; the value type is accepted and not used. When the rest begins
// with "HK" it is one more line. Lines that do not begin with "HK" are passed over.
template <typename String> struct RegistryScriptLine {
    String rootName;
    String subkey;
    String kind;
    String valueName;
    String valueType;
    String rest; // what follows the fifth field

    bool DeletesValue() const { return kind == textcore::AsciiText<String>("Value"); }
    // The value's name as the registry knows it: "@" is the unnamed default value.
    String RegistryValueName() const {
        return valueName == textcore::AsciiText<String>("@") ? String() : valueName;
    }
};

// The root key of a root name: the four names compared exactly, any other name the machine's.
enum class RegistryScriptRoot { ClassesRoot, CurrentUser, LocalMachine, Users };
template <typename String> RegistryScriptRoot RegistryScriptRootOf(const String& rootName);

// Splits one line (which begins with "HK") into its fields.
template <typename String> RegistryScriptLine<String> ParseRegistryScriptLine(String line);

// The operations of one line of the script: the line itself when it begins with "HK", then its
// rest for as long as that begins with "HK" again. None for any other line.
template <typename String>
std::vector<RegistryScriptLine<String>> ParseRegistryScriptLines(String text);

// The device part of a subkey below "Enum\PCI" (compared once lower-cased by `lower`) that its
// siblings share: the subkey cut before its first "&SUBSYS", without its first two components
// ("VEN_8086&DEV_7190" for "Enum\PCI\VEN_8086&DEV_7190&SUBSYS_00000000&REV_03\BUS_00"). Empty
// for any other subkey.
template <typename String>
String PciDevicePattern(const String& subkey, textcore::CaseFold<String> lower);

} // namespace installcore
