#include "common/SafeNames.h"

#include "common/core/SafeNames.h"

bool IsSafeName(std::wstring_view name) {
    return textcore::IsSafeName(name);
}

bool IsSafeRelativePath(std::wstring_view path) {
    return textcore::IsSafeRelativePath(path);
}
