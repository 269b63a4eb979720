// The screen the application's windows are on. The substitute platform knows one screen, the
// display backend's; a BScreen is valid while the application runs (its display is open).
#ifndef _SCREEN_H
#define _SCREEN_H

#include <GraphicsDefs.h>
#include <Rect.h>

class BWindow;

class BScreen {
public:
	explicit BScreen(screen_id id = B_MAIN_SCREEN_ID);
	explicit BScreen(BWindow* window);
	~BScreen() = default;

	bool IsValid() const;
	// There is no other screen: B_ERROR.
	status_t SetToNext();
	screen_id ID() const;

	// The screen in screen coordinates, (0, 0) at its left-top pixel; an invalid rectangle
	// when there is no display.
	BRect Frame() const;
	color_space ColorSpace() const;
};

#endif
