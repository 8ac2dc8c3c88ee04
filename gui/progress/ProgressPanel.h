// CProgressPanel: the progress display that runs on its own thread (see
// CProgressPanelThread): a static window with text areas, a fill bar and a
// back-and-forth animation. Everything here runs on the progress thread.
#pragma once
#include <windows.h>

#include <atomic>
#include <memory>
#include <vector>

#include "Controls.h"
#include "FillBar.h"

// One text area of the panel. Areas named PP_HEADING, PP_PERCENT and
// PP_STATUS (any case) are updated by the panel; others are only drawn.
struct ProgressTextArea {
    CString name;
    CString text;
    RECT rect{};
    CFont* font = nullptr;  // may be null: a bold Arial of height 12 is used
    COLORREF textColour = 0xFFFFFF;
    COLORREF backColour = 0;
};

// The panel's colours and border as the skin gives them.
struct ProgressPanelColours {
    COLORREF fontclr = 0xFFFFFF;
    COLORREF fontclrhi = 0;
    COLORREF backclr = 0;
    COLORREF backclrhi = 0xFFFFFF;
    COLORREF bdrclr = 0xFFFFFF;
    int bdrwidth = 0;
};

class CProgressPanel : public CStatic {
public:
    static constexpr UINT_PTR kAnimationTimer = 16;

    CProgressPanel();
    ~CProgressPanel() override;

    // Copies the colours and the text areas; finds the three named areas
    // (the later of two equal names wins).
    void SetColours(const ProgressPanelColours& colours) { m_colours = colours; }
    void SetTextAreas(const std::vector<ProgressTextArea>& areas);

    // Creates the static window (exStyle adds to its extended style) and
    // then its fill bar from fill.
    virtual BOOL Create(const wchar_t* text, DWORD style, const RECT& rect, HWND parent, const FillInfo& fill,
                        UINT id, DWORD exStyle = 0);

    void SetPercent(unsigned percent);
    void SetHeadingText(const wchar_t* text);
    void SetStatusText(const wchar_t* text);
    void StartAnimation(UINT intervalMs);
    void StopAnimation();

    int Percent() const { return m_percent.load(); }
    UINT AnimationInterval() const { return m_animationInterval; }
    int AnimationStep() const { return m_animationStep; }
    bool AnimationRunning() const { return m_animationRunning != 0; }
    const ProgressTextArea* HeadingArea() const { return Area(m_heading); }
    const ProgressTextArea* PercentArea() const { return Area(m_percentArea); }
    const ProgressTextArea* StatusArea() const { return Area(m_status); }
    CFillBar* FillBar() const { return m_fillBar.get(); }
    const ProgressPanelColours& Colours() const { return m_colours; }

protected:
    void Draw(CDC& dc);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    LRESULT OnPrintClient(WPARAM w, LPARAM);
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    void OnEnable(BOOL) { Invalidate(FALSE); }
    DECLARE_MESSAGE_MAP()

private:
    const ProgressTextArea* Area(int index) const {
        return index >= 0 && index < (int)m_areas.size() ? &m_areas[index] : nullptr;
    }

    std::atomic<int> m_percent{0};  // read by other threads to follow progress
    // The panel's own defaults before the item's colours are copied in.
    ProgressPanelColours m_colours{0xFFFFFF, 0, 0, 0xFFFFFF, 0xFFFFFF, 1};
    std::vector<ProgressTextArea> m_areas;
    int m_heading = -1;
    int m_percentArea = -1;
    int m_status = -1;
    std::unique_ptr<CFillBar> m_fillBar;
    UINT m_animationInterval = 0;
    int m_animationStep = 1;
    volatile LONG m_animationRunning = 0;  // changed only by atomic exchange
};
