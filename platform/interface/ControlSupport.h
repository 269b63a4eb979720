// What every view that behaves as a control does alike, whether it is a BControl or not (a
// menu field is a plain view): blending into what it stands on, keeping a label that may be
// absent, and leaving keyboard navigation while disabled.
#ifndef _CONTROL_SUPPORT_H
#define _CONTROL_SUPPORT_H

#include <string>

#include <SupportDefs.h>

class BView;

namespace BPrivate {

// Takes the parent's view colour (the panel's where there is none to take) as the view's
// view and low colour.
void blend_into_parent(BView* view);

// Stores the label (null: none); false when it did not change.
bool set_optional_label(std::string* text, bool* present, const char* label);

// A disabled view is skipped by keyboard navigation and gives up the focus; enabled again, it
// is navigable if it was before.
void set_navigable_for_enabled(BView* view, bool enabled, bool* wasNavigable);

} // namespace BPrivate

#endif
