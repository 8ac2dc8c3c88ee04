// Resource ids of TanduKovuSysTray.
#pragma once
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_VESKSYSTRAY_DIALOG 102
#define IDR_MAINFRAME 128
#define IDR_TRAYMENU 129
#define IDI_TRAYICON 131
#define IDC_STATIC_ICON 1000
#define IDM_ABOUTBOX 0x0010
