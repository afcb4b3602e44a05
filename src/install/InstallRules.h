#pragma once

#include "common/SystemLayout.h"
#include "install/core/InstallItemRules.h"

#include <string>
#include <vector>

// The decisions of an installation run, apart from their effects. Values come from the
// recovery source's description files and are untrusted: these rules decide what may be
// started, where files may go and what a shortcut may be called.

// The description-file rules (install/core/InstallItemRules.h), with the platform's letter case.
using installcore::InstallationType;
InstallationType InstallationTypeOf(const std::wstring& value);

bool IsGiven(const std::wstring& value);

bool NamesSetupProgram(const std::wstring& exeFile);

// The setup program: Exe_File as given when it is absolute, otherwise inside the item's
// source directory.
std::wstring SetupProgramPath(const std::wstring& exeFile, const std::wstring& itemSourceDir);

// The command line of a setup: the program, in double quotes when its path holds a blank or a
// tab (else the platform would take the first word for the program), followed by a blank and
// CmdLine when CmdLine is given. CmdLine is used as written.
std::wstring SetupCommandLine(const std::wstring& program, const std::wstring& cmdLine);

// The arguments of a shortcut: CmdLine, or nothing when it is not given.
std::wstring ShortcutArguments(const std::wstring& cmdLine);

// The text shown while the `index`-th of `count` INF files is carried out: the Description up
// to its first "(" (nothing of it when it has none), then "(index/count)". The Description is
// plain text, never a format: "Sound (SB16)" gives "Sound (1/2)", "Modem" gives "(1/2)".
std::wstring InfProgressText(const std::wstring& description, size_t index, size_t count);

std::wstring InfInstallSection(const std::wstring& infPath);

bool IsAcceptedSourceDir(const std::wstring& sourceDir);
bool TakesFromSourceDir(InstallationType type, const std::wstring& exeFile);
bool IsRefusedSourceDir(InstallationType type, const std::wstring& exeFile,
                        const std::wstring& sourceDir);

// Where the files of a copied item go: C:\I386 and the item's SourceDir.
std::wstring LocalCopyDir(const std::wstring& sourceDir);

// The name of a desktop shortcut, as one file-name component without ".lnk": the Description
// cut before " (" + `marker` + ")" ("Encyclopedia (Desktop Shortcut)" gives "Encyclopedia"),
// with each character that a file name may not hold replaced by "_" and the blanks and dots at
// its end removed. Empty when nothing usable is left, or when the name is a device name such
// as CON: such an item gets no shortcut.
std::wstring ShortcutName(const std::wstring& description, const std::wstring& marker);

// What a run deletes before it starts, in this order: the "__vers" files of earlier setups
// (in the Windows directory's inf, system and system32 directories and in itself) and the
// reboot flag file, so that the restart question reflects this run only.
std::vector<std::wstring> LeftoversOfEarlierRuns(const SystemLayout& layout);
