#pragma once

#include <cstdint>
#include <string>

// Error codes of the archive reader. They are the Windows error codes by value, so that the
// Windows build reports them through the thread's last-error value and the portable build
// reports the same numbers through a per-thread value of its own.
namespace ArchiveError {
inline constexpr std::uint32_t Success = 0;
inline constexpr std::uint32_t FileNotFound = 2;
inline constexpr std::uint32_t PathNotFound = 3;
inline constexpr std::uint32_t AccessDenied = 5;
inline constexpr std::uint32_t NotEnoughMemory = 8;
inline constexpr std::uint32_t BadFormat = 11;
inline constexpr std::uint32_t WriteProtect = 19;
inline constexpr std::uint32_t GenFailure = 31;
inline constexpr std::uint32_t SharingViolation = 32;
inline constexpr std::uint32_t HandleEof = 38;
inline constexpr std::uint32_t FileExists = 80;
inline constexpr std::uint32_t InvalidParameter = 87;
inline constexpr std::uint32_t DiskFull = 112;
inline constexpr std::uint32_t InsufficientBuffer = 122;
inline constexpr std::uint32_t InvalidName = 123;
inline constexpr std::uint32_t DirNotEmpty = 145;
inline constexpr std::uint32_t AlreadyExists = 183;
inline constexpr std::uint32_t FilenameExcedRange = 206;
inline constexpr std::uint32_t NoMoreItems = 259;
inline constexpr std::uint32_t Directory = 267;
inline constexpr std::uint32_t InternalError = 1359;
inline constexpr std::uint32_t FileCorrupt = 1392;
} // namespace ArchiveError

// The calling thread's last-error value (on Windows, the one of SetLastError/GetLastError).
void SetArchiveLastError(std::uint32_t code);
std::uint32_t GetArchiveLastError();

// Sets the calling thread's last-error value and returns false, for "return Fail(...)".
inline bool FailWithArchiveError(std::uint32_t code) {
    SetArchiveLastError(code);
    return false;
}

// The symbolic name of a code ("ERROR_FILE_CORRUPT"), or "error N" for codes without one here.
std::string ArchiveErrorName(std::uint32_t code);

// Keeps the last-error value across clean-up work that may overwrite it.
class CLastErrorKeeper {
public:
    CLastErrorKeeper() : m_code(GetArchiveLastError()) {}
    ~CLastErrorKeeper() { SetArchiveLastError(m_code); }
    CLastErrorKeeper(const CLastErrorKeeper&) = delete;
    CLastErrorKeeper& operator=(const CLastErrorKeeper&) = delete;

private:
    std::uint32_t m_code;
};
