#include "DialogPlacement.h"

#include <algorithm>
#include <cmath>

#include <Rect.h>
#include <Screen.h>

#include "Desktop.h"

namespace BPrivate {

BPoint dialog_position(float width, float height)
{
	BRect screen = BScreen().Frame();
	if (!screen.IsValid())
		return BPoint(0, 0);
	BRect over = screen;
	BRect focused;
	Desktop* desktop = Desktop::Current();
	if (desktop != nullptr && desktop->FocusedWindowFrame(&focused) && focused.IsValid())
		over = focused;
	float left = std::floor(over.left + (over.Width() - width) / 2);
	float top = std::floor(over.top + (over.Height() - height) / 2);
	left = std::max(screen.left, std::min(left, screen.right - width));
	top = std::max(screen.top, std::min(top, screen.bottom - height));
	return BPoint(left, top);
}

} // namespace BPrivate
