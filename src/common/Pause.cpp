#include "common/Pause.h"

void Pause(DWORD milliseconds) {
    PauseOn(milliseconds, ::GetTickCount);
}

void PauseOn(DWORD milliseconds, DWORD(WINAPI* tickCount)()) {
    const DWORD start = tickCount();
    while (tickCount() - start < milliseconds) {
    }
}
