#include "catalogue/CatalogueRules.h"

#include "common/TextCase.h"

#include <commctrl.h>

int AddUnique(std::vector<std::wstring>& items, const std::wstring& text) {
    for (const std::wstring& item : items) {
        if (item == text)
            return -1;
    }
    items.push_back(text);
    return static_cast<int>(items.size() - 1);
}

int FindExcluded(const std::vector<std::wstring>& exclusions, const std::wstring& candidate,
                 int start) {
    const std::wstring wanted = MakeUpper(candidate);
    for (size_t i = start < 0 ? 0 : static_cast<size_t>(start); i < exclusions.size(); ++i) {
        const std::wstring& entry = exclusions[i];
        if (entry.size() >= wanted.size() && MakeUpper(entry.substr(0, wanted.size())) == wanted)
            return static_cast<int>(i);
    }
    return -1;
}

bool CountsAsTicked(UINT itemState) {
    return (itemState & LVIS_STATEIMAGEMASK) != INDEXTOSTATEIMAGEMASK(1);
}

bool IsSelectionAcceptable(int tickedCount) {
    return tickedCount == 1;
}

bool ShowsResultMessage(const LaunchWaitOutcome& outcome) {
    if (outcome.noWait)
        return false;
    return outcome.vorqOnly ? outcome.vorqFound == 1 : outcome.processesDone == 0;
}
