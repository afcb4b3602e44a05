#pragma once

#include "framework/PropertySheet.h"

// The first page of the wizard: it introduces the program and offers the operations.
class CIntroDlg : public CPropertyPageEx {
public:
    CIntroDlg();

protected:
    bool OnSetActive() override;
};
