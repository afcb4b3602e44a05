#pragma once

// The common base of the objects that callers keep in owning lists (the archive reader, the
// restore inventory's records, the restore sources): nothing but a virtual destructor.
class CObjectBase {
public:
    virtual ~CObjectBase() = default;
};
