// The thumb grid's keys and their default key records, from the keyboard
// definitions.
#pragma once
#include <cstdint>
#include "AssignmentRecord.h"

const int kThumbGridFirstButton = 14;
const int kThumbGridLastButton = 25;

// Key id (name hash) carried by thumb-grid button 14-25 in the number-row
// or keypad layout; 0 for any other button.
uint32_t ThumbGridKeyHash(int buttonId, bool keypad);

// Type 0 with the key's default code from the key-defaults file, no
// virtual-key code, and modifier bit 0 when the default's flag is set.
AssignmentRecord DefaultKeyRecord(uint32_t key);
