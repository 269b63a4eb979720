// TIAPView is the content of the shared preferences window: the configuration views of the
// items of every application of the family (its "components"), stacked in one column above a
// row of three buttons, Defaults, Cancel and OK.
//
// Components arrive as archives in IAP_MSG_ADD_COMPONENTS messages over the window's port; the
// first application that sends a component of a name supplies it. For each component the view
// keeps three archives with the item's value fields: the values the window was opened with
// (the opening copy), the present ones (the working copy) and the defaults. Every edit is
// applied at once: the edited component is archived into its control's message, which goes to
// this application and by broadcast to every running application, whose stores take the new
// value. Cancel and closing put the opening copies back and send them, Defaults the defaults;
// OK makes the present values the new opening copies.
//
// The archives come from other processes, so they are checked before anything is built from
// them: a component must be a view named after its field, small enough, not nested too deep
// and of a plain size; what it sends is always a change message, whatever code the archive
// held. The window holds a bounded number of components.
//
// A private store with the signature "IAPView" follows the accelerator format for the window's
// own labels. As no application has that signature, its item never writes the shared file.
#ifndef T_IAP_VIEW_H
#define T_IAP_VIEW_H

#include <vector>

#include <TDialogView.h>

#include "TInterAppPrefs.h"

class BButton;

enum {
	IAP_MSG_BUTTON_OK = '_ok',
	IAP_MSG_BUTTON_CANCEL = '_cnc',
	IAP_MSG_BUTTON_DEFAULTS = '_dfl',
};

// The signature of the view's private store.
#define IAP_VIEW_SIGNATURE "IAPView"

class TIAPView : public TDialogView {
public:
	// The copies each component keeps, by their index among the component's archives.
	enum {
		kOpeningCopy = 0,
		kWorkingCopy = 1,
		kDefaultsCopy = 2,
	};

	// How much the window takes from other applications.
	static constexpr int32 kMaxComponents = 16;
	static constexpr ssize_t kMaxArchiveSize = 64 * 1024;
	static constexpr int32 kMaxArchiveDepth = 12;
	static constexpr int32 kMaxArchiveMessages = 512;
	static constexpr float kMaxComponentWidth = 600;
	static constexpr float kMaxComponentHeight = 100;
	// Any view or other object inside a component.
	static constexpr float kMaxNestedExtent = 2000;

	// Just the buttons, as wide as they need; the view follows its window on every side.
	explicit TIAPView(BRect frame);
	~TIAPView() override;

	void AttachedToWindow() override;
	void MessageReceived(BMessage* message) override;
	// Escape clicks Cancel; the other keys work as in every dialog.
	void ShortCutDown(char rawChar, int32 keyCode) override;
	void IAPChanged(BMessage* message) override;
	void LanguageChanged() override;

	// Builds a component from its archive at the top given, left 10, before `before` (at the
	// end without it); null when the archive is not a view's.
	BView* AddComponent(BMessage* archive, float top, BView* before = nullptr);
	void IAPAddComponentsRqtd(BMessage* message);
	void IAPActivateWindowRqtd();
	void IAPControlChanged(BMessage* message);
	void ButtonOKClicked();
	void ButtonCancelClicked();
	void ButtonDefaultsClicked();
	// Shows and sends the copy of each component at the index.
	void SetComponents(int32 index);
	void SetViewLabels();
	// To this application and to every running one.
	void SendMessage(BMessage* message);

	// The component of the name (a child of this view), or null.
	BView* Component(const char* name) const;
	int32 CountComponents() const;
	// A copy of the kept archives, for those who look at the window from outside.
	BMessage Components() const { return mComponents; }

	// Whether an archive from another application may become the component of the name.
	static bool IsAcceptableComponent(const BMessage& archive, const char* name);

private:
	// The names of a message's fields, in their order; copies, so that the message may change
	// while they are walked.
	static std::vector<BString> _FieldNames(const BMessage& message);
	BButton* _NewButton(const char* name, uint32 what, BPoint leftTop);
	void _HideWindow();

	BMessage mComponents;
	BView* mLastComponent;
	BView* mButtonContainer;
	BButton* mDefaultsButton;
	BButton* mCancelButton;
	BButton* mOKButton;
	TInterAppPrefs mPrivateStore;
};

#endif
