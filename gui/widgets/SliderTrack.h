// CSliderTrack: the bitmap window a slider thumb runs on. It relays the
// thumb's notifications to the page, paints an optional fill level up to
// the thumb, shows and moves the thumb's tracking tooltip and lets a click
// on the track make the thumb jump there. The tooltip's window exists only
// while it shows the thumb's text: it is made when shown (on the thumb's
// hover and while dragging) and goes when hidden (on release and leave).
#pragma once
#include <windows.h>

#include <commctrl.h>

#include "FillBar.h"
#include "GUIItem.h"
#include "Wnd.h"

class CSliderBase;

class CSliderTrack : public CWnd, public CGUIItem {
public:
    static constexpr int kTipTextChars = 120;  // the tooltip shows at most 119

    CSliderTrack();
    ~CSliderTrack() override;

    // Style child|visible over rect, control id = item id. With a fill the
    // track paints fill.fill over fill.rect up to the thumb.
    BOOL CreateTrack(const RECT& rect, CWnd* parent);
    void SetFill(const FillInfo& fill);
    // The track's picture (owned), drawn over the client area.
    void SetBitmap(HBITMAP bitmap);
    void Show(bool show) override;

    void SetThumb(CSliderBase* thumb);
    CSliderBase* Thumb() const { return m_thumb; }

    // Switches the thumb's tracking tooltip on, with its position code.
    void CreateTrackingTip(int positionCode);
    // Switches the tooltip on (true) or off (false; a shown one goes).
    void EnableTip(bool on);
    void ShowTip();
    void HideTip();
    void PlaceTip();
    bool TipShown() const { return m_tipShown != 0; }
    bool ToolAdded() const { return m_toolAdded != 0; }  // switched on
    HWND TipWindow() const { return m_tip; }  // null while hidden

    bool FillEnabled() const { return m_fillEnabled != 0; }
    const RECT& FillRect() const { return m_fillRect; }
    int ThumbX() const { return m_thumbX; }
    int ThumbY() const { return m_thumbY; }

protected:
    // Where notifications go: the owner when one is set, else the parent.
    HWND NotifyWindow() const;
    void UpdateTipText();
    // Makes the tooltip window with its one tool when the tip is on and the
    // thumb has a text; true when it exists.
    bool OpenTip();
    void CloseTip();
    virtual void Draw(CDC& dc);
    void OnPaint();
    LRESULT OnPrintClient(WPARAM w, LPARAM);
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    LRESULT OnSliderReleased(WPARAM w, LPARAM l);
    LRESULT OnSliderChanging(WPARAM w, LPARAM l);
    LRESULT OnThumbMovedH(WPARAM w, LPARAM l);
    LRESULT OnThumbMovedV(WPARAM w, LPARAM l);
    void OnLButtonUp(UINT flags, CPoint p);
    void OnMouseMove(UINT flags, CPoint p);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    CBitmap m_bitmap;
    unsigned char m_needsRepaint = 0;
    unsigned char m_fillEnabled = 0;
    COLORREF m_fillColour = 0xFFFFFF;
    RECT m_fillRect{};
    int m_thumbX = 0;
    int m_thumbY = 0;
    bool m_yChangedLast = false;
    CSliderBase* m_thumb = nullptr;
    HWND m_tip = nullptr;
    TOOLINFOW m_toolInfo{};
    wchar_t m_tipBuffer[kTipTextChars] = {};
    unsigned char m_tipShown = 0;
    int m_tipPosition = 0;
    unsigned char m_toolAdded = 0;
};
