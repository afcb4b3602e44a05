#pragma once

#include "common/core/ByteSource.h"

#include <cstddef>
#include <cstdint>
#include <functional>

// Expansion of files compressed in the SZDD format, as setup disks store them (DRIVER.DL_ for
// DRIVER.DLL). The format: the 8-byte signature "SZDD" 88 F0 27 33, the method 'A', the
// replaced last character of the name, the expanded size (32 bits, little-endian), then LZSS
// data: a control byte whose bits, lowest first, announce a literal byte (1) or a reference
// (0) of two bytes into a 4,096-byte window that starts filled with blanks, the position in
// its 12 bits (the low byte, then the upper four bits of the second byte) and the length
// less three in the low four bits of the second byte. Writing into the window starts 16 bytes
// before its end.
namespace szdd {

constexpr std::size_t HeaderSize = 14;

// Takes expanded bytes; false when they could not be stored.
using ByteSink = std::function<bool(const void* data, std::size_t size)>;

enum class Result {
    Expanded,    // all of the expanded size was written
    NotSzdd,     // the data does not start with the SZDD header; nothing was written
    Truncated,   // the data ends before the expanded size is reached
    WriteFailed, // the sink refused bytes
};

// True when the bytes start with a complete SZDD header.
bool IsSzddHeader(const void* data, std::size_t size);

// Expands the data from its current position, which should be the start. Exactly the size the
// header declares is written; compressed data beyond it is ignored. The source is read in
// blocks and the output goes out in blocks, so the size of a file makes no difference.
Result Expand(textcore::IByteSource& source, const ByteSink& sink);

} // namespace szdd
