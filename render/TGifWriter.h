// TGifWriter encodes an animation as a GIF file with giflib. When all frames together have at
// most 256 colours they share one exact palette; otherwise each frame gets its own, exact
// whenever that frame has at most 256 colours and reduced by median cut when it has more.
// Frame delays are whole hundredths of a second with the rounding carried from frame to
// frame, so the animation's total length is right; a delay beyond the format's largest is
// continued by frames that change nothing. With one palette for all frames, each frame after
// the first holds only what changed since the frame before.
//
// The loop count follows the common reading of the looping extension: an animation that
// plays once has none, one that plays N times repeats N - 1 times, and 0 repeats for ever.
#ifndef T_GIF_WRITER_H
#define T_GIF_WRITER_H

#include <vector>

#include <IntRect.h>

#include "TAnimationWriter.h"
#include "TColorPalette.h"

struct GifFileType;

class TGifWriter : public TAnimationWriter {
public:
	TGifWriter();
	~TGifWriter() override;

	int32 MaxSide() const override { return 65535; }
	bool NeedsColorPass() const override { return true; }
	void SeeColors(const uint8* bits, int32 width, int32 height, int32 bytesPerRow) override;

	status_t Begin(BDataIO* output, int32 width, int32 height, int32 loopCount) override;
	status_t AddFrame(const uint8* bits, int32 bytesPerRow, const TAnimationFrame& frame) override;
	status_t Finish() override;

private:
	static int _Write(GifFileType* gif, const unsigned char* data, int length);
	status_t _PutFrame(const TColorPalette& palette, bool local, int32 hundredths,
	                   const graphics::IntRect& box, int32 transparent);
	status_t _PutNothing(int32 hundredths);

	GifFileType* mGif;
	BDataIO* mOutput;
	status_t mWriteStatus;
	int32 mWidth;
	int32 mHeight;
	int64 mWrittenHundredths;
	TColorPalette mShared;
	bool mSharedExact;
	// The index that marks pixels a frame leaves as they were, or -1 when there is none.
	int32 mTransparent;
	TColorPalette mFrame;
	std::vector<uint8> mIndices;
	std::vector<uint8> mCurrent;
	std::vector<uint8> mPrevious;
};

#endif
