// The on-screen display: a line of text ("csl_osd") for profile names and a
// panel of level bars ("csl_osdslider") for sensitivity, near the bottom
// right of the primary monitor. Both are top-most, click-through, layered
// pop-ups that never take the focus; a request shows its window for 2
// seconds after the last one. Requests are posted, so the drawing happens
// after the caller returns. The windows are owned by the tray's hidden
// controller: an owned window never gets a taskbar button, whatever the
// shell (Wine's lists every visible unowned window, tool windows too).
#pragma once
#include <windows.h>

#include "Gdi.h"
#include "OsdModel.h"
#include "Wnd.h"

class COsdDisplay;

// The message that shows a window with the display's current state.
const UINT WM_OSD_SHOW = WM_USER + 12;
// The hide timer of each window.
const UINT_PTR kOsdHideTimer = 101;
const UINT kOsdShowMs = 2000;

class COsdWindow : public CWnd {
public:
    explicit COsdWindow(COsdDisplay& display) : m_display(display) {}
    BOOL CreateOsdWindow(const wchar_t* className, HWND owner);

protected:
    virtual void CreateFonts() = 0;
    virtual RECT Place() const = 0;
    virtual void Paint(HDC dc, const RECT& client) = 0;
    virtual void ClearState() = 0;
    virtual BYTE Alpha() const = 0;  // 255: colour key only

    int OnCreate(LPCREATESTRUCTW cs);
    void OnPaint();
    LRESULT OnPrintClient(WPARAM dc, LPARAM);
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    LRESULT OnShowRequest(WPARAM, LPARAM);
    void OnTimer(UINT_PTR id);
    LRESULT OnDisplayChange(WPARAM, LPARAM);
    void OnDestroy();
    void MoveToPlace();

    COsdDisplay& m_display;
    DECLARE_MESSAGE_MAP()
};

class COsdTextWnd : public COsdWindow {
public:
    using COsdWindow::COsdWindow;

protected:
    void CreateFonts() override;
    RECT Place() const override;
    void Paint(HDC dc, const RECT& client) override;
    void ClearState() override;
    BYTE Alpha() const override { return 255; }

private:
    CFont m_font;
};

class COsdBarWnd : public COsdWindow {
public:
    using COsdWindow::COsdWindow;

protected:
    void CreateFonts() override;
    RECT Place() const override;
    void Paint(HDC dc, const RECT& client) override;
    void ClearState() override;
    BYTE Alpha() const override { return 200; }

private:
    CFont m_numberFont;
    CFont m_labelFont;
};

class COsdDisplay {
public:
    COsdDisplay();
    ~COsdDisplay();
    COsdDisplay(const COsdDisplay&) = delete;
    COsdDisplay& operator=(const COsdDisplay&) = delete;

    // Creates both windows, hidden and owned by `owner` (which must outlive
    // neither: they go with it): S_OK when both exist, else E_FAIL.
    HRESULT CreateOsd(HWND owner);

    // The requests: each sets the state and posts WM_OSD_SHOW to its window.
    void ShowOsdText(const wchar_t* text);
    void ShowLevelBar(int level, const wchar_t* text);
    void ShowTwoLevelBars(int xLevel, const wchar_t* xText, int yLevel, const wchar_t* yText);

    OsdState& State() { return m_state; }
    const OsdLayout& Layout() const { return m_layout; }
    // Takes the screen's resolution and the primary monitor anew.
    void UpdateLayout();
    HWND TextWindow() const { return m_text.GetSafeHwnd(); }
    HWND BarWindow() const { return m_bar.GetSafeHwnd(); }

private:
    OsdState m_state;
    OsdLayout m_layout;
    COsdTextWnd m_text;
    COsdBarWnd m_bar;
};
