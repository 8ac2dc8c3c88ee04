// The interface between the main dialog (the frame) and its page modules.
//
// The frame owns the item lists, loads them, shows one page at a time and
// routes what the user does; each page module binds its own items and holds
// that page's logic. A module never talks to another module or to the
// frame's internals: it sees only the lists it is given and the host below.
//
// The frame calls a module in this order:
//   1. Bind(lists)      once, after every page file is loaded. Find items by
//                       id and keep typed pointers; an item a file lacks (or
//                       of another type) leaves its pointer null, and every
//                       use checks it: a broken page goes inert, the program
//                       keeps running.
//   2. Fill()           once, at the end of a good start (FillPages).
//   3. OnPageShown(cur) after every ShowPage, for every module (cur is the
//                       page now shown). ShowPage shows whole lists, so a
//                       module hides again here what its state keeps hidden.
//   4. Refresh()        whenever the configuration changed under the pages
//                       (RefreshPages: profile switched, imported, restored,
//                       stages edited). Any module may ask for it through
//                       the host.
//   5. OnCommand / OnWidgetMessage   for the user's actions (below), on the
//                       UI thread, never while a write runs and, while a
//                       macro is recorded, only the recording stop command.
//   6. the destructor   while the frame's window still exists.
//
// Routing. Buttons and keyboard keys have control id 0, so the frame finds
// the sending item by window (FindByHwnd of the command's lParam): first in
// the main page's list, then in the current page's list, then in the
// current-profile strip. Items in the main page with a frame id (page tabs,
// OK, Cancel, Apply, help, exit) stay with the frame; every other button or
// text item goes to the modules, the current page's module first, until one
// answers true. A text item with a `checkboxid` sends its check box's window,
// so the command arrives as the check box; an interactive text item sends
// STN_CLICKED with its own window. Widget messages (the WM_USER range of
// WidgetMessages.h) go to the modules in the same order; each module checks
// lParam against its own items (a control id or a window, as the widget's
// message says) and answers false for what is not its own.
//
// Threads: everything here runs on the UI thread. Only the UI thread touches
// the configuration and calls the device object.
#pragma once
#include <windows.h>

#include "GUIItem.h"
#include "ItemLookup.h"
#include "MousePicker.h"

class CWnd;
class IMouseConfig;

// ShowPage masks, one bit per page.
enum PageMask : int {
    PAGE_BUTTONS = 0x01,      // button assignment
    PAGE_KEYS = 0x02,         // thumb-grid key assignment
    PAGE_PERFORMANCE = 0x04,
    PAGE_PROFILES = 0x08,
    PAGE_MACROS = 0x10,
    PAGE_LIGHTING = 0x20,     // lighting and maintenance
};

// The frame's item lists. An id that occurs in two lists is two items:
// `LIST_GLOBALPROFILELIST` is in the strip (shown with the buttons, keys and
// performance pages) and in the lighting page's list; bind each from the
// list whose page uses it.
enum PageListIndex : int {
    LIST_PAGE_BUTTONS = 0,      // AssignButtons.xml (+ _Kovu, _KovuZent)
    LIST_PAGE_KEYS = 1,         // AssignKeys.xml (+ variants)
    LIST_PAGE_PERFORMANCE = 2,  // AdjustPerformance.xml
    LIST_PAGE_PROFILES = 3,     // ManageProfiles.xml
    LIST_PAGE_MACROS = 4,       // ManageMacros.xml
    LIST_PAGE_LIGHTING = 5,     // LightingMaintenance.xml (+ variants)
    LIST_STRIP = 6,             // CurrentProfile.xml, the current-profile strip
    kPageListCount = 7,
};

struct PageLists {
    CGUIItems* main = nullptr;                   // MainPage.xml: the dialog's own items
    CGUIItems* lists[kPageListCount] = {};       // never null while the frame lives
};

// What a page module gets from the frame.
class IPageHost {
public:
    // The one configuration; never null while the frame runs.
    virtual IMouseConfig* Config() = 0;
    // The device object now in the application's slot (it can be replaced
    // behind the frame, so ask each time; null when there is none).
    virtual GenDevice* Device() = 0;
    // The main dialog: owner of popups and receiver of widget messages.
    virtual CWnd* OwnerWindow() = 0;
    // MODEL_* of ModelFlags.h for the model read at start; 0 when none.
    virtual int ModelFlag() const = 0;
    // The page now shown (a PageMask bit); 0 before the first ShowPage.
    virtual int CurrentPage() const = 0;

    // Every edit calls this: the configuration differs from the device's.
    virtual void MarkUnsaved() = 0;
    virtual bool IsUnsaved() const = 0;
    // Asks every module to Refresh (the configuration changed).
    virtual void RefreshPages() = 0;

    // The macros page records: while set, the frame passes no command but
    // BUTTON_MACRO_RECORD_STOP and no close, Enter, Escape or help.
    virtual void SetRecording(bool recording) = 0;
    virtual bool IsRecording() const = 0;
    // A write to the device runs: the configuration must not change (the
    // frame routes nothing to the modules meanwhile; workers check it).
    virtual bool IsWriting() const = 0;

    // The lights of the active profile: SaveLightingState keeps them (after
    // a write, or when another profile becomes active), RestoreLightingState
    // puts the kept values back; StartSendLighting sends the active
    // profile's lights to the device at once (a live preview) and answers
    // false when the device was busy (the send then waits its turn).
    virtual void SaveLightingState() = 0;
    virtual void RestoreLightingState() = 0;
    virtual bool StartSendLighting() = 0;

    // Runs a warning popup on `file` (under xml\) modally over the main
    // dialog: `dataText` is appended to its heading, `heading` (when given)
    // replaces it. IDOK or IDCANCEL; IDCANCEL also when the file is missing.
    virtual INT_PTR ShowWarning(const wchar_t* file, const wchar_t* dataText = nullptr,
                                const wchar_t* heading = nullptr) = 0;

protected:
    ~IPageHost() = default;
};

// One page's logic. The defaults do nothing, so an empty module is a page
// that shows its skin and does nothing else.
class CPageModule {
public:
    CPageModule(IPageHost& host, int pageMask) : m_host(host), m_pageMask(pageMask) {}
    virtual ~CPageModule() = default;
    CPageModule(const CPageModule&) = delete;
    CPageModule& operator=(const CPageModule&) = delete;

    int PageMask() const { return m_pageMask; }

    virtual void Bind(const PageLists& lists) {}
    virtual void Fill() {}
    virtual void Refresh() {}
    virtual void OnPageShown(int currentPage) {}

    // A button or text item was clicked. `item` is the sender (its m_id
    // the item id), `list` where the frame found it (-1 the main page, else
    // a PageListIndex), `code` the notification (BN_CLICKED, STN_CLICKED).
    // True when this module handled it.
    struct Command {
        CGUIItem* item;
        int id;
        int list;
        UINT code;
    };
    virtual bool OnCommand(const Command& command) { return false; }
    // A widget message (WM_USER range); true when handled, with *result
    // the message's answer (0 unless set).
    virtual bool OnWidgetMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) { return false; }

protected:
    IPageHost& m_host;

private:
    int m_pageMask;
};
