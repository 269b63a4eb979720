// TLampMask is the shape of one lamp as coverage values over the pixels of its square: 255
// where the lamp covers a pixel, 0 where the gap colour shows through, and values between on
// smoothed edges. The picture mixes each pixel from the gap colour and the lamp's colour by
// this value.
//
// Geometry. The lamp's square spans [0, size] in both directions, pixel (i, j) being the unit
// square from (i, j). A round lamp is the disc inscribed in the square; a rounded lamp is the
// square with quarter circles of the corner radius cut into its corners. With hard edges a
// pixel is covered when its centre lies inside the shape or on its edge; with smoothed edges
// its coverage is the share of a grid of 16 x 16 sample points (the centres of the pixel's
// sixteenths) that lie inside, scaled to 0..255 and rounded. All of it is done in whole
// numbers, so the shape is exactly symmetric and the same on every machine.
#ifndef T_LAMP_MASK_H
#define T_LAMP_MASK_H

#include <vector>

#include "TLampLook.h"

class TLampMask {
public:
	// Samples per pixel edge of smoothed edges.
	static constexpr int32 kSamples = 16;

	TLampMask(const TLampLook& look, int32 size);

	int32 Size() const { return mSize; }
	// True when every pixel is fully covered: the lamp is a plain square. Such a mask keeps
	// no values, so lamps of any size cost nothing.
	bool IsFull() const { return mFull; }
	uint8 At(int32 x, int32 y) const { return mFull ? 255 : mCoverage[(size_t)y * mSize + x]; }
	// The coverage of one row; null for a full mask.
	const uint8* Row(int32 y) const
	{
		return mFull ? nullptr : mCoverage.data() + (size_t)y * mSize;
	}
	// The first row whose coverage equals row y's, so callers can build each distinct row
	// of a lamp once.
	int32 FirstEqualRow(int32 y) const { return mFull ? 0 : mFirstEqual[y]; }

private:
	bool _Inside(int64 x, int64 y, int64 scale) const;

	int32 mSize;
	int32 mShape;
	int64 mCornerRadius; // in pixels, already limited to half the lamp
	std::vector<uint8> mCoverage;
	std::vector<int32> mFirstEqual;
	bool mFull;
};

#endif
