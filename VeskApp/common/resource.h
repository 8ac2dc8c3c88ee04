// Resource ids of TanduKovuConfig.
#pragma once
#define IDR_MAINFRAME 128
#define IDD_VESKAPP_DIALOG 102
#define IDS_APP_TITLE 101
