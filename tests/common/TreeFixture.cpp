#include "common/TreeFixture.h"

void WriteTreeFile(const std::wstring& root, const std::wstring& relative,
                   const std::string& content) {
    MakeDirectory(root);
    for (size_t slash = relative.find(L'\\'); slash != std::wstring::npos;
         slash = relative.find(L'\\', slash + 1))
        MakeDirectory(root + L"\\" + relative.substr(0, slash));
    WriteBytes(root + L"\\" + relative, content);
}

void MakeDirectory(const std::wstring& path) {
    ::CreateDirectoryW(path.c_str(), nullptr);
}


int CountEntriesBelow(const std::wstring& root) {
    int count = 0;
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((root + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..")
            continue;
        ++count;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            count += CountEntriesBelow(root + L"\\" + name);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return count;
}
