// The process-wide vocabularies of the skin files and pages: item names,
// function text keys, colour names and list-column words, each an ordered map
// from a number to a static wide text. BuildKeywordMaps fills them once at
// start-up; afterwards they are only read.
#pragma once
#include <windows.h>

#include <map>

using KeywordMap = std::map<int, const wchar_t*>;
using ColorKeywordMap = std::map<COLORREF, const wchar_t*>;

extern KeywordMap ItemIdMap;            // item id -> symbolic item name (329 rows)
extern KeywordMap ShortcutFunctionMap;  // shortcut function code -> text key
extern KeywordMap ButtonFunctionMap;    // button function code -> text key
extern KeywordMap KeyTooltipMap;        // button function code -> thumb-key tooltip key
extern KeywordMap ButtonTooltipMap;     // button function code -> button tooltip key
extern ColorKeywordMap ColorNameMap;    // COLORREF (0x00BBGGRR) -> colour name
extern KeywordMap ListColumnItemMap;    // list column id -> LCITEM_ name
extern KeywordMap ListColumnTypeMap;    // LISTCTRL column type -> word
extern KeywordMap MacroColumnTypeMap;   // MACRODISPLAY column type -> word

// Fills every table (emptied first, so a second call gives the same tables).
void BuildKeywordMaps();

// Word -> number: the smallest key whose text equals the word ignoring case;
// -1 when none (also for a null word).
int FindItemIdByName(const wchar_t* word);
int FindShortcutFunctionId(const wchar_t* word);
int FindButtonFunctionId(const wchar_t* word);
int FindColorByName(const wchar_t* word);
int FindListColumnItemByName(const wchar_t* word);
int FindListColumnTypeByName(const wchar_t* word);
int FindMacroColumnTypeByName(const wchar_t* word);

// The name stored under an item id, or null.
const wchar_t* FindItemNameById(int id);
