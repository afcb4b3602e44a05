#pragma once

#include "common/AppFlags.h"

#include <string>

// The recovery source: the first fixed drive from D: to Z: whose root holds Master.log. When
// none does, the recovery partition may be hidden; the partition tool INSTALL.DLL beside
// Install.ini then makes it reachable as drive Z:, and its counterpart call hides it again.

// The search variants of the pages and runs that look for the source. They differ in what
// they do when no drive carries Master.log, and in which partition flags they keep
// (m_bMayExposePartition, m_bPartitionExposed):
//   Intro   runs the partition tool only once per wizard and records that it did so; the root
//           of Z: when Z: is then a fixed drive, else empty;
//   Page    runs the tool; the root of Z: when Z: is then a fixed drive, else empty;
//   Finish  runs the tool; the root of Z:, and true when Z: is then a fixed drive;
//   Direct  runs the tool; the root of Z: unchecked;
//   Sheet   looks at a found drive a second time; runs the tool when none was found; the root
//           of Z: unchecked; true when the root is not empty.
// Only Intro touches the flags. A root is a drive letter, a colon and a backslash.
enum class SourceSearch { Intro, Page, Finish, Direct, Sheet };

// Sets `root` as the variant says; the result is that of the Finish and Sheet variants (for the
// others, whether the root is not empty).
bool FindRecoverySource(SourceSearch variant, PartitionFlags& flags, std::wstring& root);

// The file restore's search: runs the partition tool; the root of Z: when Z: is then a fixed
// drive with Master.log, empty when Z: is a fixed drive without it, and "C:\" when Z: is no fixed
// drive (the source's files then lie on the system drive itself).
std::wstring FindRestoreRoot();

// The directories below a source root; all empty when the root is.
struct SourceDirs {
    std::wstring root;
    std::wstring i386Dir;    // root + "I386"
    std::wstring appsDir;    // root + "I386\APPS"
    std::wstring driversDir; // root + "I386\DRV"
};
SourceDirs DeriveSourceDirs(const std::wstring& root);

// What a source provides: each is true when the directory or file exists.
struct SourceOffer {
    bool apps = false;        // I386\APPS
    bool drivers = false;     // I386\DRV
    bool fileRestore = false; // an archive container Preload\*.inp
};
SourceOffer FindSourceOffer(const SourceDirs& dirs);

// The first fixed drive from D: to Z: whose root holds Master.log; empty when there is none.
std::wstring FindSourceDrive();
// A fixed drive with Master.log in its root.
bool IsSourceDrive(const std::wstring& root);

// Runs the partition tool for drive Z:, hidden, and waits for it.
void ExposeRecoveryPartition();
// When the program exposed the partition itself, runs the tool without argument, hidden, and
// waits for it. The flag stays set, so each call repeats the counterpart call.
void ReleaseRecoveryPartition(const PartitionFlags& flags);

// [Master] Language of the source's Master.log as it stands, or `def`. The installation run
// and the file restore take this value directly.
std::wstring ReadMasterLanguage(const std::wstring& root, const std::wstring& def);
// The language section of the pages for a known source: [Master] Language of its Master.log,
// unless Install.ini has no lines in a section of that name; `defaultLanguage` otherwise.
std::wstring ResolveLanguageSection(const std::wstring& root, const std::wstring& defaultLanguage);
// The sheet's form: searches the source itself (Sheet variant) and sets `sourceFound`; the
// language is empty when no source was found.
std::wstring ResolveLanguageSection(PartitionFlags& flags, int& sourceFound);
