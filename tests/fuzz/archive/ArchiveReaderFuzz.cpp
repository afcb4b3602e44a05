// Opens arbitrary bytes as a container, lists every entry and extracts each into a scratch
// directory. Besides the sanitizers' findings, anything written outside the extraction
// directory is a finding.
#include "archive/ArchiveReader.h"
#include "archive/ArchiveText.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

// Memory-backed when the system has it: every input writes files.
fs::path ScratchParent() {
    return fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
}

struct Scratch {
    TempDir root{ScratchParent()};
    fs::path container = root / "c.inp";
    fs::path out = root / "out";
};

void WriteInput(const fs::path& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

void ListAndExtract(const Scratch& scratch) {
    CArchiveReader reader;
    if (!reader.Open(Utf8ToUtf16(scratch.container.string()))) {
        return;
    }
    const std::u16string destination = Utf8ToUtf16(scratch.out.string());
    while (reader.ReadEntry(false)) {
        (void)reader.GetFileName();
        (void)reader.GetLastWriteTime();
        if (!reader.ExtractEntry(destination) && !reader.ReadEntry(true)) {
            break;
        }
    }
    reader.Close();
}

// Only the container and the extraction directory may exist below the scratch root.
void CheckNothingEscaped(const Scratch& scratch) {
    for (const auto& entry : fs::directory_iterator(scratch.root.Path())) {
        if (entry.path() != scratch.container && entry.path() != scratch.out) {
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Scratch scratch;
    WriteInput(scratch.container, data, size);
    ListAndExtract(scratch);
    CheckNothingEscaped(scratch);
    std::error_code error;
    fs::remove_all(scratch.out, error);
    return 0;
}
