// Walks every assignment of every profile (the seven buttons and the thumb
// keys in both grid layouts, 24 key slots) and gives the control its
// default back where a rule says so: what deleting a macro or a profile
// leaves behind must not point at it any more.
#pragma once
#include <functional>

#include "AssignmentRecord.h"

class CMacro;
class IMouseConfig;

// True for a record that is to go back to its control's default.
using AssignmentRule = std::function<bool(const AssignmentRecord&)>;

// Buttons get their static default, thumb keys the default key of their
// key id. Returns how many records were reset.
int ResetAssignmentsWhere(IMouseConfig& config, const AssignmentRule& rule);

// Records of that macro: type 6 with its GUID (a null GUID matches none) or
// type 7 with its name, compared ignoring case.
bool RecordUsesMacro(const AssignmentRecord& record, const CMacro& macro);
int ClearMacroAssignments(IMouseConfig& config, const CMacro& macro);
