// The build's program folder as the programs find it (the gui tests'
// environment sets it up): "Language.xml" loaded, with the languages and the
// key definitions.
#pragma once
#include "GUIItem.h"
#include "SkinLoader.h"

// The items of "Language.xml" (the caller owns them), or null when it does
// not load.
inline CGUIItems* LoadRealSkinLanguages()
{
    auto* items = new CGUIItems;
    if (!LoadSkinPage(items, L"Language.xml", nullptr, false)) {
        delete items;
        return nullptr;
    }
    return items;
}
