#include "DPIStageWindow.h"

#include "FallbackFont.h"
#include "LangTable.h"
#include "SkinResourceCache.h"
#include "WidgetMessages.h"
#include "WidgetText.h"

namespace {

const wchar_t* const kPictureNames[] = {L"DPIFRAME", L"DPIFRAMESELECTED", L"DPIWIN", L"DPIWINX", L"DPIWINY"};
const wchar_t* const kTextNames[] = {L"HEADING", L"DPI", L"DPIX", L"DPIY", L"X", L"Y"};

// A copy of bm stretched to w x h.
HBITMAP StretchedCopy(HBITMAP bm, int w, int h)
{
    BITMAP info{};
    if (!bm || w <= 0 || h <= 0 || !::GetObjectW(bm, sizeof(info), &info))
        return nullptr;
    CClientDC screen(nullptr);
    CDC src, dst;
    CBitmap copy;
    if (!src.CreateCompatibleDC(screen) || !dst.CreateCompatibleDC(screen) ||
        !copy.CreateCompatibleBitmap(screen, w, h))
        return nullptr;
    {
        CSelectGuard srcSelected(src, bm), dstSelected(dst, copy);
        ::SetStretchBltMode(dst, COLORONCOLOR);
        ::StretchBlt(dst, 0, 0, w, h, src, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    }
    return (HBITMAP)copy.Detach();
}

}  // namespace

BEGIN_MESSAGE_MAP(CDPIStageWindow, CStatic)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_LBUTTONUP()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CDPIStageWindow::CDPIStageWindow(int stageNumber) : m_stageNumber(stageNumber)
{
    m_type = ITEM_DPISTAGEWINDOW;
}

CDPIStageWindow::~CDPIStageWindow() = default;

BOOL CDPIStageWindow::SetLayout(CWnd* parent, const RECT& rect, const std::vector<DpiStageBitmapRecord>& bitmaps,
                                const std::vector<DpiStageTextRecord>& texts, int id)
{
    m_id = id;
    // SS_NOTIFY: a static takes clicks only with it.
    if (!CreateEx(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, rect, parent, (UINT)id))
        return FALSE;
    m_window = m_hWnd;
    for (const DpiStageBitmapRecord& b : bitmaps) {
        for (int p = 0; p < kPictures; ++p) {
            if (b.name.CompareNoCase(kPictureNames[p]) != 0)
                continue;
            m_pictures[p].DeleteObject();
            m_pictures[p].Attach(StretchedCopy(b.bitmap, b.rect.right - b.rect.left, b.rect.bottom - b.rect.top));
            m_pictureRects[p] = b.rect;
        }
    }
    for (const DpiStageTextRecord& t : texts) {
        for (int i = 0; i < kTexts; ++i) {
            if (t.name.CompareNoCase(kTextNames[i]) != 0)
                continue;
            m_texts[i].name = kTextNames[i];
            m_texts[i].text = t.text;
            m_texts[i].rect = t.rect;
        }
    }
    SetHeading(m_texts[HEADING].text);
    return TRUE;
}

void CDPIStageWindow::SetHeading(const CString& text)
{
    m_texts[HEADING].text = CaptionText(TranslateText(text), m_caseMode);
    if (IsWindow())
        Invalidate(FALSE);
}

void CDPIStageWindow::SetStage(bool enabled, bool selected, bool separateXY, int value, int x, int y)
{
    m_enabled = enabled ? 1 : 0;
    m_selected = selected ? 1 : 0;
    m_separateXY = separateXY ? 1 : 0;
    m_value = value;
    m_x = x;
    m_y = y;
    if (IsWindow())
        Invalidate(FALSE);
}

BOOL CDPIStageWindow::PreTranslateMessage(MSG* msg)
{
    if (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST)
        m_tip.Relay(msg);
    return CStatic::PreTranslateMessage(msg);
}

void CDPIStageWindow::OnLButtonUp(UINT, CPoint)
{
    if (!m_interactive || m_selected)
        return;
    m_selected = 1;
    ::SendMessageW(::GetParent(m_hWnd), WM_DPISTAGE_SELECTED, (WPARAM)m_stageNumber, (LPARAM)m_id);
    SetFocus();
    Invalidate(FALSE);
}

void CDPIStageWindow::DrawPicture(CDC& dc, HBITMAP bm, const RECT& r)
{
    if (!bm)
        return;
    BITMAP info{};
    ::GetObjectW(bm, sizeof(info), &info);
    CDC mem;
    if (!mem.CreateCompatibleDC(dc))
        return;
    CSelectGuard selected(mem, bm);
    int w = r.right - r.left, h = r.bottom - r.top;
    if (info.bmWidth == w && info.bmHeight == h)
        dc.BitBlt(r.left, r.top, w, h, mem, 0, 0, SRCCOPY);
    else
        dc.StretchBlt(r.left, r.top, w, h, mem, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
}

void CDPIStageWindow::DrawValue(CDC& dc, Picture window, const RECT& r, int value)
{
    HBITMAP face = nullptr;
    if (m_selected)
        face = FindOrLoadBmpFile(L"stageSelected.bmp");
    if (!face)
        face = (HBITMAP)m_pictures[window].GetSafeHandle();
    DrawPicture(dc, face, r);
    CRect inner(r);
    inner.DeflateRect(3, 2, 3, 2);
    if (inner.Width() > 0 && inner.Height() > 0)
        dc.FillSolidRect(&inner, 0);
    wchar_t text[16];
    _snwprintf(text, 16, L"%d", value);
    text[15] = 0;
    dc.DrawText(text, -1, &inner, m_format | DT_CENTER);
}

void CDPIStageWindow::Draw(CDC& dc)
{
    CRect client;
    GetClientRect(&client);
    if (!m_enabled || client.IsRectEmpty())
        return;
    CDC mem;
    CBitmap canvas;
    if (!mem.CreateCompatibleDC(dc) || !canvas.CreateCompatibleBitmap(dc, client.Width(), client.Height()))
        return;
    CSelectGuard canvasSelected(mem, canvas);
    mem.FillSolidRect(&client, 0);
    HBITMAP frame = (HBITMAP)m_pictures[m_selected && HasPicture(FRAME_SELECTED) ? FRAME_SELECTED : FRAME]
                        .GetSafeHandle();
    DrawPicture(mem, frame, client);
    mem.SetBkMode(TRANSPARENT);
    mem.SetTextColor(m_textColour ? m_textColour : 0xFEFEFE);
    CFont fallback;
    CSelectGuard fontSelected(mem, m_font ? m_font : CreateBoldArialFont(14, fallback) ? fallback.m_hObject : nullptr);

    auto drawText = [&](Text t, UINT extra) {
        CRect r(m_texts[t].rect);
        mem.DrawText(m_texts[t].text, -1, &r, m_format | extra);
    };
    drawText(HEADING, DT_CENTER);
    if (m_separateXY) {
        drawText(DPIX, 0);
        drawText(DPIY, 0);
        drawText(X, DT_CENTER);
        drawText(Y, DT_CENTER);
        DrawValue(mem, WINX, m_pictureRects[WINX], m_x);
        DrawValue(mem, WINY, m_pictureRects[WINY], m_y);
    } else {
        drawText(DPI, 0);
        DrawValue(mem, WIN, m_pictureRects[WIN], m_value);
    }
    dc.BitBlt(0, 0, client.Width(), client.Height(), mem, 0, 0, SRCCOPY);
}

void CDPIStageWindow::OnPaint()
{
    CPaintDC dc(this);
    Draw(dc);
}

LRESULT CDPIStageWindow::OnPrintClient(WPARAM w, LPARAM)
{
    CDC dc;
    dc.Attach((HDC)w);
    Draw(dc);
    dc.Detach();
    return 0;
}
