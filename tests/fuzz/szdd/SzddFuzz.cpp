// Expands arbitrary bytes as SZDD data: recovery sources may hold any file under a "_" name.
// The expansion never writes more than the header declares, and writes all of it when it
// reports success.
#include "FuzzSupport.h"
#include "common/core/MemoryByteSource.h"
#include "common/core/Szdd.h"

#include <cstddef>
#include <cstdint>
#include <string>

using fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Bounds the work, so that a header alone cannot ask for gigabytes of blanks.
    constexpr std::size_t MaxOutput = 1 << 20;
    textcore::CMemoryByteSource source(std::string(reinterpret_cast<const char*>(data), size));
    std::size_t written = 0;
    const szdd::Result result = szdd::Expand(source, [&](const void*, std::size_t n) {
        written += n;
        return written <= MaxOutput;
    });
    if (result == szdd::Result::NotSzdd) {
        Require(written == 0);
        return 0;
    }
    const std::uint64_t declared =
        data[10] | data[11] << 8 | data[12] << 16 | static_cast<std::uint64_t>(data[13]) << 24;
    Require(written <= declared || result == szdd::Result::WriteFailed);
    if (result == szdd::Result::Expanded)
        Require(written == declared);
    return 0;
}
