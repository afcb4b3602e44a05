# Cross build for 32-bit Windows (the Windows 2000 and XP machines). Compiled only: this
# kernel does not run 32-bit Windows programs.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
