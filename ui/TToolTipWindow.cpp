#include "TToolTipWindow.h"

#include <algorithm>

#include <Message.h>
#include <MessageRunner.h>
#include <Screen.h>

#include "TBasicWindow.h"
#include "TTipView.h"

std::atomic<int32> TToolTipWindow::smOpen{0};

TToolTipWindow::TToolTipWindow(BRect frame, const char* name, const char* tip, bigtime_t showTime)
    : BWindow(frame, name, B_BORDERED_WINDOW_LOOK, B_FLOATING_APP_WINDOW_FEEL,
              B_AVOID_FRONT | B_AVOID_FOCUS, B_CURRENT_WORKSPACE),
      mQuitRunner(nullptr)
{
	smOpen++;
	TTipView* view = new TTipView("ToolTip", tip);
	view->ResizeToPreferred();
	BRect bounds = view->Bounds();
	ResizeTo(bounds.right, bounds.bottom);
	AddChild(view);

	// The tip stays whole on the screen, frame included. Pushed up from the bottom it would
	// lie under the pointer, so it goes above the pointer instead.
	BRect screen = BScreen(this).Frame();
	if (screen.IsValid()) {
		float border = TBasicWindow::BorderWidth(B_BORDERED_WINDOW_LOOK);
		BPoint where = frame.LeftTop();
		if (where.y + bounds.bottom > screen.bottom - border)
			where.y = frame.top - 2 * kPointerOffset - bounds.bottom - 1;
		where.x = std::min(where.x, screen.right - border - bounds.right);
		where.x = std::max(where.x, screen.left + border);
		where.y = std::max(where.y, screen.top + border);
		MoveTo(where);
	}

	if (showTime > 0) {
		BMessage quit(B_QUIT_REQUESTED);
		mQuitRunner = new BMessageRunner(BMessenger(this), &quit, showTime, 1);
	}
}

TToolTipWindow::~TToolTipWindow()
{
	delete mQuitRunner;
	smOpen--;
}
