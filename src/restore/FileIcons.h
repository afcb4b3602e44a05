#pragma once

#include "common/SystemLayout.h"
#include "framework/ImageList.h"

#include <string>
#include <unordered_map>

// The small icon that the shell registers for a file's type (HKCR\<extension> names the type,
// HKCR\<type>\DefaultIcon the icon), or nullptr. Programs (.exe) show the icon of .com files.
// The caller destroys the icon.
HICON LookUpFileIcon(const std::wstring& fileName, const SystemLayout& layout);

// The registry's "<file>,<index>" icon location split into its parts; an environment variable at
// the front of the file (%SystemRoot%\...) stands for the Windows directory.
struct IconLocation {
    std::wstring file;
    int index = 0;
};
IconLocation ParseIconLocation(const std::wstring& location, const SystemLayout& layout);

// The file list's images: image 0 is the generic file icon, and each file type's icon is added
// once, the first time a file of that type is shown, so that showing folders again and again
// adds nothing.
class CFileIconCache {
public:
    CFileIconCache(CImageList& images, const SystemLayout& layout)
        : m_images(images), m_layout(layout) {}

    // The image of the file's type: its own, or 0.
    int ImageOf(const std::wstring& fileName);

private:
    CImageList& m_images;
    SystemLayout m_layout;
    std::unordered_map<std::wstring, int> m_byExtension; // lower-cased, with its dot
};
