#include "tools/InpTool.h"

#include "archive/ArchiveError.h"
#include "archive/ArchiveFile.h"
#include "archive/ArchiveNames.h"
#include "archive/ArchiveReader.h"
#include "archive/ArchiveText.h"
#include "tools/ArchiveWriter.h"
#include "tools/CheckSource.h"
#include "tools/ContainerCheck.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <string_view>

namespace {

namespace fs = std::filesystem;

constexpr const char* Usage =
    "usage: inptool list CONTAINER | extract CONTAINER DESTDIR [NAME ...] | "
    "create CONTAINER SOURCEDIR | verify CONTAINER\n   or: ";

std::string Text(std::u16string_view text) {
    return Utf16ToUtf8(text);
}

// One line: what failed and the code that says why.
int Report(std::ostream& err, const std::string& what, std::uint32_t code) {
    err << "inptool: " << what << ": " << ArchiveErrorName(code) << " (" << code << ")\n";
    return 1;
}

int ReportLastError(std::ostream& err, const std::string& what) {
    return Report(err, what, GetArchiveLastError());
}

// ReadEntry failed: the end of the directory, or a damaged one.
int EndOfDirectory(std::ostream& err, std::u16string_view container) {
    const std::uint32_t code = GetArchiveLastError();
    return code == ArchiveError::NoMoreItems ? 0 : Report(err, Text(container), code);
}

std::string FormatAttributes(std::uint32_t attributes) {
    char text[11];
    std::snprintf(text, sizeof text, "0x%08X", attributes);
    return text;
}

int List(std::u16string_view container, std::ostream& out, std::ostream& err) {
    CArchiveReader reader;
    if (!OpenExistingContainer(reader, container)) {
        return ReportLastError(err, Text(container));
    }
    while (reader.ReadEntry(true)) {
        out << Text(reader.GetFileName()) << '\t' << reader.GetFileSize() << '\t'
            << reader.GetStoredSize() << '\t' << FormatAttributes(reader.GetAttributes()) << '\t'
            << FormatUtcFileTime(reader.GetFileTimes().lastWrite) << '\n';
    }
    return EndOfDirectory(err, container);
}

bool EqualNames(std::u16string_view a, std::u16string_view b) {
    const auto fold = [](char16_t c) {
        return c == u'/' ? u'\\' : c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
    };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char16_t x, char16_t y) { return fold(x) == fold(y); });
}

// Names compare without regard to ASCII case, and "/" stands for "\".
class CSelection {
public:
    explicit CSelection(std::vector<std::u16string> names)
        : m_names(std::move(names)), m_found(m_names.size()) {}

    bool Takes(std::u16string_view name) {
        bool taken = m_names.empty();
        for (std::size_t i = 0; i < m_names.size(); ++i) {
            if (EqualNames(m_names[i], name)) {
                m_found[i] = taken = true;
            }
        }
        return taken;
    }

    int ReportMissing(std::ostream& err) const {
        int missing = 0;
        for (std::size_t i = 0; i < m_names.size(); ++i) {
            if (!m_found[i]) {
                missing += Report(err, "no entry " + Text(m_names[i]), ArchiveError::FileNotFound);
            }
        }
        return missing;
    }

private:
    std::vector<std::u16string> m_names;
    std::vector<bool> m_found;
};

// Unsafe names are skipped like entries that fail to extract, and said so.
int ReportExtractionFailure(std::ostream& err, std::u16string_view name) {
    const std::uint32_t code = GetArchiveLastError();
    const char* what =
        code == ArchiveError::InvalidName ? "unsafe name, skipped: " : "cannot extract ";
    return Report(err, what + Text(name), code);
}

int Extract(std::u16string_view container, std::u16string_view destination,
            std::vector<std::u16string> names, std::ostream& err) {
    CArchiveReader reader;
    if (!OpenExistingContainer(reader, container)) {
        return ReportLastError(err, Text(container));
    }
    CSelection selection(std::move(names));
    int failures = 0;
    while (reader.ReadEntry(false)) {
        const std::u16string name = reader.GetFileName();
        if (!selection.Takes(name)) {
            reader.ReadEntry(true);
        } else if (!reader.ExtractEntry(destination)) {
            failures += ReportExtractionFailure(err, name);
            reader.ReadEntry(true);
        }
    }
    failures += EndOfDirectory(err, container) + selection.ReportMissing(err);
    return failures == 0 ? 0 : 1;
}

struct SourceFile {
    std::u16string name; // relative, backslash-separated
    std::u16string path;
};

// The components joined by backslashes. A component that holds a backslash itself (a POSIX
// file name may) would read as two.
bool EntryNameOf(const fs::path& relative, std::u16string& name) {
    for (const fs::path& component : relative) {
        const std::u16string text = ArchiveTextOf(component);
        if (text.find(u'\\') != std::u16string::npos) {
            return false;
        }
        if (!name.empty()) {
            name += u'\\';
        }
        name += text;
    }
    return true;
}

// The regular files below 'root', sorted by name.
bool CollectFiles(const fs::path& root, std::vector<SourceFile>& files, std::ostream& err) {
    std::error_code error;
    for (fs::recursive_directory_iterator it(root, error), end; !error && it != end;
         it.increment(error)) {
        if (!it->is_regular_file(error)) {
            continue;
        }
        std::u16string name;
        if (!EntryNameOf(it->path().lexically_relative(root), name)) {
            Report(err, "unsafe name " + it->path().string(), ArchiveError::InvalidName);
            return false;
        }
        files.push_back({std::move(name), ArchiveTextOf(it->path())});
    }
    if (error) {
        err << "inptool: " << root.string() << ": " << error.message() << '\n';
        return false;
    }
    std::sort(files.begin(), files.end(),
              [](const SourceFile& a, const SourceFile& b) { return a.name < b.name; });
    return true;
}

bool AddFile(CArchiveWriter& writer, const SourceFile& file) {
    ArchiveFileInfo info;
    CArchiveFile source;
    if (!ArchiveGetFileInfo(file.path, info) || !source.OpenForReading(file.path)) {
        return false;
    }
    const ArchiveEntryInfo entry{file.name, info.attributes & ~ArchiveAttributes::Directory,
                                 info.times};
    return writer.AddEntry(entry, info.size, [&source](std::uint8_t* buffer, std::uint32_t size) {
        std::uint32_t done = 0;
        return source.Read(buffer, size, done) &&
               (done == size || FailWithArchiveError(ArchiveError::HandleEof));
    });
}

int Create(std::u16string_view container, std::u16string_view sourceDirectory, std::ostream& out,
           std::ostream& err) {
    std::vector<SourceFile> files;
    if (!CollectFiles(PathOfArchiveText(sourceDirectory), files, err)) {
        return 1;
    }
    for (const SourceFile& file : files) {
        if (!IsSafeEntryName(file.name)) {
            return Report(err, "unsafe name " + Text(file.name), ArchiveError::InvalidName);
        }
    }
    CArchiveWriter writer;
    if (!writer.Create(container)) {
        return ReportLastError(err, Text(container));
    }
    for (const SourceFile& file : files) {
        if (!AddFile(writer, file)) {
            return ReportLastError(err, Text(file.path));
        }
    }
    if (!writer.Finish()) {
        return ReportLastError(err, Text(container));
    }
    out << files.size() << " entries\n";
    return 0;
}

int Verify(std::u16string_view container, std::ostream& out, std::ostream& err) {
    const ContainerVerdict verdict = VerifyContainer(container);
    if (!verdict.opened) {
        return Report(err, Text(container), verdict.openCode);
    }
    for (const ContainerFault& fault : verdict.faults) {
        out << Text(fault.name) << '\t' << ArchiveErrorName(fault.code) << '\n';
    }
    const std::size_t bad = verdict.faults.size();
    out << verdict.entries << " entries, " << bad << " bad\n";
    if (verdict.directoryCode != ArchiveError::Success) {
        return Report(err, Text(container), verdict.directoryCode);
    }
    return bad == 0 ? 0
                    : Report(err, Text(container) + ": " + std::to_string(bad) + " bad entries",
                             verdict.faults.front().code);
}

int UsageError(std::ostream& err) {
    err << Usage << CheckSourceUsage << '\n';
    return Report(err, "bad arguments", ArchiveError::InvalidParameter);
}

} // namespace

int RunInpTool(const std::vector<std::u16string>& args, std::ostream& out, std::ostream& err) {
    const std::u16string command = args.empty() ? u"" : args[0];
    if (command == u"list" && args.size() == 2) {
        return List(args[1], out, err);
    }
    if (command == u"extract" && args.size() >= 3) {
        return Extract(args[1], args[2], {args.begin() + 3, args.end()}, err);
    }
    if (command == u"create" && args.size() == 3) {
        return Create(args[1], args[2], out, err);
    }
    if (command == u"verify" && args.size() == 2) {
        return Verify(args[1], out, err);
    }
    if (command == u"check-source") {
        return RunCheckSource({args.begin() + 1, args.end()}, out, err);
    }
    return UsageError(err);
}

// File times count 100-nanosecond units from 1601-01-01, 11,644,473,600 seconds before 1970.
std::string FormatUtcFileTime(std::uint64_t fileTime) {
    using namespace std::chrono;
    const sys_seconds time{seconds(static_cast<std::int64_t>(fileTime / 10000000) - 11644473600)};
    const sys_days day = floor<days>(time);
    const year_month_day date{day};
    const hh_mm_ss clock{time - day};
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ",
                  static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()), static_cast<int>(clock.hours().count()),
                  static_cast<int>(clock.minutes().count()),
                  static_cast<int>(clock.seconds().count()));
    return text;
}
