// GDI object and device-context wrappers. Each object owns its handle:
// DeleteObject deletes and detaches it, so a later destructor never deletes
// twice; Detach hands ownership back to the caller. Create* on an object that
// already holds a handle is refused before anything is made.
#pragma once
#include <windows.h>
#include "Geometry.h"

class CWnd;

class CGdiObject {
public:
    CGdiObject() = default;
    virtual ~CGdiObject() { DeleteObject(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    bool Attach(HGDIOBJ h) { if (m_hObject || !h) return false; m_hObject = h; return true; }
    HGDIOBJ Detach() { HGDIOBJ h = m_hObject; m_hObject = nullptr; return h; }
    bool DeleteObject() {
        if (!m_hObject) return false;
        HGDIOBJ h = Detach();
        return ::DeleteObject(h) != FALSE;
    }
    int GetObject(int size, void* out) const { return m_hObject ? ::GetObjectW(m_hObject, size, out) : 0; }

    HGDIOBJ m_hObject = nullptr;
};

class CBitmap : public CGdiObject {
public:
    operator HBITMAP() const { return (HBITMAP)m_hObject; }
    bool LoadBitmap(UINT id, HINSTANCE inst = nullptr) {
        return !m_hObject && Attach(::LoadImageW(inst ? inst : ::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                   IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    }
    bool CreateBitmap(int w, int h, UINT planes, UINT bpp, const void* bits) {
        return !m_hObject && Attach(::CreateBitmap(w, h, planes, bpp, bits));
    }
    bool CreateCompatibleBitmap(HDC dc, int w, int h) {
        return !m_hObject && Attach(::CreateCompatibleBitmap(dc, w, h));
    }
    int GetBitmap(BITMAP* bm) const { return GetObject(sizeof(BITMAP), bm); }
    CSize GetSize() const { BITMAP bm{}; return GetBitmap(&bm) ? CSize(bm.bmWidth, bm.bmHeight) : CSize(); }
};

class CFont : public CGdiObject {
public:
    operator HFONT() const { return (HFONT)m_hObject; }
    bool CreateFontIndirect(const LOGFONTW* lf) { return lf && !m_hObject && Attach(::CreateFontIndirectW(lf)); }
    bool CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                    BYTE quality, BYTE pitchAndFamily, const wchar_t* face) {
        return !m_hObject && Attach(::CreateFontW(height, width, escapement, orientation, weight, italic, underline,
                                    strikeOut, charSet, outPrecision, clipPrecision, quality,
                                    pitchAndFamily, face));
    }
    int GetLogFont(LOGFONTW* lf) const { return GetObject(sizeof(LOGFONTW), lf); }
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF c) { CreateSolidBrush(c); }
    operator HBRUSH() const { return (HBRUSH)m_hObject; }
    bool CreateSolidBrush(COLORREF c) { return !m_hObject && Attach(::CreateSolidBrush(c)); }
    bool CreatePatternBrush(HBITMAP bm) { return !m_hObject && Attach(::CreatePatternBrush(bm)); }
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF c) { CreatePen(style, width, c); }
    operator HPEN() const { return (HPEN)m_hObject; }
    bool CreatePen(int style, int width, COLORREF c) { return !m_hObject && Attach(::CreatePen(style, width, c)); }
};

class CRgn : public CGdiObject {
public:
    operator HRGN() const { return (HRGN)m_hObject; }
    bool CreateRectRgn(int l, int t, int r, int b) { return !m_hObject && Attach(::CreateRectRgn(l, t, r, b)); }
    bool CreateRectRgnIndirect(const RECT* r) { return r && !m_hObject && Attach(::CreateRectRgnIndirect(r)); }
    bool CreateEllipticRgn(int l, int t, int r, int b) { return !m_hObject && Attach(::CreateEllipticRgn(l, t, r, b)); }
    int CombineRgn(HRGN a, HRGN b, int mode) { return ::CombineRgn((HRGN)m_hObject, a, b, mode); }
    bool PtInRegion(int x, int y) const { return ::PtInRegion((HRGN)m_hObject, x, y) != FALSE; }
    int GetRgnBox(RECT* r) const { return ::GetRgnBox((HRGN)m_hObject, r); }
};

// A device context. CDC owns a DC it created (CreateCompatibleDC) and deletes
// it; the paint and client DCs release theirs to the window.
class CDC {
public:
    CDC() = default;
    virtual ~CDC() { if (m_hDC && m_owned) ::DeleteDC(m_hDC); }
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }
    bool Attach(HDC dc) { if (m_hDC || !dc) return false; m_hDC = dc; m_owned = false; return true; }
    HDC Detach() { HDC h = m_hDC; m_hDC = nullptr; m_owned = false; return h; }
    bool CreateCompatibleDC(HDC dc) {
        if (m_hDC) return false;
        m_hDC = ::CreateCompatibleDC(dc);
        m_owned = m_hDC != nullptr;
        return m_hDC != nullptr;
    }
    bool DeleteDC() {
        if (!m_hDC) return false;
        HDC h = Detach();
        return ::DeleteDC(h) != FALSE;
    }

    HGDIOBJ SelectObject(HGDIOBJ obj) { return ::SelectObject(m_hDC, obj); }
    HGDIOBJ SelectObject(const CGdiObject* obj) { return obj ? ::SelectObject(m_hDC, obj->m_hObject) : nullptr; }
    HGDIOBJ SelectStockObject(int index) { return ::SelectObject(m_hDC, ::GetStockObject(index)); }
    int SaveDC() { return ::SaveDC(m_hDC); }
    bool RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved) != FALSE; }

    COLORREF SetTextColor(COLORREF c) { return ::SetTextColor(m_hDC, c); }
    COLORREF SetBkColor(COLORREF c) { return ::SetBkColor(m_hDC, c); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    COLORREF SetPixel(int x, int y, COLORREF c) { return ::SetPixel(m_hDC, x, y, c); }

    bool BitBlt(int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop) {
        return ::BitBlt(m_hDC, x, y, w, h, src, sx, sy, rop) != FALSE;
    }
    bool StretchBlt(int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, DWORD rop) {
        return ::StretchBlt(m_hDC, x, y, w, h, src, sx, sy, sw, sh, rop) != FALSE;
    }
    bool TransparentBlt(int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, UINT key) {
        return ::TransparentBlt(m_hDC, x, y, w, h, src, sx, sy, sw, sh, key) != FALSE;
    }
    bool AlphaBlend(int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, BLENDFUNCTION bf) {
        return ::AlphaBlend(m_hDC, x, y, w, h, src, sx, sy, sw, sh, bf) != FALSE;
    }
    void FillSolidRect(const RECT* r, COLORREF c) {
        COLORREF old = ::SetBkColor(m_hDC, c);
        ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, r, nullptr, 0, nullptr);
        ::SetBkColor(m_hDC, old);
    }
    void FillSolidRect(int x, int y, int w, int h, COLORREF c) { CRect r(x, y, x + w, y + h); FillSolidRect(&r, c); }
    void FillRect(const RECT* r, HBRUSH b) { ::FillRect(m_hDC, r, b); }
    void FrameRect(const RECT* r, HBRUSH b) { ::FrameRect(m_hDC, r, b); }
    bool Rectangle(int l, int t, int r, int b) { return ::Rectangle(m_hDC, l, t, r, b) != FALSE; }
    bool Rectangle(const RECT* r) { return Rectangle(r->left, r->top, r->right, r->bottom); }
    CPoint MoveTo(int x, int y) { POINT p{}; ::MoveToEx(m_hDC, x, y, &p); return CPoint(p); }
    bool LineTo(int x, int y) { return ::LineTo(m_hDC, x, y) != FALSE; }
    int DrawText(const wchar_t* text, int n, RECT* r, UINT format) {
        return ::DrawTextW(m_hDC, text, n, r, format);
    }
    int DrawText(const wchar_t* text, RECT* r, UINT format) { return DrawText(text, -1, r, format); }
    bool TextOut(int x, int y, const wchar_t* text, int n) { return ::TextOutW(m_hDC, x, y, text, n) != FALSE; }
    CSize GetTextExtent(const wchar_t* text, int n) const {
        SIZE s{};
        ::GetTextExtentPoint32W(m_hDC, text, n, &s);
        return CSize(s);
    }
    int SelectClipRgn(HRGN rgn) { return ::SelectClipRgn(m_hDC, rgn); }
    int IntersectClipRect(int l, int t, int r, int b) { return ::IntersectClipRect(m_hDC, l, t, r, b); }
    int IntersectClipRect(const RECT* r) { return IntersectClipRect(r->left, r->top, r->right, r->bottom); }
    bool DrawFocusRect(const RECT* r) { return ::DrawFocusRect(m_hDC, r) != FALSE; }
    int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }

    HDC m_hDC = nullptr;

protected:
    bool m_owned = false;
};

// Selects an object into a DC for one scope and puts the previous one back
// when the scope ends, so that no object is deleted while it is selected
// (Windows refuses that and the object leaks). Declare the object before
// its guard: guards end first. Not for regions (SelectObject of a region
// returns no handle).
class CSelectGuard {
public:
    CSelectGuard(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(dc && object ? ::SelectObject(dc, object) : nullptr) {}
    CSelectGuard(HDC dc, const CGdiObject& object) : CSelectGuard(dc, object.m_hObject) {}
    // A wrapper's address is no handle: pass the wrapper itself.
    CSelectGuard(HDC dc, const CGdiObject* object) = delete;
    ~CSelectGuard() { if (m_old && m_old != HGDI_ERROR) ::SelectObject(m_dc, m_old); }
    CSelectGuard(const CSelectGuard&) = delete;
    CSelectGuard& operator=(const CSelectGuard&) = delete;
    HGDIOBJ Previous() const { return m_old; }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// SaveDC for one scope, RestoreDC when it ends: everything selected and set
// inside goes back. Declare the objects drawn with before the guard.
class CSaveDCGuard {
public:
    explicit CSaveDCGuard(HDC dc) : m_dc(dc), m_saved(dc ? ::SaveDC(dc) : 0) {}
    ~CSaveDCGuard() { if (m_saved) ::RestoreDC(m_dc, m_saved); }
    CSaveDCGuard(const CSaveDCGuard&) = delete;
    CSaveDCGuard& operator=(const CSaveDCGuard&) = delete;

private:
    HDC m_dc;
    int m_saved;
};

// BeginPaint/EndPaint for one WM_PAINT.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps{};

private:
    HWND m_hWnd;
};

// GetDC/ReleaseDC of a window's client area.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

private:
    HWND m_hWnd;
};

// GetWindowDC/ReleaseDC of the whole window.
class CWindowDC : public CDC {
public:
    explicit CWindowDC(CWnd* wnd);
    ~CWindowDC() override;

private:
    HWND m_hWnd;
};
