// CKyrthSplashScreenDialog: shown while the charging dock brings its mouse
// online; ten loading pictures take turns every 100 ms. The start-up thread
// closes it; the user may close it first (which ends the program).
#pragma once
#include "VeskPopup.h"

class CKyrthSplashScreenDialog : public CVeskPopup {
public:
    explicit CKyrthSplashScreenDialog(CWnd* owner = nullptr);
    void BindItems() override;
    BOOL OnInitDialog() override;

    static constexpr int kFrames = 10;
    // The frame now shown (0-9).
    int Frame() const { return m_frame; }

protected:
    void OnPopupCancel() override { EndDialog(IDOK); }
    void OnTimer(UINT_PTR id);
    void ShowFrame(int frame);
    DECLARE_MESSAGE_MAP()

private:
    CGUIItem* m_frames[kFrames] = {};
    int m_frame = 0;
};
