// Opens arbitrary bytes as a container, lists every entry and extracts each into a scratch
// directory. Besides the sanitizers' findings, anything written outside the extraction
// directory is a finding.
#include "archive/ArchiveReader.h"
#include "archive/ArchiveText.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Memory-backed when the system has it: every input writes files.
fs::path MakeScratch() {
    const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (base / "melvorin-archive-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    return pattern;
}

struct Scratch {
    Scratch() : root(MakeScratch()), container(root / "c.inp"), out(root / "out") {}
    ~Scratch() { fs::remove_all(root); }
    fs::path root;
    fs::path container;
    fs::path out;
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
    for (const auto& entry : fs::directory_iterator(scratch.root)) {
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
