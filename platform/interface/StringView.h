// A line of text that the user reads and does not edit: a caption beside a control, a status
// line. The text is drawn as it is, aligned left, centred or right, and centred vertically on
// the view's baseline; text wider than the view runs past its edges instead of being cut
// short. The text takes the view's high colour.
#ifndef _STRING_VIEW_H
#define _STRING_VIEW_H

#include <string>

#include <View.h>

class BStringView : public BView {
public:
	BStringView(BRect frame, const char* name, const char* text,
	            uint32 resizingMode = B_FOLLOW_LEFT_TOP, uint32 flags = B_WILL_DRAW);
	// "_text" and "_align" as Archive writes them.
	explicit BStringView(BMessage* archive);
	~BStringView() override;

	static BArchivable* Instantiate(BMessage* archive);
	status_t Archive(BMessage* archive, bool deep = true) const override;

	void AttachedToWindow() override;
	void Draw(BRect updateRect) override;

	// A null text is an empty one; Text never returns null.
	void SetText(const char* text);
	const char* Text() const { return fText.c_str(); }
	void SetAlignment(alignment flag);
	alignment Alignment() const { return fAlign; }

	// The text's width rounded up and the height of a line of the font.
	void GetPreferredSize(float* width, float* height) override;

private:
	std::string fText;
	alignment fAlign;
};

#endif
