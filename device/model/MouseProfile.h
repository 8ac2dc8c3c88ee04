// CMouseProfile: the mouse part of a profile (button assignments, DPI
// stages and sensitivity values, display flag, key mode).
#pragma once
#include <vector>
#include "BaseProfile.h"

struct ProfileStage {
    int value = 0;
    int x = 0;
    int y = 0;
    uint8_t flag = 0;
};

class CMouseProfile : public CBaseProfile {
public:
    static const uint32_t kMaxStages = 10;

    CMouseProfile() = default;
    explicit CMouseProfile(const wchar_t* name) : CBaseProfile(name) {}

    virtual void CopyFrom(const CMouseProfile& source);
    bool IsFunctionTypeAllowed(int type, int button) const override = 0;
    bool IsKeyFunctionTypeAllowed(int) const override { return false; }

    bool SetStageCapacity(uint32_t n) override;
    uint32_t GetStageCapacity() const override { return m_capacity; }
    uint32_t GetStageCount() const override { return m_stageCount; }
    uint32_t GetKeyAssignmentCount() const override { return (uint32_t)m_keyAssignments.size(); }
    void SetStageCount(uint32_t n) override { m_stageCount = n < m_capacity ? n : m_capacity; }
    void SetDpiOsd(uint8_t on) override { m_dpiOsd = on; }
    uint8_t GetDpiOsd() const override { return m_dpiOsd; }
    void SetStageFlag(int stage, uint8_t flag) override;
    uint8_t GetStageFlag(int stage) const override;
    void SetXYSeparate(uint8_t on) override { m_xySeparate = on; }
    uint8_t GetXYSeparate() const override { return m_xySeparate; }
    void SetByteF(uint8_t value) override { m_byteF = value; }
    uint8_t GetByteF() const override { return m_byteF; }
    void SetCurrentStage(uint32_t n) override;
    int GetCurrentStage() const override { return m_currentStage + 1; }
    void SetDpi(int value) override { m_dpi = value; }
    int GetDpi() const override { return m_dpi; }
    void SetDpiX(int value) override { m_dpiX = value; }
    int GetDpiX() const override { return m_dpiX; }
    void SetDpiY(int value) override { m_dpiY = value; }
    int GetDpiY() const override { return m_dpiY; }
    void SetIntJ(int value) override { m_intJ = value; }
    int GetIntJ() const override { return m_intJ; }
    void SetIntK(int value) override { m_intK = value; }
    int GetIntK() const override { return m_intK; }
    void SetIntL(int value) override { m_intL = value; }
    int GetIntL() const override { return m_intL; }
    void SetStageValue(int stage, uint32_t value) override;
    uint32_t GetStageValue(int stage) const override;
    void SetStageX(int stage, uint32_t value) override;
    uint32_t GetStageX(int stage) const override;
    void SetStageY(int stage, uint32_t value) override;
    uint32_t GetStageY(int stage) const override;
    void SetDpiRange(uint32_t min, uint32_t max, uint32_t step) override;
    bool GetDpiRange(uint32_t& min, uint32_t& max, uint32_t& step) const override;
    void SetReserved2(int) override {}
    int GetReserved2() const override { return 0; }
    void SetButtonAssignment(int button, const AssignmentRecord& record) override;
    void GetButtonAssignment(AssignmentRecord& out, int button) override;
    bool HasClickAssignment() const override;
    void SetKeyMode(uint8_t mode) override { m_keyMode = mode; }
    uint8_t GetKeyMode() const override { return m_keyMode; }
    void Reserved1() override {}
    void SetReserved3(int, int) override {}
    bool GetReserved3(int) const override { return false; }

    // Index of the stage a 1-based stage number addresses: above the
    // capacity the last, below 1 the first; -1 when there is no stage.
    static int ResolveStage(int stage, uint32_t capacity);
    // Into [min, max] by unsigned comparison, the maximum winning.
    static uint32_t ClampToRange(uint32_t value, uint32_t min, uint32_t max);

protected:
    ProfileStage* Stage(int stage);
    const ProfileStage* Stage(int stage) const;

    std::map<int, AssignmentRecord> m_buttonAssignments;  // by button 1-13
    uint8_t m_dpiOsd = 0;
    uint8_t m_keyMode = 1;
    uint32_t m_dpiMin = 0;
    uint32_t m_dpiMax = 0;
    uint32_t m_dpiStep = 0;
    std::vector<ProfileStage> m_stages;  // m_capacity entries
    uint32_t m_capacity = 0;
    uint32_t m_stageCount = 0;  // may exceed m_capacity after a capacity change
    int m_currentStage = -1;
    int m_dpi = 0;
    int m_dpiX = 0;
    int m_dpiY = 0;
    uint8_t m_xySeparate = 0;
    int m_intJ = 0;
    int m_intK = 0;
    int m_intL = 0;
    uint8_t m_byteF = 0;
};
