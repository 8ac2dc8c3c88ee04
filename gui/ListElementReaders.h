// Readers of the list-like skin elements: COMBO, COMBOCOLOR and LISTPANEL
// (registered in the element-reader table by their source file).
#pragma once
#include "SkinElementReaders.h"

CGUIItem* ReadComboElement(const pugi::xml_node& e, const SkinElementContext& c);
CGUIItem* ReadComboColorElement(const pugi::xml_node& e, const SkinElementContext& c);
CGUIItem* ReadListPanelElement(const pugi::xml_node& e, const SkinElementContext& c);
