#pragma once

#include <windows.h>

// Nonzero when the user of the process belongs to the built-in Administrators group.
BOOL IsUserAdministrator();
