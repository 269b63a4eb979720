#include "ControlSupport.h"

#include <View.h>

namespace BPrivate {

bool set_optional_label(std::string* text, bool* present, const char* label)
{
	bool hasLabel = label != nullptr;
	std::string value = label != nullptr ? label : "";
	if (hasLabel == *present && value == *text)
		return false;
	*present = hasLabel;
	*text = value;
	return true;
}

void set_navigable_for_enabled(BView* view, bool enabled, bool* wasNavigable)
{
	if (!enabled) {
		*wasNavigable = (view->Flags() & B_NAVIGABLE) != 0;
		view->SetFlags(view->Flags() & ~B_NAVIGABLE);
		if (view->IsFocus())
			view->MakeFocus(false);
	} else if (*wasNavigable) {
		view->SetFlags(view->Flags() | B_NAVIGABLE);
	}
}

} // namespace BPrivate
