#include "TLampMask.h"

#include <algorithm>
#include <cstring>

TLampMask::TLampMask(const TLampLook& look, int32 size)
    : mSize(std::max<int32>(size, 1)), mShape(look.ShapeFor(size)),
      mCornerRadius(std::clamp<int64>(look.mCornerRadius, 0, mSize)), mFull(true)
{
	// Corner radii beyond half the lamp meet in the middle of each side: the lamp is round.
	// The comparison is made in doubled units because half an odd size is not whole.
	if (mShape == TLampLook::kRounded && 2 * mCornerRadius >= mSize)
		mShape = TLampLook::kRound;
	if (mShape == TLampLook::kRounded && mCornerRadius == 0)
		mShape = TLampLook::kSquare;

	if (mShape == TLampLook::kSquare)
		return;
	// A shape that still covers every pixel (round lamps of up to 3 pixels with hard edges)
	// is kept as the full mask it is.
	mCoverage.assign((size_t)mSize * mSize, 255);
	{
		for (int32 y = 0; y < mSize; y++) {
			for (int32 x = 0; x < mSize; x++) {
				uint8 coverage;
				if (!look.mAntialias) {
					// Pixel centres in halves of a pixel.
					coverage = _Inside(2 * x + 1, 2 * y + 1, 2) ? 255 : 0;
				} else {
					// Sample centres in 32nds of a pixel: the sixteenths' centres.
					int32 inside = 0;
					for (int32 sy = 0; sy < kSamples; sy++) {
						for (int32 sx = 0; sx < kSamples; sx++) {
							inside += _Inside(2 * kSamples * x + 2 * sx + 1,
							                  2 * kSamples * y + 2 * sy + 1, 2 * kSamples);
						}
					}
					coverage =
					    (uint8)((inside * 255 + kSamples * kSamples / 2) / (kSamples * kSamples));
				}
				mCoverage[(size_t)y * mSize + x] = coverage;
				mFull = mFull && coverage == 255;
			}
		}
	}

	if (mFull) {
		mCoverage.clear();
		return;
	}
	mFirstEqual.resize(mSize);
	for (int32 y = 0; y < mSize; y++) {
		mFirstEqual[y] = y;
		for (int32 earlier = 0; earlier < y; earlier++) {
			if (std::memcmp(Row(earlier), Row(y), mSize) == 0) {
				mFirstEqual[y] = earlier;
				break;
			}
		}
	}
}

bool TLampMask::_Inside(int64 x, int64 y, int64 scale) const
{
	// The point (x, y) and the lamp's square [0, size * scale] are in 1/scale pixels; scale
	// is even, so the centre of the square is a whole number in these units.
	const int64 extent = (int64)mSize * scale;
	if (mShape == TLampLook::kRound) {
		const int64 centre = extent / 2;
		const int64 dx = x - centre, dy = y - centre;
		return dx * dx + dy * dy <= centre * centre;
	}
	if (mShape == TLampLook::kRounded) {
		const int64 radius = mCornerRadius * scale;
		const int64 dx = std::max<int64>({radius - x, x - (extent - radius), 0});
		const int64 dy = std::max<int64>({radius - y, y - (extent - radius), 0});
		return dx * dx + dy * dy <= radius * radius;
	}
	return true;
}
