#include "SkinResourceCache.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
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

// The file's size in bytes; 0 when it cannot be opened. Files over 256 MiB
// are not skin files: taken as unreadable.
int MeasureFile(const wchar_t* path)
{
    FILE* f = _wfopen(path, L"rb");
    if (!f)
        return 0;
    long long size = 0;
    if (_fseeki64(f, 0, SEEK_END) == 0)
        size = _ftelli64(f);
    fclose(f);
    if (size < 0 || size > (256LL << 20))
        return 0;
    return (int)size;
}

void Load(SkinResource& r)
{
    int measured = 0;
    if (r.kind == RESOURCE_BMPFILE || r.kind == RESOURCE_FONT || r.kind == RESOURCE_LANGFILE ||
        r.kind == RESOURCE_BINFILE)
        measured = MeasureFile(r.path);
    switch (r.kind) {
    case RESOURCE_PICTURE: {
        auto* bitmap = new CBitmap;
        if (LoadPictureFile(r.path, *bitmap)) {
            r.handle = bitmap;
            r.size = 8;
        } else {
            delete bitmap;
        }
        break;
    }
    case RESOURCE_BMPFILE:
        r.size = measured;
        r.handle = ::LoadImageW(::GetModuleHandleW(nullptr), r.path, IMAGE_BITMAP, 0, 0,
                                LR_CREATEDIBSECTION | LR_LOADFROMFILE);
        break;
    case RESOURCE_FONT: {
        r.size = measured;
        int added = ::AddFontResourceExW(r.path, FR_PRIVATE, nullptr);
        if (added > 0)
            r.handle = new int(added);
        break;
    }
    case RESOURCE_LANGFILE:
    case RESOURCE_BINFILE: {
        r.size = measured;
        FILE* f = _wfopen(r.path, L"rb");
        if (f && measured > 0) {
            void* buffer = calloc((size_t)measured, 1);
            if (buffer) {
                size_t got = fread(buffer, 1, (size_t)measured, f);
                r.handle = buffer;
                r.size = (int)got;
            }
        }
        if (f)
            fclose(f);
        break;
    }
    default:
        break;
    }
}

void Unload(SkinResource& r)
{
    switch (r.kind) {
    case RESOURCE_PICTURE:
        delete static_cast<CBitmap*>(r.handle);  // deletes the GDI bitmap too
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
    for (SkinResource* r : Cache())
        if (r->kind == kind && r->name.CompareNoCase(name) == 0)
            return r;
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
