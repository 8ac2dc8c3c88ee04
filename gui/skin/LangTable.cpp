#include "LangTable.h"

#include <cstring>
#include <cwchar>

std::map<int, CLangTable*> LangTableMap;

namespace {

CLangTable* g_current = nullptr;

const wchar_t kEndOfFile[] = L"END OF FILE";

}  // namespace

const wchar_t* LangOverride::Text() const
{
    if (value.size() < sizeof(wchar_t) || value.size() % sizeof(wchar_t) != 0)
        return nullptr;
    const wchar_t* text = reinterpret_cast<const wchar_t*>(value.data());
    return text[value.size() / sizeof(wchar_t) - 1] == 0 ? text : nullptr;
}

bool LangOverride::Rect(int out[4]) const
{
    if (value.size() != 4 * sizeof(int32_t))
        return false;
    memcpy(out, value.data(), value.size());
    return true;
}

CLangTable::~CLangTable()
{
    for (auto it = LangTableMap.begin(); it != LangTableMap.end();) {
        if (it->second == this)
            it = LangTableMap.erase(it);
        else
            ++it;
    }
    if (g_current == this)
        g_current = nullptr;
}

void NormaliseLangKey(const wchar_t* key, wchar_t out[60])
{
    for (int i = 0; i < 60; ++i)
        out[i] = 0;
    if (!key)
        return;
    int n = 0;
    for (const wchar_t* p = key; *p && *p != L'\r' && *p != L'\n' && n < 59; ++p)
        if (*p != L' ')
            out[n++] = *p;
}

bool CLangTable::Parse(const wchar_t* data, size_t sizeInBytes)
{
    if (!data)
        return false;
    const size_t units = sizeInBytes / sizeof(wchar_t);
    size_t pos = 0;
    int lineNo = 0;
    std::wstring pendingKey;
    bool haveKey = false;
    while (pos < units) {
        // CR LF, LF or CR: whatever the editor that last saved the file wrote.
        size_t start = pos;
        while (pos < units && data[pos] != L'\r' && data[pos] != L'\n')
            ++pos;
        std::wstring line(data + start, data + pos);
        while (pos < units && (data[pos] == L'\r' || data[pos] == L'\n'))
            ++pos;

        if (lineNo == 0) {
            m_heading = CString(line);
        } else if (lineNo >= 2) {
            if (_wcsicmp(line.c_str(), kEndOfFile) == 0 && line.size() == wcslen(kEndOfFile))
                break;
            if (!haveKey) {
                pendingKey = std::move(line);
                haveKey = true;
            } else {
                m_texts.emplace_back(std::move(pendingKey), std::move(line));
                ++m_pairCount;
                haveKey = false;
            }
        }
        ++lineNo;
    }
    return m_pairCount > 0;
}

bool CLangTable::Translate(const wchar_t* text, CString& out) const
{
    out = text;
    if (!text || !text[0] || !text[1] || (text[0] != L'$' && text[0] != L'#'))
        return false;
    const wchar_t* word = text + 1;
    const size_t n = wcslen(word);
    wchar_t norm[60];
    for (const auto& pair : m_texts) {
        NormaliseLangKey(pair.first.c_str(), norm);
        bool match = text[0] == L'$' ? _wcsnicmp(norm, word, 60) == 0 : _wcsnicmp(norm, word, n) == 0;
        if (match) {
            out = CString(pair.second);
            return true;
        }
    }
    return false;
}

namespace {

std::unique_ptr<LangOverride> MakeOverride(int itemId, int columnId, const wchar_t* attribute, const void* value,
                                           int valueSize)
{
    auto o = std::make_unique<LangOverride>();
    o->itemId = itemId;
    o->columnId = columnId;
    o->attribute = attribute ? attribute : L"";
    if (value && valueSize > 0) {
        const BYTE* bytes = static_cast<const BYTE*>(value);
        o->value.assign(bytes, bytes + valueSize);
    }
    return o;
}

}  // namespace

void CLangTable::AddOverride(int itemId, const wchar_t* attribute, const void* value, int valueSize)
{
    m_overrides.push_back(MakeOverride(itemId, -1, attribute, value, valueSize));
}

void CLangTable::AddColumnOverride(int columnId, const wchar_t* attribute, const void* value, int valueSize)
{
    m_overrides.push_back(MakeOverride(-1, columnId, attribute, value, valueSize));
}

const LangOverride* CLangTable::FindOverride(int itemId, const wchar_t* attribute) const
{
    if (!attribute)
        return nullptr;
    for (const auto& o : m_overrides)
        if (o->columnId == -1 && o->itemId == itemId && _wcsicmp(o->attribute.c_str(), attribute) == 0)
            return o.get();
    return nullptr;
}

const LangOverride* CLangTable::FindColumnOverride(int columnId, const wchar_t* attribute) const
{
    if (!attribute)
        return nullptr;
    for (const auto& o : m_overrides)
        if (o->itemId == -1 && o->columnId == columnId && _wcsicmp(o->attribute.c_str(), attribute) == 0)
            return o.get();
    return nullptr;
}

int CLangTable::FindColumnWidthOverride(int columnId) const
{
    const LangOverride* o = FindColumnOverride(columnId, L"width");
    const wchar_t* text = o ? o->Text() : nullptr;
    return text ? _wtoi(text) : 0;
}

int CLangTable::FontRemap(int fontId) const
{
    auto it = m_fontRemap.find(fontId);
    if (it == m_fontRemap.end() || it->second == 0 || it->second == -1)
        return fontId;
    return it->second;
}

CLangTable* GetCurrentLangTable() { return g_current; }
void SetCurrentLangTable(CLangTable* table) { g_current = table; }

CLangTable* SelectLanguage(int languageId)
{
    auto it = LangTableMap.find(languageId);
    if (it == LangTableMap.end())
        it = LangTableMap.find(0);
    g_current = it == LangTableMap.end() ? nullptr : it->second;
    return g_current;
}

CString TranslateText(const wchar_t* text)
{
    CString out(text);
    if (g_current)
        g_current->Translate(text, out);
    return out;
}

int RemapFontId(int fontId) { return g_current ? g_current->FontRemap(fontId) : fontId; }

const LangOverride* FindCurrentOverride(int itemId, const wchar_t* attribute)
{
    return g_current ? g_current->FindOverride(itemId, attribute) : nullptr;
}
