// A tool tip: a short text that shows in a small pale window near the pointer once the pointer
// has rested on a view for a while, closes by itself after a time or when the pointer leaves,
// and follows the pointer at once from one tipped view to the next while a tip is showing or
// has just closed. The tip is a handler of its view's window; a spy filter of that window
// tells it when the pointer enters and leaves the view.
#ifndef T_TOOL_TIP_H
#define T_TOOL_TIP_H

#include <atomic>

#include <Handler.h>
#include <Messenger.h>
#include <String.h>

class BMessageRunner;
class BView;
class TTTSpy;

class TToolTip : public BHandler {
public:
	enum : uint32 {
		kMsgMouseEntered = 'TTme',
		kMsgMouseExited = 'TTmx',
		kMsgOpenWindow = 'TTow',
		kMsgHideWindow = 'TThw',
	};

	explicit TToolTip(const char* name);
	// Leaves the view's window, taking its spy along.
	~TToolTip() override;

	void MessageReceived(BMessage* message) override;

	// Aims the tip at a view that is in a window (which must be locked): the tip leaves the
	// window of its previous view and becomes a handler of the new one. -1 for a view in no
	// window.
	status_t SetTarget(BView* target);
	BView* Target() const { return mTarget; }
	// Leaves the window the tip is in (its view is going away from it); the tip keeps its
	// text and times.
	void Detach();

	void SetTip(const char* tip);
	const char* Tip() const { return mTip.String(); }
	// Both in microseconds; -1, keeping the old value, for a negative time. A delay of 0
	// opens the tip at once; a show time of 0 never shows it.
	status_t SetDelayTime(bigtime_t delay);
	status_t SetShowTime(bigtime_t show);
	bigtime_t DelayTime() const { return mDelayTime; }
	bigtime_t ShowTime() const { return mShowTime; }

	void MouseEntered();
	void MouseExited();
	void OpenToolTipWindowRqtd();
	// Closes this tip's window, if it is open, and notes the time; a tip still waiting for its
	// delay does not open.
	void Hide();
	void HideToolTipWindowRqtd() { Hide(); }

	// "TlTipWin_" and the tip's name.
	BString ToolTipWindowName() const;
	// This tip's open window, or an invalid messenger.
	BMessenger FindToolTipWindow() const;
	static bool IsAnyToolTipWindowOpened();

	// When a tip window was last closed by Hide (system time). A tip that enters within
	// kFollowTime of it opens at once.
	static bigtime_t LastHideTime() { return smLastHideTime; }
	static void SetLastHideTime(bigtime_t when) { smLastHideTime = when; }

	static constexpr bigtime_t kDefaultDelayTime = 1000000;
	static constexpr bigtime_t kDefaultShowTime = 5000000;
	static constexpr bigtime_t kFollowTime = 200000;

private:
	void _DeleteRunner();

	bigtime_t mDelayTime;
	bigtime_t mShowTime;
	BString mTip;
	BMessageRunner* mRunner;
	BView* mTarget;
	// Owned by the tip until it is installed in a window, then by the window, unless the tip
	// takes it out again first (Detach, or the tip's deletion).
	TTTSpy* mSpy;
	bool mSpyInstalled;
	BMessenger mWindow;

	static std::atomic<bigtime_t> smLastHideTime;
};

#endif
