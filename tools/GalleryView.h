// The content of the gallery's window: one of every control, laid out in groups, each telling
// the window what the user did with it, and a status line at the bottom.
#ifndef GALLERY_VIEW_H
#define GALLERY_VIEW_H

#include <vector>

#include <View.h>

class BControl;
class BStringView;
class BTextControl;

namespace BPrivate {

class GalleryView : public BView {
public:
	// What the view tells its window; "text" says what happened.
	enum : uint32 { kMsgReport = 'grep' };

	explicit GalleryView(BRect frame);

	void AttachedToWindow() override;
	void MessageReceived(BMessage* message) override;

	void ShowStatus(const char* text);
	void SetControlsEnabled(bool enabled);

private:
	void _BuildTextGroup(BView* box);
	void _BuildChoices(BView* box);
	void _BuildRightColumn();
	void _Report(const std::string& text);

	BTextControl* fName;
	BStringView* fStatus;
	std::vector<BControl*> fControls;
};

} // namespace BPrivate

#endif
