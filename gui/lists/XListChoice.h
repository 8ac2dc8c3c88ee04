// Choice cells of the multi-column list as plain data: the pressed cell, the
// pressed timer's decision, where the drop-down list goes and how it lays
// itself out, and how its keys move the selection. CXListCtrl and
// CXComboList are thin windows over these.
#pragma once
#include <windows.h>

#include <vector>

#include "String.h"

// The choice cell whose button was pressed. Releasing clears only the flag:
// the row key and column position still name the cell that a choice from
// the drop-down list goes to.
struct XListPressedCell {
    bool pressed = false;
    int rowKey = -1;
    int column = -1;  // position

    void Press(int key, int position)
    {
        pressed = true;
        rowKey = key;
        column = position;
    }
    void Release() { pressed = false; }
    bool IsPressed(int key, int position) const { return pressed && rowKey == key && column == position; }
};

// The button part of a choice cell: the square at its right end, as wide as
// the cell is high.
RECT ChoiceButtonRect(const RECT& cell);
bool PointOnChoiceButton(const RECT& cell, POINT p);

// What the pressed timer does on a tick.
enum class XListPressTick {
    Release,         // the pointer left the cell: the cell is released
    ReleaseAndStop,  // ... and with nothing open the timer has no more to do
    FocusAndLayout,  // first tick with the drop-down open: focus its list, lay it out
    Focus,           // later ticks with the drop-down open: focus its list
    Stop,            // nothing open under the pointer: the timer stops
};
XListPressTick DecidePressTick(bool pointerInCell, bool dropDownOpen, bool firstTick);

// The drop-down's first window rectangle (screen coordinates): right under
// the cell, as wide as it and (cell height - 2) x visible entries high. A
// visible count below 1 shows every entry (at least one row's height).
RECT ComboListWindowRect(const RECT& cellOnScreen, int visibleEntries, int entryCount);
// The window height cut to the whole list-box items it holds, plus 4 pixels
// for the frame (never below one item).
int ComboListCutHeight(int height, int itemHeight);

// The drop-down's client layout: the list box fills the client area less 1
// pixel at the left and top and the strip at the right where the scroll bar
// sits.
constexpr int kComboListScrollWidth = 11;
void ComboListClientLayout(const RECT& client, RECT& listBox, RECT& scrollBar);
// The scroll bar shows the selected entry (the first when none); the list
// box's top entry is the one before it.
inline int ComboListScrollPos(int selected) { return selected < 0 ? 0 : selected; }
inline int ComboListTopIndex(int selected) { return selected <= 0 ? 0 : selected - 1; }

// The selection after a key in the drop-down: Page Up, Page Down, End, Home,
// Up and Down move within the entries, and a letter A-Z selects the next
// entry (after the current one, wrapping) that starts with it, ignoring case.
// -1 when the key is none of these. pageSize: visible items (at least 1).
int ComboListKeySelection(UINT vk, int current, int pageSize, const std::vector<CString>& entries);
