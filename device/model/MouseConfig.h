// CMouseConfig: the mouse part of a configuration: sensitivity stages and
// values (with the profile-less values used when there is no profile),
// button assignments, report rate, acceleration, battery and power values,
// and the default tables.
#pragma once
#include <map>
#include <memory>
#include "BaseConfig.h"

// One entry of the dialog's working list of stages.
struct StageEntry {
    int value;
    int x;
    int y;
    uint8_t flags[3];
};
static_assert(sizeof(StageEntry) == 16, "stage entries are 16-byte records");

struct StageEntryList {
    static const int kEntries = 5;
    StageEntry entries[kEntries];
    int count;  // entries in use
};

template <class P>
class CMouseConfig : public CBaseConfig<P> {
public:
    static const int kDefaultStages[5];

    CMouseConfig();

    // Key id carried by thumb-grid button 14-25: the number-row key, or the
    // keypad key when keypad is 1; 0 for another button.
    static uint32_t GetThumbKeyHash(int buttonId, int keypad);
    // Gives every entry from the list's count up to the fifth the default
    // stage of its position; entries below the count stay.
    static void FillDefaultStageEntries(StageEntryList& list);

    // Restore defaults: the profile's own defaults (the active profile's
    // when null), then the mouse-wide ones (report rate, acceleration and
    // the power values), which every profile shares.
    void ResetToDefaults(IMouseProfile* profile) override;
    bool SetStageCapacity(uint32_t n, IMouseProfile* profile) override;
    void SetAccelerationRange(int min, int max) override;
    void SetPollingRates(const std::vector<int>& rates) override;
    void ResetBatteryLevelRange() override;
    void SetStageCount(uint32_t n, IMouseProfile* profile) override;
    uint32_t GetStageCapacity(IMouseProfile* profile) const override;
    uint32_t GetStageCount(IMouseProfile* profile) const override;
    uint32_t GetPollingRateCount() const override { return m_pollingRateCount; }
    void SetDpiOsd(uint8_t on, IMouseProfile* profile) override
    {
        this->OnProfile(profile, &IMouseProfile::SetDpiOsd, on);
    }
    uint8_t GetDpiOsd(IMouseProfile* profile) const override
    {
        return this->FromProfile(profile, &IMouseProfile::GetDpiOsd, 0);
    }
    void SetStageFlag(int stage, uint8_t flag, IMouseProfile* profile) override;
    uint8_t GetStageFlag(int stage, IMouseProfile* profile) const override;
    void SetAccelerationEnabled(uint8_t on) override { m_accelerationEnabled = on; }
    uint8_t GetAccelerationEnabled() const override { return m_accelerationEnabled; }
    void SetAcceleration(int value) override;
    int GetAcceleration() const override { return (int)m_acceleration; }
    void SetCurrentStage(uint32_t n, IMouseProfile* profile) override;
    int GetCurrentStage(IMouseProfile* profile) const override;
    void SetStageValue(int stage, uint32_t value, IMouseProfile* profile) override;
    uint32_t GetStageValue(int stage, IMouseProfile* profile) const override;
    void SetDpi(int value, IMouseProfile* profile) override
    {
        this->OnProfile(profile, &IMouseProfile::SetDpi, value);
    }
    int GetDpi(IMouseProfile* profile) const override
    {
        return this->FromProfile(profile, &IMouseProfile::GetDpi, 0);
    }
    void SetDpiX(int value, IMouseProfile* profile) override
    {
        this->OnProfile(profile, &IMouseProfile::SetDpiX, value);
    }
    int GetDpiX(IMouseProfile* profile) const override
    {
        return this->FromProfile(profile, &IMouseProfile::GetDpiX, 0);
    }
    void SetDpiY(int value, IMouseProfile* profile) override
    {
        this->OnProfile(profile, &IMouseProfile::SetDpiY, value);
    }
    int GetDpiY(IMouseProfile* profile) const override
    {
        return this->FromProfile(profile, &IMouseProfile::GetDpiY, 0);
    }
    void SetXYSeparate(uint8_t on, IMouseProfile* profile) override;
    uint8_t GetXYSeparate(IMouseProfile* profile) const override;
    void SetIntJ(int value, IMouseProfile* profile) override
    {
        this->OnProfile(profile, &IMouseProfile::SetIntJ, value);
    }
    int GetIntJ(IMouseProfile* profile) const override
    {
        return this->FromProfile(profile, &IMouseProfile::GetIntJ, 0);
    }
    void SetIntK(int value, IMouseProfile* profile) override
    {
        this->OnProfile(profile, &IMouseProfile::SetIntK, value);
    }
    int GetIntK(IMouseProfile* profile) const override
    {
        return this->FromProfile(profile, &IMouseProfile::GetIntK, 0);
    }
    void SetIntL(int value, IMouseProfile* profile) override
    {
        this->OnProfile(profile, &IMouseProfile::SetIntL, value);
    }
    int GetIntL(IMouseProfile* profile) const override
    {
        return this->FromProfile(profile, &IMouseProfile::GetIntL, 0);
    }
    void SetByteF(uint8_t value, IMouseProfile* profile) override
    {
        this->OnProfile(profile, &IMouseProfile::SetByteF, value);
    }
    uint8_t GetByteF(IMouseProfile* profile) const override
    {
        return this->FromProfile(profile, &IMouseProfile::GetByteF, 0);
    }
    void SetStageX(int stage, uint32_t value, IMouseProfile* profile) override;
    uint32_t GetStageX(int stage, IMouseProfile* profile) const override;
    void SetStageY(int stage, uint32_t value, IMouseProfile* profile) override;
    uint32_t GetStageY(int stage, IMouseProfile* profile) const override;
    void SetDpiRange(uint32_t min, uint32_t max, uint32_t step, IMouseProfile* profile) override;
    bool GetDpiRange(uint32_t& min, uint32_t& max, uint32_t& step, IMouseProfile* profile) const override;
    void SetReserved4(int) override {}
    bool GetReserved4() const override { return false; }
    void SetReserved5(int) override {}
    bool GetReserved5() const override { return false; }
    void SetPollingRateIndex(int index) override { m_pollingRateIndex = index; }
    int GetPollingRateIndex() const override { return m_pollingRateIndex; }
    int GetPollingRate(int index) override { return m_pollingRates[index]; }
    void SetButtonAssignment(int button, const AssignmentRecord& record, IMouseProfile* profile) override
    {
        this->OnProfile(profile, &IMouseProfile::SetButtonAssignment, button, record);
    }
    void GetButtonAssignment(AssignmentRecord& out, int button, IMouseProfile* profile) override;
    bool HasClickAssignment(IMouseProfile* profile) const override
    {
        return this->FromProfile(profile, &IMouseProfile::HasClickAssignment, false);
    }
    void GetStaticButtonDefault(AssignmentRecord& out, int button) const override;
    void GetDefaultKeyRecord(AssignmentRecord& out, uint32_t key) const override;
    void SetKeyMode(uint8_t mode, IMouseProfile* profile) override
    {
        this->OnProfile(profile, &IMouseProfile::SetKeyMode, mode);
    }
    uint8_t GetKeyMode(IMouseProfile* profile) const override
    {
        return this->FromProfile(profile, &IMouseProfile::GetKeyMode, 0);
    }
    uint32_t GetAccelerationMin() const override { return m_accelerationMin; }
    uint32_t GetAccelerationMax() const override { return m_accelerationMax; }
    int Reserved30() const override { return 0; }
    int Reserved31() const override { return 0; }
    void SetBatteryState(int state) override { m_batteryState = state; }
    int GetBatteryState() const override { return m_batteryState; }
    uint32_t GetBatteryLevelMin() const override { return m_batteryMin; }
    uint32_t GetBatteryLevelMax() const override { return m_batteryMax; }
    void SetBatteryLevel(uint32_t level) override;
    uint32_t GetBatteryLevel() const override { return m_batteryLevel; }
    void SetFlashWarningLevel(uint32_t level) override;
    uint32_t GetFlashWarningLevel() const override { return m_flashWarningLevel; }
    void SetIdleToSleepSeconds(uint32_t seconds) override { m_idleToSleepSeconds = seconds; }
    uint32_t GetIdleToSleepSeconds() const override { return m_idleToSleepSeconds; }
    void SetReducedBrightness(uint32_t percent) override;
    uint32_t GetReducedBrightness() const override { return m_reducedBrightness; }

    // 0: the thumb grid carries the number-row keys, 1: the keypad keys.
    // Read and written directly by the dialog.
    int keypadLayout = 0;

protected:
    using CProfileList<P>::Pick;

    // A new profile gets its own defaults; the mouse-wide values stay.
    void SetNewProfileDefaults(IMouseProfile* profile) override;
    // The defaults of one profile's own values; nothing for null.
    void ResetProfileValues(IMouseProfile* profile);

    // The profile-less stage arrays, used when there is no profile at all.
    struct ProfilelessStages {
        std::unique_ptr<uint32_t[]> values;
        std::unique_ptr<uint32_t[]> x;
        std::unique_ptr<uint32_t[]> y;
    };
    void StoreProfileless(std::unique_ptr<uint32_t[]>& array, int stage, uint32_t value);
    uint32_t ReadProfileless(const std::unique_ptr<uint32_t[]>& array, int stage) const;

    int m_batteryState = -1;
    uint32_t m_batteryMin = 0;
    uint32_t m_batteryMax = 1;
    uint32_t m_batteryLevel = 0;
    uint32_t m_flashWarningLevel = 0;
    uint32_t m_reducedBrightness = 100;
    uint32_t m_idleToSleepSeconds = 1;
    uint8_t m_plFlag = 0;  // shared by SetStageFlag and SetXYSeparate
    uint32_t m_plDpiMin = 0;
    uint32_t m_plDpiMax = 0;
    uint32_t m_plDpiStep = 0;
    ProfilelessStages m_plStages;
    std::map<int, int> m_pollingRates;  // keys 0-4
    uint32_t m_plCapacity = 0;
    uint32_t m_plStageCount = 0;
    uint32_t m_pollingRateCount = 0;
    int m_plCurrentStage = -1;
    uint32_t m_accelerationMin = 0;
    uint32_t m_accelerationMax = 0;
    uint32_t m_acceleration = 0;
    uint8_t m_accelerationEnabled = 0;
    int m_pollingRateIndex = -1;
};
