// The program's skin loader: the loader's frame (SkinFileLoader.h) with the
// table of every skin element the program reads and its reader.
#pragma once
#include "SkinFileLoader.h"

// Every skin element and its reader.
const SkinElementTable& ProgramSkinElements();

// LoadSkinFile with the program's readers.
bool LoadSkinXml(const wchar_t* path, CWnd* owner, CGUIItems* items, bool showProgress);
// LoadSkinXml of program folder + "xml\" + fileName: the entry point of
// pages, popups and "Language.xml".
bool LoadSkinPage(CGUIItems* items, const wchar_t* fileName, CWnd* owner, bool showProgress);
