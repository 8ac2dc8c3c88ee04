#include "FrameSkin.h"

#include "SkinTestFiles.h"

namespace {

std::string Rect(int x, int y, int w, int h)
{
    return "<RECT left='" + std::to_string(x) + "' top='" + std::to_string(y) + "' right='" + std::to_string(w) +
           "' bottom='" + std::to_string(h) + "'/>";
}

std::string Button(const char* name, int x, int y, const char* caption = "")
{
    return std::string("<BUTTON name='") + name + "' caption='" + caption + "'><SBMN fontclr='WHITE'>fs_btn.bmp</SBMN>" +
           "<SBMD fontclr='BLACK'>fs_sel.bmp</SBMD>" + Rect(x, y, 60, 20) + "</BUTTON>";
}

std::string Bitmap(const char* name, int x, int y)
{
    return std::string("<BITMAPITEM name='") + name + "'><SBMN>fs_icon.bmp</SBMN>" + Rect(x, y, 16, 16) +
           "</BITMAPITEM>";
}

std::string ItemList(const std::string& lists)
{
    return "<?xml version='1.0' encoding='UTF-8'?>\n<ITEMLIST>" + lists + "</ITEMLIST>\n";
}

}  // namespace

void WriteSkinXml(const wchar_t* file, const std::string& body)
{
    WriteUtf8(TestProgramFolder() + L"xml\\" + file, body);
}

void WriteFrameSkin(const wchar_t* skip)
{
    const std::wstring f = TestProgramFolder();
    WriteBmp24(f + L"skins\\fs_bg.bmp", 400, 300, [](int x, int y) -> DWORD { return y < 30 ? 0x101319 : 0x171B22; });
    WriteBmp24(f + L"skins\\fs_mask.bmp", 400, 300, [](int, int) -> DWORD { return 0; });
    WriteBmp24(f + L"skins\\fs_btn.bmp", 60, 20, [](int, int) -> DWORD { return 0x1F252E; });
    WriteBmp24(f + L"skins\\fs_sel.bmp", 60, 20, [](int, int) -> DWORD { return 0x2CC5CF; });
    WriteBmp24(f + L"skins\\fs_icon.bmp", 16, 16, [](int, int) -> DWORD { return 0x4CD68E; });

    auto write = [&](const wchar_t* file, const std::string& body) {
        if (!skip || std::wstring(skip) != file)
            WriteSkinXml(file, body);
    };
    write(L"MainPage.xml",
          "<?xml version='1.0' encoding='UTF-8'?>\n<GUIPANEL><BACKGROUND>fs_bg.bmp</BACKGROUND><MASK>fs_mask.bmp</MASK>"
          "<BUTTONLIST>" +
              Button("BUTTON_ASSIGNBUTTONS", 5, 5, "Buttons") + Button("BUTTON_ADJUSTPERFORMANCE", 70, 5, "Perf") +
              Button("BUTTON_MANAGEPROFILES", 135, 5, "Profiles") + Button("BUTTON_MANAGEMACROS", 200, 5, "Macros") +
              Button("BUTTON_LIGHTINGMAINTENANCE", 265, 5, "Light") + Button("BUTTON_OK", 200, 270, "OK") +
              Button("BUTTON_CANCEL", 265, 270, "Cancel") + Button("BUTTON_APPLY", 330, 270, "Apply") +
              Button("BUTTON_HELP", 5, 270, "?") +
              "</BUTTONLIST><BITMAPLIST>" + Bitmap("BITMAP_ICON_KOVUZENT", 5, 240) + Bitmap("BITMAP_ICON_KOVU", 25, 240) +
              Bitmap("BITMAP_ICON_KOVUQUAREL", 45, 240) + Bitmap("BITMAP_ICON_NULL", 65, 240) +
              Bitmap("BITMAP_CONNECTION_WIRED", 85, 240) + Bitmap("BITMAP_CONNECTION_WIRELESS", 105, 240) +
              Bitmap("BATTERY_LEVEL0", 300, 240) + Bitmap("BATTERY_LEVEL1", 320, 240) +
              Bitmap("BATTERY_LEVEL2", 340, 240) + Bitmap("BATTERY_LEVEL3", 360, 240) +
              "</BITMAPLIST><TEXTLIST>"
              "<TEXTITEM name='TEXT_FIRMWAREVER' textkey=''>" + Rect(130, 240, 150, 16) + "</TEXTITEM>"
              "<TEXTITEM name='TEXT_DRIVERVER' textkey=''>" + Rect(130, 256, 150, 16) + "</TEXTITEM>"
              "</TEXTLIST></GUIPANEL>\n");
    write(L"AssignButtons.xml", ItemList("<BUTTONLIST>" + Button("BUTTON_RESET", 10, 60, "Reset") + "</BUTTONLIST>" +
                                         "<TEXTLIST><TEXTITEM name='TEXT_THUMBGRIDVIEW_BUTTON' textkey='Grid' "
                                         "interactive='1'>" + Rect(10, 90, 60, 16) + "</TEXTITEM></TEXTLIST>"));
    write(L"AssignKeys.xml", ItemList("<BUTTONLIST>" + Button("BUTTON_DISABLE_KEYS", 10, 60, "Keys") + "</BUTTONLIST>" +
                                      "<TEXTLIST><TEXTITEM name='TEXT_TOPVIEW_BUTTON' textkey='Top' interactive='1'>" +
                                      Rect(10, 90, 60, 16) + "</TEXTITEM></TEXTLIST>"));
    write(L"AdjustPerformance.xml", ItemList("<BUTTONLIST>" + Button("BUTTON_RATE1", 10, 60, "Rate") + "</BUTTONLIST>"));
    write(L"ManageProfiles.xml", ItemList("<BUTTONLIST>" + Button("BUTTON_NEWPROFILE", 10, 60, "New") + "</BUTTONLIST>"));
    write(L"ManageMacros.xml",
          ItemList("<BUTTONLIST>" + Button("BUTTON_MACRO_RECORD", 10, 60, "Rec") +
                   Button("BUTTON_MACRO_RECORD_STOP", 80, 60, "Stop") + "</BUTTONLIST>"));
    write(L"LightingMaintenance.xml", ItemList("<BUTTONLIST>" + Button("BUTTON_UPDATE", 10, 60, "Upd") + "</BUTTONLIST>"));
    write(L"CurrentProfile.xml",
          ItemList("<TEXTLIST><TEXTITEM name='TEXT_HEADING_CURRENTPROFILE' textkey='Profile'>" + Rect(10, 32, 80, 16) +
                   "</TEXTITEM></TEXTLIST>"));
    write(L"LightingMaintenance_KovuZent.xml", ItemList("<BITMAPLIST>" + Bitmap("BITMAP_ICON_SPECTRUMCYCLING", 10, 120) +
                                                        "</BITMAPLIST><BUTTONLIST>" +
                                                        Button("KOVUZENT_COLOR_ON", 10, 150, "Colour") + "</BUTTONLIST>"));
    write(L"LightingMaintenance_Kovu.xml",
          ItemList("<BUTTONLIST>" + Button("GLOW_LEDON", 10, 150, "On") + "</BUTTONLIST>"));
    write(L"AssignButtons_Kovu.xml", ItemList("<BITMAPLIST>" + Bitmap("BITMAP_KOVUVIEWPLAN", 100, 100) + "</BITMAPLIST>"));
    write(L"AssignButtons_KovuZent.xml",
          ItemList("<BITMAPLIST>" + Bitmap("BITMAP_KOVUZENTVIEWPLAN", 100, 100) + "</BITMAPLIST>"));
    write(L"AssignKeys_Kovu.xml", ItemList("<BITMAPLIST>" + Bitmap("BITMAP_KOVU_THUMBGRID", 100, 100) + "</BITMAPLIST>"));
    write(L"AssignKeys_KovuZent.xml",
          ItemList("<BITMAPLIST>" + Bitmap("BITMAP_BUTTONNUMSTRIP12", 100, 100) + "</BITMAPLIST>"));
    write(L"NoMousePopup.xml",
          "<?xml version='1.0' encoding='UTF-8'?>\n<GUIPANEL><BACKGROUND>fs_btn.bmp</BACKGROUND><MASK>fs_btn.bmp</MASK>"
          "<BUTTONLIST>" + Button("BUTTON_POPUP_OK", 0, 0, "OK") + "</BUTTONLIST></GUIPANEL>\n");
}
