// IMouseConfig: the whole configuration of one device, as the dialog and
// the device access see it. Operations are declared in their fixed order.
// An operation whose last argument is a profile works on that profile, or on
// the active profile when the argument is null.
#pragma once
#include <windows.h>
#include <cstdint>
#include <vector>
#include "AssignmentRecord.h"
#include "MouseProfileInterface.h"

class CMacro;
class CQvApp;

class IMouseConfig {
public:
    virtual void ResetToDefaults(IMouseProfile* profile) = 0;
    virtual void ClearProfiles() = 0;
    virtual bool SetStageCapacity(uint32_t n, IMouseProfile* profile) = 0;
    virtual void SetAccelerationRange(int min, int max) = 0;
    virtual void SetPollingRates(const std::vector<int>& rates) = 0;
    virtual void ResetBatteryLevelRange() = 0;
    virtual void SetStageCount(uint32_t n, IMouseProfile* profile) = 0;
    virtual uint32_t GetProfileCount() const = 0;
    virtual uint32_t GetMacroCount() const = 0;
    virtual uint32_t GetStageCapacity(IMouseProfile* profile) const = 0;
    virtual uint32_t GetStageCount(IMouseProfile* profile) const = 0;
    virtual uint32_t GetKeyAssignmentCount(IMouseProfile* profile) const = 0;
    virtual uint32_t GetPollingRateCount() const = 0;
    virtual IMouseProfile* NewProfile(const wchar_t* name) = 0;
    virtual IMouseProfile* DuplicateProfile(IMouseProfile* profile) = 0;
    virtual IMouseProfile* GetProfile(uint32_t index) const = 0;
    virtual IMouseProfile* FindProfileByGuid(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3) const = 0;
    virtual IMouseProfile* FindProfileByName(const wchar_t* name) const = 0;
    virtual IMouseProfile* RenameProfile(IMouseProfile* profile, const wchar_t* name) = 0;
    virtual IMouseProfile* CopyProfile(IMouseProfile* profile, const wchar_t* name) = 0;
    virtual void DeleteProfile(IMouseProfile* profile) = 0;
    virtual IMouseProfile* GetActiveProfile() const = 0;
    virtual void SetActiveProfile(IMouseProfile* profile) = 0;
    virtual void SetLinkedAppPath(const wchar_t* path, IMouseProfile* profile) = 0;
    virtual const wchar_t* GetLinkedAppPath(IMouseProfile* profile) const = 0;
    virtual void SetAppLinkEnabled(uint8_t on, IMouseProfile* profile) = 0;
    virtual uint8_t GetAppLinkEnabled(IMouseProfile* profile) const = 0;
    virtual void SetProfileOsdAll(uint8_t on) = 0;
    virtual void SetProfileOsd(uint8_t on, IMouseProfile* profile) = 0;
    virtual uint8_t GetProfileOsd(IMouseProfile* profile) const = 0;
    virtual void SetDpiOsd(uint8_t on, IMouseProfile* profile) = 0;
    virtual uint8_t GetDpiOsd(IMouseProfile* profile) const = 0;
    virtual void SetStageFlag(int stage, uint8_t flag, IMouseProfile* profile) = 0;
    virtual uint8_t GetStageFlag(int stage, IMouseProfile* profile) const = 0;
    virtual void SetAccelerationEnabled(uint8_t on) = 0;
    virtual uint8_t GetAccelerationEnabled() const = 0;
    virtual void SetAcceleration(int value) = 0;
    virtual int GetAcceleration() const = 0;
    virtual void SetCurrentStage(uint32_t n, IMouseProfile* profile) = 0;
    virtual int GetCurrentStage(IMouseProfile* profile) const = 0;
    virtual void SetStageValue(int stage, uint32_t value, IMouseProfile* profile) = 0;
    virtual uint32_t GetStageValue(int stage, IMouseProfile* profile) const = 0;
    virtual void SetDpi(int value, IMouseProfile* profile) = 0;
    virtual int GetDpi(IMouseProfile* profile) const = 0;
    virtual void SetDpiX(int value, IMouseProfile* profile) = 0;
    virtual int GetDpiX(IMouseProfile* profile) const = 0;
    virtual void SetDpiY(int value, IMouseProfile* profile) = 0;
    virtual int GetDpiY(IMouseProfile* profile) const = 0;
    virtual void SetXYSeparate(uint8_t on, IMouseProfile* profile) = 0;
    virtual uint8_t GetXYSeparate(IMouseProfile* profile) const = 0;
    virtual void SetIntJ(int value, IMouseProfile* profile) = 0;
    virtual int GetIntJ(IMouseProfile* profile) const = 0;
    virtual void SetIntK(int value, IMouseProfile* profile) = 0;
    virtual int GetIntK(IMouseProfile* profile) const = 0;
    virtual void SetIntL(int value, IMouseProfile* profile) = 0;
    virtual int GetIntL(IMouseProfile* profile) const = 0;
    virtual void SetByteF(uint8_t value, IMouseProfile* profile) = 0;
    virtual uint8_t GetByteF(IMouseProfile* profile) const = 0;
    virtual void SetStageX(int stage, uint32_t value, IMouseProfile* profile) = 0;
    virtual uint32_t GetStageX(int stage, IMouseProfile* profile) const = 0;
    virtual void SetStageY(int stage, uint32_t value, IMouseProfile* profile) = 0;
    virtual uint32_t GetStageY(int stage, IMouseProfile* profile) const = 0;
    virtual void SetDpiRange(uint32_t min, uint32_t max, uint32_t step, IMouseProfile* profile) = 0;
    virtual bool GetDpiRange(uint32_t& min, uint32_t& max, uint32_t& step, IMouseProfile* profile) const = 0;
    virtual void SetReserved4(int value) = 0;
    virtual bool GetReserved4() const = 0;
    virtual void SetReserved5(int value) = 0;
    virtual bool GetReserved5() const = 0;
    virtual void SetPollingRateIndex(int index) = 0;
    virtual int GetPollingRateIndex() const = 0;
    virtual int GetPollingRate(int index) = 0;
    virtual void SetButtonAssignment(int button, const AssignmentRecord& record, IMouseProfile* profile) = 0;
    virtual void GetButtonAssignment(AssignmentRecord& out, int button, IMouseProfile* profile) = 0;
    virtual bool HasClickAssignment(IMouseProfile* profile) const = 0;
    virtual void GetStaticButtonDefault(AssignmentRecord& out, int button) const = 0;
    virtual void SetKeyAssignment(int key, const AssignmentRecord& record, IMouseProfile* profile) = 0;
    virtual void GetKeyAssignment(AssignmentRecord& out, int key, IMouseProfile* profile) = 0;
    virtual void GetDefaultKeyRecord(AssignmentRecord& out, uint32_t key) const = 0;
    virtual void SetKeyMode(uint8_t mode, IMouseProfile* profile) = 0;
    virtual uint8_t GetKeyMode(IMouseProfile* profile) const = 0;
    virtual uint32_t GetDefaultAssignmentCount() const = 0;
    virtual void SetDefaultAssignment(int key, const AssignmentRecord& record) = 0;
    virtual void GetDefaultAssignment(AssignmentRecord& out, int key) = 0;
    virtual int GetDefaultAssignmentKey(int n) const = 0;
    virtual void SetZoneOn(int zone, uint8_t on, IMouseProfile* profile) = 0;
    virtual uint8_t GetZoneOn(int zone, IMouseProfile* profile) const = 0;
    virtual void SetZoneColor(int zone, int color, IMouseProfile* profile) = 0;
    virtual int GetZoneColor(int zone, IMouseProfile* profile) const = 0;
    virtual void SetZoneEffect(int zone, int effect, IMouseProfile* profile) = 0;
    virtual int GetZoneEffect(int zone, IMouseProfile* profile) const = 0;
    virtual void SetZoneLevel(int zone, uint32_t level, IMouseProfile* profile) = 0;
    virtual uint32_t GetZoneLevel(int zone, IMouseProfile* profile) const = 0;
    virtual CMacro* AddMacro(const wchar_t* name) = 0;
    virtual void DeleteMacro(CMacro* macro) = 0;
    virtual CMacro* FindMacroByGuid(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3) const = 0;
    virtual CMacro* FindMacroByName(const wchar_t* name) const = 0;
    virtual CMacro* GetMacro(uint32_t index) const = 0;
    virtual void SetReserved6(int value) = 0;
    virtual bool GetReserved6() const = 0;
    virtual void SetReserved7(int value) = 0;
    virtual bool GetReserved7() const = 0;
    virtual uint32_t GetAppCount() const = 0;
    virtual CQvApp* AddApp(const wchar_t* name) = 0;
    virtual void RemoveApp(CQvApp* app) = 0;
    virtual CQvApp* FindAppByGuid(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3) const = 0;
    virtual CQvApp* FindAppByName(const wchar_t* name) const = 0;
    virtual CQvApp* GetApp(uint32_t index) const = 0;
    virtual void SetReserved8(int value) = 0;
    virtual int GetReserved9() const = 0;
    virtual void SetReserved10(int value) = 0;
    virtual int GetReserved11() const = 0;
    virtual void SetReserved12(int value) = 0;
    virtual int GetReserved13() const = 0;
    virtual void SetReserved14(int value) = 0;
    virtual int GetReserved15() const = 0;
    virtual void SetReserved16(int value) = 0;
    virtual int GetReserved17() const = 0;
    virtual void SetReserved18(int value) = 0;
    virtual int GetReserved19() const = 0;
    virtual void SetReserved20(int value) = 0;
    virtual int GetReserved21() const = 0;
    virtual void SetReserved22(int value) = 0;
    virtual int GetReserved23() const = 0;
    virtual void LoadActiveProfileName() = 0;
    virtual bool SaveActiveProfileName() = 0;
    virtual int LoadProfiles() = 0;
    virtual bool SaveProfiles(IMouseProfile* profile) = 0;
    virtual int Reserved24() const = 0;
    virtual int Reserved25() const = 0;
    virtual int Reserved26() const = 0;
    virtual int Reserved27() const = 0;
    virtual int Reserved28() const = 0;
    virtual int Reserved29() const = 0;
    virtual uint32_t GetAccelerationMin() const = 0;
    virtual uint32_t GetAccelerationMax() const = 0;
    virtual int Reserved30() const = 0;
    virtual int Reserved31() const = 0;
    virtual uint32_t GetApmCount() const = 0;
    virtual bool SetApmA(uint32_t index, int a) = 0;
    virtual bool SetApmBAndKey(uint32_t index, int b, int key) = 0;
    virtual bool GetApmA(uint32_t index, int& a) const = 0;
    virtual bool GetApmBAndKey(uint32_t index, int& b, int& key) const = 0;
    virtual bool AddApm(int a, int b, int key) = 0;
    virtual bool Reserved32(int x) = 0;
    virtual void ClearApms() = 0;
    virtual void SetBatteryState(int state) = 0;
    virtual int GetBatteryState() const = 0;
    virtual uint32_t GetBatteryLevelMin() const = 0;
    virtual uint32_t GetBatteryLevelMax() const = 0;
    virtual void SetBatteryLevel(uint32_t level) = 0;
    virtual uint32_t GetBatteryLevel() const = 0;
    virtual void SetFlashWarningLevel(uint32_t level) = 0;
    virtual uint32_t GetFlashWarningLevel() const = 0;
    virtual void SetIdleToSleepSeconds(uint32_t seconds) = 0;
    virtual uint32_t GetIdleToSleepSeconds() const = 0;
    virtual void SetReducedBrightness(uint32_t percent) = 0;
    virtual uint32_t GetReducedBrightness() const = 0;

protected:
    // The configuration is deleted as its concrete class by its owner.
    ~IMouseConfig() = default;
};
