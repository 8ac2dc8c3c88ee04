// IMouseProfile: one profile of the device, as the dialog and the device
// access see it. Operations are declared in their fixed order.
#pragma once
#include <windows.h>
#include <cstdint>
#include <vector>
#include "AssignmentRecord.h"

class IMouseProfile {
public:
    virtual bool SetStageCapacity(uint32_t n) = 0;
    virtual uint32_t GetStageCapacity() const = 0;
    virtual uint32_t GetStageCount() const = 0;
    virtual uint32_t GetKeyAssignmentCount() const = 0;
    virtual void SetStageCount(uint32_t n) = 0;
    virtual void Reserved1() = 0;
    virtual const wchar_t* GetName() const = 0;
    virtual void GetGuid(GUID& out) const = 0;
    virtual bool HasFile() const = 0;
    virtual void SetName(const wchar_t* name) = 0;
    virtual void SetGuid(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3) = 0;
    virtual const wchar_t* GetLinkedAppName() const = 0;
    virtual void SetLinkedAppName(const wchar_t* name) = 0;
    virtual const wchar_t* GetFilePath() const = 0;
    virtual const wchar_t* GetLinkedAppPath() const = 0;
    virtual void SetLinkedAppPath(const wchar_t* path) = 0;
    virtual void SetAppLinkEnabled(uint8_t on) = 0;
    virtual uint8_t GetAppLinkEnabled() const = 0;
    virtual void SetDpiOsd(uint8_t on) = 0;
    virtual uint8_t GetDpiOsd() const = 0;
    virtual void SetProfileOsd(uint8_t on) = 0;
    virtual uint8_t GetProfileOsd() const = 0;
    virtual void SetStageFlag(int stage, uint8_t flag) = 0;
    virtual uint8_t GetStageFlag(int stage) const = 0;
    virtual void SetCurrentStage(uint32_t n) = 0;
    virtual int GetCurrentStage() const = 0;
    virtual void SetStageValue(int stage, uint32_t value) = 0;
    virtual uint32_t GetStageValue(int stage) const = 0;
    virtual void SetStageX(int stage, uint32_t value) = 0;
    virtual uint32_t GetStageX(int stage) const = 0;
    virtual void SetStageY(int stage, uint32_t value) = 0;
    virtual uint32_t GetStageY(int stage) const = 0;
    virtual void SetDpi(int value) = 0;
    virtual int GetDpi() const = 0;
    virtual void SetDpiX(int value) = 0;
    virtual int GetDpiX() const = 0;
    virtual void SetDpiY(int value) = 0;
    virtual int GetDpiY() const = 0;
    virtual void SetXYSeparate(uint8_t on) = 0;
    virtual uint8_t GetXYSeparate() const = 0;
    virtual void SetIntJ(int value) = 0;
    virtual int GetIntJ() const = 0;
    virtual void SetIntK(int value) = 0;
    virtual int GetIntK() const = 0;
    virtual void SetIntL(int value) = 0;
    virtual int GetIntL() const = 0;
    virtual void SetByteF(uint8_t value) = 0;
    virtual uint8_t GetByteF() const = 0;
    virtual void SetDpiRange(uint32_t min, uint32_t max, uint32_t step) = 0;
    virtual bool GetDpiRange(uint32_t& min, uint32_t& max, uint32_t& step) const = 0;
    virtual void SetZoneOn(int zone, uint8_t on) = 0;
    virtual uint8_t GetZoneOn(int zone) const = 0;
    virtual void SetZoneColor(int zone, int color) = 0;
    virtual int GetZoneColor(int zone) const = 0;
    virtual void SetZoneEffect(int zone, int effect) = 0;
    virtual int GetZoneEffect(int zone) const = 0;
    virtual void SetZoneLevel(int zone, uint32_t level) = 0;
    virtual uint32_t GetZoneLevel(int zone) const = 0;
    virtual void SetReserved2(int value) = 0;
    virtual int GetReserved2() const = 0;
    virtual void SetButtonAssignment(int button, const AssignmentRecord& record) = 0;
    virtual void GetButtonAssignment(AssignmentRecord& out, int button) = 0;
    virtual bool HasClickAssignment() const = 0;
    virtual void SetKeyAssignment(int key, const AssignmentRecord& record) = 0;
    virtual void GetKeyAssignment(AssignmentRecord& out, int key) = 0;
    virtual void SetKeyMode(uint8_t mode) = 0;
    virtual uint8_t GetKeyMode() const = 0;
    virtual bool IsFunctionTypeAllowed(int type, int button) const = 0;
    virtual void GetAllowedFunctionTypes(std::vector<int>& out, int button) const = 0;
    virtual void SetReserved3(int a, int b) = 0;
    virtual bool GetReserved3(int a) const = 0;
    virtual bool SaveToFile(const wchar_t* name, const wchar_t* folder, const wchar_t* extension) = 0;
    virtual bool LoadFromFile(const wchar_t* name, const wchar_t* folder, const wchar_t* extension) = 0;

protected:
    // Profiles are owned and deleted by the configuration, never through
    // this interface.
    ~IMouseProfile() = default;
};
