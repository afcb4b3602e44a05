#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// The line readers and the profile reader, as the shared tests see them: over memory in the
// portable build, over real files in a fresh temporary directory in the Windows build.

enum class Encoding { Ansi, Utf16Le, Utf8 };

// `text` as the bytes of a file: ANSI (Windows-1252, characters up to 255), UTF-16LE with its
// mark FF FE, or UTF-8 with its mark EF BB BF.
std::string Encode(Encoding encoding, std::u16string_view text);
std::string NameOf(Encoding encoding);

struct LineRead {
    std::u16string text;
    bool end;
    bool operator==(const LineRead&) const = default;
};
std::ostream& operator<<(std::ostream& os, const LineRead& line);

// A file holding the given bytes, read through the text file reader.
class CTextUnderTest {
public:
    explicit CTextUnderTest(const std::string& bytes);
    ~CTextUnderTest();

    bool Open();
    bool OpenMissing(); // opens a file that does not exist
    void Rewind();
    LineRead ReadLine();
    std::vector<LineRead> ReadLines(size_t count);
    bool IsEnd() const;
    bool IsUnicode() const;
    void Close();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// A file holding the given bytes, read through the UTF-16LE line file.
std::vector<LineRead> ReadLineFileLines(const std::string& bytes, size_t count);

// The profile reader over a file holding the given bytes; the default is "none".
struct IniLookup {
    bool found;
    std::u16string value;
    bool operator==(const IniLookup&) const = default;
};
std::ostream& operator<<(std::ostream& os, const IniLookup& lookup);

IniLookup IniValue(const std::string& bytes, std::u16string_view section, std::u16string_view key);
std::vector<std::u16string> IniSectionLines(const std::string& bytes, std::u16string_view section);
bool IniHasLines(const std::string& bytes, std::u16string_view section);
