#include "SkinLoader.h"

#include "ElementReaders.h"
#include "ProgramFolder.h"

namespace {

// The one element-reader table of the program. Which list holds which
// element, and in which order they are read, is the loader's row table
// (SkinFileLoader.cpp).
const SkinElementReaderEntry kReaders[] = {
    {L"LANG", ReadLangElement},
    {L"KBLAYOUT", ReadKeyboardLayoutElement},
    {L"FONT", ReadFontElement},
    {L"BITMAPITEM", ReadBitmapItem},
    {L"SLIDERTRACK", ReadSliderTrack},
    {L"BITMAPWINDOW", ReadBitmapWindow},
    {L"BUTTON", ReadButton},
    {L"AVIBUTTON", ReadAviButton},
    {L"VSLIDER", ReadVSlider},
    {L"HSLIDERM", ReadHSliderM},
    {L"HSLIDERMAPM", ReadHSliderMapM},
    {L"DMARKER", ReadDMarker},
    {L"TEXTITEM", ReadTextItem},
    {L"DPISTAGEWINDOW", ReadDpiStageWindow},
    {L"MACRODISPLAY", ReadMacroDisplayElement},
    {L"LISTCTRL", ReadListCtrlElement},
    {L"COMBO", ReadComboElement},
    {L"COMBOCOLOR", ReadComboColorElement},
    {L"LISTPANEL", ReadListPanelElement},
    {L"EDITCTRL", ReadEdit},
    {L"EDITCTRLSK", ReadKeyEdit},
    {L"EDITCTRLSKMMO", ReadKeyEditMMO},
    {L"KBDKEY", ReadKeyboardKey},
    {L"PROGRESSPANELITEM", ReadProgressPanelItem},
};

const SkinElementTable kTable(kReaders);

}  // namespace

const SkinElementTable& ProgramSkinElements() { return kTable; }

bool LoadSkinXml(const wchar_t* path, CWnd* owner, CGUIItems* items, bool showProgress)
{
    return LoadSkinFile(path, kTable, owner, items, showProgress);
}

bool LoadSkinPage(CGUIItems* items, const wchar_t* fileName, CWnd* owner, bool showProgress)
{
    if (!fileName)
        return false;
    CString path = GetProgramFolder() + L"xml\\" + fileName;
    return LoadSkinXml(path, owner, items, showProgress);
}
