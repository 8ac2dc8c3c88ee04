#include "TreeCapture.h"

#include <string>

#include "Png.h"

namespace {

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
        CapturedImage img;
        if (CaptureWindow(child, img)) {
            RECT r{};
            ::GetWindowRect(child, &r);
            int ox = r.left - rootRect.left, oy = r.top - rootRect.top;
            HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
            bool shaped = ::GetWindowRgn(child, rgn) != ERROR;
            for (int y = 0; y < img.height; ++y) {
                for (int x = 0; x < img.width; ++x) {
                    int tx = ox + x, ty = oy + y;
                    if (tx < 0 || ty < 0 || tx >= out.width || ty >= out.height)
                        continue;
                    if (shaped && !::PtInRegion(rgn, x, y))
                        continue;
                    const uint8_t* s = &img.rgb[((size_t)y * img.width + x) * 3];
                    uint8_t* d = &out.rgb[((size_t)ty * out.width + tx) * 3];
                    d[0] = s[0];
                    d[1] = s[1];
                    d[2] = s[2];
                }
            }
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
    if (!CaptureTree(hwnd, img))
        return false;
    wchar_t dir[MAX_PATH] = L".";
    DWORD n = ::GetEnvironmentVariableW(L"TK_CAPTURE_DIR", dir, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        lstrcpyW(dir, L".");
    std::wstring path = std::wstring(dir) + L"\\" + name + L".png";
    return WritePng(path, img.width, img.height, img.rgb);
}
