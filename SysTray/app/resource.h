// Resource ids of TanduKovuSysTray.
#pragma once
#define IDR_MAINFRAME 128
#define IDI_TRAY 129
#define IDD_VESKSYSTRAY_DIALOG 102
