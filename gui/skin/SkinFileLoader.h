// The skin loader's frame: one skin XML file (a page, a popup,
// "Language.xml" or a keyboard description) into items appended to a
// CGUIItems list. The file's root is KEYBOARD, GUIPANEL (BACKGROUND and MASK
// first) or ITEMLIST; the fifteen item lists are read in the fixed row order
// below whatever their order in the file, and each element through its
// reader in the element-reader table the caller gives. The program's own
// table and entry points (LoadSkinXml, LoadSkinPage) are in
// gui/readers/SkinLoader.h, above the widgets the readers make.
#pragma once
#include <windows.h>

#include <pugixml.hpp>

#include "GUIItem.h"
#include "ProgressMessenger.h"
#include "SkinElementReaders.h"
#include "String.h"

class CWnd;

// One load's progress sender; lives for the load.
class CGUIItemFactory : public CProgressMessenger {
public:
    explicit CGUIItemFactory(const wchar_t* path) : m_path(path) {}
    const wchar_t* Path() const { return m_path; }

    // Sends that never throw: a lock time-out only loses that message.
    void SafeSendProgress(int percent);
    void SafeSendText(const wchar_t* text);

private:
    const wchar_t* m_path;
};

// The factory of the load running with progress display, else null.
CGUIItemFactory* CurrentFactory();
// Registers / unregisters the current factory in the messenger registry.
void BeginProgressDisplay();
void EndFactoryProgress();

// Loads the file at path (wide path) into items for owner, each element
// through its reader in `readers`. False for no list, a missing, unreadable
// or not well-formed file, an unknown root, a GUIPANEL without a readable
// BACKGROUND and MASK, or a KEYBOARD root whose definitions do not load.
bool LoadSkinFile(const wchar_t* path, const SkinElementTable& readers, CWnd* owner, CGUIItems* items,
                  bool showProgress);

// The loader's parts, exposed for tests: the fifteen-row walk over a root,
// and the KEYBOARDDEF reader.
bool WalkSkinLists(const pugi::xml_node& root, const SkinElementTable& readers, CWnd* owner, CGUIItems* items,
                   CGUIItemFactory* factory);
bool ReadKeyboardDefElement(const pugi::xml_node& root, CWnd* owner);

// The labels of the fifteen rows, in walk order ("LANGUAGES", ...).
const wchar_t* SkinLoaderRowLabel(int row);
const int kSkinLoaderRows = 15;
