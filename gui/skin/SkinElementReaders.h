// What an element reader is given and returns, and the table the loader
// looks readers up in by element name.
//
// A reader turns one element into one item (or none). The loader owns which
// elements each list holds and in which order they are read; for every
// element it asks the table it was given for the element's reader. The
// program's table lists every reader in one place (gui/readers/SkinLoader.cpp);
// tests hand the loader tables of their own. An element without a reader in
// the table yields no item. Readers run on the UI thread during a load.
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
// A reader builds its item in a std::unique_ptr and releases it on success.
using SkinElementReader = CGUIItem* (*)(const pugi::xml_node& element, const SkinElementContext& context);

struct SkinElementReaderEntry {
    const wchar_t* element;
    SkinElementReader reader;
};

// A fixed table of readers by element name (case-sensitive, as the skin
// files are); the entries are not copied and must outlive the table.
class SkinElementTable {
public:
    template <size_t N>
    constexpr SkinElementTable(const SkinElementReaderEntry (&entries)[N]) : m_entries(entries), m_count(N) {}
    SkinElementTable(const SkinElementReaderEntry* entries, size_t count) : m_entries(entries), m_count(count) {}

    // The reader of an element name; null for a name the table does not hold.
    SkinElementReader Find(const wchar_t* element) const;

private:
    const SkinElementReaderEntry* m_entries;
    size_t m_count;
};
