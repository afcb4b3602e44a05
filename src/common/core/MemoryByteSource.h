#pragma once

#include "common/core/ByteSource.h"

#include <string>

namespace textcore {

// Bytes held in memory, read like a file.
class CMemoryByteSource : public IByteSource {
public:
    explicit CMemoryByteSource(std::string bytes) : m_bytes(std::move(bytes)) {}

    size_t Read(void* buffer, size_t size) override;
    bool SeekToStart() override;

private:
    std::string m_bytes;
    size_t m_nPos = 0;
};

} // namespace textcore
