#include "archive/ArchiveError.h"

#include <array>
#include <utility>

std::string ArchiveErrorName(std::uint32_t code) {
    static constexpr std::array<std::pair<std::uint32_t, const char*>, 22> names{{
        {ArchiveError::Success, "ERROR_SUCCESS"},
        {ArchiveError::FileNotFound, "ERROR_FILE_NOT_FOUND"},
        {ArchiveError::PathNotFound, "ERROR_PATH_NOT_FOUND"},
        {ArchiveError::AccessDenied, "ERROR_ACCESS_DENIED"},
        {ArchiveError::NotEnoughMemory, "ERROR_NOT_ENOUGH_MEMORY"},
        {ArchiveError::BadFormat, "ERROR_BAD_FORMAT"},
        {ArchiveError::WriteProtect, "ERROR_WRITE_PROTECT"},
        {ArchiveError::GenFailure, "ERROR_GEN_FAILURE"},
        {ArchiveError::SharingViolation, "ERROR_SHARING_VIOLATION"},
        {ArchiveError::HandleEof, "ERROR_HANDLE_EOF"},
        {ArchiveError::FileExists, "ERROR_FILE_EXISTS"},
        {ArchiveError::InvalidParameter, "ERROR_INVALID_PARAMETER"},
        {ArchiveError::DiskFull, "ERROR_DISK_FULL"},
        {ArchiveError::InsufficientBuffer, "ERROR_INSUFFICIENT_BUFFER"},
        {ArchiveError::InvalidName, "ERROR_INVALID_NAME"},
        {ArchiveError::DirNotEmpty, "ERROR_DIR_NOT_EMPTY"},
        {ArchiveError::AlreadyExists, "ERROR_ALREADY_EXISTS"},
        {ArchiveError::FilenameExcedRange, "ERROR_FILENAME_EXCED_RANGE"},
        {ArchiveError::NoMoreItems, "ERROR_NO_MORE_ITEMS"},
        {ArchiveError::Directory, "ERROR_DIRECTORY"},
        {ArchiveError::InternalError, "ERROR_INTERNAL_ERROR"},
        {ArchiveError::FileCorrupt, "ERROR_FILE_CORRUPT"},
    }};
    for (const auto& [value, name] : names) {
        if (value == code) {
            return name;
        }
    }
    return "error " + std::to_string(code);
}
