// The window of a running configurator that a page file places an item in:
// skin buttons have no control id, so tests find them where the page puts
// them (the child of the main window at the centre of the item's RECT).
#pragma once
#include <windows.h>

#include <pugixml.hpp>

#include <string>

#include "ProgramRun.h"

inline HWND SkinItemWindow(HWND main, const wchar_t* file, const wchar_t* name)
{
    pugi::xml_document doc;
    if (!doc.load_file((ProgramDir() + L"\\xml\\" + file).c_str()))
        return nullptr;
    pugi::xml_node item =
        doc.find_node([&](const pugi::xml_node& n) { return std::wstring(n.attribute(L"name").value()) == name; });
    pugi::xml_node rect = item.child(L"RECT") ? item.child(L"RECT") : item.child(L"CBOX").child(L"RECT");
    if (!rect)
        return nullptr;
    // RECT is left, top, width, height.
    POINT centre{rect.attribute(L"left").as_int() + rect.attribute(L"right").as_int() / 2,
                 rect.attribute(L"top").as_int() + rect.attribute(L"bottom").as_int() / 2};
    HWND found = ::ChildWindowFromPointEx(main, centre, CWP_SKIPINVISIBLE);
    return found == main ? nullptr : found;
}
