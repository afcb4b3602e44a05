#pragma once

// How the installation run starts setup programs and waits for them, from Install.ini's
// [General] section. The application and driver pages and the direct installation read them.
struct LaunchSettings {
    int timeOut = 1000;     // TimeOut: seconds of the final wait for an ordinary item
    int longTimeOut = 2000; // TimeOut2: the same for an item with Long_Time = yes
    bool noWait = false;    // NoWaitEx: setups are started without waiting for them
    bool vorqOnly = false;  // WaitVorqOnly: the final wait looks only for vorq.exe
    bool show = true;       // ShowCmd: setups, setup commands and shortcuts show their window
};

// TimeOut ("1000") and TimeOut2 ("2000") as the C runtime converts numbers (text that is no
// number gives 0); NoWaitEx ("no"), WaitVorqOnly ("no") and ShowCmd ("yes") true when they
// are "yes" in any letter case.
LaunchSettings ReadLaunchSettings();

// ShowCmd alone, which the run reads when it starts.
bool ReadShowSetting();
