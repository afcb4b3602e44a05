#pragma once

#include <windows.h>

// Waits until the object is signalled while dispatching the thread's messages, so that the
// thread's windows keep painting and answering. A quit message ends the wait early; it is posted
// again for the thread's own message loop. Returns true when the object was signalled.
bool WaitDispatchingMessages(HANDLE object);
