#pragma once

#include <windows.h>

#include <commctrl.h>

// The check boxes of list and tree controls are state images: image 1 shows an empty box,
// image 2 a ticked one. Both controls keep the image index in the state bits 0xF000.
inline UINT CheckBoxState(bool checked) {
    return INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
}
inline bool IsCheckBoxTicked(UINT state) {
    return (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}
