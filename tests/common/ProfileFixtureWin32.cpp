// The shared tests over real files, through the Windows classes and functions.
#include "common/ProfileFixture.h"

#include "support/FileBytes.h"
#include "support/TempDir.h"

#include "common/IniReader.h"
#include "common/LineFile.h"
#include "common/TextConversion.h"
#include "common/TextFile.h"

namespace {

// A fresh directory with the file "test.ini" holding the given bytes.
struct ProfileOnDisk {
    explicit ProfileOnDisk(const std::string& bytes) { WriteBytes(dir / L"test.ini", bytes); }
    std::wstring Path() const { return dir / L"test.ini"; }
    TempDir dir;
};

} // namespace

struct CTextUnderTest::Impl {
    ProfileOnDisk disk;
    CTextFile file;
};

CTextUnderTest::CTextUnderTest(const std::string& bytes)
    : m_impl(new Impl{ProfileOnDisk(bytes), {}}) {}
CTextUnderTest::~CTextUnderTest() = default;

bool CTextUnderTest::Open() {
    return m_impl->file.Open(m_impl->disk.Path());
}
bool CTextUnderTest::OpenMissing() {
    return m_impl->file.Open(m_impl->disk.dir / L"missing.ini");
}
void CTextUnderTest::Rewind() {
    m_impl->file.Rewind();
}

LineRead CTextUnderTest::ReadLine() {
    std::wstring text = m_impl->file.ReadLine();
    return {ToUtf16(text), m_impl->file.IsEnd()};
}

bool CTextUnderTest::IsEnd() const {
    return m_impl->file.IsEnd();
}
bool CTextUnderTest::IsUnicode() const {
    return m_impl->file.IsUnicode();
}
void CTextUnderTest::Close() {
    m_impl->file.Close();
}

std::vector<LineRead> ReadLineFileLines(const std::string& bytes, size_t count) {
    ProfileOnDisk disk(bytes);
    CLineFile file;
    std::vector<LineRead> result;
    if (!file.Open(disk.Path(), CLineFile::modeRead))
        return result;
    while (result.size() < count) {
        std::wstring text = file.ReadLine();
        result.push_back({ToUtf16(text), file.IsEnd()});
    }
    return result;
}

IniLookup IniValue(const std::string& bytes, std::u16string_view section, std::u16string_view key) {
    ProfileOnDisk disk(bytes);
    std::wstring value = L"stale";
    const bool found = GetIniValue(ToWide(section), ToWide(key), L"none", value, disk.Path());
    return {found, ToUtf16(value)};
}

std::vector<std::u16string> IniSectionLines(const std::string& bytes, std::u16string_view section) {
    ProfileOnDisk disk(bytes);
    std::vector<std::wstring> lines{L"stale"};
    GetIniSectionLines(ToWide(section), lines, disk.Path());
    std::vector<std::u16string> result;
    for (const std::wstring& line : lines)
        result.push_back(ToUtf16(line));
    return result;
}

bool IniHasLines(const std::string& bytes, std::u16string_view section) {
    ProfileOnDisk disk(bytes);
    return IniSectionHasLines(ToWide(section), disk.Path());
}
