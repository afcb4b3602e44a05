// The icons of the restore page: a file type's icon from the registry, looked up once per type,
// and the program's own icons where the shell library is not where the page looks.
#include "framework/RegKey.h"
#include "resources/resource.h"
#include "restore/RestoreFileList.h"

#include <gtest/gtest.h>

namespace {

// A file type of the test's own in HKEY_CLASSES_ROOT, removed afterwards.
class RestoreIconsTest : public ::testing::Test {
protected:
    RestoreIconsTest() {
        CRegKey extension;
        extension.Create(HKEY_CLASSES_ROOT, kExtension);
        extension.SetString(nullptr, kType);
        CRegKey icon;
        icon.Create(HKEY_CLASSES_ROOT, std::wstring(kType) + L"\\DefaultIcon");
        icon.SetString(nullptr, L"%SystemRoot%\\system32\\shell32.dll,3");
        m_images.Create(16, 16, ILC_COLOR8 | ILC_MASK, 1, 4);
    }
    ~RestoreIconsTest() override {
        CRegKey root;
        root.Open(HKEY_CLASSES_ROOT, L"", KEY_ALL_ACCESS);
        root.DeleteTree(kExtension);
        root.DeleteTree(kType);
    }

    static constexpr const wchar_t* kExtension = L".mvrtest";
    static constexpr const wchar_t* kType = L"MelvorinTest.File";
    CImageList m_images;
};

TEST_F(RestoreIconsTest, EachTypesIconIsAddedOnce) {
    CFileIconCache icons(m_images, SystemLayout{false, true});
    const int first = icons.ImageOf(L"ONE.MVRTEST");
    EXPECT_EQ(first, 0) << "the first image added to an empty list";
    EXPECT_EQ(m_images.GetImageCount(), 1);
    EXPECT_EQ(icons.ImageOf(L"two.mvrtest"), first);
    EXPECT_EQ(icons.ImageOf(L"no-type.unregistered-ext"), 0);
    EXPECT_EQ(icons.ImageOf(L"NOEXTENSION"), 0);
    for (int i = 0; i < 100; ++i)
        icons.ImageOf(L"again" + std::to_wstring(i) + L".mvrtest");
    EXPECT_EQ(m_images.GetImageCount(), 1);
}

TEST_F(RestoreIconsTest, MissingLibrariesAndTypesGiveNoIcon) {
    EXPECT_NE(LookUpFileIcon(L"x.mvrtest", SystemLayout{false, true}), nullptr);
    EXPECT_EQ(LookUpFileIcon(L"x.unregistered-ext", SystemLayout{false, true}), nullptr);
    EXPECT_EQ(LookUpFileIcon(L"x", SystemLayout{false, true}), nullptr);
    // The library missing: ExtractIconExW fails with 0xFFFFFFFF, which is no icon either.
    CRegKey icon;
    icon.Open(HKEY_CLASSES_ROOT, std::wstring(kType) + L"\\DefaultIcon", KEY_ALL_ACCESS);
    icon.SetString(nullptr, L"C:\\nowhere\\none.dll,3");
    EXPECT_EQ(LookUpFileIcon(L"x.mvrtest", SystemLayout{false, true}), nullptr);
}

TEST_F(RestoreIconsTest, TheProgramsOwnIconsStandInForTheShells) {
    HICON own = ShellOrOwnIcon(L"C:\\Windows\\system\\shell32.dll", 3, IDI_FOLDER_CLOSED);
    ASSERT_NE(own, nullptr);
    ::DestroyIcon(own);
}

} // namespace
