#include "StateFile.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <cwchar>

namespace tkservice {
namespace {

const char kStateMagic[4] = {'T', 'K', 'D', 'S'};
const char kProfileMagic[4] = {'T', 'K', 'Q', 'P'};
const char kMacroMagic[4] = {'T', 'K', 'Q', 'M'};
constexpr size_t kHeaderSize = 16;

ULONG Checksum(const BYTE* data, size_t size)
{
    ULONG h = 2166136261u;  // FNV-1a
    for (size_t i = 0; i < size; ++i) h = (h ^ data[i]) * 16777619u;
    return h;
}

class Writer {
public:
    void U32(ULONG v) { Raw(&v, sizeof(v)); }
    void Raw(const void* p, size_t n)
    {
        const BYTE* b = static_cast<const BYTE*>(p);
        out.insert(out.end(), b, b + n);
    }
    void Text(const std::wstring& s)
    {
        U32(static_cast<ULONG>(s.size()));
        Raw(s.data(), s.size() * sizeof(wchar_t));
    }
    void Guid(const GUID& g) { Raw(&g, sizeof(g)); }
    std::vector<BYTE> out;
};

class Reader {
public:
    Reader(const BYTE* p, size_t n) : p_(p), end_(p + n) {}
    bool Raw(void* dst, size_t n)
    {
        if (!ok_ || static_cast<size_t>(end_ - p_) < n) return ok_ = false;
        std::memcpy(dst, p_, n);
        p_ += n;
        return true;
    }
    ULONG U32()
    {
        ULONG v = 0;
        Raw(&v, sizeof(v));
        return v;
    }
    // A count of items of itemSize bytes each that must fit in what is left.
    ULONG Count(ULONG limit, size_t itemSize)
    {
        ULONG n = U32();
        if (n > limit || (itemSize && n > static_cast<size_t>(end_ - p_) / itemSize)) ok_ = false;
        return ok_ ? n : 0;
    }
    std::wstring Text(size_t maxChars)
    {
        ULONG n = Count(static_cast<ULONG>(maxChars), sizeof(wchar_t));
        std::wstring s(n, L'\0');
        if (n) Raw(&s[0], n * sizeof(wchar_t));
        if (s.find(L'\0') != std::wstring::npos) ok_ = false;
        return s;
    }
    GUID Guid()
    {
        GUID g{};
        Raw(&g, sizeof(g));
        return g;
    }
    bool Fail() { return ok_ = false; }
    bool Ok() const { return ok_; }
    bool AtEnd() const { return p_ == end_; }

private:
    const BYTE* p_;
    const BYTE* end_;
    bool ok_ = true;
};

std::vector<BYTE> Wrap(const char magic[4], ULONG version, const std::vector<BYTE>& payload)
{
    Writer w;
    w.Raw(magic, 4);
    w.U32(version);
    w.U32(static_cast<ULONG>(payload.size()));
    w.U32(Checksum(payload.data(), payload.size()));
    w.Raw(payload.data(), payload.size());
    return w.out;
}

// The payload and version of a file with this magic and a version from 1
// to latest, or false with a reason.
bool Unwrap(const char magic[4], ULONG latest, const std::vector<BYTE>& file, const BYTE*& payload, size_t& size,
            ULONG& version, std::wstring& error)
{
    if (file.size() < kHeaderSize || std::memcmp(file.data(), magic, 4) != 0) {
        error = L"not a file of this kind";
        return false;
    }
    ULONG length, sum;
    std::memcpy(&version, &file[4], 4);
    std::memcpy(&length, &file[8], 4);
    std::memcpy(&sum, &file[12], 4);
    if (version < 1 || version > latest) {
        error = L"unknown version";
        return false;
    }
    if (length != file.size() - kHeaderSize) {
        error = L"truncated or padded";
        return false;
    }
    payload = file.data() + kHeaderSize;
    size = length;
    if (Checksum(payload, size) != sum) {
        error = L"checksum mismatch";
        return false;
    }
    return true;
}

void WriteProfile(Writer& w, const ProfileState& p)
{
    w.Guid(p.id);
    w.Text(p.name);
    w.Text(p.linkedApp);
    w.U32(p.flags);
    w.U32(static_cast<ULONG>(p.stages.size()));
    for (const DpiStage& s : p.stages) {
        w.U32(s.x);
        w.U32(s.y);
    }
    w.U32(p.currentStage);
    w.U32(p.dpiX);
    w.U32(p.dpiY);
    w.U32(static_cast<ULONG>(p.buttons.size()));
    w.Raw(p.buttons.data(), p.buttons.size() * sizeof(AssignmentValue));
    w.U32(static_cast<ULONG>(p.keys.size()));
    w.Raw(p.keys.data(), p.keys.size() * sizeof(AssignmentValue));
    w.U32(static_cast<ULONG>(p.zones.size()));
    for (const ZoneState& z : p.zones) {
        w.U32(z.id);
        w.U32(z.on);
        w.U32(z.colour);
        w.U32(z.level);
        w.U32(z.effect);
        w.U32(z.value1);
        w.U32(z.value2);
    }
}

// Assignments must name exactly the device's buttons (or keys), in order.
template <class Defaults, class TargetOf>
bool ReadAssignments(Reader& r, std::vector<AssignmentValue>& out, const Defaults& defaults,
                     TargetOf target)
{
    ULONG n = r.Count(static_cast<ULONG>(defaults.size()), sizeof(AssignmentValue));
    if (!r.Ok() || n != defaults.size()) return r.Fail();
    out.resize(n);
    if (n) r.Raw(out.data(), n * sizeof(AssignmentValue));
    for (size_t i = 0; r.Ok() && i < n; ++i)
        if (out[i].target != target(defaults[i]) || out[i].type > 9) return r.Fail();
    return r.Ok();
}

bool ReadProfile(Reader& r, ProfileState& p)
{
    p.id = r.Guid();
    p.name = r.Text(kMaxNameChars);
    p.linkedApp = r.Text(kMaxLinkedAppChars);
    ULONG flags = r.U32();
    if (flags > 7) return r.Fail();
    p.flags = static_cast<USHORT>(flags);
    ULONG n = r.Count(kStageCapacity, 8);
    p.stages.resize(n);
    for (DpiStage& s : p.stages) {
        s.x = r.U32();
        s.y = r.U32();
    }
    p.currentStage = r.U32();
    p.dpiX = r.U32();
    p.dpiY = r.U32();
    if (!r.Ok() || !ValidStages(p.stages) || p.currentStage < 1 || p.currentStage > p.stages.size())
        return r.Fail();
    ReadAssignments(r, p.buttons, Buttons(), [](const ButtonDefault& b) { return b.deviceId; });
    ReadAssignments(r, p.keys, ThumbKeys(), [](const KeyDefault& k) { return k.keyId; });
    ULONG zones = r.Count(16, 28);
    p.zones.resize(zones);
    for (ZoneState& z : p.zones) {
        z.id = r.U32();
        z.on = r.U32() != 0;
        z.colour = r.U32();
        z.level = r.U32();
        z.effect = r.U32();
        z.value1 = r.U32();
        z.value2 = r.U32();
        if (z.level > 100 || z.colour > 0xFFFFFF) r.Fail();
    }
    p.removed = false;
    return r.Ok();
}

void WriteMacro(Writer& w, const MacroState& m)
{
    w.Guid(m.id);
    w.Text(m.name);
    w.U32(static_cast<ULONG>(m.events.size()));
    w.Raw(m.events.data(), m.events.size() * sizeof(MacroDeviceEvent));
}

bool ReadMacro(Reader& r, MacroState& m)
{
    m.id = r.Guid();
    m.name = r.Text(kMaxNameChars);
    ULONG n = r.Count(kMaxMacroEvents, sizeof(MacroDeviceEvent));
    m.events.resize(n);
    if (n) r.Raw(m.events.data(), n * sizeof(MacroDeviceEvent));
    m.removed = false;
    return r.Ok() && ValidMacroEvents(m.events);
}

}  // namespace

bool ValidStages(const std::vector<DpiStage>& stages)
{
    if (stages.empty() || stages.size() > kStageCapacity) return false;
    for (const DpiStage& s : stages)
        for (ULONG v : {s.x, s.y})
            if (v < kDpiMin || v > kDpiMax) return false;
    return true;
}

bool ValidMacroEvents(const std::vector<MacroDeviceEvent>& events)
{
    if (events.size() > kMaxMacroEvents) return false;
    for (const MacroDeviceEvent& e : events)
        if (e.kind < 1 || e.kind > 3) return false;
    return true;
}

bool ValidName(const std::wstring& name)
{
    return name.size() <= kMaxNameChars && name.find(L'\0') == std::wstring::npos;
}

std::vector<BYTE> EncodeState(const std::vector<DeviceState>& devices)
{
    Writer w;
    w.U32(static_cast<ULONG>(devices.size()));
    for (const DeviceState& d : devices) {
        w.U32(d.productId);
        w.U32(d.attached);
        w.U32(static_cast<ULONG>(d.profiles.size()));
        for (const ProfilePtr& p : d.profiles) WriteProfile(w, *p);
        w.Guid(d.activeProfile);
        w.U32(static_cast<ULONG>(d.macros.size()));
        for (const MacroPtr& m : d.macros) WriteMacro(w, *m);
        w.U32(static_cast<ULONG>(d.actions.size()));
        for (const ActionState& a : d.actions) {
            w.Guid(a.id);
            w.Text(a.path);
        }
        w.U32(d.reportInterval);
        w.U32(static_cast<ULONG>(d.acceleration));
        w.U32(d.accelerationOn);
        w.U32(static_cast<ULONG>(d.batteryLevel));
        w.U32(static_cast<ULONG>(d.batteryState));
        w.U32(static_cast<ULONG>(d.warningLevel));
        w.U32(static_cast<ULONG>(d.reducedBrightness));
        w.U32(static_cast<ULONG>(d.idleSeconds));
        w.U32(d.linked);
        w.U32(d.unitMajor);
        w.U32(d.unitMinor);
        w.U32(d.recordLedMode);
    }
    return Wrap(kStateMagic, kStateFileVersion, w.out);
}

bool DecodeState(const std::vector<BYTE>& file, std::vector<DeviceState>& devices, std::wstring& error)
{
    const BYTE* payload;
    size_t size;
    ULONG version = 0;
    if (!Unwrap(kStateMagic, kStateFileVersion, file, payload, size, version, error)) return false;
    // Every model of the file's version, each once.
    auto inVersion = [version](ULONG productId) {
        return FindModel(productId) && (version > 1 || productId != kQuarelMouse);
    };
    const size_t models = version > 1 ? Models().size() : Models().size() - 1;
    Reader r(payload, size);
    std::vector<DeviceState> out;
    ULONG n = r.Count(static_cast<ULONG>(models), 8);
    for (ULONG i = 0; r.Ok() && i < n; ++i) {
        DeviceState d;
        d.productId = r.U32();
        if (!inVersion(d.productId)) r.Fail();
        for (const DeviceState& seen : out)
            if (seen.productId == d.productId) r.Fail();
        d.attached = r.U32() != 0;
        ULONG profiles = r.Count(kMaxProfiles, 16);
        for (ULONG k = 0; r.Ok() && k < profiles; ++k) {
            auto p = std::make_shared<ProfileState>();
            if (ReadProfile(r, *p)) d.profiles.push_back(p);
        }
        d.activeProfile = r.Guid();
        ULONG macros = r.Count(kMaxMacros, 16);
        for (ULONG k = 0; r.Ok() && k < macros; ++k) {
            auto m = std::make_shared<MacroState>();
            if (ReadMacro(r, *m)) d.macros.push_back(m);
        }
        ULONG actions = r.Count(kMaxActions, 16);
        for (ULONG k = 0; r.Ok() && k < actions; ++k) {
            ActionState a;
            a.id = r.Guid();
            a.path = r.Text(kMaxPathChars);
            d.actions.push_back(a);
        }
        d.reportInterval = r.U32();
        d.acceleration = static_cast<LONG>(r.U32());
        d.accelerationOn = r.U32() != 0;
        d.batteryLevel = static_cast<LONG>(r.U32());
        d.batteryState = static_cast<LONG>(r.U32());
        d.warningLevel = static_cast<LONG>(r.U32());
        d.reducedBrightness = static_cast<LONG>(r.U32());
        d.idleSeconds = static_cast<LONG>(r.U32());
        d.linked = r.U32() != 0;
        d.unitMajor = static_cast<BYTE>(r.U32());
        d.unitMinor = static_cast<BYTE>(r.U32());
        d.recordLedMode = r.U32();
        // What the device itself could never hold is corruption too.
        if (r.Ok() && (d.profiles.empty() || !FindProfile(d, d.activeProfile) ||
                       !IsValidInterval(d.reportInterval) || d.acceleration < 1 ||
                       d.acceleration > 10 || d.batteryLevel < 0 || d.batteryLevel > 255))
            r.Fail();
        out.push_back(std::move(d));
    }
    if (!r.Ok() || !r.AtEnd() || out.size() != models) {
        error = L"contents do not parse";
        return false;
    }
    if (version == 1) {
        // Then the wireless mouse's unit answered 0.00 by default.
        const ModelInfo* wireless = FindModel(kWirelessMouse);
        for (DeviceState& d : out) {
            if (d.productId == kWirelessMouse && d.unitMajor == 0 && d.unitMinor == 0) {
                d.unitMajor = wireless->unitMajor;
                d.unitMinor = wireless->unitMinor;
            }
        }
        out.push_back(DefaultDevice(kQuarelMouse));
    }
    devices = std::move(out);
    return true;
}

std::vector<BYTE> EncodeProfile(const ProfileState& profile)
{
    Writer w;
    WriteProfile(w, profile);
    return Wrap(kProfileMagic, kItemFileVersion, w.out);
}

bool DecodeProfile(const std::vector<BYTE>& file, ProfileState& profile)
{
    const BYTE* payload;
    size_t size;
    std::wstring error;
    ULONG version = 0;
    if (!Unwrap(kProfileMagic, kItemFileVersion, file, payload, size, version, error)) return false;
    Reader r(payload, size);
    ProfileState p;
    if (!ReadProfile(r, p) || !r.AtEnd()) return false;
    profile = std::move(p);
    return true;
}

std::vector<BYTE> EncodeMacro(const MacroState& macro)
{
    Writer w;
    WriteMacro(w, macro);
    return Wrap(kMacroMagic, kItemFileVersion, w.out);
}

bool DecodeMacro(const std::vector<BYTE>& file, MacroState& macro)
{
    const BYTE* payload;
    size_t size;
    std::wstring error;
    ULONG version = 0;
    if (!Unwrap(kMacroMagic, kItemFileVersion, file, payload, size, version, error)) return false;
    Reader r(payload, size);
    MacroState m;
    if (!ReadMacro(r, m) || !r.AtEnd()) return false;
    macro = std::move(m);
    return true;
}

FileRead ReadWholeFileChecked(const std::wstring& path, std::vector<BYTE>& data, size_t limit)
{
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD e = ::GetLastError();
        return e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND ? FileRead::Missing : FileRead::Unreadable;
    }
    LARGE_INTEGER size{};
    FileRead result = FileRead::Ok;
    if (!::GetFileSizeEx(h, &size) || size.QuadPart < 0) {
        result = FileRead::Unreadable;
    } else if (static_cast<ULONGLONG>(size.QuadPart) > limit) {
        result = FileRead::TooLarge;
    } else {
        data.resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        if (!data.empty() &&
            !(::ReadFile(h, data.data(), static_cast<DWORD>(data.size()), &got, nullptr) && got == data.size()))
            result = FileRead::Unreadable;
    }
    ::CloseHandle(h);
    return result;
}

const wchar_t* FileReadText(FileRead result)
{
    switch (result) {
    case FileRead::Ok: return L"";
    case FileRead::Missing: return L"missing";
    case FileRead::Unreadable: return L"unreadable";
    case FileRead::TooLarge: return L"too large";
    }
    return L"";
}

bool ReadWholeFile(const std::wstring& path, std::vector<BYTE>& data, size_t limit)
{
    return ReadWholeFileChecked(path, data, limit) == FileRead::Ok;
}

bool WriteWholeFile(const std::wstring& path, const std::vector<BYTE>& data, const std::function<void()>& whileOpen)
{
    std::wstring temp = path + L".tmp";
    HANDLE h = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD put = 0;
    bool ok = ::WriteFile(h, data.data(), static_cast<DWORD>(data.size()), &put, nullptr) &&
              put == data.size();
    // On the disk before it takes the old file's place: a crash then leaves
    // the old file or the whole new one.
    ok = ok && ::FlushFileBuffers(h);
    if (whileOpen) whileOpen();
    ok = ::CloseHandle(h) && ok;
    if (ok) ok = ::MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) {
        const DWORD error = ::GetLastError();  // the caller's to tell
        ::DeleteFileW(temp.c_str());
        ::SetLastError(error);
    }
    return ok;
}

namespace {

void Line(std::wstring& out, const wchar_t* format, ...)
{
    wchar_t buf[1024];
    va_list args;
    va_start(args, format);
    std::vswprintf(buf, 1024, format, args);
    va_end(args);
    out += buf;
    out += L"\r\n";
}

std::wstring ValueText(const AssignmentValue& v)
{
    std::wstring s;
    wchar_t buf[16];
    for (BYTE b : v.params) {
        std::swprintf(buf, 16, L"%02X", b);
        s += buf;
    }
    wchar_t head[64];
    std::swprintf(head, 64, L"valid %lu type %lu params ", v.valid, v.type);
    return head + s;
}

}  // namespace

std::wstring DescribeState(const std::vector<DeviceState>& devices)
{
    std::wstring out;
    for (const DeviceState& d : devices) {
        const ModelInfo* m = FindModel(d.productId);
        Line(out, L"device 0x%02lX \"%ls\" %ls", d.productId, m ? m->name : L"?",
             d.attached ? L"attached" : L"detached");
        Line(out, L"  battery %ld state %ld, link %ls, unit %u.%02u, record led %lu", d.batteryLevel,
             d.batteryState, d.linked ? L"on" : L"off", d.unitMajor, d.unitMinor, d.recordLedMode);
        Line(out, L"  report interval %lu, acceleration %ld %ls", d.reportInterval, d.acceleration,
             d.accelerationOn ? L"on" : L"off");
        Line(out, L"  power warning %ld, reduced brightness %ld, idle %ld s", d.warningLevel,
             d.reducedBrightness, d.idleSeconds);
        for (size_t i = 0; i < d.profiles.size(); ++i) {
            const ProfileState& p = *d.profiles[i];
            Line(out, L"  profile %u %ls \"%ls\"%ls", static_cast<unsigned>(i), GuidText(p.id).c_str(),
                 p.name.c_str(), IsEqualGUID(p.id, d.activeProfile) ? L" active" : L"");
            Line(out, L"    linked \"%ls\" flags %u, dpi %lu x %lu, stage %lu of %u", p.linkedApp.c_str(),
                 p.flags, p.dpiX, p.dpiY, p.currentStage, static_cast<unsigned>(p.stages.size()));
            std::wstring stages;
            for (const DpiStage& s : p.stages) {
                wchar_t buf[32];
                std::swprintf(buf, 32, L" %lux%lu", s.x, s.y);
                stages += buf;
            }
            Line(out, L"    stages%ls", stages.c_str());
            for (const AssignmentValue& v : p.buttons)
                Line(out, L"    button %lu: %ls", v.target, ValueText(v).c_str());
            for (const AssignmentValue& v : p.keys)
                Line(out, L"    key 0x%08lX: %ls", v.target, ValueText(v).c_str());
            for (const ZoneState& z : p.zones)
                Line(out, L"    zone %lu %ls colour 0x%06lX level %lu effect %lu %lu %lu", z.id,
                     z.on ? L"on" : L"off", z.colour, z.level, z.effect, z.value1, z.value2);
        }
        for (const MacroPtr& mac : d.macros)
            Line(out, L"  macro %ls \"%ls\" %u events", GuidText(mac->id).c_str(), mac->name.c_str(),
                 static_cast<unsigned>(mac->events.size()));
        for (const ActionState& a : d.actions)
            Line(out, L"  action %ls \"%ls\"", GuidText(a.id).c_str(), a.path.c_str());
    }
    return out;
}

}  // namespace tkservice
