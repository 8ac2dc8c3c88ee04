// The language names that the registry value `Language` holds, by the ids
// of the language tables that "Language.xml" declares. Both programs pick
// their language through it.
#pragma once
#include <map>
#include <string>

using LanguageNameMap = std::map<int, std::wstring>;

// The table (empty until BuildLanguageTable); built on first use, never
// during static initialisation.
LanguageNameMap& LanguageNameTable();
// Fills the table: ids 0-9 the ten named languages, 10-14 "English".
void BuildLanguageTable();
// The first id in ascending order whose name equals `name` ignoring case;
// -1 for no match or a null name. Only ids 0-9 can be chosen by name.
int LanguageIdFromName(const wchar_t* name);
