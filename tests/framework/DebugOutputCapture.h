#pragma once

#include <windows.h>

#include <mutex>
#include <string>

// Collects what the process writes with OutputDebugString while the object lives. Without a
// debugger the platform raises the text as an exception (the wide DBG_PRINTEXCEPTION_WIDE_C
// first on newer systems, the narrow DBG_PRINTEXCEPTION_C otherwise), which a vectored handler
// sees before anyone else; the handler takes the text and lets the call return.
class DebugOutputCapture {
public:
    DebugOutputCapture() {
        s_capture = this;
        m_handler = ::AddVectoredExceptionHandler(1, Handler);
    }
    ~DebugOutputCapture() {
        ::RemoveVectoredExceptionHandler(m_handler);
        s_capture = nullptr;
    }
    DebugOutputCapture(const DebugOutputCapture&) = delete;
    DebugOutputCapture& operator=(const DebugOutputCapture&) = delete;

    std::wstring Text() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_text;
    }

private:
    static constexpr DWORD kWideText = 0x4001000A;
    static constexpr DWORD kNarrowText = 0x40010006;

    static LONG CALLBACK Handler(EXCEPTION_POINTERS* info) {
        const EXCEPTION_RECORD& record = *info->ExceptionRecord;
        DebugOutputCapture* capture = s_capture;
        if (!capture || record.NumberParameters < 2 ||
            (record.ExceptionCode != kWideText && record.ExceptionCode != kNarrowText))
            return EXCEPTION_CONTINUE_SEARCH;
        std::wstring text;
        if (record.ExceptionCode == kWideText) {
            text = reinterpret_cast<const wchar_t*>(record.ExceptionInformation[1]);
        } else {
            const char* narrow = reinterpret_cast<const char*>(record.ExceptionInformation[1]);
            text.resize(::MultiByteToWideChar(CP_ACP, 0, narrow, -1, nullptr, 0));
            ::MultiByteToWideChar(CP_ACP, 0, narrow, -1, text.data(),
                                  static_cast<int>(text.size()));
            text.resize(text.empty() ? 0 : text.size() - 1);
        }
        std::lock_guard<std::mutex> lock(capture->m_mutex);
        capture->m_text += text;
        return EXCEPTION_CONTINUE_EXECUTION;
    }

    static inline DebugOutputCapture* s_capture = nullptr;
    PVOID m_handler = nullptr;
    std::mutex m_mutex;
    std::wstring m_text;
};
