#include "TrayMenu.h"

#include <algorithm>

#include "DeviceManager.h"

void BuildTrayMenu(HMENU popup, const std::vector<CString>& names, const CString& activeName,
                   const wchar_t* configuratorText, const wchar_t* closeText)
{
    if (!popup)
        return;
    if (closeText)
        ::ModifyMenuW(popup, ID_TRAY_CLOSE, MF_BYCOMMAND | MF_STRING, ID_TRAY_CLOSE, closeText);
    int n = std::min<int>(static_cast<int>(names.size()), kTrayMenuProfiles);
    if (n > 0)
        ::InsertMenuW(popup, ID_TRAY_PROFILE_FIRST, MF_BYCOMMAND | MF_SEPARATOR, 0, nullptr);
    for (int i = 0; i < n; ++i) {
        UINT id = ID_TRAY_PROFILE_FIRST + i;
        UINT check = names[i] == activeName ? MF_CHECKED : MF_UNCHECKED;
        CString text = names[i];
        text.Replace(L"&", L"&&");  // a name is shown as it is, never as a mnemonic
        ::ModifyMenuW(popup, id, MF_BYCOMMAND | MF_STRING | check, id, text);
    }
    for (UINT id = ID_TRAY_PROFILE_FIRST + n; id <= ID_TRAY_PROFILE_LAST; ++id)
        ::DeleteMenu(popup, id, MF_BYCOMMAND);
    if (configuratorText)
        ::ModifyMenuW(popup, ID_TRAY_CONFIGURATOR, MF_BYCOMMAND | MF_STRING, ID_TRAY_CONFIGURATOR, configuratorText);
}

CString ComposeTooltip(const CString& productName, int productId, const CString& batteryText)
{
    if (productId == 0 || productId == kProductWired)
        return productName;
    return productName + batteryText;
}
