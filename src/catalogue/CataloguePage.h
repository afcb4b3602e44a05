#pragma once

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueKind.h"
#include "common/WizardState.h"
#include "framework/ListCtrl.h"
#include "framework/PropertySheet.h"

#include <string>
#include <vector>

// The page of a catalogue, for applications or drivers as its kind says. On every activation it
// searches the recovery source again and rebuilds its list. The user ticks one item (or, in the
// install-all mode, takes the whole list) and Finish installs it through the installation run,
// owned by the sheet, runs the setup commands the item names, reports the result and resets the
// list; the page stays.
//
// The frame that both catalogue pages share: Back, Finish and Cancel with the texts of the
// language section; Back and Next lead to the intro page; Cancel hides the recovery partition
// again when the program exposed it; Help opens the help file. While a run is in progress the
// page ignores a second Finish and refuses Back and Cancel, which reach the page even though the
// sheet is disabled.
class CCataloguePage : public CPropertyPageEx {
public:
    CCataloguePage(const CatalogueKind& kind, CWizardState& state);

    CListCtrl m_list;
    std::wstring m_strPrompt;
    std::wstring m_strAdvice1;
    std::wstring m_strAdvice2;
    std::vector<std::wstring> m_selected;
    std::vector<std::wstring> m_setupCommands;
    std::vector<std::wstring> m_exclusions;
    int m_bCheckBoxes = 0;
    int m_bFirstInit = 1;

protected:
    BOOL OnInitDialog() override;
    bool OnSetActive() override;
    LRESULT OnWizardBack() override;
    LRESULT OnWizardNext() override;
    bool OnWizardFinish() override;
    bool OnQueryCancel() override;
    void OnCancel() override;
    bool OnCommand(UINT id, UINT code, HWND hControl) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;
    void OnTimer(UINT_PTR id) override;

private:
    // Rebuilding.
    void Rebuild();
    void CreateColumns();
    void Fill();
    void InsertEntries(const std::vector<CatalogueEntry>& entries) const;
    void TransferTexts() const;
    void ShowFrame() const;

    // The list.
    void OnListClick(const NMITEMACTIVATE& click) const;
    void OnListItemChanged(const NMLISTVIEW& change) const;
    bool AnyTicked() const;
    void UntickAllBut(int keep) const;
    void PostFinishState() const;

    // Finish.
    int CollectSelection(std::wstring& displayName);
    void CollectSetupCommands();
    void RunSetupCommands(bool show) const;
    void ShowResult(const std::wstring& displayName) const;

    const CatalogueKind& m_kind;
    CWizardState& m_state;
    bool m_bRunning = false;
};
