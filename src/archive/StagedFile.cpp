#include "archive/StagedFile.h"

#include "archive/ArchiveError.h"

#include <atomic>
#include <chrono>

namespace {

constexpr int MaxNameAttempts = 64;

// Short names, so that the temporary path is hardly longer than the target's directory.
std::u16string TemporaryName() {
    static std::atomic<std::uint32_t> counter{
        static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()) *
        2654435761u};
    const std::uint32_t value = counter.fetch_add(0x9E3779B9u);
    std::u16string name = u"~inp";
    for (int shift = 28; shift >= 0; shift -= 4) {
        name += u"0123456789ABCDEF"[value >> shift & 0xF];
    }
    return name + u".tmp";
}

} // namespace

CStagedFile::CStagedFile(std::u16string target) : m_target(std::move(target)) {}

CStagedFile::~CStagedFile() {
    if (m_committed || m_temporary.empty()) {
        return;
    }
    CLastErrorKeeper keeper;
    m_file.Close();
    ArchiveSetAttributes(m_temporary, ArchiveAttributes::Normal);
    ArchiveDeleteFile(m_temporary);
}

bool CStagedFile::Create() {
    const std::size_t separator = m_target.find_last_of(u"\\/");
    const std::u16string prefix =
        separator == std::u16string::npos ? std::u16string() : m_target.substr(0, separator + 1);
    for (int attempt = 0; attempt < MaxNameAttempts; ++attempt) {
        const std::u16string candidate = prefix + TemporaryName();
        if (m_file.CreateNew(candidate)) {
            m_temporary = candidate;
            return true;
        }
        const std::uint32_t error = GetArchiveLastError();
        if (error != ArchiveError::FileExists && error != ArchiveError::AlreadyExists) {
            return false;
        }
    }
    return false;
}

bool CStagedFile::Commit() {
    return m_file.Close() && Replace();
}

bool CStagedFile::Commit(const ArchiveFileTimes& times, std::uint32_t attributes) {
    return m_file.SetTimes(times) && m_file.Close() &&
           ArchiveSetAttributes(m_temporary, attributes) && Replace();
}

bool CStagedFile::Replace() {
    if (!ArchiveReplaceFile(m_temporary, m_target)) {
        return false;
    }
    m_committed = true;
    return true;
}
