// CGUIPanel: a skinned dialog whose look comes from one XML page: the
// page's BACKGROUND picture is the window's face and size, its MASK picture
// the window's shape. Pages, popups and the main window derive from it and
// find their items by id in BindItems once the page is loaded.
#pragma once
#include <windows.h>

#include "Dialog.h"
#include "GUIItem.h"
#include "PanelBitmap.h"
#include "String.h"

class CGUIPanel : public CDialog {
public:
    // A page panel: loads pageFile (under xml\) while its window is created.
    // A template id of 0 uses a plain borderless pop-up template, for
    // DoModal as for CreatePlain.
    CGUIPanel(UINT templateId, const wchar_t* pageFile, CWnd* parent);
    // A panel built from a rectangle: no page; its window takes the
    // rectangle's width and height at (0, 0).
    CGUIPanel(const RECT& rect, UINT templateId, CWnd* parent);
    ~CGUIPanel() override;

    // Looks the page's items up and keeps typed pointers to them.
    virtual void BindItems() = 0;

    // Modeless creation from a plain borderless pop-up template (for panels
    // that have no template resource of their own).
    BOOL CreatePlain(CWnd* parent = nullptr, DWORD style = WS_POPUP | WS_VISIBLE);

    // Makes the window layered with `key` pixels see-through, and lets that
    // key cut the mask's shape as well: the window region goes and the face
    // takes the key colour outside the mask. A window shaped both ways is
    // shaped by its key alone under Wine (the key's shape replaces the
    // region's), so its cut-off corners would cover the desktop; shaped by
    // the key alone it looks and hit-tests the same on every system. The
    // layered-window function is looked up at run time; false without it.
    bool MakeLayeredWithKey(COLORREF key);
    // The shape the key cuts (window coordinates), null while none.
    HRGN KeyShape() const { return m_keyShape; }

    CGUIItems& Items() { return m_items; }
    CPanelBitmap* Background() const { return m_background; }
    CPanelBitmap* Mask() const { return m_mask; }
    HRGN Region() const { return m_region; }
    const CRect& PanelRect() const { return m_rect; }
    bool IsLoaded() const { return m_loaded; }
    const CString& PageFile() const { return m_pageFile; }

protected:
    int OnCreate(LPCREATESTRUCTW cs);
    void OnDestroy();
    void OnPaint();
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    void DrawBackground(HDC target);
    void KeyOutsideShape(HDC target);

    CWnd* m_parent;
    CString m_pageFile;
    CPanelBitmap* m_background = nullptr;
    CPanelBitmap* m_mask = nullptr;
    HRGN m_region = nullptr;  // owned by the window once set
    HRGN m_keyShape = nullptr;  // owned; the mask's shape once the key cuts it
    COLORREF m_key = 0;
    CGUIItems m_items;
    CRect m_rect;
    bool m_loaded = false;

    DECLARE_MESSAGE_MAP()
};

// A skinned popup: binds its items at the start of OnInitDialog.
class CPopupBox : public CGUIPanel {
public:
    CPopupBox(UINT templateId, const wchar_t* pageFile, CWnd* parent) : CGUIPanel(templateId, pageFile, parent) {}
    CPopupBox(const RECT& rect, UINT templateId, CWnd* parent) : CGUIPanel(rect, templateId, parent) {}
    BOOL OnInitDialog() override;
    void BindItems() override {}
};
