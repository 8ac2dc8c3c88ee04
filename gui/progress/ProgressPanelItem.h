// CProgressPanelItem: the skin item of a progress panel. It makes no window
// when loaded; Start runs the panel on its own thread (CProgressPanelThread)
// inside the page window, and the item's destruction ends that thread.
#pragma once
#include "GUIItem.h"
#include "ProgressPanelThread.h"

class CProgressPanelItem : public CGUIItem {
public:
    CProgressPanelItem();
    ~CProgressPanelItem() override;

    // The item has no window of its own: showing it does nothing.
    void Show(bool) override {}

    void SetFontColour(COLORREF c) { m_setup.colours.fontclr = c; }
    void SetFontColourHi(COLORREF c) { m_setup.colours.fontclrhi = c; }
    void SetBackColour(COLORREF c) { m_setup.colours.backclr = c; }
    void SetBackColourHi(COLORREF c) { m_setup.colours.backclrhi = c; }
    void SetBorderColour(COLORREF c) { m_setup.colours.bdrclr = c; }
    void SetBorderWidth(int w) { m_setup.colours.bdrwidth = w; }
    void SetTextAreas(const std::vector<ProgressTextArea>& areas);
    void SetFill(const FillInfo& fill) { m_setup.fill = fill; }
    // The panel's rectangle in the parent's client coordinates, the parent
    // it is made in and its window style.
    void SetPlacement(const RECT& rect, CWnd* parent, DWORD style);

    // Starts the panel thread; nothing when already started. Returns once
    // the thread can receive messages.
    void Start();
    // Shows the panel once its thread made it.
    void ShowPanel();

    CProgressPanelThread* Thread() const { return m_thread; }
    const ProgressPanelSetup& Setup() const { return m_setup; }

private:
    ProgressPanelSetup m_setup;
    CWnd* m_parent = nullptr;
    CProgressPanelThread* m_thread = nullptr;
};
