// CGenericPanel: the border window that edit boxes, lists and drop-down lists
// put around themselves: a filled (or pictured) face with a frame, and the
// inner rectangle left for the wrapped control.
#pragma once
#include "Controls.h"

struct PanelImage {
    HBITMAP bitmap = nullptr;
    HBITMAP mask = nullptr;
    RECT rect{};  // the image's place, in the parent's client coordinates
};

// Where a frame of the given pen width is drawn inside a client rectangle:
// moved in by floor(w/2) at the top-left and by ceil(w/2) at the bottom-right,
// so the whole pen lies inside the window.
RECT FrameLineRect(const RECT& client, int borderWidth);

class CGenericPanel : public CStatic {
public:
    explicit CGenericPanel(int borderWidth = 0);

    BOOL Create(const RECT& rect, CWnd* parent, const PanelImage* image = nullptr);

    void SetBackColour(COLORREF c) { backColour = c; }
    void SetBorderColour(COLORREF c) { borderColour = c; }
    const RECT& InnerRect() const { return innerRect; }

    COLORREF backColour = 0;
    COLORREF borderColour = 0xFFFFFF;
    int borderWidth = 0;
    int borderInset = 0;
    int borderOutset = 0;
    RECT innerRect{};

protected:
    void Draw(HDC dc);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    HBITMAP m_image = nullptr;
    POINT m_imageAt{};
    SIZE m_imageSize{};
};
