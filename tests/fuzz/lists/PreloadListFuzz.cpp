// Reads arbitrary bytes as a file list of the preload directory (ALL.W32, WINDOWS.W32), after a
// first line that holds the [ExcludePath] lines separated by "|", and files every accepted path
// into a folder tree the way the restore inventory does. Besides the sanitizers' findings: an
// accepted path is "C:\" and a relative path of safe names, an excluded path stays excluded with
// more exclusions, the rules for what is never offered ignore letter case, and a directory finds
// the same folder in any letter case, below folders named after its components.
#include "FuzzSupport.h"
#include "archive/ArchiveNames.h"
#include "common/core/DrivePaths.h"
#include "restore/core/ListRules.h"

#include <cstdint>
#include <memory>
#include <string>

using namespace restorecore;
using fuzz::Contains;
using fuzz::Require;

namespace {

using Lines = std::vector<std::u16string>;

// A folder of the inventory's tree, its names compared as the portable build folds them.
struct Folder {
    explicit Folder(std::u16string folderName) : name(std::move(folderName)) {}

    Folder* FindChild(const std::u16string& childName) const {
        for (const auto& child : children) {
            if (fuzz::Lower(child->name) == fuzz::Lower(childName))
                return child.get();
        }
        return nullptr;
    }
    Folder& AddChild(std::unique_ptr<Folder> child) {
        child->parent = this;
        children.push_back(std::move(child));
        return *children.back();
    }

    std::u16string name;
    Folder* parent = nullptr;
    std::vector<std::unique_ptr<Folder>> children;
};

// The names from the root down to the folder, joined by backslashes.
std::u16string PathOf(const Folder& folder) {
    if (!folder.parent)
        return {};
    const std::u16string above = PathOf(*folder.parent);
    return above.empty() ? folder.name : above + u"\\" + folder.name;
}

// The directory's components without the empty ones, joined by backslashes.
std::u16string ComponentsOf(std::u16string directory) {
    std::u16string rest = directory.size() > 3 ? directory.substr(3) : std::u16string();
    std::u16string joined;
    while (!rest.empty()) {
        const std::u16string name = textcore::SplitFirst(rest, u'\\');
        if (!name.empty())
            joined += (joined.empty() ? u"" : u"\\") + name;
    }
    return joined;
}

void CheckFolder(Folder& root, const std::u16string& directory) {
    Folder& folder = FindOrCreateFolder(root, directory);
    Require(&FindOrCreateFolder(root, fuzz::UpperAsciiLetters(directory)) == &folder);
    Require(&FindOrCreateFolder(root, fuzz::Lower(directory)) == &folder);
    Require(fuzz::Lower(PathOf(folder)) == fuzz::Lower(ComponentsOf(directory)));
}

void CheckNeverRestored(const std::u16string& directory, const std::u16string& fileName) {
    const bool never = IsNeverRestored(directory, fileName);
    Require(IsNeverRestored(fuzz::UpperAsciiLetters(directory),
                            fuzz::UpperAsciiLetters(fileName)) == never);
    if (fuzz::Lower(fileName) == u"obra.dav" || Contains(fuzz::Lower(directory), u":\\recycled"))
        Require(never);
}

void CheckExclusions(const std::u16string& path, const Lines& exclusions) {
    const bool excluded = IsExcludedListPath(path, exclusions, fuzz::Lower);
    if (IsExcludedListPath(path, {}, fuzz::Lower))
        Require(excluded);
    for (const std::u16string& exclusion : exclusions) {
        if (IsExcludedListPath(path, {exclusion}, fuzz::Lower))
            Require(excluded);
    }
    if (Contains(fuzz::Lower(path), u"obra.dav"))
        Require(excluded);
    // Any piece of the path, in other letters, leaves it out.
    const std::u16string piece = fuzz::UpperAsciiLetters(path.substr(path.size() / 2));
    Require(IsExcludedListPath(path, {piece}, fuzz::Lower));
}

void CheckLine(Folder& root, const std::u16string& line, const Lines& exclusions) {
    const std::u16string target = ListLineTarget(line);
    const std::u16string trimmed = textcore::TrimBlanks(line);
    if (target.empty()) {
        Require(!textcore::IsDriveRootedPath(trimmed) || !IsSafeEntryName(trimmed.substr(3)));
        return;
    }
    Require(target.compare(0, 3, u"C:\\") == 0 && target.size() > 3 &&
            IsSafeEntryName(std::u16string_view(target).substr(3)) &&
            target.substr(3) == trimmed.substr(3));
    CheckExclusions(target, exclusions);
    std::u16string directory = target;
    const std::u16string fileName = textcore::SplitLast(directory, u'\\');
    Require(textcore::IsDriveRootedPath(directory + u"\\") && !fileName.empty());
    CheckNeverRestored(directory, fileName);
    CheckFolder(root, directory);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::u16string exclusionLine = textcore::DecodeWindows1252(fuzz::TakeInputLine(input));
    Lines exclusions;
    while (!exclusionLine.empty())
        exclusions.push_back(textcore::SplitFirst(exclusionLine, u'|'));
    Folder root(u"C:");
    for (const std::u16string& line : fuzz::TextFileLines(input))
        CheckLine(root, line, exclusions);
    return 0;
}
