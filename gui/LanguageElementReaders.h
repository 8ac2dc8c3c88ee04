// Readers of the skin elements that make no window: LANG (language tables),
// KBLAYOUT, FONT (registered in the element-reader table) and the page's
// BACKGROUND / MASK pictures (read by the loader before the lists).
#pragma once
#include <pugixml.hpp>

#include "GUIItem.h"
#include "SkinElementReaders.h"

class CWnd;

CGUIItem* ReadLangElement(const pugi::xml_node& e, const SkinElementContext& context);
CGUIItem* ReadKeyboardLayoutElement(const pugi::xml_node& e, const SkinElementContext& context);
CGUIItem* ReadFontElement(const pugi::xml_node& e, const SkinElementContext& context);
// A CPanelBitmap holding a private copy of the element's picture, with the
// given id; null when the element is missing or its picture does not load.
CGUIItem* ReadPanelBitmapElement(const pugi::xml_node& e, int id, CWnd* owner);

// The longest face name a font keeps (LOGFONT's field less its NUL).
const int kMaxTypefaceLength = LF_FACESIZE - 1;
