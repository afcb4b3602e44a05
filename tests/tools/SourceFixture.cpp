#include "SourceFixture.h"

#include "archive/ContainerBuilder.h"
#include "archive/FixtureFiles.h"

#include <fstream>
#include <stdexcept>

namespace {

const char kInstallIni[] = "[General]\n"
                           "DefaultLangDisplay=English\n"
                           "[English]\n"
                           "Title=Recovery\n"
                           "[ExcludePath]\n"
                           "c:\\windows\\temp\n";

const char kInf[] = "[VIDEODRV]\n"
                    "CopyFiles=VideoFiles\n"
                    "AddReg=VideoReg\n"
                    "UpdateInis=VideoIni\n"
                    "[DestinationDirs]\n"
                    "VideoFiles=11\n"
                    "[VideoFiles]\n"
                    "video.sys\n"
                    "[SourceDisksFiles]\n"
                    "video.sys=100,I386\\VIDEO\n"
                    "[VideoReg]\n"
                    "HKLM,Software\\Video,Mode,0,fast\n"
                    "[VideoIni]\n"
                    "system.ini,drivers,,video=video.sys\n";

// A driver whose INF file copies bundle scripts of each kind into the bundle directory.
const char kBundleInf[] = "[PACKAGES]\n"
                          "CopyFiles=Bundles\n"
                          "[DestinationDirs]\n"
                          "Bundles=17,asm\n"
                          "[SourceDisksFiles]\n"
                          "PACK.COP=100,I386\\PACK\n"
                          "PACK.DEL=100,I386\\PACK\n"
                          "PACK.CFL=100,I386\\PACK\n"
                          "PACK.RGD=100,I386\\PACK\n"
                          "[Bundles]\n"
                          "PACK.COP\n"
                          "PACK.DEL\n"
                          "PACK.CFL\n"
                          "PACK.RGD\n";

} // namespace

std::string WithCrLf(const std::string& lines) {
    std::string text;
    for (const char c : lines) {
        if (c == '\n')
            text += '\r';
        text += c;
    }
    return text;
}

CSourceFixture::CSourceFixture() {
    WriteInstallIni(kInstallIni);
    Write("Master.log", "[Master]\nLanguage=English\n");
    // Names differ in letter case from the files they name, as Windows allows.
    Write("I386/APPS/DTA/setup.dta", "[App]\n"
                                     "Description=Notes\n"
                                     "Installation_Type=RunOnce\\Setup\n"
                                     "SourceDir=notes\n"
                                     "Exe_File=SETUP.EXE\n"
                                     "CmdLine=/s\n");
    Write("I386/NOTES/setup.exe", "MZ\n");
    Write("I386/APPS/DTA/desk.dta", "[App]\n"
                                    "Description=Atlas (Desktop Shortcut)\n"
                                    "Installation_Type=Desktop\n"
                                    "SourceDir=ATLAS\n"
                                    "Exe_File=atlas.exe\n");
    Write("I386/ATLAS/atlas.exe", "MZ\n");
    Write("I386/DRV/DTA/video.dta", "[Drv]\n"
                                    "Description=Video (VGA)\n"
                                    "Installation_Type=RunOnce\\Setup\n"
                                    "SourceDir=VIDEO\n"
                                    "Exe_File=inf\n"
                                    "Exe_File1=VIDEODRV.INF\n");
    Write("I386/VIDEO/VIDEODRV.INF", kInf);
    WriteBytesOf("I386/VIDEO/video.sy_", "SZDD");
    Write("I386/DRV/DTA/pack.dta", "[Drv]\n"
                                   "Description=Pack\n"
                                   "Installation_Type=RunOnce\\Setup\n"
                                   "SourceDir=PACK\n"
                                   "Exe_File=inf\n"
                                   "Exe_File1=PACKAGES.INF\n");
    Write("I386/PACK/PACKAGES.INF", kBundleInf);
    Write("I386/PACK/PACK.COP", "[Bundle]\n"
                                "Description=Pack: copying\n"
                                "[copy]\n"
                                "PACK\\FILES\\A.TXT|C:\\Program Files\\Pack\\A.TXT|A\n"
                                "<|C:\\Program Files\\Pack\\Data\n");
    Write("I386/PACK/FILES/A.TXT", "a\n");
    // The profile functions read the description only with the byte-order mark, which the line
    // file takes for the first line's first character.
    WriteUtf16("I386/PACK/PACK.DEL",
               "[Bundle]\n"
               "Description=Pack: deleting\n"
               "[del]\n"
               "C:\\Program Files\\Pack\\old.txt\n",
               true);
    Write("I386/PACK/PACK.CFL", "[Bundle]\n"
                                "Description=Pack: extracting\n"
                                "[extract]\n"
                                "PACK\\DATA.INP\n");
    WriteUtf16("I386/PACK/PACK.RGD",
               "[delreg]\n"
               "HKEY_CURRENT_USER\\Software\\Pack|Key|||\n",
               false);
    FixtureContainer container;
    container.entries = {EntryOf(u"PACK\\A.DAT", Text(10))};
    WriteBytes(File("I386/PACK/DATA.INP"), container.Build());
    container.entries = {EntryOf(u"WINDOWS\\SYSTEM\\A.DLL", Text(100))};
    fs::create_directories(File("PRELOAD"));
    WriteBytes(File("PRELOAD/SYSTEM.inp"), container.Build());
    Write("PRELOAD/ALL.W32", "D:\\WINDOWS\\SYSTEM\\X.DLL\nD:\\WINDOWS\\TEMP\\Y.TMP\n");
    WriteBytesOf("I386/X.DL_", "SZDD");
    WriteBytesOf("I386/Expand.exe", "MZ");
}

std::filesystem::path CSourceFixture::File(const std::string& relative) const {
    return Root() / std::filesystem::path(relative).make_preferred();
}

void CSourceFixture::Write(const std::string& relative, const std::string& lines) const {
    WriteBytesOf(relative, WithCrLf(lines));
}

void CSourceFixture::WriteUtf16(const std::string& relative, const std::string& lines,
                                bool mark) const {
    std::string bytes = mark ? "\xFF\xFE" : "";
    for (const char c : WithCrLf(lines)) {
        bytes += c;
        bytes += '\0';
    }
    WriteBytesOf(relative, bytes);
}

void CSourceFixture::WriteBytesOf(const std::string& relative, const std::string& bytes) const {
    const std::filesystem::path path = File(relative);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

void CSourceFixture::Remove(const std::string& relative) const {
    if (!std::filesystem::remove(File(relative)))
        throw std::runtime_error("no file " + relative);
}

void CSourceFixture::Replace(const std::string& relative, const std::string& from,
                             const std::string& to) const {
    std::ifstream in(File(relative), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t at = text.find(WithCrLf(from));
    if (at == std::string::npos)
        throw std::runtime_error(from + " not in " + relative);
    text.replace(at, WithCrLf(from).size(), WithCrLf(to));
    WriteBytesOf(relative, text);
}

void CSourceFixture::WriteInstallIni(const std::string& lines) const {
    std::ofstream out(InstallIni(), std::ios::binary | std::ios::trunc);
    out << WithCrLf(lines);
}
