// TAnimationWriter is what the animated export hands its frames to: one encoder per file
// format. Frames come in order, each a full picture in the platform's 32-bit layout with the
// times it starts and ends; the writer writes the encoded file to the stream it is given and
// never touches the file system itself, so the caller decides how the file is replaced.
#ifndef T_ANIMATION_WRITER_H
#define T_ANIMATION_WRITER_H

#include <SupportDefs.h>

#include "TBoardAnimation.h"

class BDataIO;

class TAnimationWriter {
public:
	virtual ~TAnimationWriter() = default;

	// The largest width and height the format can hold.
	virtual int32 MaxSide() const = 0;
	// A writer that wants to see every frame's colours before the first frame is written
	// (to choose one palette for all) answers true; it is then given each frame once to
	// SeeColors, in order, before Begin.
	virtual bool NeedsColorPass() const { return false; }
	virtual void SeeColors(const uint8* bits, int32 width, int32 height, int32 bytesPerRow) {}

	// `loopCount` is how many times the animation plays, 0 for ever.
	virtual status_t Begin(BDataIO* output, int32 width, int32 height, int32 loopCount) = 0;
	virtual status_t AddFrame(const uint8* bits, int32 bytesPerRow,
	                          const TAnimationFrame& frame) = 0;
	virtual status_t Finish() = 0;
};

#endif
