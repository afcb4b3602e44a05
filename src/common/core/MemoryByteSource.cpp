#include "common/core/MemoryByteSource.h"

#include <algorithm>
#include <cstring>

namespace textcore {

size_t CMemoryByteSource::Read(void* buffer, size_t size) {
    const size_t count = std::min(size, m_bytes.size() - m_nPos);
    std::memcpy(buffer, m_bytes.data() + m_nPos, count);
    m_nPos += count;
    return count;
}

bool CMemoryByteSource::SeekToStart() {
    m_nPos = 0;
    return true;
}

} // namespace textcore
