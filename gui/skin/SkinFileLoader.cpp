#include "SkinFileLoader.h"

#include <memory>

#include "BitmapTools.h"
#include "KeyboardDef.h"
#include "KeyboardLayoutSetting.h"
#include "LangTable.h"
#include "PanelBitmap.h"
#include "SkinAttributes.h"
#include "SkinResourceCache.h"
#include "Wnd.h"

namespace {

CGUIItemFactory* g_currentFactory = nullptr;

enum ListKind { LIST_PLAIN, LIST_KEYBOARDDEF, LIST_BUTTONS, LIST_DPISTAGES, LIST_KBDKEYS, LIST_LANGUAGES, LIST_LAYOUTS };

struct SkinLoaderRow {
    const wchar_t* label;
    const wchar_t* list;
    ListKind kind;
    const wchar_t* elements[5];  // read kind by kind, null-ended
};

const SkinLoaderRow kRows[kSkinLoaderRows] = {
    {L"LANGUAGES", L"LANGLIST", LIST_LANGUAGES, {L"LANG"}},
    {L"KEYBOARD DEF", L"KEYBOARDDEF", LIST_KEYBOARDDEF, {}},
    {L"KEYBOARD LAYOUTS", L"KBLAYOUTLIST", LIST_LAYOUTS, {L"KBLAYOUT"}},
    {L"FONTS", L"FONTLIST", LIST_PLAIN, {L"FONT"}},
    {L"BITMAPS", L"BITMAPLIST", LIST_PLAIN, {L"BITMAPITEM", L"SLIDERTRACK", L"BITMAPWINDOW"}},
    {L"BUTTONS", L"BUTTONLIST", LIST_BUTTONS, {L"BUTTON", L"AVIBUTTON"}},
    {L"SLIDERS", L"SLIDERLIST", LIST_PLAIN, {L"VSLIDER", L"HSLIDERM", L"HSLIDERMAPM", L"DMARKER"}},
    {L"TEXT ITEMS", L"TEXTLIST", LIST_PLAIN, {L"TEXTITEM"}},
    {L"DPI STAGE WINDOWS", L"DPISTAGELIST", LIST_DPISTAGES, {L"DPISTAGEWINDOW"}},
    {L"MACRO DISPLAYS", L"MACRODISPLAYLIST", LIST_PLAIN, {L"MACRODISPLAY"}},
    {L"LISTS", L"LISTLIST", LIST_PLAIN, {L"LISTCTRL", L"COMBO", L"COMBOCOLOR"}},
    {L"LIST PANELS", L"LISTPANELLIST", LIST_PLAIN, {L"LISTPANEL"}},
    {L"EDIT CONTROLS", L"EDITCTRLLIST", LIST_PLAIN, {L"EDITCTRL", L"EDITCTRLSK", L"EDITCTRLSKMMO"}},
    {L"KEYBOARD KEYS", L"KBDKEYLIST", LIST_KBDKEYS, {L"KBDKEY"}},
    {L"PROGRESS PANELS", L"PROGRESSPANELLIST", LIST_PLAIN, {L"PROGRESSPANELITEM"}},
};

void Keep(std::unique_ptr<CGUIItem> owned, ListKind kind, CGUIItems* items)
{
    if (!owned)
        return;
    CGUIItem* item = owned.get();
    items->Append(std::move(owned));
    if (kind == LIST_LANGUAGES && item->m_type == ITEM_LANGTABLE)
        LangTableMap[item->m_id] = static_cast<CLangTable*>(item);
    else if (kind == LIST_LAYOUTS && item->m_type == ITEM_KEYBOARDLAYOUT)
        KeyboardLayoutMap[item->m_id] = static_cast<CKeyboardLayoutSetting*>(item);
}

void ReadList(const pugi::xml_node& root, const SkinLoaderRow& row, const SkinElementTable& readers, CWnd* owner,
              CGUIItems* items, CGUIItemFactory* factory)
{
    if (row.kind == LIST_KEYBOARDDEF) {
        ReadKeyboardDefElement(root, owner);
        return;
    }
    pugi::xml_node list = root.child(row.list);
    if (!list)
        return;

    SkinElementContext context;
    context.owner = owner;
    context.items = items;
    context.factory = factory;
    context.parentWindow = owner ? owner->GetSafeHwnd() : nullptr;

    SkinStateBitmaps shared;
    if (row.kind == LIST_KBDKEYS) {
        // The keys share the list's pictures and need them.
        pugi::xml_node bitmaps = list.child(L"BUTTONBITMAPS");
        if (!bitmaps || !list.child(L"KBDKEY"))
            return;
        shared = ReadStateBitmaps(bitmaps);
        context.sharedBitmaps = &shared;
        int parentId = ReadItemId(list, L"windowid");
        CGUIItem* parent = parentId == -1 ? nullptr : items->FindById(parentId);
        // Only a bitmap item can hold the keys; anything else leaves the owner.
        if (parent && parent->m_type == ITEM_BITMAP && parent->HasWindow())
            context.parentWindow = parent->m_window;
    }

    for (int k = 0; k < 5 && row.elements[k]; ++k) {
        const wchar_t* name = row.elements[k];
        SkinElementReader reader = readers.Find(name);
        int running = 0;
        for (pugi::xml_node e = list.child(name); e; e = e.next_sibling(name)) {
            ++running;
            if (row.kind == LIST_DPISTAGES)
                context.runningNumber = running;
            if (reader)
                Keep(std::unique_ptr<CGUIItem>(reader(e, context)), row.kind, items);
            // Only the first AVIBUTTON of a button list is read.
            if (row.kind == LIST_BUTTONS && k == 1)
                break;
        }
    }
}

CString FileNameOf(const wchar_t* path)
{
    CString p(path);
    int slash = p.ReverseFind(L'\\');
    return slash >= 0 ? p.Mid(slash + 1) : p;
}

// A CPanelBitmap holding a private picture of the element's file, with the
// given id; null when the element is missing or its picture does not load.
// The page's window alone uses it: it is not decoded into the cache and
// copied from there.
std::unique_ptr<CGUIItem> ReadPanelBitmapElement(const pugi::xml_node& e, int id, CWnd* owner)
{
    if (!e)
        return nullptr;
    auto bitmap = std::make_unique<CPanelBitmap>();
    if (!LoadPrivatePicture(ReadElementText(e), *bitmap))
        return nullptr;
    bitmap->SetItemPart(id, ITEM_PANELBITMAP, nullptr, owner);
    return bitmap;
}

bool ReadPanelBitmap(const pugi::xml_node& root, const wchar_t* child, int id, CWnd* owner, CGUIItems* items)
{
    std::unique_ptr<CGUIItem> item = ReadPanelBitmapElement(root.child(child), id, owner);
    if (!item)
        return false;
    items->Append(std::move(item));
    return true;
}

// The current factory and its progress display for one load, ended however
// the load ends.
class ProgressScope {
public:
    ProgressScope(CGUIItemFactory* factory, bool show) : m_show(show)
    {
        if (m_show) {
            g_currentFactory = factory;
            BeginProgressDisplay();
        }
    }
    ~ProgressScope()
    {
        if (m_show)
            EndFactoryProgress();
        g_currentFactory = nullptr;
    }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

private:
    bool m_show;
};

bool LoadDocument(const wchar_t* path, const SkinElementTable& readers, CWnd* owner, CGUIItems* items,
                  CGUIItemFactory* factory)
{
    pugi::xml_document doc;
    if (doc.load_file(path).status != pugi::status_ok)
        return false;
    factory->SafeSendText(FileNameOf(path));
    if (pugi::xml_node keyboard = doc.child(L"KEYBOARD"))
        return ReadKeyboardDefElement(keyboard, owner) && WalkSkinLists(keyboard, readers, owner, items, factory);
    if (pugi::xml_node panel = doc.child(L"GUIPANEL"))
        return ReadPanelBitmap(panel, L"BACKGROUND", ITEMID_BACKGROUND, owner, items) &&
               ReadPanelBitmap(panel, L"MASK", ITEMID_MASK, owner, items) &&
               WalkSkinLists(panel, readers, owner, items, factory);
    if (pugi::xml_node list = doc.child(L"ITEMLIST"))
        return WalkSkinLists(list, readers, owner, items, factory);
    return false;
}

CString FileReference(const pugi::xml_node& e, const wchar_t* name)
{
    // The attribute form, or a child element of the same name.
    if (pugi::xml_attribute a = e.attribute(name))
        return TrimmedName(a.value());
    if (pugi::xml_node c = e.child(name))
        return TrimmedName(ReadElementText(c));
    return CString();
}

bool LoadBinInto(const CString& name, bool defaults)
{
    if (name.IsEmpty())
        return false;
    const SkinResource* r = FindOrLoadBinFileEntry(name);
    if (!r || !r->handle || r->size <= 0)
        return false;
    // Bounded by this entry's own buffer.
    return defaults ? g_keyboardDef.LoadKeyDefaults(r->handle, (size_t)r->size)
                    : g_keyboardDef.LoadKeyDefinitions((size_t)r->size, r->handle);
}

}  // namespace

void CGUIItemFactory::SafeSendProgress(int percent)
{
    try {
        SendProgress(percent);
    } catch (const wchar_t*) {
    }
}

void CGUIItemFactory::SafeSendText(const wchar_t* text)
{
    try {
        SendText(text);
    } catch (const wchar_t*) {
    }
}

CGUIItemFactory* CurrentFactory() { return g_currentFactory; }
void BeginProgressDisplay() { RegisterMessenger(g_currentFactory); }
void EndFactoryProgress() { UnregisterMessenger(g_currentFactory); }

const wchar_t* SkinLoaderRowLabel(int row)
{
    return row >= 0 && row < kSkinLoaderRows ? kRows[row].label : nullptr;
}

bool ReadKeyboardDefElement(const pugi::xml_node& root, CWnd* owner)
{
    pugi::xml_node e = root.child(L"KEYBOARDDEF");
    if (!e)
        return false;
    int id = ReadItemId(e);
    if (id == -1)
        return false;
    if (!LoadBinInto(FileReference(e, L"file"), false))
        return false;
    bool ok = true;
    CString defaults = FileReference(e, L"kbddefaults");
    if (!defaults.IsEmpty())
        ok = LoadBinInto(defaults, true);
    g_keyboardDef.SetItemPart(id, ITEM_KEYBOARDDEF, nullptr, owner);
    return ok;
}

bool WalkSkinLists(const pugi::xml_node& root, const SkinElementTable& readers, CWnd* owner, CGUIItems* items,
                   CGUIItemFactory* factory)
{
    for (int i = 0; i < kSkinLoaderRows; ++i) {
        if (factory)
            factory->SafeSendProgress(6 * i);
        ReadList(root, kRows[i], readers, owner, items, factory);
    }
    if (factory)
        factory->SafeSendProgress(100);
    return true;
}

bool LoadSkinFile(const wchar_t* path, const SkinElementTable& readers, CWnd* owner, CGUIItems* items,
                  bool showProgress)
{
    if (!items || !path)
        return false;
    // Pages load inside WM_CREATE: nothing a reader or the parser throws
    // (memory running out, most likely) may leave the window procedure.
    // What was appended before stays in the list, which owns it.
    try {
        CGUIItemFactory factory(path);
        ProgressScope progress(&factory, showProgress);
        return LoadDocument(path, readers, owner, items, &factory);
    } catch (...) {
        return false;
    }
}
