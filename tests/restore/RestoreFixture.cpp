#include "RestoreFixture.h"

#include "support/FileBytes.h"

void WriteContainer(const std::wstring& path, const std::vector<RestoreEntry>& entries) {
    FixtureContainer container;
    for (const RestoreEntry& entry : entries) {
        FixtureEntry fixture =
            EntryOf(entry.name, {reinterpret_cast<const std::uint8_t*>(entry.content.data()),
                                 entry.content.size()});
        fixture.attributes = entry.attributes;
        container.entries.push_back(std::move(fixture));
    }
    const Bytes image = container.Build();
    WriteBytes(path, std::string(image.begin(), image.end()));
}

void WriteUtf16(const std::wstring& path, const std::wstring& text) {
    WriteBytes(path, "\xFF\xFE" + Utf16(text));
}

namespace {
void AddLines(const CRestoreFolder& folder, const std::wstring& path,
              std::vector<std::wstring>& lines) {
    for (size_t i = 0; i < folder.GetFileCount(); ++i) {
        const CRestoreFile& file = folder.GetFile(i);
        const std::wstring& source = file.GetSource();
        lines.push_back(path + L"|" + std::wstring(file.GetName()) + L"|" +
                        source.substr(source.rfind(L'\\') + 1));
    }
    for (size_t i = 0; i < folder.GetChildCount(); ++i)
        AddLines(folder.GetChild(i), path + L"\\" + folder.GetChild(i).GetName(), lines);
}
} // namespace

std::vector<std::wstring> InventoryLines(const CRestoreFolder& root) {
    std::vector<std::wstring> lines;
    AddLines(root, L"ROOT", lines);
    return lines;
}

CRestoreFile* FindFile(const CRestoreFolder& folder, const std::wstring& name) {
    for (size_t i = 0; i < folder.GetFileCount(); ++i) {
        if (folder.GetFile(i).GetName() == name)
            return &folder.GetFile(i);
    }
    return nullptr;
}
