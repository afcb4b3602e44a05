#pragma once

#include "common/core/StringKinds.h"

#include <cstddef>
#include <string_view>

// The rules by which the bundle pass tells its bundle files apart, apart from their effects.
// Bundle files come from the recovery source and are untrusted. Templates over the kind of
// string (common/core/StringKinds.h).
namespace installcore {

// The kinds of bundle files, by the end of the path once lower-cased, in the order the pass
// applies them: ".del" delete scripts, ".cop" copy scripts, ".cfl" extract scripts, ".rgd"
// registry-deletion scripts, ".reg" registry files. Any other file is no bundle and stays.
enum class BundleKind { Delete, Copy, Extract, RegistryScript, RegistryImport, None };
template <typename String>
BundleKind BundleKindOf(const String& path, textcore::CaseFold<String> lower);

// How many of its first bytes the pass reads to tell an extraction saved as a copy or delete
// script.
inline constexpr std::size_t kBundleSniffSize = 255;
// Those bytes, read as ANSI text up to the first zero byte, hold "[extract]" in any letter case:
// the script is not applied. A UTF-16 script therefore never sniffs as one.
bool SniffsAsExtract(std::string_view firstBytes);

} // namespace installcore
