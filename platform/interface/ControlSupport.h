// What every view that behaves as a control does alike, whether it is a BControl or not (a
// menu field is a plain view): keeping a label that may be absent, and leaving keyboard
// navigation while disabled. Blending into the parent is adopt_parent_colors (ViewColors.h).
#ifndef _CONTROL_SUPPORT_H
#define _CONTROL_SUPPORT_H

#include <string>

#include <SupportDefs.h>

class BView;

namespace BPrivate {

// Stores the label (null: none); false when it did not change.
bool set_optional_label(std::string* text, bool* present, const char* label);

// A disabled view is skipped by keyboard navigation and gives up the focus; enabled again, it
// is navigable if it was before.
void set_navigable_for_enabled(BView* view, bool enabled, bool* wasNavigable);

} // namespace BPrivate

#endif
