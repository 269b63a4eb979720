#include <InterfaceDefs.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include <ModifiersSource.h>
#include <X11Keyboard.h>

namespace {

struct UIColor {
	color_which which;
	const char* name;
	rgb_color color;
};

// A light, neutral look; the style painter derives every shade of the controls from these.
const UIColor kPalette[] = {
    {B_PANEL_BACKGROUND_COLOR, "B_PANEL_BACKGROUND_COLOR", {216, 216, 216, 255}},
    {B_PANEL_TEXT_COLOR, "B_PANEL_TEXT_COLOR", {0, 0, 0, 255}},
    {B_DOCUMENT_BACKGROUND_COLOR, "B_DOCUMENT_BACKGROUND_COLOR", {255, 255, 255, 255}},
    {B_DOCUMENT_TEXT_COLOR, "B_DOCUMENT_TEXT_COLOR", {0, 0, 0, 255}},
    {B_CONTROL_BACKGROUND_COLOR, "B_CONTROL_BACKGROUND_COLOR", {245, 245, 245, 255}},
    {B_CONTROL_TEXT_COLOR, "B_CONTROL_TEXT_COLOR", {0, 0, 0, 255}},
    {B_CONTROL_BORDER_COLOR, "B_CONTROL_BORDER_COLOR", {0, 0, 0, 255}},
    {B_CONTROL_HIGHLIGHT_COLOR, "B_CONTROL_HIGHLIGHT_COLOR", {102, 152, 203, 255}},
    {B_CONTROL_MARK_COLOR, "B_CONTROL_MARK_COLOR", {27, 82, 140, 255}},
    {B_NAVIGATION_BASE_COLOR, "B_NAVIGATION_BASE_COLOR", {0, 0, 229, 255}},
    {B_NAVIGATION_PULSE_COLOR, "B_NAVIGATION_PULSE_COLOR", {0, 0, 0, 255}},
    {B_SHINE_COLOR, "B_SHINE_COLOR", {255, 255, 255, 255}},
    {B_SHADOW_COLOR, "B_SHADOW_COLOR", {0, 0, 0, 255}},
    {B_LINK_TEXT_COLOR, "B_LINK_TEXT_COLOR", {0, 0, 255, 255}},
    {B_LINK_HOVER_COLOR, "B_LINK_HOVER_COLOR", {0, 0, 255, 255}},
    {B_LINK_VISITED_COLOR, "B_LINK_VISITED_COLOR", {128, 0, 128, 255}},
    {B_LINK_ACTIVE_COLOR, "B_LINK_ACTIVE_COLOR", {255, 0, 0, 255}},
    {B_MENU_BACKGROUND_COLOR, "B_MENU_BACKGROUND_COLOR", {216, 216, 216, 255}},
    {B_MENU_SELECTED_BACKGROUND_COLOR, "B_MENU_SELECTED_BACKGROUND_COLOR", {115, 120, 184, 255}},
    {B_MENU_ITEM_TEXT_COLOR, "B_MENU_ITEM_TEXT_COLOR", {0, 0, 0, 255}},
    {B_MENU_SELECTED_ITEM_TEXT_COLOR, "B_MENU_SELECTED_ITEM_TEXT_COLOR", {255, 255, 255, 255}},
    {B_MENU_SELECTED_BORDER_COLOR, "B_MENU_SELECTED_BORDER_COLOR", {0, 0, 0, 255}},
    {B_LIST_BACKGROUND_COLOR, "B_LIST_BACKGROUND_COLOR", {255, 255, 255, 255}},
    {B_LIST_SELECTED_BACKGROUND_COLOR, "B_LIST_SELECTED_BACKGROUND_COLOR", {190, 190, 190, 255}},
    {B_LIST_ITEM_TEXT_COLOR, "B_LIST_ITEM_TEXT_COLOR", {0, 0, 0, 255}},
    {B_LIST_SELECTED_ITEM_TEXT_COLOR, "B_LIST_SELECTED_ITEM_TEXT_COLOR", {0, 0, 0, 255}},
    {B_SCROLL_BAR_THUMB_COLOR, "B_SCROLL_BAR_THUMB_COLOR", {216, 216, 216, 255}},
    {B_TOOL_TIP_BACKGROUND_COLOR, "B_TOOL_TIP_BACKGROUND_COLOR", {255, 255, 208, 255}},
    {B_TOOL_TIP_TEXT_COLOR, "B_TOOL_TIP_TEXT_COLOR", {0, 0, 0, 255}},
    {B_STATUS_BAR_COLOR, "B_STATUS_BAR_COLOR", {50, 150, 255, 255}},
    {B_SUCCESS_COLOR, "B_SUCCESS_COLOR", {0, 255, 0, 255}},
    {B_FAILURE_COLOR, "B_FAILURE_COLOR", {255, 0, 0, 255}},
    {B_WINDOW_TAB_COLOR, "B_WINDOW_TAB_COLOR", {255, 203, 0, 255}},
    {B_WINDOW_TEXT_COLOR, "B_WINDOW_TEXT_COLOR", {0, 0, 0, 255}},
    {B_WINDOW_INACTIVE_TAB_COLOR, "B_WINDOW_INACTIVE_TAB_COLOR", {232, 232, 232, 255}},
    {B_WINDOW_INACTIVE_TEXT_COLOR, "B_WINDOW_INACTIVE_TEXT_COLOR", {80, 80, 80, 255}},
    {B_WINDOW_BORDER_COLOR, "B_WINDOW_BORDER_COLOR", {224, 224, 224, 255}},
    {B_WINDOW_INACTIVE_BORDER_COLOR, "B_WINDOW_INACTIVE_BORDER_COLOR", {232, 232, 232, 255}},
    {B_DESKTOP_COLOR, "B_DESKTOP_COLOR", {51, 102, 152, 255}},
};

const UIColor* find_ui_color(color_which which)
{
	for (const UIColor& entry : kPalette) {
		if (entry.which == which)
			return &entry;
	}
	return nullptr;
}

// Atomics because the backend's thread may install its source while a window thread asks.
std::atomic<BPrivate::modifiers_source> sModifiersSource{nullptr};
std::atomic<uint32> sHeadlessModifiers{0};

uint8 clamp_channel(float value)
{
	if (value <= 0.0f)
		return 0;
	if (value >= 255.0f)
		return 255;
	return (uint8)std::lround(value);
}

} // namespace

rgb_color ui_color(color_which which)
{
	const UIColor* entry = find_ui_color(which);
	return entry != nullptr ? entry->color : make_color(0, 0, 0);
}

const char* ui_color_name(color_which which)
{
	const UIColor* entry = find_ui_color(which);
	return entry != nullptr ? entry->name : nullptr;
}

rgb_color tint_color(rgb_color color, float tint)
{
	// Below 1 the colour moves towards white (0 is white); above 1 towards black (2 is black).
	rgb_color result = color;
	if (tint < 1.0f) {
		float keep = tint < 0.0f ? 0.0f : tint;
		result.red = clamp_channel(255.0f - (255.0f - color.red) * keep);
		result.green = clamp_channel(255.0f - (255.0f - color.green) * keep);
		result.blue = clamp_channel(255.0f - (255.0f - color.blue) * keep);
	} else if (tint > 1.0f) {
		float keep = 2.0f - tint;
		result.red = clamp_channel(color.red * keep);
		result.green = clamp_channel(color.green * keep);
		result.blue = clamp_channel(color.blue * keep);
	}
	return result;
}

// The live state comes from the display server even before an application or a backend
// exists, since the settings' four-key reset is checked first thing. A run that chose the
// headless backend never asks the server: its keyboard is the one tests set.
uint32 modifiers()
{
	BPrivate::modifiers_source source = sModifiersSource.load();
	if (source != nullptr)
		return source();
	const char* backend = getenv("GLOWPLATE_BACKEND");
	uint32 live = 0;
	if ((backend == nullptr || strcmp(backend, "headless") != 0) &&
	    BPrivate::read_x11_modifiers(&live)) {
		return live;
	}
	// Where no X server can tell (a Wayland-only session), no keys are reported held.
	return sHeadlessModifiers.load();
}

namespace BPrivate {

void set_modifiers_source(modifiers_source source)
{
	sModifiersSource.store(source);
}

void set_headless_modifiers(uint32 modifiers)
{
	sHeadlessModifiers.store(modifiers);
}

} // namespace BPrivate
