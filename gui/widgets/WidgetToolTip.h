// The tooltip every skinned widget shares: one tool over the widget's client
// rectangle, text from the language table with every backslash-n a line
// break, mouse messages relayed from the widget's PreTranslateMessage.
#pragma once
#include "CommonControls.h"
#include "String.h"

class CWidgetToolTip {
public:
    // Creates the control on first use, adds the tool once, then sets the
    // (translated) text and activates the tip.
    void Set(CWnd* widget, const CString& key);
    void Relay(MSG* msg);
    bool Exists() const { return m_tip.m_hWnd != nullptr; }
    CToolTipCtrl& Control() { return m_tip; }
    const CString& Text() const { return m_text; }

private:
    CToolTipCtrl m_tip;
    CString m_text;
};
