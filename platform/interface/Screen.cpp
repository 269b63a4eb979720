#include <Screen.h>

#include "Desktop.h"

using BPrivate::Desktop;

BScreen::BScreen(screen_id) {}

BScreen::BScreen(BWindow*) {}

bool BScreen::IsValid() const
{
	return Desktop::Current() != nullptr;
}

status_t BScreen::SetToNext()
{
	return B_ERROR;
}

screen_id BScreen::ID() const
{
	return B_MAIN_SCREEN_ID;
}

BRect BScreen::Frame() const
{
	Desktop* desktop = Desktop::Current();
	if (desktop == nullptr)
		return BRect();
	graphics::IntRect frame = desktop->Backend()->ScreenFrame();
	return BRect(frame.left, frame.top, frame.right, frame.bottom);
}

color_space BScreen::ColorSpace() const
{
	return IsValid() ? B_RGB32 : B_NO_COLOR_SPACE;
}
