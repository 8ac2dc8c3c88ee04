// Every skin element reader of the program, by the list that holds its
// element. The program's element-reader table (SkinLoader.cpp) names them
// all; each reads its values through the attribute grammar
// (SkinAttributes.h) and returns the new item, or null.
#pragma once
#include <pugixml.hpp>

#include "GUIItem.h"
#include "SkinElementReaders.h"

// LANGLIST, KBLAYOUTLIST, FONTLIST: items without a window.
CGUIItem* ReadLangElement(const pugi::xml_node& e, const SkinElementContext& context);
CGUIItem* ReadKeyboardLayoutElement(const pugi::xml_node& e, const SkinElementContext& context);
CGUIItem* ReadFontElement(const pugi::xml_node& e, const SkinElementContext& context);

// BITMAPLIST, BUTTONLIST, TEXTLIST, EDITCTRLLIST, KBDKEYLIST.
CGUIItem* ReadBitmapItem(const pugi::xml_node& e, const SkinElementContext& c);
CGUIItem* ReadBitmapWindow(const pugi::xml_node& e, const SkinElementContext& c);
CGUIItem* ReadButton(const pugi::xml_node& e, const SkinElementContext& c);
CGUIItem* ReadAviButton(const pugi::xml_node& e, const SkinElementContext& c);
CGUIItem* ReadTextItem(const pugi::xml_node& e, const SkinElementContext& c);
CGUIItem* ReadEdit(const pugi::xml_node& e, const SkinElementContext& c);
CGUIItem* ReadKeyEdit(const pugi::xml_node& e, const SkinElementContext& c);
CGUIItem* ReadKeyEditMMO(const pugi::xml_node& e, const SkinElementContext& c);
CGUIItem* ReadKeyboardKey(const pugi::xml_node& e, const SkinElementContext& c);

// BITMAPLIST (SLIDERTRACK), SLIDERLIST, DPISTAGELIST, PROGRESSPANELLIST.
CGUIItem* ReadSliderTrack(const pugi::xml_node& e, const SkinElementContext& c);
CGUIItem* ReadVSlider(const pugi::xml_node& e, const SkinElementContext& c);
CGUIItem* ReadHSliderM(const pugi::xml_node& e, const SkinElementContext& c);
CGUIItem* ReadHSliderMapM(const pugi::xml_node& e, const SkinElementContext& c);
CGUIItem* ReadDMarker(const pugi::xml_node& e, const SkinElementContext& c);
CGUIItem* ReadDpiStageWindow(const pugi::xml_node& e, const SkinElementContext& c);
CGUIItem* ReadProgressPanelItem(const pugi::xml_node& e, const SkinElementContext& c);

// LISTLIST, LISTPANELLIST, MACRODISPLAYLIST.
CGUIItem* ReadListCtrlElement(const pugi::xml_node& e, const SkinElementContext& c);
CGUIItem* ReadComboElement(const pugi::xml_node& e, const SkinElementContext& c);
CGUIItem* ReadComboColorElement(const pugi::xml_node& e, const SkinElementContext& c);
CGUIItem* ReadListPanelElement(const pugi::xml_node& e, const SkinElementContext& c);
CGUIItem* ReadMacroDisplayElement(const pugi::xml_node& e, const SkinElementContext& c);
