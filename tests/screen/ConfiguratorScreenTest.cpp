// The configurator as a program, as the X display shows it: the desktop
// outside the main window's shape, and the sensitivity slider's tip gone
// from the screen once the pointer has left it after a drag (real input).
// Wine prints no window of another process, so these compare the screen
// with itself and with the desktop; PopupScreenTest sets the popups against
// their own pictures.
#include <windows.h>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <memory>
#include <string>

#include "BitmapTools.h"
#include "ItemIds.h"
#include "ProgramRun.h"
#include "RecordingWnd.h"
#include "ScratchInstallDir.h"
#include "ScreenFixture.h"
#include "SkinItemWindow.h"

namespace {

const wchar_t kMainClass[] = L"SINGLE_INSTANCE_APP_KOVU";

// The main window's shape: its page's mask, as the panel makes it.
HRGN MainShape()
{
    pugi::xml_document doc;
    if (!doc.load_file((ProgramDir() + L"\\xml\\MainPage.xml").c_str()))
        return nullptr;
    std::wstring mask =
        doc.find_node([](const pugi::xml_node& n) { return std::wstring(n.name()) == L"MASK"; }).text().get();
    HBITMAP bitmap = (HBITMAP)::LoadImageW(nullptr, (ProgramDir() + L"\\skins\\" + mask).c_str(), IMAGE_BITMAP, 0, 0,
                                           LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    HRGN shape = bitmap ? CreateRegionFromBitmap(bitmap) : nullptr;
    if (bitmap)
        ::DeleteObject(bitmap);
    return shape;
}

class ConfiguratorScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(installDir.Ready());
        ASSERT_TRUE(ResetDeviceService());
        ASSERT_TRUE(GrabXScreen(desktop));
        program.reset(new StartedProgram(L"TanduKovuConfig.exe"));
        main = program->WaitForWindow(kMainClass);
        ASSERT_NE(nullptr, main);
    }
    void TearDown() override
    {
        if (main && ::IsWindow(main)) {
            ::PostMessageW(main, WM_CLOSE, 0, 0);
            EXPECT_EQ(0, program->WaitForExit(kProgramTimeoutMs));
        }
        program.reset();
    }
    void ShowPage(const wchar_t* tab, int shownItem)
    {
        HWND button = SkinItemWindow(main, L"MainPage.xml", tab);
        ASSERT_NE(nullptr, button);
        Click(CentreOf(button));
        ASSERT_TRUE(PumpUntil([&] {
            HWND w = ::GetDlgItem(main, shownItem);
            return w && ::IsWindowVisible(w);
        }));
    }
    std::vector<HWND> Tips() { return VisibleWindowsOf(program->ProcessId(), L"tooltips_class32"); }

    ScratchInstallDir installDir;
    CapturedImage desktop;
    std::unique_ptr<StartedProgram> program;
    HWND main = nullptr;
};

}  // namespace

TEST_F(ConfiguratorScreen, TheMainWindowShowsTheDesktopOutsideItsShape)
{
    HRGN shape = MainShape();
    ASSERT_NE(nullptr, shape);
    ScreenDiff cut, face;
    CapturedImage screen;
    RECT rect{};
    // Polled: the first paint may still be on its way to the screen.
    PumpUntil([&] {
        if (!::GetWindowRect(main, &rect) || !GrabXScreen(screen))
            return false;
        // Outside the shape the desktop (the screen stands for the window's
        // picture inside it, which is not what is looked at here) ...
        cut = CompareWithScreen(screen, desktop, rect, Crop(screen, rect), shape, CLR_INVALID, 0);
        // ... and inside it the window, not the desktop.
        face = CompareWithScreen(screen, desktop, rect, Crop(desktop, rect), shape, CLR_INVALID, 0);
        return cut.outsideWrong == 0 && face.inside - face.insideWrong < face.inside / 100;
    });
    SaveImage(Crop(screen, rect), L"screen\\config_main_x");
    ::DeleteObject(shape);
    EXPECT_GT(cut.outside, 0);
    EXPECT_EQ(0, cut.outsideWrong) << "of " << cut.outside << " pixels outside the shape";  // the cut corners
    EXPECT_LT(face.inside - face.insideWrong, face.inside / 100) << "pixels inside the shape show the desktop";
}

TEST_F(ConfiguratorScreen, TheSliderTipGoesWhenThePointerLeavesAfterADrag)
{
    ShowPage(L"BUTTON_ADJUSTPERFORMANCE", BITMAP_SLSENSTRK_XY);
    HWND track = ::GetDlgItem(main, BITMAP_SLSENSTRK_XY);
    ASSERT_NE(nullptr, track);
    HWND thumb = ::GetWindow(track, GW_CHILD);
    ASSERT_NE(nullptr, thumb);
    POINT from = CentreOf(thumb);
    DragTo(from, {from.x + 60, from.y});
    EXPECT_TRUE(PumpUntil([&] { return Tips().empty(); }));  // the release hides it
    // The page without a tip, the pointer away from it: the screen follows a
    // hidden window a little later (the page beneath repaints in its own
    // time), so the picture is the one it settles on, two grabs alike.
    RECT mainRect{};
    ::GetWindowRect(main, &mainRect);
    const POINT away{mainRect.left + 40, mainRect.bottom + 40};
    MoveTo(away);
    CapturedImage released, again;
    ASSERT_TRUE(PumpUntil([&] {
        released = again;
        return Tips().empty() && GrabXScreen(again) && Tips().empty() && released.width == again.width &&
               CompareWithScreen(again, released, mainRect, Crop(released, mainRect), nullptr).Matches(0.0);
    }));
    // Resting on the thumb shows its tip (the pointer comes to it as a hand
    // moves it, not in one jump from outside the window) ...
    const POINT centre = CentreOf(thumb);
    MoveTo({centre.x + 3, centre.y});
    MoveTo(centre);
    ASSERT_TRUE(PumpUntil([&] { return !Tips().empty(); }));
    RECT tipRect{};
    ::GetWindowRect(Tips().front(), &tipRect);
    // ... and leaving it takes the tip away, from the screen too: where it
    // stood the page shows as it did before.
    MoveTo(away);
    EXPECT_TRUE(PumpUntil([&] { return Tips().empty(); }));
    CapturedImage screen;
    ScreenDiff d;
    PumpUntil([&] {
        if (!GrabXScreen(screen))
            return false;
        d = CompareWithScreen(screen, released, tipRect, Crop(released, tipRect), nullptr);
        return d.Matches(0.0);
    });
    SaveImage(Crop(screen, mainRect), L"screen\\config_after_drag_x");
    EXPECT_TRUE(d.Matches(0.0)) << d.Describe();
}
