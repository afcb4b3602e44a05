#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The catalogue pages' rules, as plain functions of their inputs.

// Appends `text` unless an element equal to it (exact, case-sensitive) exists. Returns the new
// element's index, or -1 when it was there already.
int AddUnique(std::vector<std::wstring>& items, const std::wstring& text);

// The index of the first element, from `start` on, that begins with `candidate` when both are
// upper-cased; -1 when there is none. An element shorter than the candidate never matches.
int FindExcluded(const std::vector<std::wstring>& exclusions, const std::wstring& candidate,
                 int start = 0);

// Whether a list item counts as ticked by its state: the state image index 1 means unticked;
// any other index, 0 (no image, as in install-all mode) included, counts as ticked.
bool CountsAsTicked(UINT itemState);

// Finish goes on only with exactly one ticked item (install-all mode counts as one).
bool IsSelectionAcceptable(int tickedCount);

// The wait settings of a run and what its final wait found.
struct LaunchWaitOutcome {
    bool noWait = false;   // [General] NoWaitEx is "yes": nothing is waited for
    bool vorqOnly = false; // [General] WaitVorqOnly is "yes"
    int vorqFound = 0;     // the final wait ended because vorq.exe was running
    int processesDone = 0; // the final wait ended because the processes had finished
};
// Whether the page reports the installation: never without waiting; when waiting for vorq.exe
// only, when it was found; otherwise when the processes had not all finished.
bool ShowsResultMessage(const LaunchWaitOutcome& outcome);
