// The tray program's on-screen display as the X display shows it, on the
// wireless and the wired mouse: the level bar drawn in its column and the
// profile name in the display's green, the desktop showing through
// everywhere else (the colour key); and no taskbar button for either
// window. Wine prints no layered window of another process, so the windows'
// pictures are judged by what they draw: the layout's column, the text's
// colours.
#include <windows.h>

#include <objbase.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "ComPtr.h"
#include "DeviceService.h"
#include "OsdDisplay.h"
#include "OsdModel.h"
#include "ProgramRun.h"
#include "RecordingWnd.h"
#include "ScreenFixture.h"

namespace {

// The display hides itself 2 s after the last request: a request of its own
// kind (the state stays) keeps it up while the screen is read.
void KeepOsdShown(HWND osd)
{
    ::PostMessageW(osd, WM_OSD_SHOW, 0, 0);
}

HWND ProcessWindowOfClass(DWORD pid, const wchar_t* cls)
{
    return FindProcessWindow(pid, cls, false);
}

// The event sinks the service holds for its clients (advises minus
// unadvises in its call log); -1 when it does not answer.
int HeldSinks()
{
    ComPtr<IDeviceCollection> collection;
    if (FAILED(::CoCreateInstance(CLSID_TkDeviceService, nullptr, TK_DEVICE_SERVICE_CLSCTX,
                                  __uuidof(IDeviceCollection), collection.OutVoid())))
        return -1;
    ComPtr<IServiceControl> control = collection.As<IServiceControl>();
    LPWSTR text = nullptr;
    if (!control || FAILED(control->GetCallLog(&text)) || !text)
        return -1;
    std::wistringstream lines(text);
    ::CoTaskMemFree(text);
    int n = 0;
    for (std::wstring line; std::getline(lines, line);) {
        if (line.compare(0, 23, L"IConnectionPoint.Advise") == 0 && line.find(L" -> ") == std::wstring::npos)
            ++n;
        else if (line.compare(0, 25, L"IConnectionPoint.Unadvise") == 0)
            --n;
    }
    return n;
}

struct ComScope {
    bool ok = SUCCEEDED(::CoInitialize(nullptr));
    ~ComScope()
    {
        if (ok)
            ::CoUninitialize();
    }
};

}  // namespace

namespace {

struct OsdLook {
    int drawn = 0;          // pixels the window draws on
    int drawnWrong = 0;     // ... that show something else
    int keyed = 0;          // pixels its key leaves to the desktop
    int keyedWrong = 0;     // ... that show something else
    bool Matches() const { return drawn > 0 && drawnWrong == 0 && keyedWrong == 0; }
    std::string Describe() const
    {
        std::ostringstream s;
        s << drawnWrong << " of " << drawn << " drawn pixels wrong, " << keyedWrong << " of " << keyed
          << " see-through pixels not the desktop";
        return s.str();
    }
};

bool Same(const uint8_t* a, const uint8_t* b)
{
    return a[0] == b[0] && a[1] == b[1] && a[2] == b[2];
}

// The display's text: the display's green and its blends into the key
// (ClearType fringes), nothing dark.
bool TextGreen(const uint8_t* p)
{
    return p[1] >= 160 && p[0] <= 90 && p[2] <= 90;
}

// Looks at the window on the screen while keeping it shown. `judge` says,
// for a pixel of the window (window coordinates) and its screen colour,
// whether the window draws there (drawnHere) and if so whether the colour
// is one it draws; elsewhere the screen must show what `before` shows.
OsdLook LookAt(HWND osd, const CapturedImage& before, const wchar_t* name,
               bool (*judge)(int x, int y, const uint8_t* screen, bool* drawnHere, const OsdLayout& layout),
               const OsdLayout& layout)
{
    OsdLook look;
    CapturedImage screen;
    RECT r{};
    PumpUntil([&] {
        KeepOsdShown(osd);
        PumpPending();
        if (!::IsWindowVisible(osd) || !::GetWindowRect(osd, &r) || !GrabXScreen(screen) || !::IsWindowVisible(osd))
            return false;
        look = OsdLook{};
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                if (x < 0 || y < 0 || x >= screen.width || y >= screen.height)
                    continue;
                const uint8_t* s = &screen.rgb[((size_t)y * screen.width + x) * 3];
                const uint8_t* b = &before.rgb[((size_t)y * before.width + x) * 3];
                bool drawnHere = false;
                bool ok = judge(x - r.left, y - r.top, s, &drawnHere, layout);
                if (drawnHere) {
                    ++look.drawn;
                    look.drawnWrong += !ok;
                } else {
                    ++look.keyed;
                    look.keyedWrong += !Same(s, b);
                }
            }
        return look.Matches();
    });
    SaveImage(Crop(screen, r), (std::wstring(L"screen\\") + name + L"_x").c_str());
    return look;
}

// The one-bar panel draws its right column: a frame in the bar colour with
// black inside (cells and number on it); the rest is the key's.
bool JudgeBar(int x, int y, const uint8_t* s, bool* drawnHere, const OsdLayout& l)
{
    const RECT& c = l.rightColumn;
    *drawnHere = x >= c.left && x < c.right && y >= c.top && y < c.bottom;
    if (!*drawnHere)
        return true;
    const bool frame = x < c.left + 2 || x >= c.right - 2 || y < c.top + 2 || y >= c.bottom - 2;
    const COLORREF px = RGB(s[0], s[1], s[2]);
    return frame ? px == kOsdBarColour : s[0] <= 90 && s[2] <= 90;  // inside: black, green cells and number
}

}  // namespace

TEST(TrayScreen, TheDisplayShowsAsDrawnWithTheDesktopAroundAndNoTaskbarButton)
{
    ComScope com;
    ASSERT_TRUE(com.ok);
    ASSERT_TRUE(ResetDeviceService());
    // Both mice from the start: the tray connects to what it finds then.
    ASSERT_EQ(0, RunDeviceCtl(L"attach wired"));
    CapturedImage before;
    ASSERT_TRUE(GrabXScreen(before));
    SaveImage(before, L"screen\\tray_desktop");

    StartedProgram tray(L"TanduKovuSysTray.exe");
    ASSERT_TRUE(tray.Started());
    HWND controller = tray.WaitForWindow(L"#32770", false);
    ASSERT_NE(nullptr, controller);
    HWND text = nullptr, bar = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        text = ProcessWindowOfClass(tray.ProcessId(), L"csl_osd");
        bar = ProcessWindowOfClass(tray.ProcessId(), L"csl_osdslider");
        return text && bar;
    }));
    // Three event sinks for each mouse: from then on a press reaches it.
    ASSERT_TRUE(PumpUntil([&] { return HeldSinks() == 6; }, kProgramTimeoutMs));
    const OsdLayout layout = COsdDisplay().Layout();  // the screen's, as the tray computes it

    struct Model {
        const wchar_t* name;
        const wchar_t* tag;
    };
    for (Model m : {Model{L"wireless", L"wireless"}, Model{L"wired", L"wired"}}) {
        SCOPED_TRACE(m.name);
        ASSERT_EQ(0, RunDeviceCtl(std::wstring(L"press dpi ") + m.name));
        ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(bar) != FALSE; }));
        std::wstring barName = std::wstring(L"tray_osd_bar_") + m.tag;
        OsdLook look = LookAt(bar, before, barName.c_str(), &JudgeBar, layout);
        EXPECT_TRUE(look.Matches()) << look.Describe();

        ASSERT_EQ(0, RunDeviceCtl(std::wstring(L"press profile ") + m.name));
        ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(text) != FALSE; }));
        // The text: wherever the screen is not the desktop, the display's
        // green; and it is there, at the right end.
        std::wstring textName = std::wstring(L"tray_osd_text_") + m.tag;
        look = LookAt(text, before, textName.c_str(),
                      [](int, int, const uint8_t* s, bool* drawnHere, const OsdLayout&) {
                          *drawnHere = TextGreen(s);
                          return true;
                      },
                      layout);
        EXPECT_TRUE(look.Matches()) << look.Describe();
        EXPECT_GT(look.keyed, 10 * look.drawn);  // a line of text, mostly desktop
    }

    // With both displays up, the taskbar lists nothing of the tray's.
    KeepOsdShown(bar);
    KeepOsdShown(text);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(bar) && ::IsWindowVisible(text); }));
    ASSERT_TRUE(SyncTaskbar());
    EXPECT_TRUE(TaskbarButtonsOf(tray.ProcessId()).empty());

    ::PostMessageW(controller, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, tray.WaitForExit(kProgramTimeoutMs));
}
