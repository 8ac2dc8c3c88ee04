#include "OsdPaint.h"

#include "Gdi.h"

namespace {

void Fill(HDC dc, const RECT& r, COLORREF c)
{
    COLORREF old = ::SetBkColor(dc, c);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    ::SetBkColor(dc, old);
}

void DrawLabel(HDC dc, const RECT& column, const wchar_t* label)
{
    RECT r = column;
    ::DrawTextW(dc, label, -1, &r, DT_CENTER | DT_BOTTOM | DT_SINGLELINE);
}

}  // namespace

void PaintOsdText(HDC dc, const RECT& client, const wchar_t* text, HFONT font)
{
    CSaveDCGuard saved(dc);  // font, colours and mode come back at the end
    Fill(dc, client, kOsdKeyColour);
    if (!text || !*text)
        return;
    ::SelectObject(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kOsdTextColour);
    RECT r = client;
    ::DrawTextW(dc, text, -1, &r, DT_SINGLELINE | DT_BOTTOM | DT_RIGHT | DT_NOPREFIX);
}

void PaintOsdBar(HDC dc, const RECT& column, int level, const wchar_t* text, int numberHeight, HFONT numberFont)
{
    CSaveDCGuard saved(dc);  // font, colours and mode come back at the end
    const int l = column.left, t = column.top;
    Fill(dc, column, kOsdBarColour);
    Fill(dc, {l + 2, t + 2, column.right - 2, column.bottom - 2}, kOsdBarInside);
    const int cellBase = t + 6 + numberHeight + kOsdBarSteps * 12;
    for (int k = 0; k < level && k < kOsdBarSteps; ++k)
        Fill(dc, {l + 6, cellBase - 12 * k - 10, l + 51, cellBase - 12 * k}, kOsdBarColour);
    if (!text || !*text)
        return;
    ::SelectObject(dc, numberFont);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kOsdTextColour);
    RECT r = {l + 6, t + 6, l + 51, cellBase};
    ::DrawTextW(dc, text, -1, &r, DT_SINGLELINE | DT_CENTER | DT_TOP | DT_NOPREFIX);
}

void PaintOsdBars(HDC dc, const RECT& client, const OsdState& state, const OsdLayout& layout, HFONT numberFont,
                  HFONT labelFont)
{
    CSaveDCGuard saved(dc);  // font, colours and mode come back at the end
    Fill(dc, client, kOsdKeyColour);
    if (state.barMode == 0)
        return;
    PaintOsdBar(dc, layout.rightColumn, state.bar1.level, state.bar1.text, layout.numberHeight, numberFont);
    if (state.barMode != 2)
        return;
    PaintOsdBar(dc, layout.leftColumn, state.bar2.level, state.bar2.text, layout.numberHeight, numberFont);
    ::SelectObject(dc, labelFont);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kOsdLabelColour);
    DrawLabel(dc, layout.leftColumn, L"X");
    DrawLabel(dc, layout.rightColumn, L"Y");
}
