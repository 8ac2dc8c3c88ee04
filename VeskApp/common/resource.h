// Resource ids of TanduKovuConfig.
#pragma once
#define IDR_MAINFRAME 134       // the program and dialog icon
#define IDD_VESKAPP_DIALOG 102  // the main dialog, class "SINGLE_INSTANCE_APP_KOVU"
#define IDD_POPUP_PANEL 5       // warning and number popups, pop-up list panels
#define IDD_POPUP_SPLASH 131    // splash, name entry and single-key popups
#define IDD_POPUP_STAGES 135    // the sensitivity stages popup
#define IDD_POPUP_PREVIEW 136   // the profile preview popup
#define IDS_APP_TITLE 101
