#pragma once

#include <string>

// The recovery source: the first fixed drive from D: to Z: whose root holds Master.log. When
// none does, the recovery partition may be hidden; the partition tool INSTALL.DLL beside
// Install.ini then makes it reachable as drive Z:, and its counterpart call hides it again.

// The search variants of the pages and runs that look for the source. They differ in what
// they do when no drive carries Master.log, and in which flags of the application object they
// keep (m_bMayExposePartition, m_bPartitionExposed):
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
bool FindRecoverySource(SourceSearch variant, std::wstring& root);

// Root + "I386" and root + `itemSubdir` (such as "I386\APPS"); all empty when the root is.
void DeriveSourceDirs(const std::wstring& root, const std::wstring& itemSubdir,
                      std::wstring& i386Dir, std::wstring& itemDir);

// The first fixed drive from D: to Z: whose root holds Master.log; empty when there is none.
std::wstring FindSourceDrive();
// A fixed drive with Master.log in its root.
bool IsSourceDrive(const std::wstring& root);

// Runs the partition tool for drive Z:, hidden, and waits for it.
void ExposeRecoveryPartition();
// When the program exposed the partition itself, runs the tool without argument, hidden, and
// waits for it. The flag stays set, so each call repeats the counterpart call.
void ReleaseRecoveryPartition();

// The language section for a known source: [Master] Language of its Master.log, unless
// Install.ini has no lines in a section of that name; `defaultLanguage` otherwise.
std::wstring ResolveLanguageSection(const std::wstring& root, const std::wstring& defaultLanguage);
// The sheet's form: searches the source itself (Sheet variant) and sets `sourceFound`; the
// language is empty when no source was found.
std::wstring ResolveLanguageSection(int& sourceFound);

// [General] DefaultLangDisplay, "English" when not given.
std::wstring DefaultLanguage();
