// CFillBar: the plain percentage bar of the progress panel, a static window
// filled with its back colour and, up to fillWidth, with its fill colour.
#pragma once
#include "Controls.h"
#include "SkinAttributes.h"  // FillInfo

class CFillBar : public CStatic {
public:
    // Creates the bar over fill.rect; the client width / 100 becomes the
    // pixels per percent.
    BOOL CreateBar(const wchar_t* text, DWORD style, CWnd* parent, const FillInfo& fill, UINT id);

    void SetFillWidth(int width) { m_fillWidth = width; }
    int FillWidth() const { return m_fillWidth; }
    float PixelsPerPercent() const { return m_pixelsPerPercent; }
    int FillStart() const { return m_clientRect.left; }
    COLORREF FillColour() const { return m_fillColour; }
    COLORREF BackColour() const { return m_backColour; }

protected:
    void Draw(CDC& dc);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    LRESULT OnPrintClient(WPARAM w, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    COLORREF m_backColour = 0;
    COLORREF m_fillColour = 0xFFFFFF;
    CRect m_clientRect;
    int m_fillWidth = 0;
    float m_pixelsPerPercent = 0.0f;
};
