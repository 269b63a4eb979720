#include "TACFavoriteWindow.h"

#include <Autolock.h>

#include "TTipView.h"

TACFavoriteWindow::TACFavoriteWindow(BRect frame)
    : TBasicWindow(frame, "ACFavorite", B_BORDERED_WINDOW_LOOK, B_FLOATING_APP_WINDOW_FEEL,
                   B_AVOID_FRONT | B_AVOID_FOCUS, B_CURRENT_WORKSPACE)
{
	mFavoriteView = new TTipView("Favorite", "");
	AddChild(mFavoriteView);
}

TACFavoriteWindow::~TACFavoriteWindow() {}

void TACFavoriteWindow::SetFavorite(const BString& favorite)
{
	BAutolock lock(this);
	if (!lock.IsLocked() || favorite == mFavorite)
		return;
	mFavorite = favorite;
	mFavoriteView->SetTip(favorite.String());
	mFavoriteView->ResizeToPreferred();
	BRect bounds = mFavoriteView->Bounds();
	ResizeTo(bounds.right, bounds.bottom);
}
