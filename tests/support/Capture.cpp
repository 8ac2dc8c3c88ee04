#include "Capture.h"

#include "Png.h"

COLORREF CapturedImage::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return CLR_INVALID;
    const uint8_t* p = &rgb[((size_t)y * width + x) * 3];
    return RGB(p[0], p[1], p[2]);
}

namespace {

bool Capture(HWND hwnd, const CapturedImage* background, CapturedImage& out)
{
    RECT r{};
    if (!::IsWindow(hwnd) || !::GetWindowRect(hwnd, &r))
        return false;
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return false;
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (dib) {
        HGDIOBJ old = ::SelectObject(mem, dib);
        size_t stride = ((size_t)w * 3 + 3) & ~(size_t)3;
        if (background && background->width == w && background->height == h) {
            uint8_t* dst = static_cast<uint8_t*>(bits);
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    const uint8_t* b = &background->rgb[((size_t)y * w + x) * 3];
                    uint8_t* d = dst + y * stride + x * 3;
                    d[0] = b[2];
                    d[1] = b[1];
                    d[2] = b[0];
                }
            }
        } else {
            ::PatBlt(mem, 0, 0, w, h, WHITENESS);
        }
        ok = ::PrintWindow(hwnd, mem, 0) != FALSE;
        ::GdiFlush();
        ::SelectObject(mem, old);
        if (ok) {
            out.width = w;
            out.height = h;
            out.rgb.resize((size_t)w * h * 3);
            const uint8_t* src = static_cast<const uint8_t*>(bits);
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    const uint8_t* s = src + y * stride + x * 3;
                    uint8_t* d = &out.rgb[((size_t)y * w + x) * 3];
                    d[0] = s[2];  // DIB pixels are BGR
                    d[1] = s[1];
                    d[2] = s[0];
                }
            }
        }
        ::DeleteObject(dib);
    }
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    return ok;
}

}  // namespace

bool CaptureWindow(HWND hwnd, CapturedImage& out) { return Capture(hwnd, nullptr, out); }

bool CaptureWindowOver(HWND hwnd, const CapturedImage& background, CapturedImage& out)
{
    return Capture(hwnd, &background, out);
}

std::wstring SaveImage(const CapturedImage& img, const wchar_t* name)
{
    wchar_t dir[MAX_PATH] = L".";
    DWORD n = ::GetEnvironmentVariableW(L"TK_CAPTURE_DIR", dir, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        lstrcpyW(dir, L".");
    std::wstring path = std::wstring(dir) + L"\\" + name + L".png";
    return WritePng(path, img.width, img.height, img.rgb) ? path : std::wstring();
}

std::wstring SaveCapture(HWND hwnd, const wchar_t* name)
{
    CapturedImage img;
    if (!CaptureWindow(hwnd, img))
        return std::wstring();
    return SaveImage(img, name);
}
