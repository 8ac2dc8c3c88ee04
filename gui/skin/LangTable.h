// One language's text table (a skin item made by a LANG element of
// "Language.xml"): the key/value pairs of its UTF-16 text file, its font
// substitutions and its per-item layout overrides. Texts that start with "$"
// or "#" are text keys translated through the current table at use time.
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "GUIItem.h"
#include "String.h"

// A language's replacement of one attribute of one item (item id set,
// column -1) or of one list column (item -1, column id set). The value is
// the attribute's text with its terminating zero, or for "RECT" four int32
// {left, top, width, height}.
struct LangOverride {
    int itemId = -1;
    int columnId = -1;
    std::wstring attribute;
    std::vector<BYTE> value;

    // The value as text; null unless it is a zero-terminated UTF-16 text.
    const wchar_t* Text() const;
    // The value as {left, top, width, height}; false unless it is exactly
    // that 16-byte block.
    bool Rect(int out[4]) const;
};

class CLangTable : public CGUIItem {
public:
    CLangTable() = default;
    // Also takes the table out of LangTableMap and clears the current table
    // when it was this one: no global keeps pointing at a freed table.
    ~CLangTable() override;

    // Reads a language file image: line 0 the heading, line 1 ignored, then
    // key and value lines in pairs up to "END OF FILE". Lines end at CR LF,
    // LF or CR alike; the CR and LF units that follow a line are skipped
    // (so empty lines vanish). An odd byte count reads size / 2 units. True
    // when at least one pair was stored.
    bool Parse(const wchar_t* data, size_t sizeInBytes);

    // "$key": the value of the stored key equal to it (blanks dropped from
    // the stored key, case ignored, 59 characters at most); "#prefix": the
    // value of the first stored key that starts with the prefix. Where
    // several stored keys match, the first in file order wins. False and the
    // text unchanged otherwise.
    bool Translate(const wchar_t* text, CString& out) const;

    void AddOverride(int itemId, const wchar_t* attribute, const void* value, int valueSize);
    void AddColumnOverride(int columnId, const wchar_t* attribute, const void* value, int valueSize);
    // The first override in the order added whose id and attribute name
    // (ignoring case) match; null when none.
    const LangOverride* FindOverride(int itemId, const wchar_t* attribute) const;
    const LangOverride* FindColumnOverride(int columnId, const wchar_t* attribute) const;
    // The "width" override of a list column as a number; 0 when none.
    int FindColumnWidthOverride(int columnId) const;

    void SetFontRemap(int fontSearch, int fontReplace) { m_fontRemap[fontSearch] = fontReplace; }
    int FontRemap(int fontId) const;

    const CString& Heading() const { return m_heading; }
    int PairCount() const { return m_pairCount; }
    HKL KeyboardLayout() const { return m_keyboardLayout; }
    const std::vector<std::pair<std::wstring, std::wstring>>& Texts() const { return m_texts; }
    const std::vector<std::unique_ptr<LangOverride>>& Overrides() const { return m_overrides; }

private:
    std::vector<std::pair<std::wstring, std::wstring>> m_texts;  // file order
    CString m_heading;
    HKL m_keyboardLayout = nullptr;
    int m_pairCount = 0;
    std::map<int, int> m_fontRemap;
    std::vector<std::unique_ptr<LangOverride>> m_overrides;
};

// The comparison form of a stored key: blanks dropped, stops at NUL, CR or
// LF, at most 59 characters, zero-filled.
void NormaliseLangKey(const wchar_t* key, wchar_t out[60]);

// Language id -> table (not owning; the tables belong to the item list that
// loaded "Language.xml"). A later table of the same id replaces the entry.
extern std::map<int, CLangTable*> LangTableMap;

CLangTable* GetCurrentLangTable();
void SetCurrentLangTable(CLangTable* table);
// Selects the table of a language id, or of id 0 when that language has
// none; returns the table chosen (null when neither exists).
CLangTable* SelectLanguage(int languageId);

// The text translated through the current table, or as it is.
CString TranslateText(const wchar_t* text);
// A font id through the current table's font remap; unchanged without a
// table, an entry, or with an entry of 0 or -1.
int RemapFontId(int fontId);
// The current table's override of an item's attribute, or null.
const LangOverride* FindCurrentOverride(int itemId, const wchar_t* attribute);
