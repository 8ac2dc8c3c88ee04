// The icon's menu and tooltip as the controller builds them: the profiles of
// the device (the active one checked), the configurator item and the close
// item; the product's name with the battery text.
#pragma once
#include <windows.h>

#include <vector>

#include "String.h"

// Commands of the menu.
const UINT ID_TRAY_CONFIGURATOR = 32770;
const UINT ID_TRAY_PROFILE_FIRST = 32771;  // up to 20 profiles
const UINT ID_TRAY_PROFILE_LAST = 32790;
const UINT ID_TRAY_CLOSE = 33000;
const int kTrayMenuProfiles = 20;

// Fills `popup` (a fresh copy of the menu resource: the configurator item,
// 20 profile items, a separator and the close item) for these profile
// names: at most 20 of them, each after a separator, the active one checked;
// the unused profile items go. Null texts leave those items as they are.
void BuildTrayMenu(HMENU popup, const std::vector<CString>& names, const CString& activeName,
                   const wchar_t* configuratorText, const wchar_t* closeText);

// The tooltip: the product's name, with the battery text for the wireless
// products (never for the wired one or for no device).
CString ComposeTooltip(const CString& productName, int productId, const CString& batteryText);
