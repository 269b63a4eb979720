// The glow of TLampRenderer: light of the lit colour spread from the lit lamps' pixels by a
// Gaussian and added on top of the picture.
#include "TLampRenderer.h"

#include <algorithm>
#include <cmath>

using graphics::IntRect;

void TLampRenderer::_BuildLight(const TLampGrid& grid, int32 y, int32 left, int32 right,
                                float* out) const
{
	std::fill(out, out + (right - left + 1), 0.0f);
	int32 band, maskRow;
	if (!_RowKey(y, &band, &maskRow) || band >= grid.rows)
		return;
	const uint8* coverage = mMask.Row(maskRow);
	for (int64 x = left; x <= right; x++) {
		const int64 lamp = x / mPitch, offset = x % mPitch;
		if (lamp < grid.columns && offset < mSize && grid.Lit((int32)lamp, band))
			out[x - left] = (coverage != nullptr ? coverage[offset] : 255) / 255.0f;
	}
}

void TLampRenderer::_AddGlow(const TLampGrid& grid, const IntRect& area, uint8* out,
                             int32 bytesPerRow) const
{
	// Light reaches `radius` pixels, so the lamps that matter lie within that distance of the
	// area; nothing shines from beyond the picture and nothing is added beyond it.
	const int32 radius = mLook.mGlowRadius;
	const IntRect picture(0, 0, (int32)Extent(grid.columns, mSize, mGap) - 1,
	                      (int32)Extent(grid.rows, mSize, mGap) - 1);
	const IntRect target = area & picture;
	if (!target.IsValid())
		return;
	const IntRect source = IntRect(target.left - radius, target.top - radius, target.right + radius,
	                               target.bottom + radius) &
	                       picture;
	const int32 sourceWidth = source.PixelWidth();
	const int32 targetWidth = target.PixelWidth();
	const int32 sourceRows = source.PixelHeight();

	// Across first: every source row blurred over the target's columns.
	std::vector<float> light(sourceWidth);
	std::vector<float> across((size_t)sourceRows * targetWidth);
	for (int32 y = source.top; y <= source.bottom; y++) {
		_BuildLight(grid, y, source.left, source.right, light.data());
		float* row = across.data() + (size_t)(y - source.top) * targetWidth;
		for (int32 x = target.left; x <= target.right; x++) {
			const int32 from = std::max(x - radius, source.left);
			const int32 to = std::min(x + radius, source.right);
			float sum = 0;
			for (int32 s = from; s <= to; s++)
				sum += mGlowKernel[s - x + radius] * light[s - source.left];
			row[x - target.left] = sum;
		}
	}

	// Then down, and the light is added: a sum that saturates, so no pixel gets darker.
	const rgb_color lit = mColors[0];
	const float strength = mLook.mGlowStrength;
	for (int32 y = target.top; y <= target.bottom; y++) {
		const int32 from = std::max(y - radius, source.top);
		const int32 to = std::min(y + radius, source.bottom);
		uint8* pixel =
		    out + (size_t)(y - area.top) * bytesPerRow + (size_t)(target.left - area.left) * 4;
		for (int32 x = 0; x < targetWidth; x++, pixel += 4) {
			float sum = 0;
			for (int32 s = from; s <= to; s++)
				sum += mGlowKernel[s - y + radius] *
				       across[(size_t)(s - source.top) * targetWidth + x];
			const float amount = std::min(sum * strength, 1.0f);
			if (amount <= 0)
				continue;
			const uint8 channels[3] = {lit.blue, lit.green, lit.red};
			for (int32 c = 0; c < 3; c++) {
				const int32 added = (int32)std::lround(amount * channels[c]);
				pixel[c] = (uint8)std::min(255, pixel[c] + added);
			}
		}
	}
}
