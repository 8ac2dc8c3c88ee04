// The DPI stages popup over its model: stage count buttons, tile clicks,
// the X/Y split and slider notifications in step units, captured in both
// modes.
#include <gtest/gtest.h>

#include "DPIStagesPopup.h"
#include "RecordingWnd.h"
#include "TestBitmaps.h"
#include "TreeCapture.h"
#include "WidgetMessages.h"

namespace {

const int kThumbCombined = 501, kThumbX = 502, kThumbY = 503;

// Builds the popup's items itself, as a page file would.
class CTestStagesPopup : public CDPIStagesPopup {
public:
    explicit CTestStagesPopup(DpiStagesModel* model) : CDPIStagesPopup(CRect(0, 0, 460, 260), 0, nullptr, model) {}

    void BindItems() override {
        for (int i = 0; i < 5; ++i) {
            auto* tile = new CDPIStageWindow(i + 1);
            std::vector<DpiStageBitmapRecord> bms = {
                {L"DPIFRAME", m_frame, nullptr, {0, 0, 80, 100}},
                {L"DPIFRAMESELECTED", m_frameSel, nullptr, {0, 0, 80, 100}},
                {L"DPIWIN", m_win, nullptr, {10, 50, 70, 75}},
                {L"DPIWINX", m_win, nullptr, {10, 35, 70, 55}},
                {L"DPIWINY", m_win, nullptr, {10, 70, 70, 90}}};
            CString heading;
            heading.Format(L"Stage %d", i + 1);
            std::vector<DpiStageTextRecord> texts = {{L"HEADING", heading, {0, 5, 80, 25}},
                                                     {L"DPI", L"DPI", {10, 28, 70, 48}},
                                                     {L"X", L"X", {0, 35, 10, 55}},
                                                     {L"Y", L"Y", {0, 70, 10, 90}}};
            tile->SetLayout(this, CRect(10 + i * 88, 10, 90 + i * 88, 110), bms, texts, 400 + i);
            m_items.Append(tile);
            m_tiles[i] = tile;
        }
        m_minus = Button(L"-", CRect(10, 120, 40, 145));
        m_plus = Button(L"+", CRect(80, 120, 110, 145));
        m_separateBox = Button(L"X/Y", CRect(130, 120, 190, 145));
        m_separateBox->m_isCheckBox = 1;
        m_ok = Button(L"OK", CRect(300, 220, 370, 245));
        m_cancel = Button(L"Cancel", CRect(380, 220, 450, 245));
        const int ids[3] = {kThumbCombined, kThumbX, kThumbY};
        const int tops[3] = {160, 160, 195};
        for (int i = 0; i < 3; ++i) {
            auto* track = new CSliderTrack();
            track->m_id = 600 + i;
            track->CreateTrack(CRect(10, tops[i], 450, tops[i] + 30), this);
            track->SetBitmap(MakeGradientBitmap(440, 30, RGB(30, 30, 30), RGB(90, 90, 90)));
            m_items.Append(track);
            m_tracks[i] = track;
            auto* slider = new CSliderHMulti(1);
            CPHSlider* thumb = slider->Thumb(0);
            thumb->m_id = ids[i];
            track->SetThumb(thumb);
            thumb->Create(MakeSolidBitmap(10, 24, RGB(230, 230, 230), RGB(0, 0, 0)), track, nullptr, nullptr, false,
                          CRect(10, 3, 430, 27));
            slider->SetItemPart(700 + i, ITEM_SLIDERHMULTI, track->m_hWnd, this);
            m_items.Append(slider);
            m_sliders[i] = slider;
            m_thumbIds[i] = ids[i];
        }
    }

    HBITMAP m_frame = MakeSolidBitmap(80, 100, RGB(40, 40, 70), RGB(120, 120, 160));
    HBITMAP m_frameSel = MakeSolidBitmap(80, 100, RGB(70, 40, 40), RGB(255, 120, 0));
    HBITMAP m_win = MakeSolidBitmap(60, 25, RGB(90, 90, 90));

private:
    CBitmapBtn* Button(const wchar_t* caption, const CRect& r) {
        auto* b = new CBitmapBtn();
        b->Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, r, this, 0);
        b->SetStateBitmaps(MakeSolidBitmap(r.Width(), r.Height(), RGB(60, 60, 60), RGB(200, 200, 200)), nullptr,
                           nullptr, nullptr, CRect(0, 0, r.Width(), r.Height()));
        b->SetCaption(caption, 0);
        b->SetItemPart(800 + (int)m_items.Count(), ITEM_BITMAPBTN, b->m_hWnd, this);
        m_items.Append(b);
        return b;
    }
};

DpiStagesModel MakeModel()
{
    DpiStagesModel m;
    m.minimum = 100;
    m.maximum = 5600;
    m.step = 100;
    m.stageCount = 3;
    m.currentStage = 3;
    for (int i = 0; i < 5; ++i) {
        DpiStageEntry e;
        e.value = 400 * (i + 1);
        e.x = e.value;
        e.y = e.value + 100;
        e.selected = i == 2;
        m.stages.push_back(e);
    }
    return m;
}

void Click(CWnd& popup, CWnd* button)
{
    popup.SendMessage(WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), (LPARAM)button->m_hWnd);
}

}  // namespace

TEST(DPIStagesPopup, EditsTheModelThroughItsItems)
{
    DpiStagesModel model = MakeModel();
    CTestStagesPopup popup(&model);
    // Never activated: other test programs send keys to the active window.
    ASSERT_TRUE(popup.CreatePlain(nullptr, WS_POPUP));
    popup.ShowWindow(SW_SHOWNOACTIVATE);
    ASSERT_NE(nullptr, popup.Logic());
    EXPECT_TRUE(popup.m_tiles[2]->Selected());
    EXPECT_FALSE(popup.m_tiles[3]->IsWindowVisible());
    EXPECT_EQ(12, popup.m_sliders[0]->GetValue());  // 1200 in steps of 100
    EXPECT_TRUE(::IsWindowVisible(popup.m_tracks[0]->m_hWnd));
    EXPECT_FALSE(::IsWindowVisible(popup.m_tracks[1]->m_hWnd));
    popup.UpdateWindow();
    EXPECT_TRUE(SaveTreeCapture(popup.m_hWnd, L"panels_dpi_stages_combined"));

    // Minus: two stages, stage 2 current, tile 3 hidden.
    Click(popup, popup.m_minus);
    EXPECT_EQ(2, model.stageCount);
    EXPECT_EQ(2, model.currentStage);
    EXPECT_TRUE(popup.m_tiles[1]->Selected());
    EXPECT_FALSE(popup.m_tiles[2]->IsWindowVisible());
    EXPECT_EQ(8, popup.m_sliders[0]->GetValue());

    // A slider notification in step units lands in the current stage.
    popup.SendMessage(WM_SLIDER_CHANGING, 7, kThumbCombined);
    EXPECT_EQ(700, model.stages[1].value);
    popup.SendMessage(WM_SLIDER_RELEASED, 60, kThumbCombined);
    EXPECT_EQ(5600, model.stages[1].value);
    popup.SendMessage(WM_SLIDER_RELEASED, 9, 12345);  // not one of ours
    EXPECT_EQ(5600, model.stages[1].value);

    // Separate X/Y: the combined value is copied and the X/Y sliders show.
    popup.m_separateBox->SetSelected(true);
    Click(popup, popup.m_separateBox);
    EXPECT_EQ(1, model.stages[1].separateXY);
    EXPECT_EQ(5600, model.stages[1].x);
    EXPECT_EQ(5600, model.stages[1].y);
    EXPECT_FALSE(::IsWindowVisible(popup.m_tracks[0]->m_hWnd));
    EXPECT_TRUE(::IsWindowVisible(popup.m_tracks[1]->m_hWnd));
    EXPECT_TRUE(::IsWindowVisible(popup.m_tracks[2]->m_hWnd));
    popup.SendMessage(WM_SLIDER_CHANGING, 25, kThumbY);
    EXPECT_EQ(2500, model.stages[1].y);
    popup.UpdateWindow();
    EXPECT_TRUE(SaveTreeCapture(popup.m_hWnd, L"panels_dpi_stages_separate"));

    // A click on tile 1 makes it current; the check box follows its state.
    ::SendMessageW(popup.m_tiles[0]->m_hWnd, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(1, model.currentStage);
    EXPECT_FALSE(popup.m_separateBox->IsSelected());
    EXPECT_TRUE(::IsWindowVisible(popup.m_tracks[0]->m_hWnd));

    // Plus up to the number of entries, then no further.
    for (int i = 0; i < 5; ++i)
        Click(popup, popup.m_plus);
    EXPECT_EQ(5, model.stageCount);
    EXPECT_TRUE(popup.m_tiles[4]->IsWindowVisible());
    popup.DestroyWindow();
}
