#pragma once

#include <string>
#include <vector>

// One item of an installation run as its description file (X:\I386\APPS\DTA\WORD.DTA)
// describes it. Values are kept as read, letter case included; a missing key reads "none".
struct InstallItem {
    std::wstring descriptionFile;
    bool descriptionFound = false; // the description file exists
    std::wstring sourceDir;        // SourceDir: below the I386 directory, and below C:\I386
    bool longTime = false;         // Long_Time = yes in any letter case: the long time-out
    std::wstring installationType; // Installation_Type
    std::wstring exeFile;          // Exe_File
    std::wstring cmdLine;          // CmdLine
    std::wstring description;      // Description
};

// Reads the item's keys from `section` ("App" or "Drv") of the description file.
InstallItem ReadInstallItem(const std::wstring& descriptionFile, const std::wstring& section);

// The INF files of an item whose Exe_File names no program: the values of Exe_File1,
// Exe_File2 ... up to the first number that is missing (reads "none").
std::vector<std::wstring> ReadInfFiles(const InstallItem& item, const std::wstring& section);
