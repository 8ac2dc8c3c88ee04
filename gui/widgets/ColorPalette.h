// The drop-down colour palette: 48 colour cells and a "$Custom" button in a
// pop-up window. The control does the content, drawing, hit-testing and
// keys; the window forwards the control's choices to its owner (the colour
// box), which finishes them.
#pragma once
#include <windows.h>

#include "ColorPaletteModel.h"
#include "Wnd.h"

class CFODropColorPaletteWnd;

// One cell of the palette.
class CFOColorCellObj {
public:
    CFOColorCellObj() = default;
    virtual ~CFOColorCellObj() = default;
    CFOColorCellObj(const CFOColorCellObj&) = delete;
    CFOColorCellObj& operator=(const CFOColorCellObj&) = delete;

    virtual bool HitTest(int x, int y) const;
    virtual void BeginDraw(CDC& dc);
    virtual void Draw(CDC& dc);
    virtual void DrawSelected(CDC& dc);
    virtual void EndDraw(CDC& dc);

    void SetColour(COLORREF c);  // drops the old brush
    COLORREF Colour() const { return m_colour; }
    RECT m_rect{};
    bool m_shaped = false;  // the palette's layout makes every cell a rectangle
    int m_inset = 1;
    COLORREF m_frameColour = 0x8B4E10;

private:
    COLORREF m_colour = 0xFFFFFF;
    CBrush m_brush;
    int m_saved = 0;
};

// The palette's content; owned by the palette window.
class CFODropColorPaletteControl {
public:
    explicit CFODropColorPaletteControl(COLORREF defaultColour = 0x8B4E10);
    virtual ~CFODropColorPaletteControl() = default;

    virtual bool Create(CFODropColorPaletteWnd* wnd, COLORREF colour, const RECT& rect, bool closeOnChoice);
    virtual void Layout();
    virtual void InitColorCells();
    virtual void Draw(CDC& dc);
    virtual void Relayout(const RECT& client);
    // The cell under the point becomes current; null when there is none.
    virtual CFOColorCellObj* SelectCellAt(int x, int y);
    virtual void NotifyColorSelected(COLORREF colour, LPARAM flag);
    virtual void NotifyCancel(COLORREF colour, LPARAM flag);
    virtual void OnCancelMode() {}
    virtual void DrawBorder(CDC& dc, const RECT& r, int style);
    virtual void DrawCustomButton(CDC& dc, bool showSwatch);
    virtual void DrawCustomHover(CDC& dc);

    void CheckCustomHover(int x, int y);
    void OnClick(int x, int y);
    void OnKeyDown(UINT vk);
    // Called when the pop-up is deactivated: chooses the current colour unless
    // the palette already reported an outcome.
    void OnDeactivated();

    COLORREF CurrentColour() const { return m_current; }
    int CurrentCell() const;  // first cell with the current colour, -1 when none
    const CFOColorCellObj& Cell(int k) const { return m_cells[k]; }
    const RECT& CustomRect() const { return m_layout.custom; }
    const CString& CustomText() const { return m_customText; }
    bool CustomHover() const { return m_customHover; }
    const PaletteOutcomeLatch& Outcome() const { return m_outcome; }

private:
    void InvalidateGrown(const RECT& r);
    void PostToWindow(UINT msg, WPARAM w, LPARAM l);
    void RequestCustom();
    void Hide();

    CFOColorCellObj m_cells[kPaletteCellCount];
    COLORREF m_defaultColour;
    RECT m_client{};
    PaletteLayout m_layout;
    COLORREF m_current = 0xFFFFFF;
    CFODropColorPaletteWnd* m_wnd = nullptr;
    bool m_closeOnChoice = false;
    bool m_customHover = false;
    CString m_customText;
    bool m_customShown = true;
    int m_margin = 4;
    CFont m_font;
    PaletteOutcomeLatch m_outcome;
};

class CFODropColorPaletteWnd : public CWnd {
public:
    CFODropColorPaletteWnd() = default;
    ~CFODropColorPaletteWnd() override;

    // A palette window over rect (screen coordinates for a pop-up).
    BOOL Create(DWORD style, CWnd* owner, COLORREF colour, const RECT& rect);
    CFODropColorPaletteControl* Control() { return m_control; }

    COLORREF m_defaultColour = 0x8B4E10;

protected:
    CFODropColorPaletteControl* m_control = nullptr;
    CWnd* m_ownerWnd = nullptr;

    void OnLButtonDown(UINT, CPoint p);
    void OnMouseMove(UINT, CPoint p);
    void OnLButtonUp(UINT, CPoint p);
    void OnLButtonDblClk(UINT, CPoint);
    void OnKeyDown(UINT vk, UINT, UINT);
    void OnSize(UINT, int, int);
    void OnPaint();
    LRESULT OnPrintClient(WPARAM w, LPARAM);
    void PaintTo(HDC dc);
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    UINT OnGetDlgCode() { return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS; }
    void OnSysColorChange() { Invalidate(FALSE); }
    LRESULT OnPaletteMessage(WPARAM w, LPARAM l);
    LRESULT OnPaletteCancel(WPARAM w, LPARAM l);
    LRESULT OnPaletteCustom(WPARAM w, LPARAM l);
    LRESULT OnMiddleButton(WPARAM, LPARAM);
    void Forward(UINT msg, WPARAM w, LPARAM l, bool hide);

    DECLARE_MESSAGE_MAP()
};

// The palette as a pop-up next to a box; a deactivation chooses.
class CFOPopupColorPaletteWnd : public CFODropColorPaletteWnd {
public:
    // style bit 0: below the box (above when it would leave the work area);
    // without it: to the right of the box.
    virtual BOOL CreatePopup(DWORD style, CWnd* owner, COLORREF colour, const RECT& boxScreenRect, SIZE client);

    // Tests turn this off: under a shared test desktop other programs take
    // the activation at any time, so they deliver deactivations themselves.
    bool m_chooseOnDeactivate = true;

protected:
    void OnActivate(UINT state, CWnd*, BOOL);
    DECLARE_MESSAGE_MAP()
};

// Where a pop-up of windowSize goes against box inside workArea.
RECT PlacePalettePopup(DWORD style, const RECT& box, SIZE windowSize, const RECT& workArea);
