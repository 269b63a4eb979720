// The filter through which a tool tip watches its view's window: it sees every pointer move the
// window delivers and tells the tip when the pointer comes onto the view and when it leaves it.
#ifndef T_TT_SPY_H
#define T_TT_SPY_H

#include <MessageFilter.h>

class BView;
class TToolTip;

class TTTSpy : public BMessageFilter {
public:
	explicit TTTSpy(TToolTip* toolTip);
	~TTTSpy() override;

	// Moves the spy into the view's window as a common filter (the window must be locked); -1
	// for a view in no window.
	status_t SetTarget(BView* target);
	// Takes the spy out of the window it is in.
	void Detach();
	BView* Target() const { return mTarget; }

	filter_result Filter(BMessage* message, BHandler** target) override;

private:
	bool mInside;
	BView* mTarget;
	TToolTip* mToolTip;
};

#endif
