// The file restore's sources: the containers and lists of PRELOAD and of CD0 to CD25\PRELOAD,
// the compressed files of I386 that the lists name, and the [ExcludePath] lines of Install.ini.
#include "tools/SourceCheck.h"

#include "archive/ArchiveError.h"
#include "archive/ArchiveText.h"
#include "common/core/StringRules.h"
#include "install/core/InfLineRules.h"
#include "restore/core/ListRules.h"
#include "tools/ContainerCheck.h"

namespace {

using textcore::LowerAsciiLetters;

// The preload directory and those of the CDs that exist, as the inventory walks them.
std::vector<std::u16string> PreloadDirs(const CSourceTree& tree) {
    std::vector<std::u16string> dirs = {u"PRELOAD"};
    for (int n = 0; n < restorecore::kCdCount; ++n) {
        const std::u16string dir = restorecore::CdPreloadSubdir<std::u16string>(n);
        if (tree.IsDirectory(dir))
            dirs.push_back(dir);
    }
    return dirs;
}

struct Exclusion {
    std::u16string text;
    int line = 0;
    bool used = false;
};

class CRestoreCheck {
public:
    explicit CRestoreCheck(CSourceCheck& check) : m_check(check) {
        if (const auto lines = check.InstallProfile().Section(u"ExcludePath")) {
            for (const CProfileApproximation::Line& line : *lines)
                m_exclusions.push_back({line.text, line.number});
        }
    }

    void Run() {
        const std::vector<std::u16string> dirs = PreloadDirs(m_check.Tree());
        for (const std::u16string& dir : dirs)
            CheckContainers(dir);
        for (const std::u16string& dir : dirs) {
            for (const char* list : restorecore::kListNames)
                CheckList(JoinSourcePath(dir, textcore::AsciiText<std::u16string>(list)));
        }
        if (m_bAnyListed && !m_check.Tree().IsFile(u"I386\\Expand.exe"))
            m_check.Problem(u"I386\\Expand.exe", 0, "expand-missing",
                            "the expansion tool is missing: no listed file can be restored");
        for (const Exclusion& exclusion : m_exclusions) {
            if (!exclusion.used)
                m_check.InstallIniProblem(exclusion.line, "exclude-unused",
                                          "[ExcludePath] " + Utf8(exclusion.text) +
                                              " matches no listed file");
        }
    }

private:
    void CheckContainers(const std::u16string& dir) {
        for (const std::u16string& name : m_check.Tree().Entries(dir)) {
            const std::u16string file = JoinSourcePath(dir, name);
            if (restorecore::IsContainerName(name, LowerAsciiLetters<std::u16string>) &&
                m_check.Tree().IsFile(file))
                CheckContainerFile(m_check, file);
        }
    }

    void CheckList(const std::u16string& list) {
        if (!m_check.Tree().IsFile(list))
            return;
        const std::optional<CSystemText> text = m_check.ReadSystemText(list);
        if (!text)
            return;
        text->ForEachLine([&](const std::u16string& line, int number) {
            if (!textcore::TrimBlanks(line).empty())
                CheckListLine(list, line, number);
        });
    }

    void CheckListLine(const std::u16string& list, const std::u16string& line, int number) {
        const std::u16string target = restorecore::ListLineTarget(line);
        if (target.empty()) {
            m_check.Problem(list, number, "list-line",
                            "not a drive, a colon, a backslash and a relative path of safe "
                            "names: the inventory skips the line");
            return;
        }
        if (IsExcluded(target))
            return;
        std::u16string directory = target;
        const std::u16string name = textcore::SplitLast(directory, u'\\');
        if (restorecore::IsNeverRestored(directory, name))
            return;
        m_bAnyListed = true;
        const std::u16string compressed = u"I386\\" + installcore::CompressedName(name);
        if (!m_check.Tree().IsFile(compressed))
            m_check.Problem(list, number, "list-source",
                            Utf8(target) + " cannot be restored: " + Utf8(compressed) +
                                " is missing");
    }

    // Marks every exclusion line that leaves the path out.
    bool IsExcluded(const std::u16string& target) {
        // OBRA.DAV is left out whatever the lines say.
        if (restorecore::IsExcludedListPath(target, {}, LowerAsciiLetters<std::u16string>))
            return true;
        bool excluded = false;
        for (Exclusion& exclusion : m_exclusions) {
            if (restorecore::IsExcludedListPath(target, {exclusion.text},
                                                LowerAsciiLetters<std::u16string>)) {
                exclusion.used = true;
                excluded = true;
            }
        }
        return excluded;
    }

    CSourceCheck& m_check;
    std::vector<Exclusion> m_exclusions;
    bool m_bAnyListed = false;
};

} // namespace

void CheckRestoreSources(CSourceCheck& check) {
    CRestoreCheck(check).Run();
}

void CheckContainerFile(CSourceCheck& check, const std::u16string& file) {
    const ContainerVerdict verdict = VerifyContainer(ArchiveTextOf(*check.Tree().Find(file)));
    if (!verdict.opened) {
        check.Problem(file, 0, "container",
                      std::string("cannot be read as a container: ") +
                          ArchiveErrorName(verdict.openCode));
        return;
    }
    for (const ContainerFault& fault : verdict.faults) {
        check.Problem(file, 0, "container",
                      fault.code == ArchiveError::InvalidName
                          ? "entry " + Utf8(fault.name) + " has an unsafe name: it is passed over"
                          : "entry " + Utf8(fault.name) +
                                " is damaged: " + ArchiveErrorName(fault.code));
    }
    if (verdict.directoryCode != ArchiveError::Success)
        check.Problem(file, 0, "container",
                      std::string("the directory is damaged: ") +
                          ArchiveErrorName(verdict.directoryCode));
}
