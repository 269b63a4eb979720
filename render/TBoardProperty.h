// TBoardProperty holds the parameters of the sign's look and motion beyond the sign
// parameters of TProperty: the lamps' shape and glow, a board of a fixed width with the text
// placed on it, and the animation of text running through or paging across that board. It is
// kept in a settings file of its own ("Glowplate_Board.arc"), so the sign parameters' file
// stays as it always was. The defaults (square lamps, no glow, no fixed board, no motion)
// draw exactly the picture the sign parameters alone give.
#ifndef T_BOARD_PROPERTY_H
#define T_BOARD_PROPERTY_H

#include <TTamarackArchivable.h>

#include "TLampLook.h"

class TBoardProperty : public TTamarackArchivable {
public:
	enum Align : int32 { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2 };
	enum Motion : int32 {
		kStill = 0,  // one picture
		kScroll = 1, // the text enters at the right edge and leaves at the left
		kPage = 2,   // the text is shown one board width at a time
	};

	// Limits of the values, which the command line and the settings file enforce. Frames
	// are kept to a few thousand so that no animation needs gigabytes; a board is at most
	// as wide as a picture file of the common formats may be.
	static constexpr int32 kMaxBoardWidth = 10000;
	static constexpr float kMaxFramesPerSecond = 100.0f;
	static constexpr float kMinSpeed = 0.1f;
	static constexpr float kMaxSpeed = 10000.0f;
	static constexpr int32 kMaxHold = 600000; // milliseconds
	static constexpr int32 kMaxLoopCount = 65535;

	TBoardProperty();
	~TBoardProperty() override;

	// "LpSh", "LpCR", "LpAA", "GlRd", "GlSt", "BdWd", "BdAl", "MtKd", "MtFp", "MtSp",
	// "MtHs", "MtHe", "MtLp". The OR of every status.
	status_t Archive(BMessage* into, bool deep = true) const override;
	// Takes every key present with a valid value and keeps the other members; non-zero when
	// a key was missing, of another type or out of range.
	status_t Unarchive(const BMessage* from) override;

	status_t LoadFromFile();
	status_t SaveToFile() const;

	// B_OK when every member is within its range.
	status_t Check() const;

	TLampLook mLook;
	// The board's width in lamp columns, margins included; 0 for no fixed board (the
	// picture is as wide as the text).
	int32 mBoardWidth;
	int32 mAlign;
	int32 mMotion;
	float mFramesPerSecond;
	// Lamp columns per second for scrolling; paging shows each page as long as scrolling
	// would take to move the text by one board width.
	float mSpeed;
	// Extra time on the first and the last frame, in milliseconds.
	int32 mHoldStart;
	int32 mHoldEnd;
	// How many times the animation plays; 0 for ever.
	int32 mLoopCount;
};

extern TBoardProperty gBoardProperty;

#endif
