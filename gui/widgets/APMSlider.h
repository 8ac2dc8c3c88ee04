// CAPMSlider: a slider track whose stage thumbs (CAPMTicker) divide it into
// grey segments; a click reports the stage under the mouse. CDMarker: a
// one-window gauge whose marker bitmap shows up to its value.
#pragma once
#include <memory>
#include <vector>

#include "Slider.h"
#include "SliderTrack.h"
#include "StageMath.h"

// A stage thumb: a horizontal slider thumb with a cap range.
class CAPMTicker : public CPHSlider {};

class CAPMSlider : public CSliderTrack {
public:
    static constexpr BYTE kBlendAlpha = 50;

    CAPMSlider();
    ~CAPMSlider() override;

    // Style child|visible over rect in owner; owner is also the window told
    // of releases. Takes ownership of trackBitmap.
    BOOL Create(CWnd* owner, HBITMAP trackBitmap, int minimum, int maximum, const RECT& rect);
    // Nothing in the skin adds stage thumbs; pages that want stages add
    // them here (owned; the ticker's window is made by the caller).
    void AddStage(CAPMTicker* ticker);
    int StageCount() const { return (int)m_tickers.size(); }
    CAPMTicker* Stage(int i) const { return i >= 0 && i < StageCount() ? m_tickers[i].get() : nullptr; }
    std::vector<int> StageValues() const;

    void SetDefaultStages();
    void RemoveTickerCapRanges();
    void SetTickerCapRanges();
    void BuildGreyColours();
    // Chooses RemoveTickerCapRanges (true) or SetTickerCapRanges (false)
    // when a stage moves.
    void SetFreeCaps(bool freeCaps) { m_freeCaps = freeCaps; }
    bool FreeCaps() const { return m_freeCaps; }
    void SetCaption(const CString& caption) { m_caption = caption; }
    const CString& Caption() const { return m_caption; }

    const std::vector<COLORREF>& Colours() const { return m_colours; }
    int RangeMin() const { return m_rangeMin; }
    int RangeMax() const { return m_rangeMax; }

protected:
    void Draw(CDC& dc) override;
    LRESULT OnStageMoved(WPARAM w, LPARAM l);
    void OnLButtonUp(UINT flags, CPoint p);
    void PostToOwners(UINT message, WPARAM w, LPARAM l);
    DECLARE_MESSAGE_MAP()

private:
    std::vector<std::unique_ptr<CAPMTicker>> m_tickers;
    std::vector<COLORREF> m_colours{0};
    CString m_caption;
    int m_rangeMin = 1;
    int m_rangeMax = 32;
    RECT m_rect{};
    HWND m_creatingOwner = nullptr;
    bool m_freeCaps = false;
};

class CDMarker : public CWnd, public CGUIItem {
public:
    CDMarker();

    // Style child|visible|tab stop over rect (owner client coordinates);
    // range 0..10, value 0, enabled.
    BOOL Create(const RECT& rect, int id, CWnd* owner);
    // Takes ownership of both bitmaps; rect is the marker's rectangle.
    void SetBitmaps(HBITMAP background, HBITMAP marker, const RECT& rect);

    int Value() const { return m_value; }
    void SetValue(int v) { m_value = v; }
    void SetRange(int minimum, int maximum) { m_minimum = minimum; m_maximum = maximum; }
    void SetEnabled(bool on) { m_enabled = on ? 1 : 0; }
    bool Dragging() const { return m_dragging != 0; }

protected:
    int ValueAt(CPoint client) const;
    void Draw(CDC& dc);
    void OnPaint();
    LRESULT OnPrintClient(WPARAM w, LPARAM);
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    void OnLButtonDown(UINT flags, CPoint p);
    void OnMouseMove(UINT flags, CPoint p);
    void OnLButtonUp(UINT flags, CPoint p);
    void OnCaptureChanged(CWnd*);
    void OnKillFocus(CWnd*);
    DECLARE_MESSAGE_MAP()

private:
    CBitmap m_background;
    CBitmap m_marker;
    unsigned char m_dragging = 0;
    RECT m_rect{};
    int m_pressX = 0;
    int m_pressY = 0;
    HWND m_ownerWnd = nullptr;
    int m_minimum = 0;
    int m_maximum = 10;
    int m_value = 0;
    unsigned char m_enabled = 1;
    int m_controlId = -1;
};
