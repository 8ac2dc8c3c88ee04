// The configurator's model flag: one bit per model it knows, so skin items
// can carry a mask of the models they belong to.
#pragma once
#include <cstdint>

enum ModelFlag : int {
    MODEL_NONE = 0,
    MODEL_WIRELESS = 1,  // product 0x1F
    MODEL_DOCK = 2,      // product 0x21, the wireless mouse's charging dock
    MODEL_WIRED = 4,     // product 0x15
    MODEL_2E = 8,        // product 0x2E, a cable mouse like 0x15
    MODEL_NULL = 0x10,   // only in masks: items of the "no known model" look
};

constexpr uint32_t kProductWireless = 0x1F;
constexpr uint32_t kProductDock = 0x21;
constexpr uint32_t kProductWired = 0x15;
constexpr uint32_t kProduct2E = 0x2E;

inline int ModelFlagFromProductId(uint32_t productId)
{
    switch (productId) {
    case kProductWireless: return MODEL_WIRELESS;
    case kProductDock: return MODEL_DOCK;
    case kProductWired: return MODEL_WIRED;
    case kProduct2E: return MODEL_2E;
    default: return MODEL_NONE;
    }
}

// The product a model flag stands for; 0 for none.
inline uint32_t ProductIdFromModelFlag(int flag)
{
    switch (flag) {
    case MODEL_WIRELESS: return kProductWireless;
    case MODEL_DOCK: return kProductDock;
    case MODEL_WIRED: return kProductWired;
    case MODEL_2E: return kProduct2E;
    default: return 0;
    }
}

// The models without a battery or a lighting colour: a cable mouse.
inline bool IsWiredModel(int flag) { return flag == MODEL_WIRED || flag == MODEL_2E; }
