// The strip below a completing text field's caret that shows the suggestion: a pale, thinly
// bordered window that floats above the field's window and never takes the focus, so the user
// keeps typing into the field.
#ifndef T_AC_FAVORITE_WINDOW_H
#define T_AC_FAVORITE_WINDOW_H

#include <String.h>

#include "TBasicWindow.h"

class TTipView;

class TACFavoriteWindow : public TBasicWindow {
public:
	explicit TACFavoriteWindow(BRect frame);
	~TACFavoriteWindow() override;

	// Shows the suggestion and fits the window to it; the same suggestion again changes
	// nothing. Locks the window itself.
	void SetFavorite(const BString& favorite);
	BString Favorite() const { return mFavorite; }

private:
	BString mFavorite;
	TTipView* mFavoriteView;
};

#endif
