#pragma once

#include <string>

// Copies one file of an INF file list from the source directory into the target directory
// under its own name. The source is the name itself or, when that is missing, the name whose
// last character is "_", the form in which setup disks store compressed files; an SZDD-
// compressed source is expanded, any other copied unchanged. The copy keeps the source's
// times and carries no attribute of it.
//
// The destination is never destroyed: the copy goes to a temporary file of the target
// directory, which replaces the destination only once it is complete, and is removed
// otherwise. True when the destination holds the copy.
bool CopyInfFile(const std::wstring& sourceDir, const std::wstring& name,
                 const std::wstring& targetDir);
