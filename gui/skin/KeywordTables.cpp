#include "KeywordTables.h"

#include <cwchar>

KeywordMap ItemIdMap;
KeywordMap ShortcutFunctionMap;
KeywordMap ButtonFunctionMap;
KeywordMap KeyTooltipMap;
KeywordMap ButtonTooltipMap;
ColorKeywordMap ColorNameMap;
KeywordMap ListColumnItemMap;
KeywordMap ListColumnTypeMap;
KeywordMap MacroColumnTypeMap;

namespace {

struct KeywordRow {
    int key;
    const wchar_t* text;
};
struct ColorRow {
    COLORREF key;
    const wchar_t* text;
};

// Item ids as the skins name them; 124 is not used.
const KeywordRow kItemIdRows[] = {
    {0, L"LANGUAGE_DEFAULT"}, {1, L"LANGUAGE_CHINESE_SIMPLIFIED"}, {2, L"LANGUAGE_CHINESE_TRADITIONAL"},
    {3, L"LANGUAGE_FRENCH"}, {4, L"LANGUAGE_FRENCHCANADIAN"}, {5, L"LANGUAGE_GERMAN"},
    {6, L"LANGUAGE_KOREAN"}, {7, L"LANGUAGE_RUSSIAN"}, {8, L"LANGUAGE_JAPANESE"}, {9, L"LANGUAGE_SPANISH"},
    {10, L"LANGUAGE_THAI"}, {11, L"LANGUAGE_NORDIC"}, {12, L"LANGUAGE_UK"}, {13, L"LANGUAGE_TURKISH"},
    {14, L"LANGUAGE_GREEK"}, {15, L"FONT_ARIAL10"}, {16, L"FONT_ARIAL12"}, {17, L"FONT_ARIAL13"},
    {18, L"FONT_ARIAL14"}, {19, L"FONT_ARIAL16"}, {20, L"FONT_ARIAL12B"}, {21, L"FONT_ARIAL14B"},
    {22, L"FONT_ARIAL16B"}, {23, L"FONT_ARIAL32B"}, {24, L"FONT_ARIAL12_BUTTON"},
    {25, L"FONT_ARIAL14_BUTTON"}, {26, L"FONT_TANDUREG14"}, {27, L"FONT_TANDUREG15B"},
    {28, L"FONT_TANDUREG32"}, {29, L"FONT_TANDUREG32B"}, {30, L"BUTTON_ENABLEXY"},
    {31, L"BUTTON_ENABLEACCELERATION"}, {32, L"BUTTON_RATE1"}, {33, L"BUTTON_RATE2"}, {34, L"BUTTON_RATE3"},
    {35, L"BUTTON_SENSITIVITY_STAGES"}, {36, L"BUTTON_ENABLE_DPI_OSD"}, {37, L"BUTTON_POPUP_CANCEL"},
    {38, L"BUTTON_ADD_BASIC_MACRO_CMDS"}, {39, L"BUTTON_ADD_ADV_MACRO_CMDS"}, {40, L"BUTTON_ASSNLEFTCLICK"},
    {41, L"BUTTON_ASSNRIGHTCLICK"}, {42, L"BUTTON_ASSNSCROLLBUTTON"}, {43, L"BUTTON_ASSNBUTTON4"},
    {44, L"BUTTON_ASSNBUTTON5"}, {45, L"BUTTON_ASSNSCROLLUP"}, {46, L"BUTTON_ASSNSCROLLDOWN"},
    {47, L"BUTTON_KEYASSIGN_123NUM_123"}, {48, L"BUTTON_KEYASSIGN_123NUM_NUM"}, {49, L"BUTTON_DISABLE_KEYS"},
    {50, L"BUTTON_ASSNTHUMBGRID01"}, {51, L"BUTTON_ASSNTHUMBGRID02"}, {52, L"BUTTON_ASSNTHUMBGRID03"},
    {53, L"BUTTON_ASSNTHUMBGRID04"}, {54, L"BUTTON_ASSNTHUMBGRID05"}, {55, L"BUTTON_ASSNTHUMBGRID06"},
    {56, L"BUTTON_ASSNTHUMBGRID07"}, {57, L"BUTTON_ASSNTHUMBGRID08"}, {58, L"BUTTON_ASSNTHUMBGRID09"},
    {59, L"BUTTON_ASSNTHUMBGRID10"}, {60, L"BUTTON_ASSNTHUMBGRID11"}, {61, L"BUTTON_ASSNTHUMBGRID12"},
    {62, L"BUTTON_POPUP_OK"}, {63, L"BUTTON_RESET"}, {64, L"BUTTON_DPISTAGES_DEC"},
    {65, L"BUTTON_DPISTAGES_INC"}, {66, L"BUTTON_DPISTAGES_OK"}, {67, L"BUTTON_DPISTAGES_CANCEL"},
    {68, L"BUTTON_DPISTAGES_APPLY"}, {69, L"BUTTON_ENABLEXY_POPUP"}, {70, L"BUTTON_UPDATE"},
    {71, L"BUTTON_IGNORE_DELAY"}, {72, L"BUTTON_OK"}, {73, L"BUTTON_CANCEL"}, {74, L"BUTTON_APPLY"},
    {75, L"BUTTON_ASSIGNBUTTONS"}, {76, L"BUTTON_ADJUSTPERFORMANCE"}, {77, L"BUTTON_MANAGEPROFILES"},
    {78, L"BUTTON_MANAGEMACROS"}, {79, L"BUTTON_LIGHTINGMAINTENANCE"}, {80, L"BUTTON_HELP"},
    {81, L"BUTTON_EXIT"}, {82, L"BUTTON_FB"}, {83, L"BUTTON_TWITTER"}, {84, L"BUTTON_VREL"},
    {85, L"BUTTON_MACRO_CREATE"}, {86, L"BUTTON_MACRO_IMPORT"}, {87, L"BUTTON_MACRO_EXPORT"},
    {88, L"BUTTON_MACRO_RENAME"}, {89, L"BUTTON_MACRO_SAVE"}, {90, L"BUTTON_MACRO_DELETE"},
    {91, L"BUTTON_MACRO_RECORD_BACKWARD"}, {92, L"BUTTON_MACRO_RECORD"}, {93, L"BUTTON_MACRO_RECORD_PLAY"},
    {94, L"BUTTON_MACRO_RECORD_STOP"}, {95, L"BUTTON_MACRO_RECORD_FORWARD"},
    {96, L"BUTTON_INSERTDEFAULT_DELAY"}, {97, L"BUTTON_INSERT_DELAY"}, {98, L"BUTTON_NEWPROFILE"},
    {99, L"BUTTON_IMPORTPROFILE"}, {100, L"BUTTON_EXPORTPROFILE"}, {101, L"BUTTON_SAVEPROFILE"},
    {102, L"BUTTON_DELETEPROFILE"}, {103, L"BUTTON_ENABLE_PROFILE_OSD"}, {104, L"BUTTON_MACRO_PLAY_ONCE"},
    {105, L"BUTTON_MACRO_PLAY_MULTIPLE"}, {106, L"BUTTON_MACRO_PLAY_WHILEPRESSED"},
    {107, L"BUTTON_MACRO_PLAY_UNTILPRESSED"}, {108, L"BUTTON_CHKBOX_SLCT_SHIFT"},
    {109, L"BUTTON_CHKBOX_SLCT_CTRL"}, {110, L"BUTTON_CHKBOX_SLCT_ALT"}, {111, L"BITMAP_SLSENSTRK_Y"},
    {112, L"BITMAP_SLSENSTRK_X"}, {113, L"BITMAP_SLSENSTRK_XY"}, {114, L"BITMAP_SLACCLTRK"},
    {115, L"BITMAP_SLACCLTRKDISB"}, {116, L"BITMAP_SENSWINDOW1"}, {117, L"BITMAP_SENSWINDOW2"},
    {118, L"BITMAP_VERTICALBARLONG"}, {119, L"BITMAP_HORIZONTALBARLONG"}, {120, L"BITMAP_KOVUVIEWPLAN"},
    {121, L"BITMAP_KOVUZENTVIEWPLAN"}, {122, L"BITMAP_BUTTONNUMSTRIP"}, {123, L"BITMAP_VERTICALBARVIEWS"},
    {125, L"BITMAP_KOVU_TOPVIEW"}, {126, L"BITMAP_KOVU_THUMBGRID"}, {127, L"BITMAP_ROUNDBAR_GREEN"},
    {128, L"BITMAP_KOVUVIEWSIDE"}, {129, L"BITMAP_KOVUZENTVIEWSIDE"}, {130, L"BITMAP_BUTTONNUMSTRIP12"},
    {131, L"BITMAP_STAGECOUNT_DISPLAY"}, {132, L"BITMAP_SLSENSTRK_Y_POPUP"},
    {133, L"BITMAP_SLSENSTRK_X_POPUP"}, {134, L"BITMAP_SLSENSTRK_XY_POPUP"},
    {135, L"BITMAP_SLWIRELESS_BRIGHTNESS"}, {136, L"BITMAP_SLWIRELESS_SLEEP"},
    {137, L"BITMAP_SLWIRELESS_FLASH_SCROLLWHEEL"}, {138, L"BITMAP_BRIGHTNESS_SETTINGS"},
    {139, L"BITMAP_ICON_KOVU"}, {140, L"BITMAP_ICON_KOVUZENT"}, {141, L"BITMAP_ICON_KOVUQUAREL"},
    {142, L"BITMAP_ICON_NULL"}, {143, L"BITMAP_LIGHTINGANDPOWER_LINE"}, {144, L"BITMAP_ICON_SPECTRUMCYCLING"},
    {145, L"BITMAP_CONNECTION_WIRED"}, {146, L"BITMAP_CONNECTION_WIRELESS"}, {147, L"BITMAP_BACKGROUND_RECT"},
    {148, L"BITMAP_VBAR_MACROMSEC_VL"}, {149, L"BITMAP_VBAR_MACROMSEC_VR"},
    {150, L"BITMAP_VBAR_MACROMSEC_HT"}, {151, L"BITMAP_VBAR_MACROMSEC_HB"}, {152, L"BITMAP_LOADING0"},
    {153, L"BITMAP_LOADING1"}, {154, L"BITMAP_LOADING2"}, {155, L"BITMAP_LOADING3"},
    {156, L"BITMAP_LOADING4"}, {157, L"BITMAP_LOADING5"}, {158, L"BITMAP_LOADING6"},
    {159, L"BITMAP_LOADING7"}, {160, L"BITMAP_LOADING8"}, {161, L"BITMAP_LOADING9"},
    {162, L"BITMAP_LOADING10"}, {163, L"BITMAP_LOADING11"}, {164, L"BMPINFO_PROFILELISTPANEL"},
    {165, L"BMPINFO_MACRODISPLAY"}, {166, L"TEXT_TWEAKPERFORMANCE_HEADING"}, {167, L"TEXT_CURRENTDPI"},
    {168, L"TEXT_SENSITIVITY_HEADING"}, {169, L"TEXT_ACCELERATION"}, {170, L"TEXT_ENABLEACCELERATION"},
    {171, L"TEXT_DPI1"}, {172, L"TEXT_DPI2"}, {173, L"TEXT_ENABLEXY"}, {174, L"TEXT_POLLINGRATE"},
    {175, L"TEXT_DPIVALUE1"}, {176, L"TEXT_DPIVALUE2"}, {177, L"TEXT_HEADING_X"}, {178, L"TEXT_HEADING_Y"},
    {179, L"TEXT_APPLIESTOALL"}, {180, L"TEXT_ENABLE_DPI_OSD"}, {181, L"TEXT_ENABLE_DPI_OSD2"},
    {182, L"TEXT_WARNDLG_HEADING"}, {183, L"TEXT_SENSITIVITY_STAGES_HEADER"}, {184, L"TEXT_LIGHTING_HEADER"},
    {185, L"TEXT_INSERT_BASIC_COMMAND"}, {186, L"TEXT_INSERT_ADDITIONAL_COMMAND"},
    {187, L"TEXT_ASSIGNBUTTONS_HEADING"}, {188, L"TEXT_THUMBGRIDVIEW_BUTTON"}, {189, L"TEXT_TOPVIEW_HEADING"},
    {190, L"TEXT_MOUSEWHEEL_OPTIONS_HEADING"}, {191, L"TEXT_TOPVIEW_BUTTON"},
    {192, L"TEXT_THUMBGRIDVIEW_HEADING"}, {193, L"TEXT_WARNDLG_MESSAGE"},
    {194, L"TEXT_MOUSECONNECTING_MESSAGE"}, {195, L"TEXT_ENSURE_MOUSE_IS_ON"},
    {196, L"TEXT_PRESS_ESC_TO_CANCEL"}, {197, L"TEXT_HEADING_CURRENTPROFILE"}, {198, L"TEXT_NUMSTAGES"},
    {199, L"TEXT_ENABLEXY_POPUP"}, {200, L"TEXT_SENSITIVITYSTAGE_HEADING"}, {201, L"TEXT_NUMSTAGES_LABEL"},
    {202, L"TEXT_DPI_X"}, {203, L"TEXT_DPI_Y"}, {204, L"TEXT_LIGHTINGANDMAINTENANCE_HEADING"},
    {205, L"TEXT_SCROLLWHEEL"}, {206, L"TEXT_SCROLLWHEEL_PREVIEW"}, {207, L"TEXT_LOGO"},
    {208, L"TEXT_LOGO_PREVIEW"}, {209, L"TEXT_DRIVERVER"}, {210, L"TEXT_FIRMWAREVER"},
    {211, L"TEXT_LIGHTINGHEADING"}, {212, L"TEXT_POWERMANAGEMENTHEADING"}, {213, L"TEXT_WIRELESSMODEHEADING"},
    {214, L"TEXT_REDUCEBRIGHTNESSHEADING"}, {215, L"TEXT_SLEEPAFTERIDLEHEADING"},
    {216, L"TEXT_FLASHSCROLLWHEELHEADING"}, {217, L"TEXT_BATTERYLIFEESTIMATE_HEADER"},
    {218, L"TEXT_BATTERY_WARNING_TEXT"}, {219, L"TEXT_REDUCEBRIGHTNESS_VALUE"},
    {220, L"TEXT_IDLEBEFORESLEEP_VALUE"}, {221, L"TEXT_FLASHSCROLLWARNING_VALUE"},
    {222, L"TEXT_SPECTRUMCYCLING"}, {223, L"TEXT_SPECTRUMCYCLING_PREVIEW"}, {224, L"TEXT_COLOR"},
    {225, L"TEXT_BRIGHTNESS"}, {226, L"TEXT_BRIGHTNESS_PREVIEW"}, {227, L"TEXT_MANAGEMACROS_HEADING"},
    {228, L"TEXT_MACRO_NAME"}, {229, L"TEXT_CURRENTMACROASSIGNMENT"}, {230, L"TEXT_IGNORE_DELAY"},
    {231, L"TEXT_INSERTDEFAULT_DELAY"}, {232, L"TEXT_INSERTDEFAULT_DELAY_MS"},
    {233, L"TEXT_MANAGEMACRO_DELAY_HEADING"}, {234, L"TEXT_MANAGEMACRO_BASICCOMMAND_HEADING"},
    {235, L"TEXT_MANAGEMACRO_ADDCOMMAND_HEADING"}, {236, L"TEXT_MANAGEPROFILES_HEADING"},
    {237, L"TEXT_ENABLE_PROFILE_OSD"}, {238, L"TEXT_MANAGEPROFILES_NOTE"},
    {239, L"TEXT_INFO_PROFILE_OPTIONS"}, {240, L"TEXT_DELAY_MS"}, {241, L"TEXT_PREVIEW_01"},
    {242, L"TEXT_PREVIEW_02"}, {243, L"TEXT_PREVIEW_03"}, {244, L"TEXT_PREVIEW_04"},
    {245, L"TEXT_PREVIEW_05"}, {246, L"TEXT_PREVIEW_06"}, {247, L"TEXT_PREVIEW_07"},
    {248, L"TEXT_PREVIEW_08"}, {249, L"TEXT_PREVIEW_09"}, {250, L"TEXT_PREVIEW_10"},
    {251, L"TEXT_PREVIEW_11"}, {252, L"TEXT_PREVIEW_12"}, {253, L"TEXT_SLCT_SHIFT"}, {254, L"TEXT_SLCT_CTRL"},
    {255, L"TEXT_SLCT_ALT"}, {256, L"TEXT_BRIGHTNESS_OFF"}, {257, L"TEXT_BRIGHTNESS_DIM"},
    {258, L"TEXT_BRIGHTNESS_NORMAL"}, {259, L"TEXT_BRIGHTNESS_BRIGHT"}, {260, L"TEXT_REDUCE_BRIGHTNESS_OFF"},
    {261, L"TEXT_REDUCE_BRIGHTNESS_DIM"}, {262, L"TEXT_REDUCE_BRIGHTNESS_NORMAL"},
    {263, L"TEXT_REDUCE_BRIGHTNESS_BRIGHT"}, {264, L"TEXT_WARNDLG_MESSAGE_NAME"},
    {265, L"SLIDER_DPI_MULTI_X"}, {266, L"SLIDER_DPI_MULTI_X_STAGE1"}, {267, L"SLIDER_DPI_MULTI_Y"},
    {268, L"SLIDER_DPI_MULTI_Y_STAGE1"}, {269, L"SLIDER_DPI_MULTI"}, {270, L"SLIDER_DPI_MULTI_STAGE1"},
    {271, L"SLIDER_ID_ACCEL"}, {272, L"SLIDER_ID_ACCELDISB"}, {273, L"SLIDER_ACCEL_STAGE1"},
    {274, L"SLIDER_DPI_MULTI_X_POPUP"}, {275, L"SLIDER_DPI_MULTI_Y_POPUP"}, {276, L"SLIDER_DPI_MULTI_POPUP"},
    {277, L"SLIDER_POWER_BRIGHTNESS"}, {278, L"SLIDER_LED_BRIGHTNESS"},
    {279, L"SLIDER_POWER_REDUCE_BRIGHTNESS_STAGE"}, {280, L"SLIDER_LED_BRIGHTNESS_STAGE"},
    {281, L"SLIDER_POWER_SLEEPTOIDLE"}, {282, L"SLIDER_POWER_IDLE_TO_SLEEP_STAGE"},
    {283, L"SLIDER_POWER_FLASHSCROLL"}, {284, L"SLIDER_POWER_FLASH_WARNING_STAGE"},
    {285, L"SLIDER_DPI_MULTI_STAGE1_X_POPUP"}, {286, L"SLIDER_DPI_MULTI_STAGE1_Y_POPUP"},
    {287, L"SLIDER_DPI_MULTI_STAGE1_POPUP"}, {288, L"LIST_GLOBAL_BASIC_COMMANDS"},
    {289, L"LIST_GLOBAL_ADDITIONAL_COMMANDS"}, {290, L"LIST_GLOBALPROFILELIST"},
    {291, L"LIST_GLOBALMACROLIST"}, {292, L"LIST_PROFILELIST"}, {293, L"LIST_DROPDOWN_POPUP"},
    {294, L"LISTPANEL_ASSIGNSUBMENU_PR"}, {295, L"LISTPANEL_ASSIGNSUBMENU_MA"},
    {296, L"LISTPANEL_ASSIGNSUBMENU_DPI"}, {297, L"LISTPANEL_MACROOPTIONS_KEYSTROKE"},
    {298, L"LISTPANEL_MACROOPTIONS_DELAY"}, {299, L"LISTPANEL_MACROOPTIONS_MOUSECLICK"},
    {300, L"LISTPANEL_PROFILEOPTIONS"}, {301, L"KBDDEF_WINDOWS"}, {302, L"DPISTAGEWINDOW_01"},
    {303, L"DPISTAGEWINDOW_02"}, {304, L"DPISTAGEWINDOW_03"}, {305, L"DPISTAGEWINDOW_04"},
    {306, L"DPISTAGEWINDOW_05"}, {307, L"GLOW_LEDON"}, {308, L"GLOW_LEDOFF"}, {309, L"SCROLL_LEDON"},
    {310, L"SCROLL_LEDOFF"}, {311, L"KOVUZENT_LEDON"}, {312, L"KOVUZENT_LEDOFF"}, {313, L"KOVUZENT_COLOR_ON"},
    {314, L"SPECTRUM_CYCLING_ON"}, {315, L"DROPDOWN_MOUSE_COLOR"}, {316, L"DROPDOWN_MOUSE_POPUP_COLOR"},
    {317, L"EDITCTRL_POPUP_NAMEENTRY"}, {318, L"EDITCTRL_POPUP_NUMENTRY"}, {319, L"EDITCTRL_DEFAULT_DELAY"},
    {320, L"EDITCTRL_INSERT_DELAY"}, {321, L"EDITCTRL_POPUP_SINGLEKEYENTRY"}, {322, L"BATTERY_LEVEL0"},
    {323, L"BATTERY_LEVEL1"}, {324, L"BATTERY_LEVEL2"}, {325, L"BATTERY_LEVEL3"}, {326, L"MACRO_DISPLAY"},
    {327, L"MACRO_DISPLAY_READONLY"}, {328, L"PROG_PANEL_ITEM_MAINPAGE"}, {329, L"PROG_PANEL_ITEM_POPUP"},
};

const KeywordRow kShortcutRows[] = {
    {1, L"$cut"}, {2, L"$copy"}, {3, L"$paste"}, {4, L"$undo"}, {5, L"$all"}, {6, L"$find"}, {7, L"$new"},
    {8, L"$print"}, {9, L"$save"}, {10, L"$swapwindows"}, {11, L"$closewindow"}, {12, L"$lockpc"},
    {13, L"$openexplorer"}, {14, L"$run"}, {15, L"$showdesktop"}, {16, L"$zoomin"}, {17, L"$zoomout"},
};
const KeywordRow kButtonFunctionRows[] = {
    {0, L"$defaultkey"}, {1, L"$click"}, {2, L"$menu"}, {3, L"$universalscrolling"}, {4, L"$Double-Click"},
    {5, L"$SingleKey"}, {6, L"$macro"}, {7, L"$macro"}, {8, L"$buttonoff"}, {9, L"$advanced"},
    {10, L"$on-the-flysensitivity"}, {11, L"$button4"}, {12, L"$button5"}, {13, L"$SensitivityStageUp"},
    {14, L"$SensitivityStageDown"}, {15, L"$SensitivityStages"}, {16, L"$dpistage1"}, {17, L"$dpistage2"},
    {18, L"$dpistage3"}, {19, L"$dpistage4"}, {20, L"$dpistage5"}, {21, L"$TemporaryDPISwitch"},
    {22, L"$profile"}, {23, L"$profile"}, {24, L"$profileup"}, {25, L"$profiledown"}, {26, L"$profile1"},
    {27, L"$profile2"}, {28, L"$profile3"}, {29, L"$profile4"}, {30, L"$profile5"}, {31, L"$play"},
    {32, L"$stop"}, {33, L"$Backward"}, {34, L"$Forward"}, {35, L"$pause"}, {36, L"$volumeup"},
    {37, L"$volumedown"}, {38, L"$mute"}, {39, L"$skipback"}, {40, L"$skipforward"}, {41, L"$scrollup"},
    {42, L"$scrolldown"}, {43, L"$cut"}, {44, L"$copy"}, {45, L"$paste"}, {46, L"$undo"}, {47, L"$all"},
    {48, L"$find"}, {49, L"$new"}, {50, L"$print"}, {51, L"$save"}, {52, L"$swapwindows"},
    {53, L"$closewindow"}, {54, L"$lockpc"}, {55, L"$openexplorer"}, {56, L"$run"}, {57, L"$showdesktop"},
    {58, L"$zoomin"}, {59, L"$zoomout"}, {60, L"$dpisetting"}, {61, L"$profilesetting"}, {62, L"$selectfun"},
    {63, L"$launchprogram"}, {64, L"$launchprogram"},
};
const KeywordRow kKeyTooltipRows[] = {
    {0, L"$ResetKeyBackToDefaultFunction"}, {5, L"$AssignKeyToBehaveAsAnotherKey"},
    {6, L"$AssignKeyToControlPlaybackOfASelectedMacro"}, {22, L"$AssignKeyToSwitchToASelectedProfile"},
    {63, L"$AssignKeyToLaunchASelectedApplication"},
};
const KeywordRow kButtonTooltipRows[] = {
    {0, L"$ResetButtonBackToDefaultFunction"}, {1, L"$Assignasclick"}, {2, L"$Assignasmenu"},
    {3, L"$Assignasuniversalscrollcontrol"}, {4, L"$Assignasdouble-click"},
    {5, L"$Assignthisbuttontobehaveasakeyboardkey"}, {6, L"$Assignthisbuttontocontrolmacroplayback"},
    {7, L"$Assignthisbuttontocontrolmacroplayback"}, {8, L"$Disablethisbutton"}, {9, L"$advanced"},
    {10, L"$Assignthisbuttontoenableon-the-flysensitivitywhilstheld"}, {11, L"$button4"}, {12, L"$button5"},
    {13, L"$AssignthisbuttontoincreaseDPIstage"}, {14, L"$AssignthisbuttontodecreaseDPIstage"},
    {15, L"$SensitivityStages"}, {16, L"$dpistage1"}, {17, L"$dpistage2"}, {18, L"$dpistage3"},
    {19, L"$dpistage4"}, {20, L"$dpistage5"}, {21, L"$Assignthisbuttontoatemporarydpi"},
    {22, L"$Assignthisbuttontochangetoaprofile"}, {23, L"$Assignthisbuttontochangetoaprofile"},
    {24, L"$profileup"}, {25, L"$profiledown"}, {26, L"$profile1"}, {27, L"$profile2"}, {28, L"$profile3"},
    {29, L"$profile4"}, {30, L"$profile5"}, {31, L"$play"}, {32, L"$stop"}, {33, L"$Assignasbackward"},
    {34, L"$Assignasforward"}, {35, L"$pause"}, {36, L"$volumeup"}, {37, L"$volumedown"}, {38, L"$mute"},
    {39, L"$skipback"}, {40, L"$skipforward"}, {41, L"$AssignthisbuttontobehaveasScrollUp"},
    {42, L"$AssignthisbuttontobehaveasScrollDown"}, {43, L"$cut"}, {44, L"$copy"}, {45, L"$paste"},
    {46, L"$undo"}, {47, L"$all"}, {48, L"$find"}, {49, L"$new"}, {50, L"$print"}, {51, L"$save"},
    {52, L"$swapwindows"}, {53, L"$closewindow"}, {54, L"$lockpc"}, {55, L"$openexplorer"}, {56, L"$run"},
    {57, L"$showdesktop"}, {58, L"$zoomin"}, {59, L"$zoomout"}, {60, L"$dpisetting"},
    {61, L"$profilesetting"}, {62, L"$selectfun"}, {63, L"$launchprogram"}, {64, L"$launchprogram"},
};
const KeywordRow kListColumnItemRows[] = {
    {0, L"LCITEM_PROFILECURRENT"}, {1, L"LCITEM_PROFILEID"}, {2, L"LCITEM_PROFILENAME"},
    {3, L"LCITEM_PROFILEEXE"}, {4, L"LCITEM_AUTOSWITCH"}, {5, L"LCITEM_MCREVENT_ICON"},
    {6, L"LCITEM_MCREVENT_DESCRIP"},
};
const KeywordRow kListColumnTypeRows[] = {
    {0, L"ICON"}, {1, L"STATIC"}, {2, L"EDIT"}, {3, L"COMBO"}, {4, L"CHECKBOX"}, {5, L"FILEDIALOG"},
};
const KeywordRow kMacroColumnTypeRows[] = {
    {0, L"ICON"}, {1, L"STATIC"},
};
const ColorRow kColorRows[] = {
    {0x0000FF, L"RED"}, {0x00FF00, L"GREEN"}, {0xFF0000, L"BLUE"}, {0x00FFFF, L"YELLOW"},
    {0x007EFF, L"ORANGE"}, {0x8080FF, L"PINK"}, {0x000000, L"BLACK"}, {0xFFFFFF, L"WHITE"},
    {0x3A3A3A, L"DARKGREY"}, {0x777069, L"MIDGREY"}, {0x067401, L"GREEN2"}, {0x014709, L"GREEN3"},
    {0x021E00, L"GREEN4"}, {0xC57700, L"BLUE2"}, {0x0B0B0B, L"BLACK2"}, {0x2B2B2B, L"DARKGREY2"},
    {0x677079, L"MIDGREY2"}, {0x505050, L"GREY_DROPDOWN"}, {0x623300, L"BLUE_KX_BORDER"},
    {0xEDD8FF, L"BLUE_KX_HIGHLIGHT"}, {0x3D1B00, L"BLUE_KX_PROFILE_HIGHLIGHT"},
    {0xFDAE00, L"BLUE_KX_TAB_SELECT"}, {0xD6C2B1, L"GREY_KX_HEADING"}, {0x007CD0, L"GOLD_KX_HIGHTLIGHT"},
    {0x554909, L"ZEPH_BORDER"}, {0xFEFEFE, L"ZEPH_HIGHLIGHT"}, {0x362E04, L"ZEPH_PROFILE_HIGHLIGHT"},
    {0xEDE86F, L"ZEPH_TAB_SELECT"}, {0x1C1803, L"ZEPH_COMBO_BK"}, {0x483D06, L"ZEPH_DROPDOWN_BORDER"},
    {0x816E0B, L"ZEPH_PANEL_BORDER"}, {0x362E05, L"ZEPH_PANEL_BACKGROUND"},
    {0x5E510A, L"ZEPH_PANEL_HIGHLIGHT"},
};

template <typename Map, typename Row, size_t N>
void Fill(Map& map, const Row (&rows)[N])
{
    map.clear();
    for (const Row& r : rows)
        map[r.key] = r.text;  // a key written twice keeps the later text
}

template <typename Map>
int FindByText(const Map& map, const wchar_t* word)
{
    if (!word)
        return -1;
    for (const auto& entry : map)
        if (entry.second && _wcsicmp(entry.second, word) == 0)
            return (int)entry.first;
    return -1;
}

}  // namespace

void BuildKeywordMaps()
{
    Fill(ItemIdMap, kItemIdRows);
    Fill(ShortcutFunctionMap, kShortcutRows);
    Fill(ButtonFunctionMap, kButtonFunctionRows);
    Fill(KeyTooltipMap, kKeyTooltipRows);
    Fill(ButtonTooltipMap, kButtonTooltipRows);
    Fill(ColorNameMap, kColorRows);
    Fill(ListColumnItemMap, kListColumnItemRows);
    Fill(ListColumnTypeMap, kListColumnTypeRows);
    Fill(MacroColumnTypeMap, kMacroColumnTypeRows);
}

int FindItemIdByName(const wchar_t* word) { return FindByText(ItemIdMap, word); }
int FindShortcutFunctionId(const wchar_t* word) { return FindByText(ShortcutFunctionMap, word); }
int FindButtonFunctionId(const wchar_t* word) { return FindByText(ButtonFunctionMap, word); }
int FindColorByName(const wchar_t* word) { return FindByText(ColorNameMap, word); }
int FindListColumnItemByName(const wchar_t* word) { return FindByText(ListColumnItemMap, word); }
int FindListColumnTypeByName(const wchar_t* word) { return FindByText(ListColumnTypeMap, word); }
int FindMacroColumnTypeByName(const wchar_t* word) { return FindByText(MacroColumnTypeMap, word); }

const wchar_t* FindItemNameById(int id)
{
    auto it = ItemIdMap.find(id);
    return it == ItemIdMap.end() ? nullptr : it->second;
}
