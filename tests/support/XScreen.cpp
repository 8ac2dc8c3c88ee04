#include "XScreen.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "RecordingWnd.h"
#include "TreeCapture.h"

// Set by the build: the host's Python, the grab script and a folder for its
// output, all as host paths.
#ifndef TK_HOST_PYTHON
#define TK_HOST_PYTHON "/usr/bin/python3"
#endif
#ifndef TK_XGRAB_SCRIPT
#define TK_XGRAB_SCRIPT ""
#endif
#ifndef TK_XGRAB_DIR
#define TK_XGRAB_DIR "/tmp"
#endif

namespace {

std::wstring Widen(const char* s)
{
    std::wstring w;
    for (; *s; ++s)
        w += (wchar_t)(unsigned char)*s;
    return w;
}

// A host path as Wine's Windows programs see it (the host's root is Z:).
std::wstring HostToWindows(const std::wstring& path)
{
    std::wstring w = L"Z:" + path;
    for (auto& c : w)
        if (c == L'/')
            c = L'\\';
    return w;
}

bool ReadPpm(const std::wstring& path, CapturedImage& out)
{
    HANDLE f = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size{};
    std::vector<char> data;
    bool ok = ::GetFileSizeEx(f, &size) && size.QuadPart > 0 && size.QuadPart < (1LL << 28);
    if (ok) {
        data.resize((size_t)size.QuadPart);
        DWORD got = 0;
        ok = ::ReadFile(f, data.data(), (DWORD)data.size(), &got, nullptr) && got == data.size();
    }
    ::CloseHandle(f);
    if (!ok)
        return false;
    int w = 0, h = 0, max = 0, used = 0;
    std::string head(data.data(), std::min<size_t>(data.size(), 64));
    if (std::sscanf(head.c_str(), "P6 %d %d %d%n", &w, &h, &max, &used) != 3 || w <= 0 || h <= 0 || max != 255)
        return false;
    size_t offset = (size_t)used + 1;  // one whitespace byte ends the header
    size_t bytes = (size_t)w * h * 3;
    if (data.size() < offset + bytes)
        return false;
    out.width = w;
    out.height = h;
    out.rgb.assign(data.begin() + offset, data.begin() + offset + bytes);
    return true;
}

bool Near(const uint8_t* a, const uint8_t* b, int tolerance)
{
    for (int i = 0; i < 3; ++i)
        if (std::abs((int)a[i] - (int)b[i]) > tolerance)
            return false;
    return true;
}

}  // namespace

bool GrabXScreen(CapturedImage& out)
{
    static int counter = 0;
    char name[96];
    std::snprintf(name, sizeof name, "/xgrab-%lu-%d.ppm", ::GetCurrentProcessId(), ++counter);
    const std::wstring host = Widen(TK_XGRAB_DIR) + Widen(name);
    const std::wstring file = HostToWindows(host);
    ::DeleteFileW(file.c_str());
    // A host program started from Wine runs beside it: there is no process
    // handle to wait on, so the wait is for the file, which the script
    // renames into place once it is whole.
    std::wstring cmd = L"\"" + Widen(TK_HOST_PYTHON) + L"\" \"" + Widen(TK_XGRAB_SCRIPT) + L"\" \"" + host + L"\"";
    std::wstring exe = HostToWindows(Widen(TK_HOST_PYTHON));
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    if (pi.hThread)
        ::CloseHandle(pi.hThread);
    if (pi.hProcess)
        ::CloseHandle(pi.hProcess);
    bool ok = PumpUntil([&] { return ::GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES; }) &&
              ReadPpm(file, out);
    ::DeleteFileW(file.c_str());
    return ok;
}

std::string ScreenDiff::Describe() const
{
    std::ostringstream s;
    s << insideWrong << " of " << inside << " pixels inside the shape differ from the window's picture, "
      << outsideWrong << " of " << outside << " outside it from what lay beneath";
    return s.str();
}

ScreenDiff CompareWithScreen(const CapturedImage& screen, const CapturedImage& before, const RECT& rect,
                             const CapturedImage& own, HRGN shape, COLORREF keyed, int tolerance)
{
    ScreenDiff d;
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    for (int y = 0; y < h && y < own.height; ++y) {
        for (int x = 0; x < w && x < own.width; ++x) {
            const int sx = rect.left + x, sy = rect.top + y;
            if (sx < 0 || sy < 0 || sx >= screen.width || sy >= screen.height)
                continue;
            const uint8_t* s = &screen.rgb[((size_t)sy * screen.width + sx) * 3];
            const uint8_t* o = &own.rgb[((size_t)y * own.width + x) * 3];
            bool in = !shape || ::PtInRegion(shape, x, y);
            if (in && keyed != CLR_INVALID && RGB(o[0], o[1], o[2]) == keyed)
                in = false;
            if (in) {
                ++d.inside;
                d.insideWrong += !Near(s, o, tolerance);
            } else if (sx < before.width && sy < before.height) {
                ++d.outside;
                d.outsideWrong += !Near(s, &before.rgb[((size_t)sy * before.width + sx) * 3], tolerance);
            }
        }
    }
    return d;
}

bool OwnPicture(HWND hwnd, CapturedImage& out, HRGN* shape)
{
    if (!CaptureTree(hwnd, out))
        return false;
    if (shape) {
        *shape = ::CreateRectRgn(0, 0, 0, 0);
        if (::GetWindowRgn(hwnd, *shape) == ERROR) {
            ::DeleteObject(*shape);
            *shape = nullptr;
        }
    }
    return true;
}

CapturedImage Crop(const CapturedImage& img, const RECT& rect)
{
    CapturedImage out;
    out.width = std::max(0L, rect.right - rect.left);
    out.height = std::max(0L, rect.bottom - rect.top);
    out.rgb.assign((size_t)out.width * out.height * 3, 0);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            const int sx = rect.left + x, sy = rect.top + y;
            if (sx < 0 || sy < 0 || sx >= img.width || sy >= img.height)
                continue;
            const uint8_t* s = &img.rgb[((size_t)sy * img.width + sx) * 3];
            uint8_t* d = &out.rgb[((size_t)y * out.width + x) * 3];
            d[0] = s[0];
            d[1] = s[1];
            d[2] = s[2];
        }
    return out;
}
