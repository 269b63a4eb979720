// TWebPWriter encodes an animation as an animated WebP file with libwebp's animation encoder.
// Frames are encoded losslessly and exactly (colours under transparent pixels included), so
// each decoded frame is the picture that was drawn. Frame times are whole milliseconds from
// the start, so the rounding of one frame never adds up over the next.
#ifndef T_WEBP_WRITER_H
#define T_WEBP_WRITER_H

#include "TAnimationWriter.h"

struct WebPAnimEncoder;

class TWebPWriter : public TAnimationWriter {
public:
	TWebPWriter();
	~TWebPWriter() override;

	int32 MaxSide() const override { return 16383; }

	status_t Begin(BDataIO* output, int32 width, int32 height, int32 loopCount) override;
	status_t AddFrame(const uint8* bits, int32 bytesPerRow, const TAnimationFrame& frame) override;
	status_t Finish() override;

private:
	WebPAnimEncoder* mEncoder;
	BDataIO* mOutput;
	int32 mWidth;
	int32 mHeight;
	int64 mEnd;
};

#endif
