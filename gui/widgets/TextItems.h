// The passive pieces of a skinned page: text labels (CTextItem, which may
// act for a linked check box), bitmap windows (CBitmapItem) and the
// assignment display window (CBitmapWindow).
#pragma once
#include <map>

#include "Controls.h"
#include "GUIItem.h"
#include "WidgetToolTip.h"

class CBitmapBtn;

class CTextItem : public CStatic, public CGUIItem {
public:
    CTextItem(const CString& key = CString(), int caseMode = 0);

    void SetText(const CString& key);
    const CString& GetText() const { return m_text; }
    void RedrawInParent();
    void SetToolTip(const CString& key) { m_toolTip.Set(this, key); }
    void SetItemFont(HFONT font);
    void SetCheckBox(CBitmapBtn* box) { m_checkBox = box; }
    CBitmapBtn* CheckBox() const { return m_checkBox; }
    void SetSelected(bool on);
    bool IsHover() const { return m_hover != 0; }

    BOOL PreTranslateMessage(MSG* msg) override;
    void DrawItem(LPDRAWITEMSTRUCT dis);

    // 0: one line drawn at x = 5, centred vertically; else DrawText flags.
    UINT m_drawFormat = 0;
    COLORREF m_normalColour = 0;
    COLORREF m_hoverColour = 0;
    COLORREF m_selectedColour = 0;

protected:
    HBRUSH CtlColor(CDC* dc, UINT ctlType);
    void OnMouseMove(UINT flags, CPoint p);
    void OnCaptureChanged(CWnd* wnd);
    void OnLButtonDown(UINT flags, CPoint p);
    void OnLButtonUp(UINT flags, CPoint p);
    void SetHover(bool on);
    DECLARE_MESSAGE_MAP()

    CWidgetToolTip m_toolTip;
    CString m_text;
    HFONT m_font = nullptr;
    uint8_t m_hover = 0;
    uint8_t m_selected = 0;
    CBitmapBtn* m_checkBox = nullptr;
};

class CBitmapItem : public CWnd, public CGUIItem {
public:
    CBitmapItem() { m_type = ITEM_BITMAP; }

    BOOL Create(DWORD style, const RECT& r, CWnd* parent, UINT id);
    void SetBitmap(HBITMAP source, const RECT& rect);
    void SetBitmapAndMask(HBITMAP mask, HBITMAP source, const RECT& rect);
    void SetToolTip(const CString& key) { m_toolTip.Set(this, key); }
    HBITMAP Bitmap() const { return (HBITMAP)m_bitmap.m_hObject; }

    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    uint8_t m_moveable = 1;

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    LRESULT OnPrintClient(WPARAM wParam, LPARAM);
    DECLARE_MESSAGE_MAP()

    CWidgetToolTip m_toolTip;
    CBitmap m_bitmap;
};

// The picture an owner puts in the assignment display window.
struct BitmapWindowImage {
    HBITMAP bitmap = nullptr;
    RECT source{};
    HBITMAP overlay = nullptr;
    RECT overlaySource{};
};

// Shortens text from the end with "..." until measure(text) fits in width.
CString EllipsizeText(const CString& text, int width, int (*measure)(const CString&, void*), void* context);

class CBitmapWindow : public CWnd, public CGUIItem {
public:
    static constexpr int kCaptionStrip = 38;

    CBitmapWindow() { m_type = ITEM_BITMAPWINDOW; }

    BOOL Create(DWORD style, const RECT& r, CWnd* parent, UINT id);
    void SetBitmaps(HBITMAP normal, HBITMAP hover, HBITMAP pressed, HBITMAP disabled, HBITMAP mask);
    void SetToolTip(const CString& key) { m_toolTip.Set(this, key); }
    void SetCaption(const CString& key, int caseMode);
    // With the case mode the skin gave the window.
    void SetCaption(const CString& key) { SetCaption(key, m_caseMode); }
    const CString& Caption() const { return m_caption; }
    void SetItemFont(HFONT font) { m_font = font; }
    int m_caseMode = 0;
    void SetImage(const BitmapWindowImage& image);
    void SetAssignmentType(int type);
    // A later icon for the same assignment type replaces the earlier.
    void SetTypeIcon(int type, HBITMAP icon);
    HBITMAP TypeIcon(int type) const;
    void SetStates(bool pressed, bool hover, bool third);
    void SetFrameColour(bool on, COLORREF colour);
    const RECT& InnerRect() const { return m_innerRect; }

    BOOL PreTranslateMessage(MSG* msg) override;

    UINT m_drawFormat = DT_CENTER | DT_SINGLELINE | DT_VCENTER;
    COLORREF m_textColour = 0;

protected:
    void Draw(HDC dc);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    LRESULT OnPrintClient(WPARAM wParam, LPARAM);
    void OnCaptureChanged(CWnd* wnd);
    void OnKillFocus(CWnd* next);
    DECLARE_MESSAGE_MAP()

    CBitmap m_normal, m_hoverBm, m_pressedBm, m_disabledBm, m_mask;
    CString m_caption;
    uint8_t m_pressed = 0, m_hover = 0, m_third = 0;
    uint8_t m_frameFlag = 0;
    HFONT m_font = nullptr;
    COLORREF m_frameColour = 0;
    CWidgetToolTip m_toolTip;
    BitmapWindowImage m_image;
    int m_assignmentType = -1;
    std::map<int, CBitmap*> m_typeIcons;
    RECT m_innerRect{};

public:
    ~CBitmapWindow() override;
};
