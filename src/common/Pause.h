#pragma once

#include <windows.h>

// Returns when at least `milliseconds` have passed on the tick counter. It spins: it neither
// sleeps nor handles window messages, so it suits only short fixed delays.
void Pause(DWORD milliseconds);

// The same on any millisecond counter; the difference is taken unsigned, so that the
// counter's wrap-around does no harm.
void PauseOn(DWORD milliseconds, DWORD(WINAPI* tickCount)());
