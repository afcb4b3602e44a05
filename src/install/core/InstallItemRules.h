#pragma once

#include "common/core/StringKinds.h"

#include <string>

// The rules by which an installation run reads one item's description file, apart from their
// effects. Values come from the recovery source and are untrusted. Templates over the kind of
// string (common/core/StringKinds.h).
namespace installcore {

// What Installation_Type asks for, compared exactly: "RunOnce\Setup" starts a setup program
// or carries out INF files, "RunOnce" copies the item's files to the local disk, "Desktop"
// copies them and makes a desktop shortcut. Anything else installs nothing.
enum class InstallationType { Setup, Copy, Desktop, Unknown };
template <typename String> InstallationType InstallationTypeOf(const String& value);

// "none" stands for a value that is not given.
template <typename String> bool IsGiven(const String& value);

// A setup item's Exe_File names a program when it ends with ".exe" once lower-cased by `lower`;
// otherwise the item lists INF files.
template <typename String>
bool NamesSetupProgram(const String& exeFile, textcore::CaseFold<String> lower);

// The key of the `number`-th INF file of an item (Exe_File1, Exe_File2 ...); the list ends at
// the first number whose key is not given.
template <typename String> String InfFileKey(int number);

// The install section of an INF file: the first eight characters of its file name, so
// NETDRIVER.INF gives NETDRIVE and A.INF gives A.INF.
template <typename String> String InfInstallSection(const String& infPath);

// A SourceDir that an item may take files or a program from: given, not empty, and a relative
// path of safe names, so that the item's source stays inside I386 and its local copy inside
// C:\I386 ("..\WINDOWS" would copy over C:\WINDOWS).
template <typename String> bool IsAcceptedSourceDir(const String& sourceDir);

// Whether an item takes anything from its source directory (I386 joined with SourceDir), and so
// needs an accepted SourceDir: copies and desktop items take their files from it, setups their
// program or INF files. Only a setup program given with its drive (C:\Tools\Setup.exe) takes
// nothing from it. An unsafe SourceDir would otherwise start a program, or carry out INF files,
// from outside I386.
template <typename String>
bool TakesFromSourceDir(InstallationType type, const String& exeFile,
                        textcore::CaseFold<String> lower);

// Whether the run refuses an item for its SourceDir: the item takes something from its source
// directory and the SourceDir is not accepted. A setup without a SourceDir (not given or empty)
// still looks in I386\none or I386 itself, which stay inside I386, and asks the operator for
// INF files it does not find there; only a setup whose SourceDir would leave I386 is refused.
template <typename String>
bool IsRefusedSourceDir(InstallationType type, const String& exeFile, const String& sourceDir,
                        textcore::CaseFold<String> lower);

} // namespace installcore
