// The bundle scripts that an item's INF file copies into the bundle directory: the bundle pass
// applies them after the run's last item, and their lines are read with the rules of the
// file-operation worker and the registry-deletion script.
#include "tools/SourceCheck.h"

#include "common/core/DrivePaths.h"
#include "common/core/MemoryByteSource.h"
#include "common/core/SafeNames.h"
#include "common/core/StringRules.h"
#include "common/core/Szdd.h"
#include "common/core/UnicodeLines.h"
#include "install/core/BundleRules.h"
#include "install/core/ScriptLineRules.h"

namespace {

using installcore::BundleKind;
using textcore::LowerAsciiLetters;

const std::u16string kI386 = u"I386";
const std::u16string kNone = u"none";

// The expanded bytes of an SZDD file, as the INF copy puts them in the bundle directory.
std::optional<std::string> Expanded(const std::string& compressed) {
    textcore::CMemoryByteSource source(compressed);
    std::string expanded;
    const szdd::Result result = szdd::Expand(source, [&](const void* data, std::size_t size) {
        expanded.append(static_cast<const char*>(data), size);
        return true;
    });
    return result == szdd::Result::Expanded ? std::optional(expanded) : std::nullopt;
}

class CScriptCheck {
public:
    CScriptCheck(CSourceCheck& check, std::u16string file, std::string bytes, BundleKind kind)
        : m_check(check), m_file(std::move(file)), m_bytes(std::move(bytes)), m_kind(kind) {}

    void Run(const std::u16string& itemSection) {
        if (!HasDescription(itemSection))
            return;
        switch (m_kind) {
        case BundleKind::Copy:
            if (!SniffsAsExtract())
                ForEachOperation(SystemTextLines(), u"[copy]", &CScriptCheck::CheckCopyLine);
            return;
        case BundleKind::Delete:
            if (!SniffsAsExtract())
                ForEachOperation(textcore::ReadUnicodeLines(m_bytes), u"[del]",
                                 &CScriptCheck::CheckDeleteLine);
            return;
        case BundleKind::Extract:
            ForEachOperation(SystemTextLines(), u"[extract]", &CScriptCheck::CheckExtractLine);
            return;
        case BundleKind::RegistryScript:
            ForEachOperation(textcore::ReadUnicodeLines(m_bytes), u"[delreg]",
                             &CScriptCheck::CheckRegistryLine);
            return;
        case BundleKind::RegistryImport: // the registry editor reads it, not the program
        case BundleKind::None:
            return;
        }
    }

private:
    void Problem(int line, const char* check, const std::string& text) {
        m_check.Problem(m_file, line, check, text);
    }

    // Scripts need a description ([Bundle], else the item section's) to be applied; registry
    // scripts are applied without one.
    bool HasDescription(const std::u16string& itemSection) {
        if (m_kind == BundleKind::RegistryScript || m_kind == BundleKind::RegistryImport)
            return true;
        const CProfileApproximation settings(m_bytes);
        if (settings.ValueOr(u"Bundle", u"Description", kNone) != kNone ||
            settings.ValueOr(itemSection, u"Description", kNone) != kNone)
            return true;
        Problem(0, "script-description",
                "no Description in [Bundle] or [" + Utf8(itemSection) +
                    "]: the bundle pass deletes the script without applying it");
        return false;
    }

    bool SniffsAsExtract() {
        if (!installcore::SniffsAsExtract(m_bytes))
            return false;
        Problem(0, "script-kind",
                "[extract] in its first 255 bytes: the bundle pass deletes the script without "
                "applying it");
        return true;
    }

    // Copy and extract scripts are text files: ANSI, or UTF-16LE with its byte-order mark.
    std::vector<std::u16string> SystemTextLines() {
        const CSystemText text(m_bytes);
        if (text.HasLineFeedsOnly())
            return {};
        return text.Lines();
    }

    void ForEachOperation(const std::vector<std::u16string>& lines, const char16_t* header,
                          void (CScriptCheck::*check)(const std::u16string&, int)) {
        const std::optional<std::size_t> start = installcore::ScriptOperationsStart(
            lines, std::u16string(header), LowerAsciiLetters<std::u16string>);
        if (!start) {
            Problem(0, "script-header",
                    "no line " + Utf8(header) + " as the program reads the file (" +
                        (m_kind == BundleKind::Copy || m_kind == BundleKind::Extract
                             ? "ANSI, or UTF-16LE with its byte-order mark, lines ended by "
                               "carriage returns"
                             : "UTF-16LE, lines ended by carriage return and line feed") +
                        "): the script does nothing");
            return;
        }
        for (std::size_t i = *start; i < lines.size(); ++i)
            if (!lines[i].empty())
                (this->*check)(lines[i], static_cast<int>(i + 1));
    }

    void CheckCopyLine(const std::u16string& text, int line) {
        const installcore::CopyLine<std::u16string> copy = installcore::ParseCopyLine(text);
        if (!textcore::IsDriveRootedPath(copy.destination)) {
            Problem(line, "script-line",
                    "the target " + Utf8(copy.destination) +
                        " is not a path on a drive: the line is passed over");
            return;
        }
        if (copy.OnlyCreatesDirectory())
            return;
        if (!textcore::IsSafeRelativePath(copy.source))
            Problem(line, "script-unsafe",
                    "the source " + Utf8(copy.source) +
                        " is not a relative path of safe names: the line is passed over");
        else if (!m_check.Tree().IsFile(JoinSourcePath(kI386, copy.source)))
            Problem(line, "script-source",
                    Utf8(JoinSourcePath(kI386, copy.source)) +
                        " does not exist: nothing is copied");
    }

    void CheckDeleteLine(const std::u16string& text, int line) {
        if (!textcore::IsDriveRootedPath(text))
            Problem(line, "script-line",
                    Utf8(text) + " is not a path on a drive: the line is passed over");
    }

    void CheckExtractLine(const std::u16string& text, int line) {
        if (!textcore::IsSafeRelativePath(text))
            Problem(line, "script-unsafe",
                    "the container " + Utf8(text) +
                        " is not a relative path of safe names: the line is passed over");
        else if (!m_check.Tree().IsFile(JoinSourcePath(kI386, text)))
            Problem(line, "script-source",
                    Utf8(JoinSourcePath(kI386, text)) + " does not exist: nothing is extracted");
        else
            CheckContainerFile(m_check, JoinSourcePath(kI386, text));
    }

    // The bundle pass runs registry scripts without the machine-wide option.
    void CheckRegistryLine(const std::u16string& text, int line) {
        const auto operations = installcore::ParseRegistryScriptLines(text);
        if (operations.empty())
            Problem(line, "script-line", "the line does not begin with HK: it is passed over");
        for (const auto& operation : operations) {
            if (operation.subkey.empty())
                Problem(line, "script-line",
                        "no subkey below " + Utf8(operation.rootName) + ": passed over");
            else if (installcore::RegistryScriptRootOf(operation.rootName) ==
                     installcore::RegistryScriptRoot::LocalMachine)
                Problem(line, "script-registry",
                        Utf8(operation.rootName) +
                            " is taken for HKEY_LOCAL_MACHINE, where the "
                            "bundle pass deletes nothing" +
                            (operation.DeletesValue() ? " (and leaves a missing key behind "
                                                        "empty)"
                                                      : ""));
        }
    }

    CSourceCheck& m_check;
    std::u16string m_file;
    std::string m_bytes;
    BundleKind m_kind;
};

} // namespace

bool IsBundleDirectory(const std::u16string& directory, const std::u16string& windowsDir) {
    return LowerAsciiLetters(directory) == LowerAsciiLetters(windowsDir + u"\\INF\\ASM");
}

void CheckBundleScript(CSourceCheck& check, const std::u16string& file, const std::u16string& name,
                       bool compressed, const std::u16string& itemSection) {
    const BundleKind kind = installcore::BundleKindOf(name, LowerAsciiLetters<std::u16string>);
    if (kind == BundleKind::None)
        return;
    std::optional<std::string> bytes = check.ReadBytes(file);
    if (bytes && compressed) {
        bytes = Expanded(*bytes);
        if (!bytes)
            check.Problem(file, 0, "script-compressed",
                          "cannot be expanded (not SZDD, or cut short): the bundle is not usable");
    }
    if (bytes)
        CScriptCheck(check, file, std::move(*bytes), kind).Run(itemSection);
}
