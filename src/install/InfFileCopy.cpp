#include "install/InfFileCopy.h"

#include "archive/StagedFile.h"
#include "common/Paths.h"
#include "common/TextConversion.h"
#include "common/core/Szdd.h"
#include "install/InfRules.h"

namespace {

// An open archive file as the expander reads it.
class CFileByteSource : public textcore::IByteSource {
public:
    explicit CFileByteSource(CArchiveFile& file) : m_file(file) {}

    size_t Read(void* buffer, size_t size) override {
        std::uint32_t done = 0;
        if (!m_file.Read(buffer, static_cast<std::uint32_t>(size), done)) {
            m_failed = true;
            return 0;
        }
        return done;
    }
    bool SeekToStart() override { return m_file.Seek(0); }
    bool Failed() const { return m_failed; }

private:
    CArchiveFile& m_file;
    bool m_failed = false;
};

// Opens the file, or its compressed form; the path opened is returned.
std::u16string OpenSource(CArchiveFile& file, const std::wstring& sourceDir,
                          const std::wstring& name) {
    for (const std::wstring& candidate : {name, CompressedName(name)}) {
        const std::u16string path = ToUtf16(JoinPath(sourceDir, candidate));
        if (file.OpenForReading(path))
            return path;
    }
    return {};
}

bool WriteContent(CFileByteSource& source, CArchiveFile& target) {
    const szdd::ByteSink sink = [&](const void* data, size_t size) {
        return target.Write(data, static_cast<std::uint32_t>(size));
    };
    switch (szdd::Expand(source, sink)) {
    case szdd::Result::Expanded:
        return !source.Failed();
    case szdd::Result::NotSzdd:
        break;
    case szdd::Result::Truncated:
    case szdd::Result::WriteFailed:
        return false;
    }
    if (source.Failed() || !source.SeekToStart())
        return false;
    char block[64 * 1024];
    for (;;) {
        const size_t read = source.Read(block, sizeof block);
        if (source.Failed())
            return false;
        if (read == 0)
            return true;
        if (!sink(block, read))
            return false;
    }
}

} // namespace

bool CopyInfFile(const std::wstring& sourceDir, const std::wstring& name,
                 const std::wstring& targetDir) {
    CArchiveFile file;
    const std::u16string sourcePath = OpenSource(file, sourceDir, name);
    ArchiveFileInfo info;
    if (sourcePath.empty() || !ArchiveGetFileInfo(sourcePath, info))
        return false;
    CreateDirectoryPath(targetDir);
    CStagedFile staged(ToUtf16(JoinPath(targetDir, name)));
    CFileByteSource source(file);
    return staged.Create() && WriteContent(source, staged.File()) &&
           staged.Commit(info.times, ArchiveAttributes::Normal);
}
