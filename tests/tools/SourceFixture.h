#pragma once

#include "support/TempDir.h"

#include <filesystem>
#include <string>

// A minimal recovery source that the checker finds clean, in a fresh temporary directory, with
// Install.ini beside it (not on it, as on a PC): an application with a setup program, one with a
// desktop shortcut, a driver carried out from an INF file whose file lies compressed on the
// source, a driver whose INF file leaves a bundle script of each kind, a container and a list whose
// file lies compressed in I386 beside the expansion tool. Tests break one thing each.
class CSourceFixture {
public:
    CSourceFixture();

    std::filesystem::path Root() const { return m_dir / "source"; }
    std::filesystem::path InstallIni() const { return m_dir / "Install.ini"; }

    // A file of the source, by its path with "/" separators.
    std::filesystem::path File(const std::string& relative) const;
    // Writes text with carriage return and line feed after each "\n" given.
    void Write(const std::string& relative, const std::string& lines) const;
    // The same as UTF-16LE (ASCII text only), with the byte-order mark or without.
    void WriteUtf16(const std::string& relative, const std::string& lines, bool mark) const;
    void WriteBytesOf(const std::string& relative, const std::string& bytes) const;
    void Remove(const std::string& relative) const;
    // Replaces the first occurrence of `from` in a file of the source (lines as for Write).
    void Replace(const std::string& relative, const std::string& from, const std::string& to) const;
    void WriteInstallIni(const std::string& lines) const;

private:
    TempDir m_dir;
};

// Text lines ended by "\n", as the program's files hold them: each with "\r\n".
std::string WithCrLf(const std::string& lines);
