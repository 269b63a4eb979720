// The small pale window that shows a tool tip's text. It never takes the focus, floats above
// the application's windows, keeps itself on the screen and closes itself after its show time.
#ifndef T_TOOL_TIP_WINDOW_H
#define T_TOOL_TIP_WINDOW_H

#include <atomic>

#include <Window.h>

class BMessageRunner;

class TToolTipWindow : public BWindow {
public:
	// The window's left-top corner is the frame's; it takes the size of its text. Near the
	// screen's right edge it moves left, near the bottom it goes above the pointer, which lies
	// kPointerOffset to the right of and above the corner.
	TToolTipWindow(BRect frame, const char* name, const char* tip, bigtime_t showTime);
	~TToolTipWindow() override;

	// How many tip windows exist in the application.
	static int32 CountOpen() { return smOpen; }

	static constexpr float kPointerOffset = 16;

private:
	BMessageRunner* mQuitRunner;

	static std::atomic<int32> smOpen;
};

#endif
