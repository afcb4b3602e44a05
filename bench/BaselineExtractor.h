#pragma once

#include <cstdint>
#include <string>

// The yardstick of the reader's extraction: walks the directory and inflates every entry's
// blocks with zlib into its file with plain POSIX calls and the same buffer sizes, without the
// reader's checks, staging, times or attributes. Returns the bytes written, or -1 on failure.
std::int64_t BaselineExtract(const std::string& container, const std::string& destination);
