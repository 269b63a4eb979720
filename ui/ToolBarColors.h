// The colours of tool bars and tool buttons, and their bevels. Tool bars keep a look of their own,
// the raised and sunken bevels of an older desktop, the same in every program of the maker's
// family.
#ifndef TOOL_BAR_COLORS_H
#define TOOL_BAR_COLORS_H

#include <GraphicsDefs.h>
#include <View.h>

// The light and the dark line of a bevel.
inline constexpr rgb_color COLOR_BRIGHT_BORDER = {255, 255, 255, 255};
inline constexpr rgb_color COLOR_DARK_BORDER = {128, 128, 128, 255};
// The silhouette that a disabled button's image becomes, and a disabled button's label.
inline constexpr rgb_color COLOR_DISABLED_FILLED = {128, 128, 128, 255};
inline constexpr rgb_color COLOR_DISABLED_LABEL = {128, 128, 128, 255};
// The face of a button that is on (pressed or toggled), enabled or not.
inline constexpr rgb_color COLOR_ENABLED_DISABLED_ON_BG = {192, 192, 192, 255};
inline constexpr rgb_color COLOR_ENABLED_LABEL = {0, 0, 0, 255};
// The face of a button under the pointer.
inline constexpr rgb_color COLOR_HOT_OFF_BG = {240, 240, 240, 255};

// The frame of a bar or a button: light lines on the left and top, dark ones on the right and
// bottom for a raised face, the other way round for a sunken one.
inline void stroke_bevel(BView* view, BRect rect, bool sunken)
{
	view->SetHighColor(sunken ? COLOR_DARK_BORDER : COLOR_BRIGHT_BORDER);
	view->StrokeLine(rect.LeftBottom(), rect.LeftTop());
	view->StrokeLine(rect.LeftTop(), rect.RightTop());
	view->SetHighColor(sunken ? COLOR_BRIGHT_BORDER : COLOR_DARK_BORDER);
	view->StrokeLine(rect.RightTop(), rect.RightBottom());
	view->StrokeLine(rect.RightBottom(), rect.LeftBottom());
}

#endif
