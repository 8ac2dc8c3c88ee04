// CString: a UTF-16 string with the operations Windows C++ code expects.
// Stored in a std::wstring; GetBuffer/ReleaseBuffer give C APIs direct access.
#pragma once
#include <windows.h>
#include <cstdarg>
#include <string>

class CString {
public:
    CString() = default;
    CString(const wchar_t* s) : m_s(s ? s : L"") {}
    CString(const wchar_t* s, int n) : m_s(s ? s : L"", s && n > 0 ? (size_t)n : 0) {}
    CString(wchar_t ch, int repeat = 1) : m_s(repeat > 0 ? (size_t)repeat : 0, ch) {}
    CString(const std::wstring& s) : m_s(s) {}
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const wchar_t* s) { m_s = s ? s : L""; return *this; }
    CString& operator=(wchar_t ch) { m_s.assign(1, ch); return *this; }

    int GetLength() const { return (int)m_s.size(); }
    bool IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }
    wchar_t GetAt(int i) const { return (i >= 0 && i < GetLength()) ? m_s[(size_t)i] : 0; }
    void SetAt(int i, wchar_t ch) { if (i >= 0 && i < GetLength()) m_s[(size_t)i] = ch; }
    wchar_t operator[](int i) const { return GetAt(i); }
    const wchar_t* GetString() const { return m_s.c_str(); }
    operator const wchar_t*() const { return m_s.c_str(); }
    const std::wstring& str() const { return m_s; }

    // Direct access for C APIs: room for at least minLength characters plus
    // the terminator; ReleaseBuffer(-1) takes the length up to the first NUL.
    wchar_t* GetBuffer(int minLength = 0);
    wchar_t* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    void Format(const wchar_t* fmt, ...);
    void FormatV(const wchar_t* fmt, va_list args);
    void AppendFormat(const wchar_t* fmt, ...);
    bool LoadString(UINT id, HINSTANCE inst = nullptr);

    int Compare(const wchar_t* s) const;
    int CompareNoCase(const wchar_t* s) const;

    CString Left(int n) const;
    CString Right(int n) const;
    CString Mid(int first) const;
    CString Mid(int first, int n) const;
    int Find(wchar_t ch, int start = 0) const;
    int Find(const wchar_t* sub, int start = 0) const;
    int ReverseFind(wchar_t ch) const;
    int FindOneOf(const wchar_t* chars) const;
    int Replace(wchar_t oldCh, wchar_t newCh);
    int Replace(const wchar_t* oldStr, const wchar_t* newStr);
    int Remove(wchar_t ch);
    int Insert(int index, const wchar_t* s);
    int Insert(int index, wchar_t ch);
    int Delete(int index, int count = 1);
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim(const wchar_t* chars);
    CString& TrimLeft(const wchar_t* chars);
    CString& TrimRight(const wchar_t* chars);
    CString& Trim(wchar_t ch);
    CString Tokenize(const wchar_t* delims, int& start) const;

    CString& operator+=(const CString& s) { m_s += s.m_s; return *this; }
    CString& operator+=(const wchar_t* s) { if (s) m_s += s; return *this; }
    CString& operator+=(wchar_t ch) { m_s += ch; return *this; }

    friend CString operator+(const CString& a, const CString& b) { CString r(a); r += b; return r; }
    friend CString operator+(const CString& a, const wchar_t* b) { CString r(a); r += b; return r; }
    friend CString operator+(const wchar_t* a, const CString& b) { CString r(a); r += b; return r; }
    friend CString operator+(const CString& a, wchar_t b) { CString r(a); r += b; return r; }
    friend CString operator+(wchar_t a, const CString& b) { CString r(a); r += b; return r; }

    friend bool operator==(const CString& a, const CString& b) { return a.m_s == b.m_s; }
    friend bool operator==(const CString& a, const wchar_t* b) { return a.Compare(b) == 0; }
    friend bool operator==(const wchar_t* a, const CString& b) { return b.Compare(a) == 0; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const wchar_t* b) { return !(a == b); }
    friend bool operator!=(const wchar_t* a, const CString& b) { return !(b == a); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_s < b.m_s; }
    friend bool operator>(const CString& a, const CString& b) { return b.m_s < a.m_s; }

private:
    std::wstring m_s;
};
