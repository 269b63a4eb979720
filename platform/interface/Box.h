// A frame that groups views, with an optional label standing in its top line, 10 pixels
// from the left: the line stops short of the label on both sides and runs through the
// label's vertical centre. The border is etched (B_FANCY_BORDER), a single line
// (B_PLAIN_BORDER) or absent (B_NO_BORDER).
#ifndef _BOX_H
#define _BOX_H

#include <string>

#include <View.h>

class BBox : public BView {
public:
	BBox(BRect frame, const char* name = nullptr, uint32 resizingMode = B_FOLLOW_LEFT_TOP,
	     uint32 flags = B_WILL_DRAW | B_FRAME_EVENTS | B_NAVIGABLE_JUMP,
	     border_style border = B_FANCY_BORDER);
	// "_label" and "_style" as Archive writes them.
	explicit BBox(BMessage* archive);
	~BBox() override;

	static BArchivable* Instantiate(BMessage* archive);
	status_t Archive(BMessage* archive, bool deep = true) const override;

	void AttachedToWindow() override;
	void Draw(BRect updateRect) override;
	void FrameResized(float width, float height) override;

	virtual void SetBorder(border_style border);
	border_style Border() const { return fBorder; }
	// A null label is no label; Label returns null then.
	void SetLabel(const char* label);
	const char* Label() const { return fHasLabel ? fLabel.c_str() : nullptr; }

	// Where the top line runs (the label's vertical centre), and the area inside the frame
	// and below the label, in the box's coordinates.
	float TopBorderOffset();
	BRect InnerFrame();

	void GetPreferredSize(float* width, float* height) override;

private:
	// The label's rectangle in the box's coordinates; invalid without a label.
	BRect _LabelRect();

	std::string fLabel;
	bool fHasLabel;
	border_style fBorder;
};

#endif
