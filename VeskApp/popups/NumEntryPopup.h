// CKyrthNumEntryPopup: asks for a whole number in a digits-only edit whose
// range the caller gives (the edit refuses keys that leave it).
#pragma once
#include "EditItems.h"
#include "VeskPopup.h"

class CKyrthNumEntryPopup : public CVeskPopup {
public:
    // `result` receives the number on OK (0 for an empty edit).
    CKyrthNumEntryPopup(CWnd* owner, const wchar_t* file, int minValue, int maxValue, int* result);
    void BindItems() override;
    BOOL OnInitDialog() override;

protected:
    void OnPopupOK() override;

private:
    CEditItem* m_edit = nullptr;
    int m_min;
    int m_max;
    int* m_result;
};
