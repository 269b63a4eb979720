// The base of every view of the maker's applications: a view whose mouse events go through the
// gesture manager (so a view only overrides the gestures it cares about) and that hears of
// shared-preference and language changes.
#ifndef T_BASIC_VIEW_H
#define T_BASIC_VIEW_H

#include <View.h>

#include "TMouseDownManager.h"

class TBasicView : public BView, public TMouseDownManager {
public:
	TBasicView(BRect frame, const char* name, uint32 resizingMode, uint32 flags);
	explicit TBasicView(BMessage* archive);
	~TBasicView() override;

	virtual void IAPChanged(BMessage* message);
	virtual void LanguageChanged();

	void MessageReceived(BMessage* message) override;
	void MouseDown(BPoint where) override;
	void MouseUp(BPoint where) override;
	void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage) override;

	// FindView that also looks inside the tabs of tab views, whose views are not in the tree
	// while their tab is not on display.
	BView* FindViewEx(const char* name) const;
	BView* FindViewEx(const BView* parent, const char* name) const;
};

#endif
