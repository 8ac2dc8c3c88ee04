// Skinned edit boxes: CEditItem (an edit control inside a border panel, with
// skin colours, an optional digits-only mode and a change notification),
// CEditItemSingleKeyInput (shows the name of the last key pressed) and
// CEditItemSingleKeyInputMMO (captures one key with its modifiers and
// reports it).
#pragma once
#include "Controls.h"
#include "GUIItem.h"
#include "GenericPanel.h"
#include "KeyCaptureMachine.h"
#include "KeyEvent.h"
#include "WidgetToolTip.h"

class CEditItem : public CEdit, public CGUIItem {
public:
    CEditItem();
    ~CEditItem() override;

    // The rectangle grows by the border width on every side for the border
    // panel; the edit sits inside it, owned by `parent`.
    BOOL Create(DWORD style, const RECT& r, CWnd* parent, UINT id);
    void Show(bool show) override;
    void SetToolTip(const CString& key) { m_toolTip.Set(this, key); }
    void SetItemFont(HFONT font);
    CGenericPanel& BorderPanel() { return m_borderPanel; }

    BOOL PreTranslateMessage(MSG* msg) override;

    COLORREF m_textColour = 0xFFFFFF;
    COLORREF m_hoverTextColour = 0;
    COLORREF m_backColour = 0;
    COLORREF m_hoverBackColour = 0xFFFFFF;
    COLORREF m_borderColour = 0xFFFFFF;
    COLORREF m_disabledBackColour = 0;
    COLORREF m_disabledBorderColour = 0;
    COLORREF m_disabledTextColour = 0;
    uint8_t m_digitsOnly = 0;
    int m_minValue = 0;
    int m_maxValue = -1;
    int m_borderWidth = 1;

protected:
    // The edit's text and caret after a capture edit changed it.
    void ShowTextAtEnd(const CString& text);

    int OnCreate(LPCREATESTRUCTW cs);
    HBRUSH CtlColor(CDC* dc, UINT ctlType);
    BOOL OnChange();
    BOOL OnUpdate() { return TRUE; }
    BOOL OnLeft();
    void OnRButtonDown(UINT, CPoint) {}
    BOOL OnEraseBkgnd(CDC*) { return FALSE; }
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    CWidgetToolTip m_toolTip;
    CGenericPanel m_borderPanel;
    HFONT m_font = nullptr;
    CBrush m_backBrush;
    CBrush m_disabledBackBrush;
};

class CEditItemSingleKeyInput : public CEditItem {
public:
    CEditItemSingleKeyInput() { m_type = ITEM_EDITSINGLEKEY; }

    BOOL PreTranslateMessage(MSG* msg) override;
    const KeyEvent& Key() const { return m_key; }

protected:
    void OnRawInput(UINT code, HRAWINPUT input);
    DECLARE_MESSAGE_MAP()

    KeyEvent m_key;
    HWND m_registeredWindow = nullptr;
};

class CEditItemSingleKeyInputMMO : public CEditItem {
public:
    CEditItemSingleKeyInputMMO() { m_type = ITEM_EDITSINGLEKEY; }

    BOOL PreTranslateMessage(MSG* msg) override;

    // Runs one raw key through the capture (the WM_INPUT path without the
    // packet read), showing and notifying as the capture decides.
    void HandleRawKey(const RAWKEYBOARD& raw);

    KeyCaptureMachine& Capture() { return m_capture; }
    uint16_t CapturedScanCode() const { return m_capture.capturedScanCode; }
    uint16_t CapturedVirtualKey() const { return m_capture.capturedVirtualKey; }
    uint8_t CapturedFlags() const { return m_capture.capturedFlags; }
    const CString& CapturedText() const { return m_capture.capturedText; }
    int CaptureState() const { return m_capture.state; }

protected:
    void OnRawInput(UINT code, HRAWINPUT input);
    void ShowAndNotify();
    DECLARE_MESSAGE_MAP()

    KeyEvent m_key;
    KeyCaptureMachine m_capture;
};
