#include "SplashPopup.h"

#include "ItemIds.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CKyrthSplashScreenDialog, CVeskPopup)
    ON_WM_TIMER()
END_MESSAGE_MAP()

namespace {
constexpr UINT_PTR kFrameTimer = 1;
}

CKyrthSplashScreenDialog::CKyrthSplashScreenDialog(CWnd* owner)
    : CVeskPopup(IDD_POPUP_SPLASH, L"SplashScreen.xml", owner)
{
}

void CKyrthSplashScreenDialog::BindItems()
{
    for (int i = 0; i < kFrames; ++i)
        m_frames[i] = m_items.FindById(BITMAP_LOADING1 + i);
}

BOOL CKyrthSplashScreenDialog::OnInitDialog()
{
    BOOL result = CVeskPopup::OnInitDialog();
    ShowFrame(0);
    SetTimer(kFrameTimer, 100);
    return result;
}

void CKyrthSplashScreenDialog::ShowFrame(int frame)
{
    m_frame = frame;
    for (int i = 0; i < kFrames; ++i) {
        if (m_frames[i])
            m_frames[i]->Show(i == frame);
    }
}

void CKyrthSplashScreenDialog::OnTimer(UINT_PTR id)
{
    if (id == kFrameTimer)
        ShowFrame((m_frame + 1) % kFrames);
}
