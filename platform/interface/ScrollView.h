// A frame around a target view with a horizontal and/or a vertical scroll bar beside it. The
// scroll view takes the target's place: its frame is the target's frame grown by the border
// and the bars, and the target moves inside and follows its size. The border is drawn
// highlighted while the target shows that it has the focus (SetBorderHighlighted, which a
// list or text view calls from its MakeFocus).
//
// Border widths: B_FANCY_BORDER 2 pixels, B_PLAIN_BORDER 1, B_NO_BORDER 0.
#ifndef _SCROLL_VIEW_H
#define _SCROLL_VIEW_H

#include <View.h>

class BScrollBar;

class BScrollView : public BView {
public:
	BScrollView(const char* name, BView* target, uint32 resizingMode = B_FOLLOW_LEFT_TOP,
	            uint32 flags = 0, bool horizontal = false, bool vertical = false,
	            border_style border = B_FANCY_BORDER);
	// "_style" is the border; the target and the bars are the archived children, found
	// again rather than made anew ("_no_target_" when there was no target).
	explicit BScrollView(BMessage* archive);
	~BScrollView() override;

	static BArchivable* Instantiate(BMessage* archive);
	status_t Archive(BMessage* archive, bool deep = true) const override;

	void AttachedToWindow() override;
	void Draw(BRect updateRect) override;
	void WindowActivated(bool active) override;

	BScrollBar* ScrollBar(orientation direction) const;
	BView* Target() const { return fTarget; }

	virtual void SetBorder(border_style border);
	border_style Border() const { return fBorder; }
	virtual status_t SetBorderHighlighted(bool highlighted);
	bool IsBorderHighlighted() const { return fHighlighted; }

	void GetPreferredSize(float* width, float* height) override;

private:
	// Places the target and the bars inside the current bounds for the border.
	void _Layout();
	// The part of the bounds the bars leave for the target, inside the border.
	BRect _TargetFrame() const;

	BView* fTarget;
	BScrollBar* fHorizontal;
	BScrollBar* fVertical;
	border_style fBorder;
	bool fHighlighted;
};

#endif
