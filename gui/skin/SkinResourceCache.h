// The process-wide cache of every file a skin refers to: pictures, bitmap
// files, private fonts, language texts and binary key files. The first
// request of a name and kind loads the file from the kind's folder under the
// program folder; later requests get the same entry, loaded or not. A file
// over the size limit, unreadable or refused by its loader gives an entry
// without a handle, its status saying why (also traced). The cache is used
// on the user-interface thread only and has no lock.
#pragma once
#include <windows.h>

#include "Gdi.h"
#include "SkinFile.h"
#include "String.h"

enum ResourceKind : int {
    RESOURCE_PICTURE = 0,   // skins\: any picture format, into a CBitmap
    RESOURCE_BMPFILE = 1,   // skins\: a .bmp file, as an HBITMAP
    RESOURCE_FONT = 4,      // fonts\: a private font file
    RESOURCE_LANGFILE = 5,  // lang\: whole file into memory
    RESOURCE_BINFILE = 6,   // bin\: whole file into memory
    RESOURCE_UNLOADED = -1,
};

struct SkinResource {
    CString name;            // as requested
    CString path;            // program folder + kind folder + name
    void* handle = nullptr;  // CBitmap* (0), HBITMAP (1), int* font count (4), bytes (5, 6); null on failure
    int kind = RESOURCE_UNLOADED;
    int size = 0;            // bytes read (5, 6), file size (1, 4), 8 for a picture, 0 when unreadable
    int status = SKINFILE_OK;  // why the handle is null (SkinFile.h)
};

// The first entry of that name (ignoring case) and kind; else a new entry,
// loaded, appended and returned even when its loading failed. Null only for
// a null name.
SkinResource* FindOrLoadSkinResource(const wchar_t* name, int kind);

// Wrappers over names taken from skin documents: white space at both ends
// is trimmed first. Each returns the handle of the entry, or null.
CBitmap* FindOrLoadPicture(const wchar_t* name);
// A picture of target's own (which must be empty), for the one window that
// uses it, such as a page's background: a copy of the cached one when the
// cache holds that name; otherwise decoded from its file into target, with
// the cache's checks, and not cached. False, target empty, when it does not
// load.
bool LoadPrivatePicture(const wchar_t* name, CBitmap& target);
HBITMAP FindOrLoadBmpFile(const wchar_t* name);
const void* FindOrLoadLangFile(const wchar_t* name);
// The whole entry, so that a parser is bounded by the size of the buffer it
// reads (never by another kind's entry of the same name).
const SkinResource* FindOrLoadLangFileEntry(const wchar_t* name);
// Names taken as they are.
const void* FindOrLoadBinFile(const wchar_t* name);
const SkinResource* FindOrLoadBinFileEntry(const wchar_t* name);
// Makes a private font file available to this process (added once).
bool FindOrLoadFontFile(const wchar_t* name);

// The size of the first entry of that name, whatever its kind; 0 when none.
int SkinResourceSize(const wchar_t* name);

// Number of entries (for tests and diagnostics).
size_t SkinResourceCount();

// At exit: unloads and deletes every entry, last first.
void SkinResourceCacheFreeAll();

CString TrimmedName(const wchar_t* name);
