// CDPIStageWindow: one tile of the DPI stages popup: a frame, the stage's
// heading and its value (combined, or X and Y). A click selects the tile
// and tells the parent with WM_DPISTAGE_SELECTED.
#pragma once
#include <vector>

#include "Controls.h"
#include "GUIItem.h"
#include "WidgetToolTip.h"

// A named picture of the tile (not owned: the tile keeps its own copy).
struct DpiStageBitmapRecord {
    CString name;
    HBITMAP bitmap = nullptr;
    HBITMAP mask = nullptr;
    RECT rect{};  // inside the tile
};

// A named text area of the tile.
struct DpiStageTextRecord {
    CString name;
    CString text;
    RECT rect{};
};

class CDPIStageWindow : public CStatic, public CGUIItem {
public:
    enum Picture { FRAME, FRAME_SELECTED, WIN, WINX, WINY, kPictures };
    enum Text { HEADING, DPI, DPIX, DPIY, X, Y, kTexts };

    explicit CDPIStageWindow(int stageNumber);
    ~CDPIStageWindow() override;

    // Makes the tile (child|visible over rect) and picks the records by name
    // (ignoring case; other names are ignored).
    BOOL SetLayout(CWnd* parent, const RECT& rect, const std::vector<DpiStageBitmapRecord>& bitmaps,
                   const std::vector<DpiStageTextRecord>& texts, int id);
    // The heading through the caption rule (translated, cased, first \n).
    void SetHeading(const CString& text);
    void SetCaseMode(int mode) { m_caseMode = mode; }
    void SetToolTip(const CString& text) { m_tip.Set(this, text); }
    void SetTextColour(COLORREF c) { m_textColour = c; }
    void SetFontHandle(HFONT font) { m_font = font; }

    // The stage's copy the popup gives the tile.
    void SetStage(bool enabled, bool selected, bool separateXY, int value, int x, int y);
    void SetSelected(bool selected) { m_selected = selected ? 1 : 0; }
    bool Selected() const { return m_selected != 0; }
    bool Enabled() const { return m_enabled != 0; }
    void SetInteractive(bool on) { m_interactive = on ? 1 : 0; }
    int StageNumber() const { return m_stageNumber; }
    bool HasPicture(Picture p) const { return m_pictures[p].GetSafeHandle() != nullptr; }
    const CString& TextOf(Text t) const { return m_texts[t].text; }
    const RECT& TextRect(Text t) const { return m_texts[t].rect; }
    const RECT& PictureRect(Picture p) const { return m_pictureRects[p]; }

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void Draw(CDC& dc);
    void DrawPicture(CDC& dc, HBITMAP bm, const RECT& r);
    void DrawValue(CDC& dc, Picture window, const RECT& r, int value);
    void OnPaint();
    LRESULT OnPrintClient(WPARAM w, LPARAM);
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    void OnLButtonUp(UINT flags, CPoint p);
    void OnKillFocus(CWnd*) { Invalidate(FALSE); }
    DECLARE_MESSAGE_MAP()

private:
    int m_stageNumber;
    CBitmap m_pictures[kPictures];
    RECT m_pictureRects[kPictures] = {};
    DpiStageTextRecord m_texts[kTexts];
    unsigned char m_interactive = 1;
    unsigned char m_selected = 0;
    unsigned char m_enabled = 0;
    int m_value = 0;
    int m_x = 0;
    int m_y = 0;
    unsigned char m_separateXY = 0;
    HFONT m_font = nullptr;
    COLORREF m_textColour = 0;
    UINT m_format = DT_SINGLELINE | DT_VCENTER;
    int m_caseMode = 0;
    CWidgetToolTip m_tip;
};
