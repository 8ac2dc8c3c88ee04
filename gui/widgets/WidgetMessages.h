// Every private notification a skinned widget sends to its owner (or to its
// parent when no owner is set). wParam carries a value and lParam the item's
// control id, except where a line says otherwise. One header so that pages
// and widgets agree on the numbers.
#pragma once
#include <windows.h>

// Sliders, slider track, marker and stage slider.
constexpr UINT WM_SLIDER_RELEASED = 0x446;        // thumb released
constexpr UINT WM_SLIDER_CHANGING = 0x447;        // value changed while dragging
constexpr UINT WM_SLIDERTRACK_RELEASED = 0x448;   // lParam: the click point
constexpr UINT WM_SLIDER_THUMB_MOVED_H = 0x449;   // lParam: thumb x in track coordinates
constexpr UINT WM_SLIDER_THUMB_MOVED_V = 0x44A;   // lParam: thumb y in track coordinates
constexpr UINT WM_DMARKER_RELEASED = 0x45A;
constexpr UINT WM_APMSLIDER_RELEASED = 0x5F6;

// DPI stage tiles.
constexpr UINT WM_DPISTAGE_SELECTED = 0x5F4;

// Edit items: wParam 0, lParam the edit's window handle.
constexpr UINT WM_EDITITEM_CHANGED = 0x4C8;
constexpr UINT WM_EDITITEM_LEFT = 0x4C9;         // the edit lost the focus

// Colour palette and colour box; the single-key capture edit also reports a
// captured key with WM_ITEM_VALUE_CHOSEN (wParam 0, lParam its window handle).
constexpr UINT WM_COLORPALETTE_SELECT = 0x4DC;
constexpr UINT WM_COLORPALETTE_CANCEL = 0x4DD;
constexpr UINT WM_COLORPALETTE_CUSTOM = 0x4DE;
constexpr UINT WM_ITEM_VALUE_CHOSEN = 0x4DF;

// List control.
constexpr UINT WM_XLIST_CELL_CHANGED = 0x52D;
constexpr UINT WM_XLIST_CHECK_CHANGED = 0x52E;
constexpr UINT WM_XLIST_ROW_CLICKED = 0x5FC;
constexpr UINT WM_XLIST_ROW_ACTIVATED = 0x604;
constexpr UINT WM_XLIST_CONTEXT = 0x606;
constexpr UINT WM_XLIST_COMMAND = 0x608;
constexpr UINT WM_XLIST_EDIT_DONE = 0x609;

// List panels.
constexpr UINT WM_LISTPANEL_CHOSEN = 0x530;
constexpr UINT WM_LISTPANEL_ROW_CLICKED = 0x615;

// Drop-down list.
constexpr UINT WM_DROPDOWN_SELECTED = 0x614;
constexpr UINT WM_DROPDOWN_CLICKED = 0x634;

// Macro display.
constexpr UINT WM_MACRO_EVENTS_CHANGED = 0x6BC;
constexpr UINT WM_MACRO_EVENT_EDIT = 0x6BD;
constexpr UINT WM_MACRO_PLAYBACK_DONE = 0x6BE;
constexpr UINT WM_MACRO_RECORD_FULL = 0x6BF;     // the recording reached the event limit

// Keyboard keys: wParam 0, lParam the item id.
constexpr UINT WM_KBDKEY_HOVER = 0x720;
constexpr UINT WM_KBDKEY_PRESSED = 0x721;
