#include "String.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>

wchar_t* CString::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        m_s.resize((size_t)minLength);
    return &m_s[0];
}

wchar_t* CString::GetBufferSetLength(int length)
{
    m_s.resize(length > 0 ? (size_t)length : 0);
    return &m_s[0];
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0) {
        size_t n = m_s.find(L'\0');
        if (n != std::wstring::npos)
            m_s.resize(n);
    } else if ((size_t)newLength <= m_s.size()) {
        m_s.resize((size_t)newLength);
    }
}

// Windows printf semantics (%s is a wide string, %S narrow): msvcrt's own
// _vsnwprintf, not the C99 replacements that __USE_MINGW_ANSI_STDIO selects.
void CString::FormatV(const wchar_t* fmt, va_list args)
{
    if (!fmt) { m_s.clear(); return; }
    va_list copy;
    va_copy(copy, args);
    int n = _vscwprintf(fmt, copy);
    va_end(copy);
    if (n < 0) { m_s.clear(); return; }
    std::wstring out((size_t)n + 1, L'\0');
    _vsnwprintf(&out[0], (size_t)n + 1, fmt, args);
    out.resize((size_t)n);
    m_s.swap(out);
}

void CString::Format(const wchar_t* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    FormatV(fmt, args);
    va_end(args);
}

void CString::AppendFormat(const wchar_t* fmt, ...)
{
    CString tail;
    va_list args;
    va_start(args, fmt);
    tail.FormatV(fmt, args);
    va_end(args);
    m_s += tail.m_s;
}

bool CString::LoadString(UINT id, HINSTANCE inst)
{
    const wchar_t* p = nullptr;
    int n = ::LoadStringW(inst ? inst : ::GetModuleHandleW(nullptr), id, (LPWSTR)&p, 0);
    if (n <= 0 || !p) { m_s.clear(); return false; }
    m_s.assign(p, (size_t)n);
    return true;
}

int CString::Compare(const wchar_t* s) const
{
    return wcscmp(m_s.c_str(), s ? s : L"");
}

int CString::CompareNoCase(const wchar_t* s) const
{
    return _wcsicmp(m_s.c_str(), s ? s : L"");
}

CString CString::Left(int n) const
{
    n = std::max(0, std::min(n, GetLength()));
    return CString(m_s.substr(0, (size_t)n));
}

CString CString::Right(int n) const
{
    n = std::max(0, std::min(n, GetLength()));
    return CString(m_s.substr(m_s.size() - (size_t)n));
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int n) const
{
    first = std::max(0, first);
    if (first >= GetLength() || n <= 0)
        return CString();
    n = std::min(n, GetLength() - first);
    return CString(m_s.substr((size_t)first, (size_t)n));
}

int CString::Find(wchar_t ch, int start) const
{
    if (start < 0 || start >= GetLength()) return -1;
    size_t p = m_s.find(ch, (size_t)start);
    return p == std::wstring::npos ? -1 : (int)p;
}

int CString::Find(const wchar_t* sub, int start) const
{
    if (!sub || start < 0 || start > GetLength()) return -1;
    size_t p = m_s.find(sub, (size_t)start);
    return p == std::wstring::npos ? -1 : (int)p;
}

int CString::ReverseFind(wchar_t ch) const
{
    size_t p = m_s.rfind(ch);
    return p == std::wstring::npos ? -1 : (int)p;
}

int CString::FindOneOf(const wchar_t* chars) const
{
    if (!chars) return -1;
    size_t p = m_s.find_first_of(chars);
    return p == std::wstring::npos ? -1 : (int)p;
}

int CString::Replace(wchar_t oldCh, wchar_t newCh)
{
    int n = 0;
    for (auto& c : m_s)
        if (c == oldCh) { c = newCh; ++n; }
    return n;
}

int CString::Replace(const wchar_t* oldStr, const wchar_t* newStr)
{
    if (!oldStr || !*oldStr) return 0;
    std::wstring from(oldStr), to(newStr ? newStr : L"");
    int n = 0;
    size_t p = 0;
    while ((p = m_s.find(from, p)) != std::wstring::npos) {
        m_s.replace(p, from.size(), to);
        p += to.size();
        ++n;
    }
    return n;
}

int CString::Remove(wchar_t ch)
{
    size_t before = m_s.size();
    m_s.erase(std::remove(m_s.begin(), m_s.end(), ch), m_s.end());
    return (int)(before - m_s.size());
}

int CString::Insert(int index, const wchar_t* s)
{
    index = std::max(0, std::min(index, GetLength()));
    if (s) m_s.insert((size_t)index, s);
    return GetLength();
}

int CString::Insert(int index, wchar_t ch)
{
    wchar_t s[2] = {ch, 0};
    return Insert(index, s);
}

int CString::Delete(int index, int count)
{
    if (index >= 0 && index < GetLength() && count > 0)
        m_s.erase((size_t)index, (size_t)count);
    return GetLength();
}

CString& CString::MakeUpper()
{
    if (!m_s.empty()) ::CharUpperBuffW(&m_s[0], (DWORD)m_s.size());
    return *this;
}

CString& CString::MakeLower()
{
    if (!m_s.empty()) ::CharLowerBuffW(&m_s[0], (DWORD)m_s.size());
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(m_s.begin(), m_s.end());
    return *this;
}

static const wchar_t kWhite[] = L" \t\r\n\v\f";

CString& CString::TrimLeft(const wchar_t* chars)
{
    size_t p = m_s.find_first_not_of(chars ? chars : L"");
    m_s.erase(0, p == std::wstring::npos ? m_s.size() : p);
    return *this;
}

CString& CString::TrimRight(const wchar_t* chars)
{
    size_t p = m_s.find_last_not_of(chars ? chars : L"");
    m_s.erase(p == std::wstring::npos ? 0 : p + 1);
    return *this;
}

CString& CString::Trim(const wchar_t* chars) { TrimRight(chars); return TrimLeft(chars); }
CString& CString::TrimLeft() { return TrimLeft(kWhite); }
CString& CString::TrimRight() { return TrimRight(kWhite); }
CString& CString::Trim() { return Trim(kWhite); }
CString& CString::Trim(wchar_t ch) { wchar_t s[2] = {ch, 0}; return Trim(s); }

CString CString::Tokenize(const wchar_t* delims, int& start) const
{
    if (start < 0 || !delims) { start = -1; return CString(); }
    size_t b = m_s.find_first_not_of(delims, (size_t)start);
    if (b == std::wstring::npos) { start = -1; return CString(); }
    size_t e = m_s.find_first_of(delims, b);
    if (e == std::wstring::npos) e = m_s.size();
    start = (int)std::min(e + 1, m_s.size() + 1);
    return CString(m_s.substr(b, e - b));
}
