#include "catalogue/CataloguePage.h"

#include "catalogue/CatalogueRules.h"
#include "common/CommandRunner.h"
#include "common/HelpFile.h"
#include "common/IniReader.h"
#include "common/InstallIni.h"
#include "framework/FillingGuard.h"
#include "install/InstallDlg.h"
#include "install/LaunchSettings.h"
#include "resources/resource.h"

namespace {
// The list's check boxes toggle only after the click's notification; the Finish state is
// therefore taken when the tick has changed, and this long after filling.
const UINT kFinishStateDelay = 100;
} // namespace

CCataloguePage::CCataloguePage(const CatalogueKind& kind, CWizardState& state)
    : CPropertyPageEx(kind.templateId), m_kind(kind), m_state(state) {}

BOOL CCataloguePage::OnInitDialog() {
    m_list.Attach(GetDlgItem(m_kind.listId));
    Rebuild();
    return TRUE;
}

// Every activation starts from the recovery source again: the partition may have been hidden,
// or the source changed, since the last time.
bool CCataloguePage::OnSetActive() {
    Rebuild();
    ShowFrame();
    return true;
}

void CCataloguePage::Rebuild() {
    {
        CFillingGuard filling(m_list);
        m_list.DeleteAllItems();
    }
    m_bCheckBoxes = IsInstallAllMode() ? 0 : 1;
    m_exclusions = ReadExclusions();
    if (m_bFirstInit) {
        m_bFirstInit = 0;
        CreateColumns();
    }
    m_state.FindSource(SourceSearch::Page);
    if (!m_state.HasSource()) {
        GetSheet().SendMessage(PSM_CANCELTOCLOSE);
        return;
    }
    m_state.ResolveLanguage();
    Fill();
    SetTimer(IDT_FINISH_STATE, kFinishStateDelay);
    TransferTexts();
}

// Column 0 shows the description; column 1, out of sight, holds the description file's name.
void CCataloguePage::CreateColumns() {
    RECT client = {};
    ::GetClientRect(m_list, &client);
    m_list.InsertColumn(0, L"", (client.right - client.left) / 2 - 20);
    m_list.InsertColumn(1, L"", 0);
}

void CCataloguePage::Fill() {
    const std::wstring& language = m_state.m_strLanguage;
    CFillingGuard filling(m_list);
    if (m_bCheckBoxes) {
        m_strPrompt = IniLanguageText(language, m_kind.promptKey, m_kind.promptDefault);
        m_strAdvice1 = IniLanguageText(language, m_kind.advice1Key, m_kind.advice1Default);
        if (m_kind.advice2Key)
            m_strAdvice2 = IniLanguageText(language, m_kind.advice2Key, m_kind.advice2Default);
        m_list.SetExtendedStyle(0, LVS_EX_CHECKBOXES);
        InsertEntries(ListDescriptionFiles(m_kind, m_state.Source(), m_exclusions));
    } else {
        m_strPrompt =
            IniLanguageText(language, m_kind.installAllPromptKey, m_kind.installAllPromptDefault);
        m_list.SetExtendedStyle(LVS_EX_CHECKBOXES, 0);
        InsertEntries(ListConfiguredFiles(m_kind, m_state.Source(), m_exclusions));
    }
}

// Each at the top: the list's sorted style puts them in the order of their descriptions.
void CCataloguePage::InsertEntries(const std::vector<CatalogueEntry>& entries) const {
    for (const CatalogueEntry& entry : entries) {
        const int index = m_list.InsertItem(0, entry.description, 0);
        if (index >= 0)
            m_list.SetItemText(index, 1, entry.fileName);
    }
}

void CCataloguePage::TransferTexts() const {
    SetDlgItemText(m_kind.promptId, m_strPrompt);
    SetDlgItemText(m_kind.advice1Id, m_strAdvice1);
    if (m_kind.advice2Id)
        SetDlgItemText(m_kind.advice2Id, m_strAdvice2);
}

// The intro page hides Back; these pages show it again, with the configured texts.
void CCataloguePage::ShowFrame() const {
    const std::wstring& language = m_state.m_strLanguage;
    CWnd sheet = GetSheet();
    sheet.PostMessage(PSM_SETWIZBUTTONS, 0, PSWIZB_BACK | PSWIZB_FINISH);
    sheet.PostMessage(WM_SHOW_TITLE);
    sheet.SetDlgItemText(ID_WIZFINISH, IniLanguageText(language, L"Finish", IDS_FINISH));
    sheet.SetDlgItemText(IDCANCEL, IniLanguageText(language, L"Exit", IDS_EXIT));
    sheet.SetDlgItemText(ID_WIZBACK, L"< " + IniLanguageText(language, L"Back", IDS_BACK));
    sheet.GetDlgItem(ID_WIZBACK).ShowWindow(SW_SHOW);
}

LRESULT CCataloguePage::OnWizardBack() {
    return m_bRunning ? kStay : IDD_INTRO;
}

LRESULT CCataloguePage::OnWizardNext() {
    return m_bRunning ? kStay : IDD_INTRO;
}

bool CCataloguePage::OnQueryCancel() {
    return !m_bRunning;
}

void CCataloguePage::OnCancel() {
    m_state.ReleasePartition();
}

bool CCataloguePage::OnCommand(UINT id, UINT code, HWND hControl) {
    if (id != ID_HELP)
        return CPropertyPageEx::OnCommand(id, code, hControl);
    OpenHelpFile(m_hWnd);
    return true;
}

bool CCataloguePage::OnNotify(NMHDR* header, LRESULT& result) {
    if (header->code == PSN_HELP) {
        OpenHelpFile(m_hWnd);
        return true;
    }
    if (header->idFrom != static_cast<UINT_PTR>(m_kind.listId))
        return CPropertyPageEx::OnNotify(header, result);
    switch (header->code) {
    case NM_CLICK:
    case NM_DBLCLK:
        OnListClick(*reinterpret_cast<const NMITEMACTIVATE*>(header));
        result = 0;
        return true;
    case LVN_ITEMCHANGED:
        OnListItemChanged(*reinterpret_cast<const NMLISTVIEW*>(header));
        result = 0;
        return true;
    default:
        return CPropertyPageEx::OnNotify(header, result);
    }
}

void CCataloguePage::OnTimer(UINT_PTR id) {
    if (id != IDT_FINISH_STATE)
        return;
    KillTimer(id);
    PostFinishState();
}

// A click on an unticked item's check box is about to tick it: the others lose their ticks, so
// that one item at most is ticked after any click. The clicked item comes from the notification,
// which also serves clicks that the cursor position would not tell.
void CCataloguePage::OnListClick(const NMITEMACTIVATE& click) const {
    if (!m_bCheckBoxes || m_bRunning)
        return;
    UINT where = 0;
    const int item = m_list.HitTest(click.ptAction, &where);
    if (item < 0 || !(where & LVHT_ONITEMSTATEICON) || m_list.GetCheck(item))
        return;
    UntickAllBut(item);
}

// The Finish state follows every change of a tick that the user made, by mouse or keyboard,
// once it has taken effect.
void CCataloguePage::OnListItemChanged(const NMLISTVIEW& change) const {
    if (m_list.IsFilling() || !(change.uChanged & LVIF_STATE) ||
        ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) == 0)
        return;
    PostFinishState();
}

bool CCataloguePage::AnyTicked() const {
    for (int i = 0, count = m_list.GetItemCount(); i < count; ++i) {
        if (CountsAsTicked(m_list.GetItemState(i, LVIS_STATEIMAGEMASK)))
            return true;
    }
    return false;
}

void CCataloguePage::UntickAllBut(int keep) const {
    for (int i = 0, count = m_list.GetItemCount(); i < count; ++i) {
        if (i != keep)
            m_list.SetCheck(i, false);
    }
}

void CCataloguePage::PostFinishState() const {
    GetSheet().PostMessage(WM_SET_FINISH_STATE, 1, AnyTicked() ? 1 : 0);
}

bool CCataloguePage::OnWizardFinish() {
    // Finish reaches the page even while the sheet is disabled: one run at a time.
    if (m_bRunning)
        return false;
    std::wstring root;
    const bool exposed = FindRecoverySource(SourceSearch::Finish, m_state.Partition(), root);
    m_state.SetSourceRoot(root);

    std::wstring displayName;
    if (!IsSelectionAcceptable(CollectSelection(displayName))) {
        ShowTitledMessage(m_hWnd,
                          IniLanguageText(m_state.m_strLanguage, L"ONLYONEITEM", IDS_ONLY_ONE_ITEM),
                          MB_ICONEXCLAMATION);
        return false;
    }
    CollectSetupCommands();
    const LaunchSettings settings = ReadLaunchSettings();

    m_bRunning = true;
    CInstallDlg install(m_state.Windows());
    install.m_strSourceRoot = m_state.Source().root;
    install.m_strI386Dir = m_state.Source().i386Dir;
    install.m_strItemDir = m_state.Source().*m_kind.itemDir;
    install.m_items = m_selected;
    install.m_bCheckBoxMode = m_bCheckBoxes != 0;
    install.m_bDriverMode = m_kind.driverMode;
    install.SetLaunchSettings(settings);
    RunModal(install);
    RunSetupCommands(settings.show);
    m_bRunning = false;

    const LaunchWaitOutcome outcome = {settings.noWait, settings.vorqOnly, install.m_nWaitResult1,
                                       install.m_nWaitResult2};
    if (install.AllItemsDone() && ShowsResultMessage(outcome))
        ShowResult(displayName);

    m_selected.clear();
    UntickAllBut(-1);
    PostFinishState();
    if (exposed)
        m_state.ReleasePartition();
    return false;
}

// The chosen description files, and how many count: in check-box mode the ticked items, whose
// description is the display name; in install-all mode the whole list, counted as one.
int CCataloguePage::CollectSelection(std::wstring& displayName) {
    m_selected.clear();
    int count = 0;
    for (int i = 0, items = m_list.GetItemCount(); i < items; ++i) {
        if (!m_bCheckBoxes) {
            AddUnique(m_selected, m_list.GetItemText(i, 1));
            count = 1;
        } else if (CountsAsTicked(m_list.GetItemState(i, LVIS_STATEIMAGEMASK))) {
            AddUnique(m_selected, m_list.GetItemText(i, 1));
            displayName = m_list.GetItemText(i, 0);
            ++count;
        }
    }
    return count;
}

// A LaunchSetup value counts only with a drive; it is a whole command line and stays as written.
void CCataloguePage::CollectSetupCommands() {
    m_setupCommands.clear();
    for (const std::wstring& name : m_selected) {
        std::wstring command;
        GetIniValue(m_kind.itemSection, L"LaunchSetup", L"none", command,
                    DescriptionFilePath(m_kind, m_state.Source(), name));
        if (command.find(L":\\") != std::wstring::npos)
            m_setupCommands.push_back(command);
    }
}

// The sheet stays disabled while the commands run, and its windows stay responsive.
void CCataloguePage::RunSetupCommands(bool show) const {
    if (m_setupCommands.empty())
        return;
    CWnd sheet = GetSheet();
    sheet.EnableWindow(false);
    for (const std::wstring& command : m_setupCommands)
        RunCommandDispatching(command, show ? SW_SHOW : SW_HIDE);
    sheet.EnableWindow(true);
}

void CCataloguePage::ShowResult(const std::wstring& displayName) const {
    const std::wstring installed =
        IniLanguageValue(m_state.m_strLanguage, L"Installed", L" installed !");
    ShowTitledMessage(m_hWnd, displayName + L" " + installed, 0);
}
