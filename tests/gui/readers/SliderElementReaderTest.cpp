// The skin element readers of sliders, tracks, marker, stage tiles and the
// progress panel, fed small documents.
#include <gtest/gtest.h>

#include <memory>

#include "APMSlider.h"
#include "DPIStageWindow.h"
#include "KeywordTables.h"
#include "ProgressPanelItem.h"
#include "RecordingWnd.h"
#include "SkinLoader.h"
#include "Slider.h"
#include "SliderHMulti.h"
#include "SliderTrack.h"
#include "WidgetMessages.h"

namespace {

struct ReaderFixture {
    CRecordingWnd page;
    CGUIItems items;
    SkinElementContext ctx;
    pugi::xml_document doc;
    ReaderFixture() {
        BuildKeywordMaps();  // once per process; later calls do nothing
        page.CreateTopLevel(400, 300);
        ctx.owner = &page;
        ctx.items = &items;
    }
    // Reads the document's root element with its registered reader; the
    // item (if any) joins the page's items.
    CGUIItem* Read(const wchar_t* xml, int runningNumber = 0) {
        doc.reset();
        EXPECT_TRUE(doc.load_string(xml));
        pugi::xml_node e = doc.first_child();
        SkinElementReader reader = ProgramSkinElements().Find(e.name());
        EXPECT_NE(nullptr, reader) << e.name();
        ctx.runningNumber = runningNumber;
        CGUIItem* item = reader ? reader(e, ctx) : nullptr;
        if (item)
            items.Append(item);
        return item;
    }
};

const wchar_t* kTrack =
    L"<SLIDERTRACK name='BITMAP_STAGECOUNT_DISPLAY'>"
    L"<FILLINFO fillclr='RED'><RECT left='0' top='5' right='200' bottom='4'/></FILLINFO>"
    L"<RECT left='10' top='20' right='220' bottom='30'/></SLIDERTRACK>";

}  // namespace

TEST(SliderElementReaders, TrackWithFillInfo)
{
    ReaderFixture f;
    auto* track = static_cast<CSliderTrack*>(f.Read(kTrack));
    ASSERT_NE(nullptr, track);
    EXPECT_EQ(ITEM_SLIDERTRACK, track->m_type);
    EXPECT_EQ(FindItemIdByName(L"BITMAP_STAGECOUNT_DISPLAY"), track->m_id);
    EXPECT_EQ(track->m_hWnd, track->m_window);
    EXPECT_TRUE(track->FillEnabled());
    EXPECT_EQ(5, track->FillRect().top);
    EXPECT_EQ(nullptr, f.Read(L"<SLIDERTRACK name='NO_SUCH_ITEM'/>"));
    // A FILLINFO without fillclr counts as absent.
    auto* plain = static_cast<CSliderTrack*>(
        f.Read(L"<SLIDERTRACK name='SLIDER_DPI_MULTI_POPUP'><FILLINFO><RECT right='5' bottom='5'/></FILLINFO></SLIDERTRACK>"));
    ASSERT_NE(nullptr, plain);
    EXPECT_FALSE(plain->FillEnabled());
}

TEST(SliderElementReaders, MultiThumbSliderMakesOneThumbPerStage)
{
    ReaderFixture f;
    auto* track = static_cast<CSliderTrack*>(f.Read(kTrack));
    ASSERT_NE(nullptr, track);
    auto* multi = static_cast<CSliderHMulti*>(
        f.Read(L"<HSLIDERM name='SLIDER_DPI_MULTI' trackid='BITMAP_STAGECOUNT_DISPLAY' ttprefix='DPI '>"
               L"<STAGES><STAGE> SLIDER_DPI_MULTI_STAGE1 </STAGE><STAGE>SLIDER_DPI_MULTI_X_STAGE1</STAGE>"
               L"<STAGE>NOT_A_NAME</STAGE></STAGES><RECT left='5' top='0' right='200' bottom='30'/></HSLIDERM>"));
    ASSERT_NE(nullptr, multi);
    EXPECT_EQ(ITEM_SLIDERHMULTI, multi->m_type);
    ASSERT_EQ(3, multi->Count());
    EXPECT_EQ(FindItemIdByName(L"SLIDER_DPI_MULTI_STAGE1"), multi->Thumb(0)->m_id);
    EXPECT_EQ(FindItemIdByName(L"SLIDER_DPI_MULTI_X_STAGE1"), multi->Thumb(1)->m_id);
    EXPECT_EQ(-1, multi->Thumb(2)->m_id);
    EXPECT_EQ(1, multi->Thumb(0)->Multiplier());
    EXPECT_EQ(track->m_hWnd, multi->m_window);
    EXPECT_EQ(track->m_hWnd, ::GetParent(multi->Thumb(1)->m_hWnd));
    EXPECT_TRUE(track->ToolAdded());
    EXPECT_TRUE(multi->Thumb(0)->Interactive());
    EXPECT_STREQ(L"DPI 0", multi->Thumb(0)->TipText());  // position -1 until first set
}

TEST(SliderElementReaders, MultiThumbAttributesAndRefusals)
{
    ReaderFixture f;
    auto* track = static_cast<CSliderTrack*>(f.Read(kTrack));
    ASSERT_NE(nullptr, track);
    auto* multi = static_cast<CSliderHMulti*>(
        f.Read(L"<HSLIDERM name='SLIDER_DPI_MULTI' trackid='BITMAP_STAGECOUNT_DISPLAY' multiplier='0' "
               L"ttenabled='0' interactive='0'><STAGES><STAGE>SLIDER_DPI_MULTI_STAGE1</STAGE></STAGES></HSLIDERM>"));
    ASSERT_NE(nullptr, multi);
    EXPECT_EQ(0, multi->Thumb(0)->Multiplier());
    EXPECT_FALSE(track->ToolAdded());  // ttenabled 0 removed the tracking tool
    EXPECT_FALSE(multi->Thumb(0)->Interactive());
    // No STAGES, no STAGE, or a trackid that names no track: no item.
    EXPECT_EQ(nullptr, f.Read(L"<HSLIDERM name='SLIDER_DPI_MULTI_X' trackid='BITMAP_STAGECOUNT_DISPLAY'/>"));
    EXPECT_EQ(nullptr, f.Read(L"<HSLIDERM name='SLIDER_DPI_MULTI_X' trackid='BITMAP_STAGECOUNT_DISPLAY'>"
                              L"<STAGES/></HSLIDERM>"));
    EXPECT_EQ(nullptr, f.Read(L"<HSLIDERM name='SLIDER_DPI_MULTI_X' trackid='SLIDER_DPI_MULTI'>"
                              L"<STAGES><STAGE>SLIDER_DPI_MULTI_STAGE1</STAGE></STAGES></HSLIDERM>"));
    EXPECT_EQ(nullptr, f.Read(L"<HSLIDERM name='SLIDER_DPI_MULTI_X'>"
                              L"<STAGES><STAGE>SLIDER_DPI_MULTI_STAGE1</STAGE></STAGES></HSLIDERM>"));
}

TEST(SliderElementReaders, VerticalSliderOnItsTrackOrOnTheOwner)
{
    ReaderFixture f;
    auto* track = static_cast<CSliderTrack*>(f.Read(kTrack));
    ASSERT_NE(nullptr, track);
    auto* onTrack = static_cast<CVertSlider*>(
        f.Read(L"<VSLIDER name='SLIDER_DPI_MULTI_Y' trackid='BITMAP_STAGECOUNT_DISPLAY' ttpos='T'>"
               L"<RECT left='5' top='2' right='20' bottom='25'/></VSLIDER>"));
    ASSERT_NE(nullptr, onTrack);
    EXPECT_EQ(ITEM_VERTSLIDER, onTrack->m_type);
    EXPECT_EQ(track->m_hWnd, ::GetParent(onTrack->m_hWnd));
    EXPECT_EQ(2, onTrack->TipPosition());
    EXPECT_EQ(onTrack, track->Thumb());
    // trackid naming an item that is not a track: placed on the owner.
    auto* onOwner = static_cast<CVertSlider*>(
        f.Read(L"<VSLIDER name='SLIDER_DPI_MULTI_X' trackid='SLIDER_DPI_MULTI_Y'/>"));
    ASSERT_NE(nullptr, onOwner);
    EXPECT_EQ(f.page.m_hWnd, ::GetParent(onOwner->m_hWnd));
}

TEST(SliderElementReaders, StageSliderNeedsABitmapItemAndMarkerGuardsNoRect)
{
    ReaderFixture f;
    // The stage slider's trackid must name a bitmap item: a track is not one.
    ASSERT_NE(nullptr, f.Read(kTrack));
    EXPECT_EQ(nullptr, f.Read(L"<HSLIDERMAPM name='SLIDER_ACCEL_STAGE1' trackid='BITMAP_STAGECOUNT_DISPLAY'/>"));

    auto* marker = static_cast<CDMarker*>(f.Read(L"<DMARKER name='SLIDER_DPI_MULTI_STAGE1_POPUP'/>"));
    ASSERT_NE(nullptr, marker);
    EXPECT_EQ(ITEM_DMARKER, marker->m_type);
    ::SendMessageW(marker->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    ::SendMessageW(marker->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(30, 0));
    PumpPending();
    EXPECT_EQ(1, f.page.Count(WM_DMARKER_RELEASED));
    EXPECT_EQ(0, marker->Value());
}

TEST(SliderElementReaders, StageTileTakesItsRunningNumberAndNamedRecords)
{
    ReaderFixture f;
    auto* tile = static_cast<CDPIStageWindow*>(f.Read(
        L"<DPISTAGEWINDOW name='DPISTAGEWINDOW_03'>"
        L"<TEXTAREA name='heading' textkey='Stage 3'><RECT left='0' top='0' right='80' bottom='20'/></TEXTAREA>"
        L"<TEXTAREA name='DPI' textkey='DPI'><RECT left='0' top='20' right='40' bottom='20'/></TEXTAREA>"
        L"<TEXTAREA name='OTHER' textkey='x'/><TEXTAREA textkey='no name'/>"
        L"<RECT left='10' top='10' right='80' bottom='90'/></DPISTAGEWINDOW>",
        3));
    ASSERT_NE(nullptr, tile);
    EXPECT_EQ(ITEM_DPISTAGEWINDOW, tile->m_type);
    EXPECT_EQ(3, tile->StageNumber());
    EXPECT_STREQ(L"Stage 3", tile->TextOf(CDPIStageWindow::HEADING));
    EXPECT_EQ(20, tile->TextRect(CDPIStageWindow::DPI).top);
    EXPECT_FALSE(tile->HasPicture(CDPIStageWindow::FRAME));
    // A click selects it once and tells the parent.
    tile->SetStage(true, false, false, 800, 800, 800);
    ::SendMessageW(tile->m_hWnd, WM_LBUTTONUP, 0, 0);
    ::SendMessageW(tile->m_hWnd, WM_LBUTTONUP, 0, 0);
    std::vector<RecordedMsg> expected = {{WM_DPISTAGE_SELECTED, 3, (LPARAM)tile->m_id}};
    EXPECT_EQ("", DiffSequence(expected, f.page.OnlyMessage(WM_DPISTAGE_SELECTED)));
}

TEST(SliderElementReaders, ProgressPanelItemKeepsItsValuesForTheThread)
{
    ReaderFixture f;
    auto* item = static_cast<CProgressPanelItem*>(f.Read(
        L"<PROGRESSPANELITEM name='SLIDER_DPI_MULTI_Y_POPUP' backclr='RED' bdrwidth='-4'>"
        L"<TEXTINFOLIST><TEXTINFO name='PP_STATUS' fontclr='BLACK'><RECT left='1' top='2' right='3' bottom='4'/>"
        L"</TEXTINFO><TEXTINFO name='PP_PERCENT'/><TEXTINFO><RECT/></TEXTINFO></TEXTINFOLIST>"
        L"<RECT left='10' top='20' right='300' bottom='60'/></PROGRESSPANELITEM>"));
    ASSERT_NE(nullptr, item);
    EXPECT_EQ(ITEM_PROGRESSPANEL, item->m_type);
    EXPECT_EQ(nullptr, item->m_window);
    const ProgressPanelSetup& s = item->Setup();
    EXPECT_EQ(RGB(255, 0, 0), s.colours.backclr);
    EXPECT_EQ(0xFFFFFFu, s.colours.fontclr);
    EXPECT_EQ(0, s.colours.bdrwidth);
    ASSERT_EQ(1u, s.textAreas.size());  // only the valid TEXTINFO
    EXPECT_EQ(0u, s.textAreas[0].textColour);
    EXPECT_EQ(0u, s.textAreas[0].backColour);
    EXPECT_EQ(0xFFFFFFu, s.fill.fill);
    EXPECT_EQ(300, s.rect.right - s.rect.left);
    EXPECT_EQ((DWORD)(WS_CHILD | WS_VISIBLE), s.style);
    EXPECT_EQ(nullptr, item->Thread());  // nothing runs until started
    EXPECT_EQ(nullptr, f.Read(L"<PROGRESSPANELITEM name='NOPE'/>"));
}
