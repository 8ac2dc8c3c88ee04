// Applications linked to launch buttons, and their owning list.
#pragma once
#include <windows.h>
#include <string>
#include "OwningList.h"

class CQvApp {
public:
    explicit CQvApp(const wchar_t* appName) : name(appName ? appName : L""), guid{} {}
    std::wstring name;
    GUID guid;  // the device's identity for the application; nothing sets it yet
};

class CQvAppList : public COwningList<CQvApp> {
public:
    // First application whose name equals ignoring case.
    CQvApp* FindByName(const wchar_t* name) const;
    CQvApp* FindByGuid(const GUID& guid) const;
    // Null when an application of that name (ignoring case) exists.
    CQvApp* Add(const wchar_t* name);
    // Null or a pointer not in the list changes nothing.
    void Remove(CQvApp* app) { Delete(app); }
};
