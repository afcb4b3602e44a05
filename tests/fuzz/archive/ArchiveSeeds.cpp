// Writes the seed corpus of the container fuzz target: small containers of the shapes that
// recovery media hold.
#include "archive/ArchiveError.h"
#include "archive/ArchiveText.h"
#include "tools/ArchiveWriter.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using Bytes = std::vector<std::uint8_t>;

struct SeedEntry {
    std::u16string name;
    Bytes content;
    std::uint32_t attributes = ArchiveAttributes::Archive;
};

Bytes Words(std::size_t size) {
    static const std::string text =
        "[Restore]\r\nFile=system32\\drivers\\ndis.sys\r\nSize=4096\r\n";
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>(text[i % text.size()] + (i / 4096) % 3);
    }
    return bytes;
}

Bytes Binary(std::size_t size) {
    Bytes bytes(size);
    std::uint32_t state = 12345;
    for (auto& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<std::uint8_t>(state >> 16 & 0x0F);
    }
    return bytes;
}

bool WriteSeed(const fs::path& path, const std::vector<SeedEntry>& entries) {
    CArchiveWriter writer(9);
    if (!writer.Create(Utf8ToUtf16(path.string()))) {
        return false;
    }
    for (const SeedEntry& entry : entries) {
        ArchiveFileTimes times{125000000000000000, 126000000000000000, 126444736001234567};
        if (!writer.AddEntry({entry.name, entry.attributes, times}, entry.content)) {
            return false;
        }
    }
    return writer.Finish();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: archive_fuzz_seeds DIRECTORY\n");
        return 2;
    }
    const fs::path directory = argv[1];
    fs::create_directories(directory);
    const std::vector<std::pair<const char*, std::vector<SeedEntry>>> seeds = {
        {"empty.inp", {}},
        {"one.inp", {{u"A.TXT", Words(300)}}},
        {"tree.inp",
         {{u"WINDOWS\\SYSTEM32\\drivers\\x.sys", Binary(2000)},
          {u"WINDOWS\\win.ini", Words(120), ArchiveAttributes::ReadOnly},
          {u"WINDOWS\\empty.log", {}},
          {u"boot.ini", Words(40), ArchiveAttributes::Hidden | ArchiveAttributes::System}}},
        {"blocks.inp", {{u"big.dat", Words(2 * 1048576 + 1000)}}},
        {"unsafe.inp", {{u"..\\up.txt", Words(10)}, {u"CON", Words(10)}, {u"ok.txt", Words(10)}}},
    };
    for (const auto& [name, entries] : seeds) {
        if (!WriteSeed(directory / name, entries)) {
            std::fprintf(stderr, "archive_fuzz_seeds: %s: %s\n", name,
                         ArchiveErrorName(GetArchiveLastError()).c_str());
            return 1;
        }
    }
    return 0;
}
