// Which feature steps a transfer runs, decided from the model's feature
// codes, the direction and the caller's feature mask. Plain data, so the
// rules are testable without the device service.
#pragma once
#include <cstdint>

struct DeviceDescriptor;

// Feature mask bits of IGenDevice::Transfer.
enum : uint32_t {
    kMaskButtons = 0x1,
    kMaskKeys = 0x2,
    kMaskLighting = 0x4,
    kMaskSensitivity = 0x8,
    kMaskMacros = 0x10,
    kMaskReportRate = 0x20,
    kMaskAcceleration = 0x40,
    kMaskApm = 0x80,
    kMaskProperties = 0x100,
    kMaskBattery = 0x400,
    kMaskPowerSettings = 0x800,
    kMaskUnitVersion = 0x1000,
    // Any of these makes a read walk the profiles.
    kMaskProfileBits = 0x30F,
};

// Feature codes a model lists.
enum : uint32_t {
    kCodeProfiles = 1,
    kCodeButtons = 2,
    kCodeKeys = 3,
    kCodeMacros = 4,
    kCodeLighting = 5,
    kCodeVersions = 6,
    kCodeProperties = 7,
    kCodeApm = 9,
    kCodeSensitivity = 10,
    kCodeReportRate = 11,
    kCodeAcceleration = 12,
    kCodePowerStatus = 14,
    kCodePowerSettings = 15,
    kCodeUnitVersion = 16,
};

struct TransferPlan {
    // The per-profile part and, inside it, each profile's steps.
    bool profiles = false;
    bool properties = false;
    bool sensitivity = false;
    bool buttons = false;
    bool keys = false;
    bool lighting = false;
    // Device-wide, in the order the sequences run them.
    bool acceleration = false;
    bool reportRate = false;
    bool macros = false;
    bool battery = false;        // reads only
    bool powerSettings = false;
    bool unitVersion = false;    // reads only
    bool setActiveProfile = false;  // writes only
};

// direction: kTransferWrite or kTransferRead (GenDevice.h). Writes see the
// mask as the 16-bit value the worker is given.
TransferPlan PlanTransfer(const DeviceDescriptor& model, int direction, uint32_t mask);
