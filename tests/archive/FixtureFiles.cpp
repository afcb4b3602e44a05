#include "FixtureFiles.h"

#include "archive/ArchiveText.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#endif

void WriteBytes(const fs::path& path, std::span<const std::uint8_t> bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

Bytes ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> NamesIn(const fs::path& directory) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

#ifdef _WIN32

FileFacts ProbeFile(const fs::path& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        throw std::runtime_error("cannot probe " + path.string());
    }
    return {std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32 |
                data.ftLastWriteTime.dwLowDateTime,
            (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0, data.dwFileAttributes};
}

void SetReadOnly(const fs::path& path, bool readOnly) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    SetFileAttributesW(path.c_str(), readOnly ? attributes | FILE_ATTRIBUTE_READONLY
                                              : attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
}

void SetLastWriteTime(const fs::path& path, std::uint64_t fileTime) {
    const HANDLE h = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("cannot open " + path.string());
    }
    const FILETIME time{static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
    const bool set = SetFileTime(h, nullptr, nullptr, &time);
    CloseHandle(h);
    if (!set) {
        throw std::runtime_error("cannot set the time of " + path.string());
    }
}

#else

namespace {
constexpr std::int64_t UnixEpoch = static_cast<std::int64_t>(ArchiveFormat::FileTimeUnixEpoch);
}

FileFacts ProbeFile(const fs::path& path) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0) {
        throw std::runtime_error("cannot probe " + path.string());
    }
    const bool readOnly = (st.st_mode & S_IWUSR) == 0;
    return {static_cast<std::uint64_t>(st.st_mtim.tv_sec * 10000000LL + st.st_mtim.tv_nsec / 100 +
                                       UnixEpoch),
            readOnly, readOnly ? ArchiveAttributes::ReadOnly : 0u};
}

void SetReadOnly(const fs::path& path, bool readOnly) {
    struct stat st;
    if (stat(path.c_str(), &st) == 0) {
        chmod(path.c_str(), readOnly ? st.st_mode & ~0222u : st.st_mode | S_IWUSR);
    }
}

void SetLastWriteTime(const fs::path& path, std::uint64_t fileTime) {
    const std::int64_t units = static_cast<std::int64_t>(fileTime) - UnixEpoch;
    const struct timespec times[2] = {
        {0, UTIME_OMIT},
        {static_cast<time_t>(units / 10000000), static_cast<long>(units % 10000000 * 100)}};
    if (utimensat(AT_FDCWD, path.c_str(), times, 0) != 0) {
        throw std::runtime_error("cannot set the time of " + path.string());
    }
}

#endif
