// The platform layer on POSIX systems. Windows' exclusive opens become advisory whole-file locks
// (honoured by every archive reader), and the read-only attribute is a file without write
// permission, checked by mode so that it also holds for a privileged user.
#include "archive/ArchiveError.h"
#include "archive/ArchiveFile.h"
#include "archive/ArchiveText.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

thread_local std::uint32_t lastError = ArchiveError::Success;

std::uint32_t WindowsErrorOf(int error) {
    switch (error) {
    case ENOENT:
        return ArchiveError::FileNotFound;
    case ENOTDIR:
        return ArchiveError::PathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
        return ArchiveError::AccessDenied;
    case EROFS:
        return ArchiveError::WriteProtect;
    case EWOULDBLOCK:
        return ArchiveError::SharingViolation;
    case EEXIST:
        return ArchiveError::FileExists;
    case ENOSPC:
    case EDQUOT:
        return ArchiveError::DiskFull;
    case ENAMETOOLONG:
        return ArchiveError::FilenameExcedRange;
    case ENOTEMPTY:
        return ArchiveError::DirNotEmpty;
    case ENOMEM:
        return ArchiveError::NotEnoughMemory;
    case EINVAL:
        return ArchiveError::InvalidParameter;
    default:
        return ArchiveError::GenFailure;
    }
}

bool FailWithErrno() {
    return FailWithArchiveError(WindowsErrorOf(errno));
}

// Backslashes separate components here as they do on Windows.
std::string NativePath(std::u16string_view path) {
    std::string native = Utf16ToUtf8(path);
    for (char& c : native) {
        if (c == '\\') {
            c = '/';
        }
    }
    return native;
}

bool IsWritableMode(const struct stat& st) {
    return (st.st_mode & S_IWUSR) != 0;
}

std::uint64_t FileTimeOf(const struct timespec& t) {
    return static_cast<std::uint64_t>(t.tv_sec * 10000000LL + t.tv_nsec / 100 +
                                      static_cast<long long>(ArchiveFormat::FileTimeUnixEpoch));
}

// A zero time leaves the file's time alone, as on Windows.
struct timespec TimespecOf(std::uint64_t fileTime) {
    if (fileTime == 0) {
        return {0, UTIME_OMIT};
    }
    const auto units = static_cast<long long>(fileTime - ArchiveFormat::FileTimeUnixEpoch);
    long long seconds = units / 10000000;
    long long rest = units % 10000000;
    if (rest < 0) {
        rest += 10000000;
        --seconds;
    }
    return {static_cast<time_t>(seconds), static_cast<long>(rest * 100)};
}

int OpenRetryingInterrupts(const std::string& path, int flags) {
    int fd;
    do {
        fd = open(path.c_str(), flags | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

} // namespace

void SetArchiveLastError(std::uint32_t code) {
    lastError = code;
}

std::uint32_t GetArchiveLastError() {
    return lastError;
}

CArchiveFile::~CArchiveFile() {
    CLastErrorKeeper keeper;
    Close();
}

bool CArchiveFile::OpenContainer(std::u16string_view path, ContainerAccess& access,
                                 bool createMissing) {
    const std::string native = NativePath(path);
    struct stat st;
    const bool exists = stat(native.c_str(), &st) == 0;
    if (!exists && !createMissing) {
        return FailWithArchiveError(ArchiveError::FileNotFound);
    }
    if (exists && S_ISDIR(st.st_mode)) {
        return FailWithArchiveError(ArchiveError::AccessDenied);
    }
    access = !exists              ? ContainerAccess::Created
             : IsWritableMode(st) ? ContainerAccess::ReadWrite
                                  : ContainerAccess::ReadOnly;
    const int flags = access == ContainerAccess::Created     ? O_RDWR | O_CREAT | O_EXCL
                      : access == ContainerAccess::ReadWrite ? O_RDWR
                                                             : O_RDONLY;
    int fd = OpenRetryingInterrupts(native, flags);
    if (fd < 0 && access == ContainerAccess::ReadWrite && (errno == EACCES || errno == EROFS)) {
        access = ContainerAccess::ReadOnly;
        fd = OpenRetryingInterrupts(native, O_RDONLY);
    }
    if (fd < 0) {
        return FailWithErrno();
    }
    m_handle = fd;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        Close();
        return FailWithArchiveError(WindowsErrorOf(error));
    }
    return true;
}

bool CArchiveFile::CreateNew(std::u16string_view path) {
    const int fd = OpenRetryingInterrupts(NativePath(path), O_RDWR | O_CREAT | O_EXCL);
    if (fd < 0) {
        return FailWithErrno();
    }
    m_handle = fd;
    return true;
}

bool CArchiveFile::OpenForReading(std::u16string_view path) {
    const int fd = OpenRetryingInterrupts(NativePath(path), O_RDONLY);
    if (fd < 0) {
        return FailWithErrno();
    }
    m_handle = fd;
    return true;
}

bool CArchiveFile::Seek(std::uint64_t position) {
    if (position > static_cast<std::uint64_t>(INT64_MAX)) {
        return FailWithArchiveError(ArchiveError::InvalidParameter);
    }
    if (lseek(static_cast<int>(m_handle), static_cast<off_t>(position), SEEK_SET) < 0) {
        return FailWithErrno();
    }
    return true;
}

bool CArchiveFile::Read(void* buffer, std::uint32_t size, std::uint32_t& done) {
    done = 0;
    while (done < size) {
        const ssize_t n =
            read(static_cast<int>(m_handle), static_cast<char*>(buffer) + done, size - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return FailWithErrno();
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::uint32_t>(n);
    }
    return true;
}

bool CArchiveFile::Write(const void* data, std::uint32_t size) {
    std::uint32_t done = 0;
    while (done < size) {
        const ssize_t n =
            write(static_cast<int>(m_handle), static_cast<const char*>(data) + done, size - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return FailWithErrno();
        }
        done += static_cast<std::uint32_t>(n);
    }
    return true;
}

bool CArchiveFile::GetSize(std::uint64_t& size) {
    struct stat st;
    if (fstat(static_cast<int>(m_handle), &st) != 0) {
        return FailWithErrno();
    }
    size = static_cast<std::uint64_t>(st.st_size);
    return true;
}

// The platform keeps no creation time that could be set.
bool CArchiveFile::SetTimes(const ArchiveFileTimes& times) {
    const struct timespec both[2] = {TimespecOf(times.lastAccess), TimespecOf(times.lastWrite)};
    if (futimens(static_cast<int>(m_handle), both) != 0) {
        return FailWithErrno();
    }
    return true;
}

bool CArchiveFile::Close() {
    if (!IsOpen()) {
        return true;
    }
    const int fd = static_cast<int>(m_handle);
    m_handle = InvalidHandle;
    if (close(fd) != 0 && errno != EINTR) {
        return FailWithErrno();
    }
    return true;
}

bool ArchivePathExists(std::u16string_view path) {
    struct stat st;
    return stat(NativePath(path).c_str(), &st) == 0;
}

bool ArchiveCreateDirectory(std::u16string_view path) {
    if (mkdir(NativePath(path).c_str(), 0777) != 0) {
        return FailWithErrno();
    }
    return true;
}

bool ArchiveCheckReplaceable(std::u16string_view path) {
    struct stat st;
    if (lstat(NativePath(path).c_str(), &st) != 0) {
        return errno == ENOENT || FailWithErrno();
    }
    if (S_ISDIR(st.st_mode) || (S_ISREG(st.st_mode) && !IsWritableMode(st))) {
        return FailWithArchiveError(ArchiveError::AccessDenied);
    }
    return true;
}

// Of the attributes only read-only has a place here: the write permissions.
bool ArchiveSetAttributes(std::u16string_view path, std::uint32_t attributes) {
    const std::string native = NativePath(path);
    struct stat st;
    if (stat(native.c_str(), &st) != 0) {
        return FailWithErrno();
    }
    const mode_t mode = (attributes & ArchiveAttributes::ReadOnly) != 0
                            ? st.st_mode & ~mode_t{S_IWUSR | S_IWGRP | S_IWOTH}
                            : st.st_mode | S_IWUSR;
    if (chmod(native.c_str(), mode & 07777) != 0) {
        return FailWithErrno();
    }
    return true;
}

bool ArchiveReplaceFile(std::u16string_view from, std::u16string_view to) {
    if (rename(NativePath(from).c_str(), NativePath(to).c_str()) != 0) {
        return FailWithErrno();
    }
    return true;
}

bool ArchiveDeleteFile(std::u16string_view path) {
    if (unlink(NativePath(path).c_str()) != 0) {
        return FailWithErrno();
    }
    return true;
}

bool ArchiveGetFileInfo(std::u16string_view path, ArchiveFileInfo& info) {
    struct statx st;
    if (statx(AT_FDCWD, NativePath(path).c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &st) != 0) {
        return FailWithErrno();
    }
    const auto timeOf = [](const struct statx_timestamp& t) {
        return FileTimeOf({static_cast<time_t>(t.tv_sec), static_cast<long>(t.tv_nsec)});
    };
    info.attributes = S_ISDIR(st.stx_mode)           ? ArchiveAttributes::Directory
                      : (st.stx_mode & S_IWUSR) == 0 ? ArchiveAttributes::ReadOnly
                                                     : ArchiveAttributes::Normal;
    info.times.lastAccess = timeOf(st.stx_atime);
    info.times.lastWrite = timeOf(st.stx_mtime);
    info.times.creation =
        (st.stx_mask & STATX_BTIME) != 0 ? timeOf(st.stx_btime) : info.times.lastWrite;
    info.size = st.stx_size;
    return true;
}
