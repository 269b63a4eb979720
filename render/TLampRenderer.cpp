#include "TLampRenderer.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstring>

#include <Bitmap.h>
#include <View.h>

#include <ClipRegion.h>

using graphics::IntRect;

namespace {

// Lamp rows of at most this many pixels are kept ready to copy.
constexpr int32 kMaxKeptLampSize = 4096;
// The pieces in which Draw builds pictures: a row band of at most this many pixels across, and
// at most this many lamp rows (plain lamps) or pixel rows (other looks) at a time, so the
// memory Draw needs stays small whatever the picture's size.
constexpr int32 kTileWidth = 4096;
constexpr int32 kTileBands = 256;
constexpr int32 kTileRows = 256;

uint32 pixel_word(rgb_color c)
{
	const uint8 bytes[4] = {c.blue, c.green, c.red, c.alpha};
	uint32 word;
	memcpy(&word, bytes, 4);
	return word;
}

rgb_color mix(rgb_color from, rgb_color to, uint8 amount)
{
	auto channel = [amount](uint8 a, uint8 b) {
		const int32 step = ((int32)b - (int32)a) * amount;
		return (uint8)(a + (step >= 0 ? (step + 127) / 255 : (step - 127) / 255));
	};
	return make_color(channel(from.red, to.red), channel(from.green, to.green),
	                  channel(from.blue, to.blue), channel(from.alpha, to.alpha));
}

void fill_words(uint32* out, uint32 word, int64 count)
{
	for (int64 i = 0; i < count; i++)
		out[i] = word;
}

// The pixel a coordinate falls in, as the painter rounds rectangle edges (halves upward),
// kept well inside int32 so that the tiles' arithmetic cannot overflow.
int32 snap(float value)
{
	return (int32)std::clamp(std::floor((double)value + 0.5), -1073741824.0, 1073741824.0);
}

} // namespace

// A bitmap of at least the asked-for size, kept across calls where the caller allows.
struct TLampRenderer::Staging {
	std::unique_ptr<BBitmap> own;
	std::unique_ptr<BBitmap>* kept;

	explicit Staging(std::unique_ptr<BBitmap>* keep) : kept(keep != nullptr ? keep : &own) {}

	BBitmap* Get(int32 width, int32 height)
	{
		BBitmap* bitmap = kept->get();
		if (bitmap == nullptr || bitmap->Bounds().IntegerWidth() + 1 < width ||
		    bitmap->Bounds().IntegerHeight() + 1 < height) {
			kept->reset(new BBitmap(BRect(0, 0, width - 1, height - 1), 0, B_RGBA32));
			bitmap = kept->get();
		}
		return bitmap->IsValid() ? bitmap : nullptr;
	}
};

TLampRenderer::TLampRenderer(int32 lampSize, int32 lampGap, const rgb_color colors[3],
                             const TLampLook& look)
    : mSize(std::max<int32>(lampSize, 1)), mGap(std::max<int32>(lampGap, 0)),
      mPitch((int64)mSize + mGap), mLook(look), mMask(look, mSize), mRowsKept(false)
{
	for (int32 i = 0; i < 3; i++) {
		mColors[i] = colors[i];
		mWords[i] = pixel_word(colors[i]);
	}
	if (mSize <= kMaxKeptLampSize) {
		// A full mask needs one row; shaped lamps keep every row.
		const int32 rows = mMask.IsFull() ? 1 : mSize;
		mLitRows.resize((size_t)rows * mSize);
		mUnlitRows.resize((size_t)rows * mSize);
		for (int32 y = 0; y < rows; y++) {
			for (int32 x = 0; x < mSize; x++) {
				const uint8 coverage = mMask.At(x, y);
				mLitRows[(size_t)y * mSize + x] = pixel_word(mix(colors[2], colors[0], coverage));
				mUnlitRows[(size_t)y * mSize + x] = pixel_word(mix(colors[2], colors[1], coverage));
			}
		}
		mRowsKept = true;
	}
	if (mLook.mGlowRadius > 0) {
		// A Gaussian whose standard deviation is half the radius, cut at the radius and
		// scaled to a sum of 1, so a pixel amid lit lamps gets the full strength.
		const int32 radius = mLook.mGlowRadius;
		const double sigma = radius / 2.0;
		mGlowKernel.resize(2 * radius + 1);
		double sum = 0;
		for (int32 d = -radius; d <= radius; d++) {
			const double weight = std::exp(-(double)d * d / (2 * sigma * sigma));
			mGlowKernel[d + radius] = (float)weight;
			sum += weight;
		}
		for (float& weight : mGlowKernel)
			weight = (float)(weight / sum);
	}
}

TLampRenderer::~TLampRenderer() = default;

bool TLampRenderer::_RowKey(int32 y, int32* band, int32* maskRow) const
{
	*band = (int32)(y / mPitch);
	const int64 within = y % mPitch;
	if (within >= mSize)
		return false;
	*maskRow = mMask.FirstEqualRow((int32)within);
	return true;
}

void TLampRenderer::_BuildRow(const TLampGrid& grid, int32 band, int32 maskRow, int32 left,
                              int32 right, uint32* out) const
{
	// Columns left of the picture are gap colour like those beyond it.
	if (left < 0) {
		const int32 count = std::min(right, -1) - left + 1;
		fill_words(out, mWords[2], count);
		out += count;
		left = 0;
	}
	if (left > right)
		return;
	int64 lamp = left / mPitch;
	int64 offset = left % mPitch;
	int64 x = left;
	const uint32* litRow = mRowsKept ? mLitRows.data() + (size_t)maskRow * mSize : nullptr;
	const uint32* unlitRow = mRowsKept ? mUnlitRows.data() + (size_t)maskRow * mSize : nullptr;
	while (x <= right) {
		if (lamp >= grid.columns) {
			fill_words(out, mWords[2], right - x + 1);
			return;
		}
		if (offset < mSize) {
			const int64 count = std::min<int64>(mSize - offset, right - x + 1);
			const bool lit = grid.Lit((int32)lamp, band);
			if (mRowsKept) {
				const uint32* from = (lit ? litRow : unlitRow) + offset;
				for (int64 i = 0; i < count; i++)
					out[i] = from[i];
			} else {
				fill_words(out, mWords[lit ? 0 : 1], count);
			}
			out += count;
			x += count;
			offset += count;
			if (x > right)
				return;
		}
		const int64 count = std::min<int64>(mPitch - offset, right - x + 1);
		fill_words(out, mWords[2], count);
		out += count;
		x += count;
		lamp++;
		offset = 0;
	}
}

void TLampRenderer::Render(const TLampGrid& grid, const IntRect& area, uint8* out,
                           int32 bytesPerRow) const
{
	if (!area.IsValid())
		return;
	const int32 width = area.PixelWidth();
	const int64 height = grid.rows > 0 ? Extent(grid.rows, mSize, mGap) : 0;
	int32 lastBand = -1, lastMaskRow = -1;
	const uint8* lastRow = nullptr;
	for (int32 y = area.top; y <= area.bottom; y++) {
		uint32* row = (uint32*)(out + (size_t)(y - area.top) * bytesPerRow);
		int32 band = -1, maskRow = -1;
		const bool lamps = y >= 0 && y < height && _RowKey(y, &band, &maskRow);
		if (!lamps) {
			band = maskRow = -1;
			fill_words(row, mWords[2], width);
		} else if (lastRow != nullptr && band == lastBand && maskRow == lastMaskRow) {
			// Rows of one lamp row with the same coverage are the same pixels.
			memcpy(row, lastRow, (size_t)width * 4);
		} else {
			_BuildRow(grid, band, maskRow, area.left, area.right, row);
		}
		lastBand = band;
		lastMaskRow = maskRow;
		lastRow = (const uint8*)row;
	}
	if (mLook.mGlowRadius > 0)
		_AddGlow(grid, area, out, bytesPerRow);
}

void TLampRenderer::Draw(const TLampGrid& grid, BView* target, BRect area,
                         std::unique_ptr<BBitmap>* keep) const
{
	assert(target != nullptr);
	if (!area.IsValid() || !std::isfinite(area.left) || !std::isfinite(area.top) ||
	    !std::isfinite(area.right) || !std::isfinite(area.bottom))
		return;
	// The pixels the area covers, snapped as the painter snaps rectangles.
	const IntRect asked(snap(area.left), snap(area.top), snap(area.right), snap(area.bottom));
	const rgb_color high = target->HighColor();
	const int64 width = grid.IsEmpty() ? 0 : Extent(grid.columns, mSize, mGap);
	const int64 height = grid.IsEmpty() ? 0 : Extent(grid.rows, mSize, mGap);
	const IntRect picture(0, 0, (int32)std::min<int64>(width, INT32_MAX) - 1,
	                      (int32)std::min<int64>(height, INT32_MAX) - 1);
	const IntRect inside = asked & picture;

	// Shapes that still cover their whole square (round lamps of up to three pixels with hard
	// edges) are plain squares too.
	const bool plain = mMask.IsFull() && mLook.mGlowRadius == 0;
	if (plain && target->DrawingMode() != B_OP_COPY) {
		// Other modes combine each fill with what lies below, so the picture is drawn as it
		// always was: the gap colour over everything, then every lamp as a square.
		target->SetHighColor(mColors[2]);
		target->FillRect(BRect(asked.left, asked.top, asked.right, asked.bottom), B_SOLID_HIGH);
		if (inside.IsValid())
			_DrawLampByLamp(grid, target, inside);
		target->SetHighColor(high);
		return;
	}

	// The part of the area beyond the picture shows the gap colour.
	std::vector<IntRect> beyond;
	if (inside.IsValid())
		graphics::ClipRegion::Subtract(asked, inside, &beyond);
	else
		beyond.push_back(asked);
	target->SetHighColor(mColors[2]);
	for (const IntRect& piece : beyond)
		target->FillRect(BRect(piece.left, piece.top, piece.right, piece.bottom), B_SOLID_HIGH);
	target->SetHighColor(high);
	if (!inside.IsValid())
		return;

	Staging staging(keep);
	if (plain)
		_DrawBands(grid, target, inside, staging);
	else
		_DrawTiles(grid, target, inside, staging);
}

void TLampRenderer::_DrawBands(const TLampGrid& grid, BView* target, const IntRect& area,
                               Staging& staging) const
{
	// Every pixel row of a lamp row is the same, so each lamp row is built once, beside one
	// row of gap colour, and copied to each of its pixel rows.
	const int32 firstBand = (int32)(area.top / mPitch);
	const int32 lastBand = (int32)(area.bottom / mPitch);
	for (int32 left = area.left; left <= area.right; left += kTileWidth) {
		const int32 right = (int32)std::min<int64>((int64)left + kTileWidth - 1, area.right);
		const int32 width = right - left + 1;
		for (int32 band0 = firstBand; band0 <= lastBand; band0 += kTileBands) {
			const int32 band1 = std::min(band0 + kTileBands - 1, lastBand);
			BBitmap* bitmap = staging.Get(width, band1 - band0 + 2);
			if (bitmap == nullptr) {
				_DrawLampByLamp(grid, target, IntRect(left, area.top, right, area.bottom));
				continue;
			}
			uint8* bits = (uint8*)bitmap->Bits();
			const int32 bytesPerRow = bitmap->BytesPerRow();
			fill_words((uint32*)bits, mWords[2], width);
			for (int32 band = band0; band <= band1; band++) {
				_BuildRow(grid, band, 0, left, right,
				          (uint32*)(bits + (size_t)(band - band0 + 1) * bytesPerRow));
			}
			const int32 top = (int32)std::max<int64>(area.top, band0 * mPitch);
			const int32 bottom = (int32)std::min<int64>(area.bottom, (band1 + 1) * mPitch - 1);
			for (int32 y = top; y <= bottom; y++) {
				int32 band, maskRow;
				const float row = _RowKey(y, &band, &maskRow) ? (float)(band - band0 + 1) : 0;
				target->DrawBitmap(bitmap, BRect(0, row, width - 1, row), BRect(left, y, right, y));
			}
		}
	}
}

void TLampRenderer::_DrawTiles(const TLampGrid& grid, BView* target, const IntRect& area,
                               Staging& staging) const
{
	for (int32 top = area.top; top <= area.bottom; top += kTileRows) {
		const int32 bottom = (int32)std::min<int64>((int64)top + kTileRows - 1, area.bottom);
		for (int32 left = area.left; left <= area.right; left += kTileWidth) {
			const int32 right = (int32)std::min<int64>((int64)left + kTileWidth - 1, area.right);
			const IntRect tile(left, top, right, bottom);
			BBitmap* bitmap = staging.Get(tile.PixelWidth(), tile.PixelHeight());
			if (bitmap == nullptr)
				return;
			Render(grid, tile, (uint8*)bitmap->Bits(), bitmap->BytesPerRow());
			target->DrawBitmap(bitmap, BRect(0, 0, tile.PixelWidth() - 1, tile.PixelHeight() - 1),
			                   BRect(left, top, right, bottom));
		}
	}
}

void TLampRenderer::_DrawLampByLamp(const TLampGrid& grid, BView* target, const IntRect& area) const
{
	const int32 firstColumn = (int32)(area.left / mPitch);
	const int32 lastColumn = (int32)std::min<int64>(area.right / mPitch, grid.columns - 1);
	const int32 firstRow = (int32)(area.top / mPitch);
	const int32 lastRow = (int32)std::min<int64>(area.bottom / mPitch, grid.rows - 1);
	// Setting the colour only when it changes draws the same picture with fewer calls.
	bool haveColor = false;
	bool lastLit = false;
	for (int32 x = firstColumn; x <= lastColumn; x++) {
		for (int32 y = firstRow; y <= lastRow; y++) {
			const bool lit = grid.Lit(x, y);
			if (!haveColor || lit != lastLit) {
				target->SetHighColor(mColors[lit ? 0 : 1]);
				haveColor = true;
				lastLit = lit;
			}
			const float left = (float)(x * mPitch), top = (float)(y * mPitch);
			target->FillRect(BRect(left, top, left + mSize - 1, top + mSize - 1), B_SOLID_HIGH);
		}
	}
}
