// The element-reader table of the skin loader: the one place where the
// reader of each skin element plugs in.
//
// A reader turns one element into one item (or none). The loader owns which
// elements each list holds and in which order they are read; for every
// element it looks the reader up here by the element's name. An element
// without a registered reader yields no item.
//
// Registration: a reader's own source file registers it with a static
// registration object, e.g. in gui/ButtonElementReaders.cpp:
//
//     static CGUIItem* ReadButton(const pugi::xml_node& e, const SkinElementContext& c);
//     TK_SKIN_ELEMENT_READER(L"BUTTON", ReadButton);
//
// No file of the loader names the readers. The gui library is linked whole
// (gui/CMakeLists.txt: --whole-archive), so these objects are never dropped
// from a program for being otherwise unreferenced. Readers run on the UI
// thread during a load; registration happens before main.
#pragma once
#include <windows.h>

#include <pugixml.hpp>

#include "GUIItem.h"
#include "Gdi.h"

class CWnd;
class CGUIItemFactory;

// The five state pictures of a button-like item (from the resource cache;
// not owned).
struct SkinStateBitmaps {
    CBitmap* normal = nullptr;    // SBMN
    CBitmap* over = nullptr;      // SBMO
    CBitmap* down = nullptr;      // SBMD
    CBitmap* disabled = nullptr;  // SBMDS
    CBitmap* mask = nullptr;      // SBMM
};

struct SkinElementContext {
    CWnd* owner = nullptr;        // the window the file is loaded for
    CGUIItems* items = nullptr;   // the page's items read so far
    CGUIItemFactory* factory = nullptr;
    // DPISTAGEWINDOW: the element's running number in its list, from 1.
    int runningNumber = 0;
    // KBDKEY: the keys' parent window (the windowid item's, else the owner's)
    // and the list's shared BUTTONBITMAPS.
    HWND parentWindow = nullptr;
    const SkinStateBitmaps* sharedBitmaps = nullptr;
};

// Returns the new item's CGUIItem part, or null when the element yields none.
using SkinElementReader = CGUIItem* (*)(const pugi::xml_node& element, const SkinElementContext& context);

// Enters (or replaces) the reader of an element name; returns true so it can
// initialise a static.
bool RegisterSkinElementReader(const wchar_t* elementName, SkinElementReader reader);
SkinElementReader FindSkinElementReader(const wchar_t* elementName);
// Takes an element name's reader out (tests that stand in their own).
void RemoveSkinElementReader(const wchar_t* elementName);

#define TK_SKIN_READER_CAT2(a, b) a##b
#define TK_SKIN_READER_CAT(a, b) TK_SKIN_READER_CAT2(a, b)
#define TK_SKIN_ELEMENT_READER(ELEMENT, READER)                                                 \
    static const bool TK_SKIN_READER_CAT(g_skinReaderRegistered_, __LINE__) [[maybe_unused]] = \
        RegisterSkinElementReader(ELEMENT, READER)
