// The build's program folder as the programs find it: keyword tables built,
// the folder set, and "Language.xml" loaded (languages and key definitions).
#pragma once
#include "GUIItem.h"
#include "KeywordTables.h"
#include "ProgramFolder.h"
#include "SkinLoader.h"
#include "SkinTestFiles.h"

// The items of "Language.xml" (the caller owns them), or null when it does
// not load.
inline CGUIItems* LoadRealSkinLanguages()
{
    BuildKeywordMaps();
    SetProgramFolder(RealProgramFolder().c_str());
    auto* items = new CGUIItems;
    if (!LoadSkinPage(items, L"Language.xml", nullptr, false)) {
        delete items;
        return nullptr;
    }
    return items;
}
