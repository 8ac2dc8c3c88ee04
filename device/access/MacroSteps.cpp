// The device's macros: brought to the configuration's list on a write, read
// into it on a read.
#include <cstring>
#include <cwchar>
#include <vector>

#include "AssignmentValues.h"
#include "CoTaskMem.h"
#include "FeatureStepSupport.h"
#include "FeatureSteps.h"

namespace featuresteps {

namespace {

// Device macros are walked whole before any is removed, so a removal never
// shifts the walk. The bound only stops a service that never ends its list.
const LONG kMaxDeviceMacros = 4096;

std::vector<ComPtr<IMacro>> DeviceMacros(IMacroManager* macros)
{
    std::vector<ComPtr<IMacro>> list;
    for (LONG i = 0; i < kMaxDeviceMacros; ++i) {
        ComPtr<IMacro> macro;
        if (FAILED(macros->Item(i, macro.Out())) || !macro)
            break;
        list.push_back(macro);
    }
    return list;
}

bool SendEvents(IMacro* device, const CMacro& macro)
{
    MacroBlock* block = NewMacroBlock(macro.events);
    if (!block)
        return false;
    HRESULT hr = device->SetEvents(block);
    CoTaskMemFree(block);
    return SUCCEEDED(hr);
}

bool ReadEvents(IMacro* device, CMacro& macro)
{
    CoTaskPtr<MacroBlock> block;
    return SUCCEEDED(device->GetEvents(block.Out())) && ReadMacroTaskBlock(macro, block.Get());
}

// Sends what differs between the configuration macro and its device copy.
bool UpdateDeviceMacro(IMacro* device, const CMacro& macro)
{
    CMacro copy;
    std::wstring name;
    bool nameRead = ReadMacroName(device, name);
    bool eventsRead = ReadEvents(device, copy);
    copy.SetName(name.c_str());
    copy.guid = macro.guid;
    if (nameRead && eventsRead && copy.IsEqual(macro))
        return true;
    bool ok = true;
    if (!nameRead || _wcsicmp(name.c_str(), macro.name) != 0)
        ok = SUCCEEDED(device->SetName(macro.name));
    return SendEvents(device, macro) && ok;
}

}  // namespace

bool ReadMacroName(IMacro* macro, std::wstring& name)
{
    CoTaskPtr<wchar_t> text;
    if (!macro || FAILED(macro->GetName(text.Out())) || !text)
        return false;
    name = BoundedServiceText(text.Get(), kServiceNameChars);
    return true;
}

bool CreateDeviceMacro(IMacroManager* macros, CMacro& macro)
{
    ComPtr<IMacro> created;
    if (!macros || FAILED(macros->Create(created.Out())) || !created)
        return false;
    GUID id;
    if (FAILED(created->GetId(&id)) || IsNullGuid(id)) {
        macros->Remove(created.Get());
        return false;
    }
    macro.guid = id;
    bool ok = SendEvents(created.Get(), macro);
    return SUCCEEDED(created->SetName(macro.name)) && ok;
}

bool WriteMacros(IDevice* device, IMouseConfig& config)
{
    ComPtr<IMacroManager> macros = DeviceFeature<IMacroManager>(device);
    if (!macros)
        return false;
    bool ok = true;
    for (const ComPtr<IMacro>& m : DeviceMacros(macros.Get())) {
        GUID id;
        if (FAILED(m->GetId(&id))) {
            ok = false;
            continue;
        }
        ULONG w[4];
        GuidWords(id, w);
        if (!config.FindMacroByGuid(w[0], w[1], w[2], w[3]) && FAILED(macros->Remove(m.Get())))
            ok = false;
    }
    if (!ok)
        return false;

    // A macro that could not be sent fails the step as well: the device
    // would otherwise play something other than what was saved.
    for (uint32_t i = 0; i < config.GetMacroCount(); ++i) {
        CMacro* macro = config.GetMacro(i);
        if (!macro)
            continue;
        ComPtr<IMacro> existing = FindByGuid<IMacro>(macros.Get(), macro->guid);
        if (existing)
            ok = UpdateDeviceMacro(existing.Get(), *macro) && ok;
        else
            ok = CreateDeviceMacro(macros.Get(), *macro) && ok;
    }
    return ok;
}

bool RecreateLostMacros(IDevice* device, IMouseConfig& config, const DeviceLists& lists)
{
    if (config.GetMacroCount() == 0)
        return true;
    ComPtr<IMacroManager> macros = DeviceFeature<IMacroManager>(device);
    if (!macros)
        return false;
    bool ok = true;
    for (uint32_t i = 0; i < config.GetMacroCount(); ++i) {
        CMacro* macro = config.GetMacro(i);
        // A macro without a GUID is made when a record or the macro write
        // first needs it.
        if (!macro || IsNullGuid(macro->guid) || FindByGuid<IMacro>(macros.Get(), macro->guid))
            continue;
        const GUID old = macro->guid;
        ok = CreateDeviceMacro(macros.Get(), *macro) && ok;
        // A macro made but not filled still has its new GUID; the macro
        // write later sends what it lacks.
        if (memcmp(&old, &macro->guid, sizeof(GUID)) != 0)
            RemapMacroReferences(config, old, macro->guid, lists);
    }
    return ok;
}

bool ReadMacros(IDevice* device, IMouseConfig& config)
{
    ComPtr<IMacroManager> macros = DeviceFeature<IMacroManager>(device);
    if (!macros)
        return false;
    bool ok = true;
    for (const ComPtr<IMacro>& m : DeviceMacros(macros.Get())) {
        std::wstring name;
        if (!ReadMacroName(m.Get(), name))
            continue;
        // A name the configuration already holds (ignoring case) is skipped.
        CMacro* macro = config.AddMacro(name.c_str());
        if (!macro)
            continue;
        GUID id;
        if (FAILED(m->GetId(&id)) || IsNullGuid(id) || !ReadEvents(m.Get(), *macro)) {
            config.DeleteMacro(macro);
            ok = false;
            continue;
        }
        macro->guid = id;
    }
    return ok;
}

bool ImportMacro(IDevice* device, const wchar_t* path, IMouseConfig& config)
{
    ComPtr<IMacroManager> macros = DeviceFeature<IMacroManager>(device);
    ComPtr<IMacro> imported;
    if (!macros || !path || FAILED(macros->Import(path, imported.Out())) || !imported)
        return false;
    // Whatever fails from here takes the device's new macro away again, so a
    // refused import changes nothing on either side.
    std::wstring name;
    CMacro* macro = nullptr;
    GUID id;
    if (ReadMacroName(imported.Get(), name) && (macro = config.AddMacro(name.c_str())) != nullptr &&
        SUCCEEDED(imported->GetId(&id)) && !IsNullGuid(id) && ReadEvents(imported.Get(), *macro)) {
        macro->guid = id;
        macro->SetFilePath(path);
        return true;
    }
    if (macro)
        config.DeleteMacro(macro);
    macros->Remove(imported.Get());
    return false;
}

bool ExportMacro(IDevice* device, const wchar_t* path, const CMacro& macro)
{
    ComPtr<IMacroManager> macros = DeviceFeature<IMacroManager>(device);
    if (!macros || !path)
        return false;
    ComPtr<IMacro> found = FindByGuid<IMacro>(macros.Get(), macro.guid);
    return found && SUCCEEDED(found->Export(path));
}

bool MacroExists(IDevice* device, const CMacro& macro)
{
    ComPtr<IMacroManager> macros = DeviceFeature<IMacroManager>(device);
    return macros && FindByGuid<IMacro>(macros.Get(), macro.guid);
}

}  // namespace featuresteps
