#include "app/RecoveryApp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    theApp.InitInstance();
    return 0;
}
