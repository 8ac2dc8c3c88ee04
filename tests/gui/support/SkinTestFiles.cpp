#include "SkinTestFiles.h"

#include <cstdio>

#include "ProgramFolder.h"

std::wstring TestProgramFolder()
{
    static std::wstring folder;
    if (folder.empty()) {
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        // Process ids come back; the clock makes the folder new every run.
        LARGE_INTEGER now{};
        ::QueryPerformanceCounter(&now);
        wchar_t name[80];
        swprintf(name, 80, L"tk-gui-%lu-%llx\\", ::GetCurrentProcessId(), (unsigned long long)now.QuadPart);
        folder = std::wstring(temp) + name;
        ::CreateDirectoryW(folder.c_str(), nullptr);
        for (const wchar_t* sub : {L"xml", L"skins", L"fonts", L"lang", L"bin"})
            ::CreateDirectoryW((folder + sub).c_str(), nullptr);
    }
    return folder;
}

namespace {

void DeleteTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileW((folder + L"*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..")
                continue;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteTree(folder + name + L"\\");
            else
                ::DeleteFileW((folder + name).c_str());
        } while (::FindNextFileW(h, &fd));
        ::FindClose(h);
    }
    ::RemoveDirectoryW(folder.c_str());
}

}  // namespace

void RemoveTestProgramFolder()
{
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    std::wstring folder = TestProgramFolder();
    if (folder.compare(0, wcslen(temp), temp) == 0)
        DeleteTree(folder);
}

std::wstring RealProgramFolder()
{
    wchar_t cwd[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, cwd);
    std::wstring f = cwd;
    if (!f.empty() && f.back() != L'\\')
        f += L'\\';
    return f;
}

ScopedTestProgramFolder::ScopedTestProgramFolder() { SetProgramFolder(TestProgramFolder().c_str()); }
ScopedTestProgramFolder::~ScopedTestProgramFolder() { SetProgramFolder(RealProgramFolder().c_str()); }

bool WriteBytes(const std::wstring& path, const void* data, size_t size)
{
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f)
        return false;
    bool ok = size == 0 || fwrite(data, 1, size, f) == size;
    fclose(f);
    return ok;
}

bool WriteUtf8(const std::wstring& path, const std::string& text) { return WriteBytes(path, text.data(), text.size()); }

bool WriteBmp24(const std::wstring& path, int width, int height, const std::function<DWORD(int, int)>& pixel)
{
    const int stride = (width * 3 + 3) & ~3;
    std::vector<BYTE> file(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + (size_t)stride * height);
    auto* fh = reinterpret_cast<BITMAPFILEHEADER*>(file.data());
    auto* ih = reinterpret_cast<BITMAPINFOHEADER*>(file.data() + sizeof(BITMAPFILEHEADER));
    fh->bfType = 0x4D42;
    fh->bfSize = (DWORD)file.size();
    fh->bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    ih->biSize = sizeof(BITMAPINFOHEADER);
    ih->biWidth = width;
    ih->biHeight = height;
    ih->biPlanes = 1;
    ih->biBitCount = 24;
    ih->biCompression = BI_RGB;
    BYTE* bits = file.data() + fh->bfOffBits;
    for (int y = 0; y < height; ++y) {
        BYTE* row = bits + (size_t)(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            DWORD rgb = pixel(x, y);
            row[3 * x + 0] = (BYTE)(rgb & 0xFF);
            row[3 * x + 1] = (BYTE)((rgb >> 8) & 0xFF);
            row[3 * x + 2] = (BYTE)((rgb >> 16) & 0xFF);
        }
    }
    return WriteBytes(path, file.data(), file.size());
}

std::vector<BYTE> LangFileBytes(const std::vector<std::wstring>& lines)
{
    std::vector<BYTE> bytes;
    for (const std::wstring& line : lines) {
        for (wchar_t c : line + L"\r\n") {
            bytes.push_back((BYTE)(c & 0xFF));
            bytes.push_back((BYTE)(c >> 8));
        }
    }
    return bytes;
}

bool WriteLangFile(const std::wstring& path, const std::vector<std::wstring>& lines)
{
    std::vector<BYTE> bytes = LangFileBytes(lines);
    return WriteBytes(path, bytes.data(), bytes.size());
}
