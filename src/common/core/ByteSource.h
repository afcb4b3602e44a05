#pragma once

#include <cstddef>

namespace textcore {

// A readable sequence of bytes with a position: an open file on Windows, memory in tests.
// The line readers see files only through this, so their rules build without any platform.
class IByteSource {
public:
    virtual ~IByteSource() = default;

    // Reads up to `size` bytes at the position and moves past them. Returns the number of
    // bytes delivered; 0 at the end of the data and when the read fails.
    virtual size_t Read(void* buffer, size_t size) = 0;

    // Moves the position to the first byte; false when that fails.
    virtual bool SeekToStart() = 0;
};

} // namespace textcore
