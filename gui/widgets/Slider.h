// Slider thumbs: CSliderBase and its horizontal (CPHSlider) and vertical
// (CVertSlider) forms. A thumb is a child window of its track that is
// dragged along it; the value arithmetic lives in SliderGeometry. The thumb
// posts WM_SLIDER_CHANGING / WM_SLIDER_RELEASED to its owner (the track,
// which relays them) and sends the owner its pixel on every move.
#pragma once
#include <windows.h>

#include "GUIItem.h"
#include "SliderGeometry.h"
#include "Wnd.h"

class CSliderTrack;

class CSliderBase : public CWnd, public CGUIItem {
public:
    CSliderBase();
    ~CSliderBase() override;

    virtual void RecalcLayout() = 0;
    virtual void TrackTo(int x, int y) = 0;      // a point in thumb client coordinates
    virtual int PixelToValue(int x, int y) = 0;  // a leading-edge point in track coordinates
    virtual void SetPos(int position, bool notify) = 0;

    // Takes ownership of the bitmaps. The thumb's size is the normal
    // bitmap's. A mask shapes the window; keyFromCorner instead cuts every
    // pixel of the normal bitmap's top-left colour out of the window.
    BOOL Create(HBITMAP normal, CWnd* owner, HBITMAP pressed, HBITMAP mask, bool keyFromCorner, const RECT& rect);
    // The tooltip's label (translated), its position code (0 left, 1 right,
    // 2 top, 3 bottom) and the prefix put in front of the value; the track
    // makes its tracking tooltip.
    void SetToolTip(const wchar_t* label, int positionCode, const wchar_t* prefix);
    // Set by whoever places the thumb on a CSliderTrack (null otherwise).
    void SetTrack(CSliderTrack* track) { m_track = track; }
    CSliderTrack* Track() const { return m_track; }

    int Value() const { return m_geo.offset + m_position; }
    int Position() const { return m_position; }
    const SliderGeometry& Geometry() const { return m_geo; }
    SliderGeometry& Geometry() { return m_geo; }
    const CString& TipText() const { return m_tipText; }
    const CString& TipPrefix() const { return m_tipPrefix; }
    const CString& TipLabel() const { return m_tipLabel; }
    void SetTipText(const CString& text) { m_tipText = text; }
    POINT TipOffset() const { return {m_tipOffsetX, m_tipOffsetY}; }
    int TipPosition() const { return m_tipPosition; }
    int ThumbWidth() const { return m_thumbWidth; }
    int ThumbHeight() const { return m_thumbHeight; }
    bool Dragging() const { return m_dragging != 0; }
    bool Hover() const { return m_hover != 0; }
    void SetInteractive(bool on) { m_interactive = on ? 1 : 0; }
    bool Interactive() const { return m_interactive != 0; }
    void SetTipEnabled(bool on) { m_tipEnabled = on ? 1 : 0; }
    bool TipEnabled() const { return m_tipEnabled != 0; }
    const RECT& TrackRect() const { return m_trackRect; }
    HWND OwnerWindow() const { return m_ownerWnd; }

protected:
    virtual int ShownValue() const { return Value(); }
    void RebuildTipText();
    void MoveThumbTo(int x, int y);
    HRGN RegionFromCornerKey() const;
    void TrackLeaveAndHover();

    void Draw(CDC& dc);
    void OnPaint();
    LRESULT OnPrintClient(WPARAM w, LPARAM);
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    void OnLButtonDown(UINT flags, CPoint p);
    void OnLButtonUp(UINT flags, CPoint p);
    void OnMouseMove(UINT flags, CPoint p);
    void OnKillFocus(CWnd*);
    void OnMouseLeave();
    void OnMouseHover(UINT flags, CPoint p);
    DECLARE_MESSAGE_MAP()

    SliderGeometry m_geo;
    int m_position = -1;
    int m_pressX = 0;
    int m_pressY = 0;
    HWND m_ownerWnd = nullptr;
    CSliderTrack* m_track = nullptr;
    CString m_tipPrefix;
    CString m_tipText;
    CString m_tipLabel;
    int m_tipPosition = 0;
    CBitmap m_normal;
    CBitmap m_pressed;
    CBitmap m_mask;
    int m_thumbWidth = 0;
    int m_thumbHeight = 0;
    unsigned char m_dragging = 0;
    unsigned char m_interactive = 1;
    unsigned char m_hover = 0;
    unsigned char m_leaveTracked = 0;
    unsigned char m_tipEnabled = 1;
    RECT m_trackRect{};
    int m_tipOffsetX = 0;
    int m_tipOffsetY = 0;
};

// Horizontal thumb. The shown value is (offset + position) * multiplier.
class CPHSlider : public CSliderBase {
public:
    CPHSlider();
    void RecalcLayout() override;
    void TrackTo(int x, int y) override;
    int PixelToValue(int x, int y) override;
    void SetPos(int position, bool notify) override;

    // The cap range, clamped into the position range; kept, not consulted
    // when the thumb moves.
    void SetCapRange(int capMin, int capMax);
    int CapMin() const { return m_capMin; }
    int CapMax() const { return m_capMax; }
    void SetMultiplier(int m) { m_multiplier = m; }
    int Multiplier() const { return m_multiplier; }

protected:
    int ShownValue() const override { return Value() * m_multiplier; }

private:
    int m_capMin = 1;
    int m_capMax = 32;
    int m_multiplier = 1;
};

// Vertical thumb: values 1..32 by default, growing upward.
class CVertSlider : public CSliderBase {
public:
    CVertSlider();
    void RecalcLayout() override;
    void TrackTo(int x, int y) override;
    int PixelToValue(int x, int y) override;
    void SetPos(int position, bool notify) override;
};
