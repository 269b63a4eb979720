// Small helpers shared by the text view and text control tests.
#ifndef TEXT_TEST_SUPPORT_H
#define TEXT_TEST_SUPPORT_H

#include <utility>

#include <Autolock.h>
#include <TextView.h>
#include <Window.h>

#include "TestDriver.h"

typedef std::pair<int32, int32> Selection;

// The selection of a view, read under its window's lock (a view in no window needs none).
inline Selection selection_of(BWindow* window, BTextView* view)
{
	BAutolock lock(window);
	int32 start, finish;
	view->GetSelection(&start, &finish);
	return Selection(start, finish);
}

// Two barriers: the first lets the window handle the input sent so far, the second what that
// input posted in turn (the messages a control sends to a target in the same window).
inline void settle(BWindow* window)
{
	driver::Sync(window);
	driver::Sync(window);
}

#endif
