#include "SkinResourceCache.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <memory>
#include <vector>

#include "BitmapTools.h"
#include "ProgramFolder.h"

namespace {

std::vector<SkinResource*>& Cache()
{
    static std::vector<SkinResource*> cache;
    return cache;
}

const wchar_t* KindFolder(int kind)
{
    switch (kind) {
    case RESOURCE_FONT: return L"fonts\\";
    case RESOURCE_LANGFILE: return L"lang\\";
    case RESOURCE_BINFILE: return L"bin\\";
    default: return L"skins\\";
    }
}

// Whole-file kinds (language texts, key files): a zeroed heap buffer of the
// file's size holding what could be read.
SkinFileStatus LoadBytes(SkinResource& r, long long measured)
{
    FILE* f = _wfopen(r.path, L"rb");
    if (!f)
        return SKINFILE_UNREADABLE;
    void* buffer = calloc((size_t)measured, 1);
    if (buffer) {
        r.handle = buffer;
        r.size = (int)fread(buffer, 1, (size_t)measured, f);
    }
    fclose(f);
    return buffer ? SKINFILE_OK : SKINFILE_UNREADABLE;
}

void TraceRefused(const CString& path, SkinFileStatus status)
{
    const CString line = L"skin file refused: " + path + L" (" + SkinFileStatusText(status) + L")\n";
    ::OutputDebugStringW(line);
}

void Load(SkinResource& r)
{
    long long measured = 0;
    SkinFileStatus status = MeasureSkinFile(r.path, measured);
    // Nothing of a refused file is read, whatever its kind.
    if (status == SKINFILE_OK) {
        switch (r.kind) {
        case RESOURCE_PICTURE: {
            auto bitmap = std::make_unique<CBitmap>();
            if (LoadPictureFile(r.path, *bitmap, &status)) {
                r.handle = bitmap.release();
                r.size = 8;
            }
            break;
        }
        case RESOURCE_BMPFILE:
            r.size = (int)measured;
            r.handle = LoadBmpFile(r.path, &status);
            break;
        case RESOURCE_FONT: {
            r.size = (int)measured;
            int added = ::AddFontResourceExW(r.path, FR_PRIVATE, nullptr);
            if (added > 0)
                r.handle = new int(added);
            else
                status = SKINFILE_MALFORMED;
            break;
        }
        case RESOURCE_LANGFILE:
        case RESOURCE_BINFILE:
            status = LoadBytes(r, measured);
            break;
        default:
            break;
        }
    }
    r.status = status;
    if (status != SKINFILE_OK)
        TraceRefused(r.path, status);
}

SkinResource* FindCached(const wchar_t* name, int kind)
{
    for (SkinResource* r : Cache())
        if (r->kind == kind && r->name.CompareNoCase(name) == 0)
            return r;
    return nullptr;
}

void Unload(SkinResource& r)
{
    switch (r.kind) {
    case RESOURCE_PICTURE:
        delete static_cast<CBitmap*>(r.handle);  // deletes the GDI bitmap too
        break;
    case RESOURCE_BMPFILE:
        if (r.handle)
            ::DeleteObject(static_cast<HBITMAP>(r.handle));
        break;
    case RESOURCE_FONT:
        if (r.handle) {
            ::RemoveFontResourceExW(r.path, FR_PRIVATE, nullptr);
            delete static_cast<int*>(r.handle);
        }
        break;
    case RESOURCE_LANGFILE:
    case RESOURCE_BINFILE:
        free(r.handle);
        break;
    default:
        break;
    }
    r.handle = nullptr;
    r.kind = RESOURCE_UNLOADED;
}

}  // namespace

CString TrimmedName(const wchar_t* name)
{
    CString s(name);
    s.Trim();
    return s;
}

SkinResource* FindOrLoadSkinResource(const wchar_t* name, int kind)
{
    if (!name)
        return nullptr;
    if (SkinResource* cached = FindCached(name, kind))
        return cached;
    auto* r = new SkinResource;
    r->name = name;
    r->path = GetProgramFolder() + KindFolder(kind) + name;
    r->kind = kind;
    Load(*r);
    Cache().push_back(r);
    return r;
}

CBitmap* FindOrLoadPicture(const wchar_t* name)
{
    SkinResource* r = FindOrLoadSkinResource(TrimmedName(name), RESOURCE_PICTURE);
    return r ? static_cast<CBitmap*>(r->handle) : nullptr;
}

bool LoadPrivatePicture(const wchar_t* name, CBitmap& target)
{
    if (!name || target.GetSafeHandle())
        return false;
    const CString trimmed = TrimmedName(name);
    if (const SkinResource* cached = FindCached(trimmed, RESOURCE_PICTURE)) {
        const CBitmap* picture = static_cast<const CBitmap*>(cached->handle);
        return picture && target.Attach(CopyBitmapHandle((HBITMAP)picture->GetSafeHandle()));
    }
    // Checked as the cache checks a file, then decoded straight into target.
    const CString path = GetProgramFolder() + KindFolder(RESOURCE_PICTURE) + trimmed;
    long long measured = 0;
    SkinFileStatus status = MeasureSkinFile(path, measured);
    if (status == SKINFILE_OK)
        LoadPictureFile(path, target, &status);
    if (status != SKINFILE_OK) {
        target.DeleteObject();
        TraceRefused(path, status);
        return false;
    }
    return true;
}

HBITMAP FindOrLoadBmpFile(const wchar_t* name)
{
    SkinResource* r = FindOrLoadSkinResource(TrimmedName(name), RESOURCE_BMPFILE);
    return r ? static_cast<HBITMAP>(r->handle) : nullptr;
}

const SkinResource* FindOrLoadLangFileEntry(const wchar_t* name)
{
    return FindOrLoadSkinResource(TrimmedName(name), RESOURCE_LANGFILE);
}

const void* FindOrLoadLangFile(const wchar_t* name)
{
    const SkinResource* r = FindOrLoadLangFileEntry(name);
    return r ? r->handle : nullptr;
}

const SkinResource* FindOrLoadBinFileEntry(const wchar_t* name)
{
    return FindOrLoadSkinResource(name, RESOURCE_BINFILE);
}

const void* FindOrLoadBinFile(const wchar_t* name)
{
    const SkinResource* r = FindOrLoadBinFileEntry(name);
    return r ? r->handle : nullptr;
}

bool FindOrLoadFontFile(const wchar_t* name)
{
    SkinResource* r = FindOrLoadSkinResource(TrimmedName(name), RESOURCE_FONT);
    return r && r->handle;
}

int SkinResourceSize(const wchar_t* name)
{
    if (!name)
        return 0;
    for (SkinResource* r : Cache())
        if (r->name.CompareNoCase(name) == 0)
            return r->size;
    return 0;
}

size_t SkinResourceCount() { return Cache().size(); }

void SkinResourceCacheFreeAll()
{
    std::vector<SkinResource*>& cache = Cache();
    while (!cache.empty()) {
        SkinResource* r = cache.back();
        cache.pop_back();
        Unload(*r);
        delete r;
    }
    cache.shrink_to_fit();
}
