#pragma once

#include "archive/ArchiveReader.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Verification of a whole container, for the container tool's "verify" and the source checker:
// every entry is inflated and checked as extraction would check it, without writing anything,
// and its name is checked against the rule for names from untrusted data.

// The reader takes any file for a container without entries and creates missing ones; the
// tools only read: a missing file or one without a container header fails (the last error
// says why), and readers are released by their destructor, which writes nothing back.
bool OpenExistingContainer(CArchiveReader& reader, std::u16string_view path);

struct ContainerFault {
    std::u16string name;
    std::uint32_t code = 0; // ArchiveError: InvalidName for an unsafe name
};

struct ContainerVerdict {
    bool opened = false;
    std::uint32_t openCode = 0; // why it did not open
    std::size_t entries = 0;    // entries looked at
    std::vector<ContainerFault> faults;
    std::uint32_t directoryCode = 0; // a damaged directory ended the walk; 0 when it did not
};

ContainerVerdict VerifyContainer(std::u16string_view path);
