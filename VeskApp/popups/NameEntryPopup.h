// The name popups: CVeskNameEntryPopup asks for a new name (profiles and
// macros), CKyrthNameEntryPopup for a new name of a profile or a macro and
// shows the current one in its heading. The edit starts empty, has the focus and
// takes at most 20 characters.
#pragma once
#include "EditItems.h"
#include "String.h"
#include "TextItems.h"
#include "VeskPopup.h"

class CVeskNameEntryPopup : public CVeskPopup {
public:
    // `result` receives the entered name on OK (empty for an empty edit).
    CVeskNameEntryPopup(CWnd* owner, const wchar_t* file, CString* result);
    void BindItems() override;
    BOOL OnInitDialog() override;

    static constexpr int kMaxNameLength = 20;

protected:
    void OnPopupOK() override;

    CEditItem* m_edit = nullptr;
    CString* m_result;
};

class CKyrthNameEntryPopup : public CVeskNameEntryPopup {
public:
    // currentName (may be empty) is appended to the heading as ": name".
    CKyrthNameEntryPopup(CWnd* owner, const wchar_t* currentName, CString* result,
                         const wchar_t* file = L"ProfileRenamePopup.xml");
    void BindItems() override;

private:
    CString m_currentName;
};
