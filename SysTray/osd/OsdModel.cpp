#include "OsdModel.h"

#include <algorithm>
#include <cwchar>

namespace {

// Copies text into a fixed buffer, cut to its room.
template <size_t N>
void CopyText(wchar_t (&dst)[N], const wchar_t* src)
{
    size_t n = src ? wcsnlen(src, N - 1) : 0;
    std::wmemcpy(dst, src ? src : L"", n);
    dst[n] = 0;
}

bool FitsBar(const wchar_t* text)
{
    return !text || wcsnlen(text, kOsdBarTextChars + 1) <= kOsdBarTextChars;
}

void SetBar(OsdBar& bar, int level, const wchar_t* text, int barMax)
{
    bar.level = std::max(0, std::min(level, barMax));
    CopyText(bar.text, text);
}

}  // namespace

void SetOsdText(OsdState& state, const wchar_t* text)
{
    CopyText(state.osdText, text);
}

bool SetLevelBar(OsdState& state, int level, const wchar_t* text)
{
    if (!FitsBar(text))
        return false;
    SetBar(state.bar1, level, text, state.barMax);
    state.barMode = 1;
    return true;
}

bool SetTwoLevelBars(OsdState& state, int xLevel, const wchar_t* xText, int yLevel, const wchar_t* yText)
{
    if (!FitsBar(xText) || !FitsBar(yText))
        return false;
    SetBar(state.bar1, yLevel, yText, state.barMax);
    SetBar(state.bar2, xLevel, xText, state.barMax);
    state.barMode = 2;
    return true;
}

DpiOsdPlan PlanDpiOsd(unsigned x, unsigned y, unsigned rangeMax, int steps)
{
    DpiOsdPlan plan;
    if (rangeMax == 0)
        return plan;
    auto level = [&](unsigned v) {
        unsigned long long l = static_cast<unsigned long long>(v) * static_cast<unsigned>(steps) / rangeMax;
        return static_cast<int>(std::min<unsigned long long>(l, static_cast<unsigned>(steps)));
    };
    plan.xText.Format(L"%u", x);
    plan.yText.Format(L"%u", y);
    plan.xLevel = level(x);
    plan.yLevel = level(y);
    if (plan.xText.GetLength() > kOsdBarTextChars || plan.yText.GetLength() > kOsdBarTextChars)
        return plan;
    plan.bars = x == y ? 1 : 2;
    return plan;
}

OsdLayout ComputeOsdLayout(const RECT& monitor, float scale)
{
    const int barWidth = 119;
    OsdLayout l;
    l.textHeight = static_cast<int>(scale * 20);
    l.numberHeight = static_cast<int>(scale * 10);
    l.panelHeight = l.numberHeight + kOsdBarSteps * 12 + 12;
    l.textWindow = {monitor.left, monitor.bottom - l.textHeight - 50, monitor.right - 10, monitor.bottom - 50};
    int barTop = monitor.bottom - l.textHeight - l.panelHeight - 60;
    l.barWindow = {monitor.right - barWidth - 10, barTop, monitor.right - 10, barTop + l.panelHeight};
    l.leftColumn = {0, 0, 57, l.panelHeight};
    l.rightColumn = {62, 0, barWidth, l.panelHeight};
    return l;
}
