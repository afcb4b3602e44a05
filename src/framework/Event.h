#pragma once

#include <windows.h>

// A Win32 event object owned by this wrapper.
class CEvent {
public:
    // An auto-reset event returns to non-signalled as it releases one waiting thread.
    explicit CEvent(bool manualReset = false, bool initiallySet = false)
        : m_hEvent(::CreateEventW(nullptr, manualReset, initiallySet, nullptr)) {}
    ~CEvent() {
        if (m_hEvent)
            ::CloseHandle(m_hEvent);
    }
    CEvent(const CEvent&) = delete;
    CEvent& operator=(const CEvent&) = delete;

    bool IsValid() const { return m_hEvent != nullptr; }
    bool SetEvent() const { return ::SetEvent(m_hEvent) != FALSE; }
    bool ResetEvent() const { return ::ResetEvent(m_hEvent) != FALSE; }
    // True when the event was signalled within the time.
    bool Wait(DWORD milliseconds = INFINITE) const {
        return ::WaitForSingleObject(m_hEvent, milliseconds) == WAIT_OBJECT_0;
    }
    operator HANDLE() const { return m_hEvent; }

private:
    HANDLE m_hEvent;
};
