#include "common/SafeNames.h"

#include "common/TextConversion.h"
#include "common/core/SafeNames.h"

bool IsSafeName(std::wstring_view name) {
    return textcore::IsSafeName(ToUtf16(name));
}

bool IsSafeRelativePath(std::wstring_view path) {
    return textcore::IsSafeRelativePath(ToUtf16(path));
}
