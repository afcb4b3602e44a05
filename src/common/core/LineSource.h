#pragma once

#include <string>

namespace textcore {

// Lines read one after the other, with the end flag of the read that delivered the last one.
class ILineSource {
public:
    virtual ~ILineSource() = default;
    virtual std::u16string ReadLine() = 0;
    virtual bool IsEnd() const = 0;
};

} // namespace textcore
