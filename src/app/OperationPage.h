#pragma once

#include "framework/PropertySheet.h"

// A page of one of the operations that the intro page offers: Back and Finish, and Back
// returns to the intro page.
class COperationPage : public CPropertyPageEx {
public:
    using CPropertyPageEx::CPropertyPageEx;

protected:
    bool OnSetActive() override;
    LRESULT OnWizardBack() override;
};
