#include "ViewColors.h"

#include <View.h>

namespace BPrivate {

void adopt_parent_colors(BView* view)
{
	BView* parent = view->Parent();
	rgb_color background =
	    parent != nullptr ? parent->ViewColor() : ui_color(B_PANEL_BACKGROUND_COLOR);
	if (background == B_TRANSPARENT_COLOR)
		background = ui_color(B_PANEL_BACKGROUND_COLOR);
	view->SetViewColor(background);
	view->SetLowColor(background);
}

} // namespace BPrivate
