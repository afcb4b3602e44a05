#include "catalogue/CatalogueRules.h"

#include "catalogue/core/CatalogueCoreRules.h"
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
    return cataloguecore::FindExcluded(exclusions, candidate, MakeUpper, start);
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
