#include "TTipView.h"

#include <String.h>

TTipView::TTipView(const char* name, const char* text)
    : BStringView(BRect(0, 0, 1, 1), name, "", B_FOLLOW_LEFT_TOP, B_WILL_DRAW)
{
	SetViewColor(kBackground);
	SetLowColor(kBackground);
	SetTip(text);
}

TTipView::~TTipView() {}

void TTipView::SetTip(const char* text)
{
	BString padded(" ");
	padded << (text != nullptr ? text : "") << " ";
	SetText(padded.String());
}

void TTipView::Draw(BRect updateRect)
{
	BStringView::Draw(updateRect);
	SetHighColor(kFrame);
	StrokeRect(Bounds());
}

void TTipView::GetPreferredSize(float* width, float* height)
{
	BStringView::GetPreferredSize(width, height);
	if (width != nullptr)
		*width += 2;
	if (height != nullptr)
		*height += 2;
}
