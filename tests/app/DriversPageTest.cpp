// The driver page of the real program under Wine: its list and texts, a real click on the one
// driver's box, Finish through the installation run in driver mode, and the result message.
#include "SourcePc.h"
#include "support/MouseInput.h"
#include "support/RemoteControls.h"
#include "support/WindowDriver.h"

#include <gtest/gtest.h>

#include <prsht.h>

namespace {

const int kDriversPrompt = 1013;
const int kDriversList = 1014;
const int kDriversAdvice = 1019;
const int kInstallHeading = 1015;
const int kFinish = 12325;

class DriversPageTest : public ::testing::Test {
protected:
    DriversPageTest() {
        wchar_t title[64];
        ::swprintf(title, 64, L"Melvorin drivers %lu", ::GetCurrentProcessId());
        m_title = title;
        m_copied =
            L"C:\\Windows\\INF\\MLVPAGE" + std::to_wstring(::GetCurrentProcessId()) + L".INF";
    }
    ~DriversPageTest() override { ::DeleteFileW(m_copied.c_str()); }

    // A source on D: with drivers only, so that the intro page preselects them; the one driver
    // copies a file into the Windows directory's INF from its INF file.
    void MakeSource() {
        m_pc.WriteInstallIni("[General]\r\nTitle=" + std::string(m_title.begin(), m_title.end()) +
                             "\r\n");
        const std::wstring root = m_pc.AddSource(L'd', "", {L"I386\\DRV\\DTA", L"I386\\NETDRV"});
        const std::string copied(m_copied.begin() + m_copied.rfind(L'\\') + 1, m_copied.end());
        WriteAnsi(root + L"\\I386\\DRV\\DTA\\NET.DTA",
                  "[Drv]\r\nDescription=Network\r\nInstallation_Type=RunOnce\\Setup\r\n"
                  "SourceDir=NETDRV\r\nExe_File=NET.INF\r\nExe_File1=NET.INF\r\n");
        WriteAnsi(root + L"\\I386\\NETDRV\\" + std::wstring(copied.begin(), copied.end()),
                  "copied");
        WriteAnsi(root + L"\\I386\\NETDRV\\NET.INF",
                  "[NET.INF]\r\nCopyFiles=Files\r\n[DestinationDirs]\r\nFiles=17\r\n"
                  "[SourceDisksFiles]\r\n" +
                      copied + "=100,I386\\NETDRV\r\n[Files]\r\n" + copied + "\r\n");
    }

    SourcePc m_pc;
    std::wstring m_title;
    std::wstring m_copied;
    std::unique_ptr<ChildProcess> m_program;
};

TEST_F(DriversPageTest, OneTickedDriverIsInstalledAndReported) {
    MakeSource();
    m_program = m_pc.StartProgram();
    HWND sheet = WaitForWindow(L"#32770", m_title, 10000, m_program->Id());
    ASSERT_NE(sheet, nullptr);
    ::SendMessageW(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
    HWND page = CurrentPage(sheet);
    HWND list = ::GetDlgItem(page, kDriversList);
    ASSERT_NE(list, nullptr) << "the driver page is shown";
    ASSERT_TRUE(WaitUntil([&] { return ListItemCount(list) == 1; }));
    EXPECT_EQ(ListItemText(list, 0), L"Network");
    EXPECT_EQ(ListItemText(list, 0, 1), L"net.dta");
    EXPECT_EQ(ItemText(page, kDriversPrompt),
              L"Select the driver you wish to install by ticking the appropriate box:");
    EXPECT_EQ(ItemText(page, kDriversAdvice),
              L"It is recommended that you restart your computer after installing a driver.");

    ASSERT_TRUE(ClickListItemCheckBox(list, 0));
    EXPECT_TRUE(IsListItemChecked(list, 0));
    HWND finish = ::GetDlgItem(sheet, kFinish);
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(finish) != 0; }));

    ::PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
    HWND run = WaitForInstallRun(m_title, m_program->Id());
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(ItemText(run, kInstallHeading), L"Installing drivers - Please wait...");
    ASSERT_TRUE(WaitForWindowGone(run, 60000));

    const MessageBoxSeen result = WaitForMessageBox(m_program->Id());
    ASSERT_NE(result.window, nullptr);
    EXPECT_EQ(result.text, L"Network  installed !");
    PressButton(result.window, IDOK);
    ASSERT_TRUE(WaitForWindowGone(result.window));

    EXPECT_EQ(ReadBytes(m_copied), "copied");
    EXPECT_EQ(CurrentPage(sheet), page) << "Finish stays on the page";
    EXPECT_FALSE(IsListItemChecked(list, 0)) << "the list is reset";
    ::PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    EXPECT_TRUE(m_program->WaitForExit());
}

} // namespace
