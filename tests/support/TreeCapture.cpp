#include "TreeCapture.h"

#include <algorithm>
#include <vector>

#include "RecordingWnd.h"

namespace {

// Copies each pixel (x, y) of `from` to (x + dx, y + dy) of `to` where that
// lies inside `to`, leaving out those outside `shape` (in `from`'s
// coordinates) when one is given.
void CopyPixels(const CapturedImage& from, CapturedImage& to, int dx, int dy, HRGN shape)
{
    const int x0 = dx < 0 ? -dx : 0, y0 = dy < 0 ? -dy : 0;
    const int x1 = std::min(from.width, to.width - dx), y1 = std::min(from.height, to.height - dy);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (shape && !::PtInRegion(shape, x, y))
                continue;
            const uint8_t* s = &from.rgb[((size_t)y * from.width + x) * 3];
            uint8_t* d = &to.rgb[((size_t)(y + dy) * to.width + x + dx) * 3];
            d[0] = s[0];
            d[1] = s[1];
            d[2] = s[2];
        }
    }
}

void PasteChildren(HWND parent, HWND root, CapturedImage& out)
{
    RECT rootRect{};
    ::GetWindowRect(root, &rootRect);
    // Bottom of the z-order first, so the topmost child ends up on top.
    HWND child = ::GetWindow(parent, GW_CHILD);
    if (child)
        child = ::GetWindow(child, GW_HWNDLAST);
    for (; child; child = ::GetWindow(child, GW_HWNDPREV)) {
        if (!::IsWindowVisible(child))
            continue;
        RECT r{};
        ::GetWindowRect(child, &r);
        const int ox = r.left - rootRect.left, oy = r.top - rootRect.top;
        // Drawn over what is already composed beneath it, so that a child
        // that leaves its background alone (a transparent label) looks as it
        // does on the screen.
        CapturedImage under;
        under.width = r.right - r.left;
        under.height = r.bottom - r.top;
        if (under.width <= 0 || under.height <= 0)
            continue;
        under.rgb.assign((size_t)under.width * under.height * 3, 0xFF);
        CopyPixels(out, under, -ox, -oy, nullptr);
        CapturedImage img;
        if (CaptureWindowOver(child, under, img)) {
            HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
            const bool shaped = ::GetWindowRgn(child, rgn) != ERROR;
            CopyPixels(img, out, ox, oy, shaped ? rgn : nullptr);
            ::DeleteObject(rgn);
        }
        PasteChildren(child, root, out);
    }
}

}  // namespace

bool CaptureTree(HWND hwnd, CapturedImage& out)
{
    if (!CaptureWindow(hwnd, out))
        return false;
    PasteChildren(hwnd, hwnd, out);
    return true;
}

bool SaveTreeCapture(HWND hwnd, const wchar_t* name)
{
    CapturedImage img;
    return CaptureTree(hwnd, img) && !SaveImage(img, name).empty();
}

namespace {

BOOL CALLBACK CollectVisible(HWND hwnd, LPARAM out)
{
    if (::IsWindowVisible(hwnd))
        reinterpret_cast<std::vector<HWND>*>(out)->push_back(hwnd);
    return TRUE;
}

}  // namespace

std::wstring SaveScreenCapture(HWND top, const wchar_t* name)
{
    ::RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpPending();
    CapturedImage img;
    if (!CaptureTree(top, img))
        return std::wstring();
    // This thread's windows, topmost first; those above `top` are pasted
    // over it from the lowest up.
    std::vector<HWND> windows;
    ::EnumThreadWindows(::GetWindowThreadProcessId(top, nullptr), &CollectVisible, (LPARAM)&windows);
    RECT topRect{};
    ::GetWindowRect(top, &topRect);
    auto self = std::find(windows.begin(), windows.end(), top);
    for (auto it = self; self != windows.end() && it != windows.begin();) {
        --it;
        CapturedImage above;
        RECT r{};
        if (::GetWindowRect(*it, &r) && CaptureTree(*it, above))
            CopyPixels(above, img, r.left - topRect.left, r.top - topRect.top, nullptr);
    }
    return SaveImage(img, name);
}
