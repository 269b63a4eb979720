// TBoardAnimation plans the frames of a board in motion: which offset of the text each frame
// shows (see TBoard) and when it starts and ends, in seconds from the start.
//
// Scrolling moves the text by one lamp column at a time, at the given speed, from just beyond
// the board's right edge until it has left at the left edge; each frame lasts 1 / fps seconds
// and shows the position the text has reached by the frame's start. Paging shows the text one
// text area's width at a time, each page for as long as scrolling would take to move the text
// by that width. The first and the last frame are held longer by the holds. Frames that would
// show the same offset one after the other are one frame, so a slow scroll has no repeated
// frames and every frame differs from the one before.
#ifndef T_BOARD_ANIMATION_H
#define T_BOARD_ANIMATION_H

#include <vector>

#include <SupportDefs.h>

class TBoard;
class TBoardProperty;

struct TAnimationFrame {
	int32 offset;
	double start;
	double end;
};

class TBoardAnimation {
public:
	// More frames than this are refused, whatever the speed and the frame rate ask for.
	static constexpr int64 kMaxFrames = 20000;
	// Nor may an animation last longer than a day.
	static constexpr double kMaxSeconds = 86400;

	// Fills `frames`. B_BAD_VALUE for parameters out of range, B_NO_MEMORY when the motion
	// would need more than kMaxFrames frames. A still board is one frame of the aligned text
	// lasting the holds (at least one second).
	static status_t Plan(const TBoardProperty& property, const TBoard& board,
	                     std::vector<TAnimationFrame>* frames);

	// The whole hundredths of a second each frame lasts, rounded so that the rounding is
	// carried: frame i ends at the hundredth nearest to its true end, so the total is right.
	static std::vector<int32> Hundredths(const std::vector<TAnimationFrame>& frames);

private:
	static status_t _Plan(const TBoardProperty& property, const TBoard& board,
	                      std::vector<TAnimationFrame>* frames);
};

#endif
