#include "install/LaunchAndWait.h"

#include "common/CommandRunner.h"
#include "common/Pause.h"
#include "framework/MessageWait.h"
#include "wait/Processes.h"

namespace {
// The handles of a started process, closed when it goes.
class StartedProcess {
public:
    StartedProcess() = default;
    StartedProcess(const StartedProcess&) = delete;
    StartedProcess& operator=(const StartedProcess&) = delete;
    ~StartedProcess() {
        Close(m_info.hThread);
        Close(m_info.hProcess);
    }

    bool Start(const std::wstring& commandLine, int showFlag) {
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(showFlag);
        // CreateProcessW may write into the command line it is given.
        std::wstring line = commandLine;
        return ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE,
                                NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup,
                                &m_info) != FALSE;
    }

    HANDLE Process() const { return m_info.hProcess; }

private:
    static void Close(HANDLE handle) {
        if (handle)
            ::CloseHandle(handle);
    }

    PROCESS_INFORMATION m_info = {};
};

const DWORD kNoWaitPause = 2000;
const DWORD kBetweenWaitsPause = 1000;
} // namespace

LaunchResult LaunchAndWait(HWND dialog, const std::wstring& commandLine, int showFlag,
                           const LaunchSettings& settings, bool longTime, const WaitTicks& ticks) {
    LaunchResult result;
    const int processCount = CountProcesses();
    {
        StartedProcess setup;
        result.started = setup.Start(commandLine, showFlag);
        LogStart(commandLine, setup.Process());
        if (!result.started)
            return result;
        if (settings.noWait) {
            Pause(kNoWaitPause);
            return result;
        }
        if (!settings.vorqOnly) {
            WaitDispatchingMessages(setup.Process());
            LogExitCode(commandLine, setup.Process());
        }
    }
    const int timeOut = longTime ? settings.longTimeOut : settings.timeOut;
    result.wait = WaitForSetupProcesses(dialog, processCount, settings.vorqOnly ? 1 : 0, timeOut,
                                        ticks.processes);
    result.waited = true;
    Pause(kBetweenWaitsPause);
    WaitWhileVorqRuns(dialog, ticks.vorq);
    return result;
}
