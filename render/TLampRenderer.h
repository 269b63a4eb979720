// TLampRenderer draws a grid of lamps as the sign picture: each lamp a square of the lamp
// size (or the shape the look gives it) in the lit or the unlit colour, the gap colour
// between the lamps and around shaped lamps, and the look's glow on top. Lamp cell (x, y)
// covers the square whose top-left pixel is (x * pitch, y * pitch), pitch being the lamp size
// plus the gap; the picture ends with the last lamp, and anything beyond it is gap colour.
//
// It draws either into memory (Render) or into a view (Draw). Draw builds the picture row by
// row and hands the rows to the view as bitmaps, so the view's painter applies its origin and
// its clipping (a window's update region included) exactly as it does for any other drawing;
// only the pixels inside the asked-for area are built.
#ifndef T_LAMP_RENDERER_H
#define T_LAMP_RENDERER_H

#include <memory>
#include <vector>

#include <GraphicsDefs.h>
#include <IntRect.h>
#include <Rect.h>

#include "TLampGrid.h"
#include "TLampLook.h"
#include "TLampMask.h"

class BBitmap;
class BView;

class TLampRenderer {
public:
	// `colors` are the lit, unlit and gap colours. The lamp size must be at least 1 and
	// the gap at least 0; the look must pass its Check.
	TLampRenderer(int32 lampSize, int32 lampGap, const rgb_color colors[3], const TLampLook& look);
	~TLampRenderer();

	// The picture's extent in pixels for a number of lamps along one side.
	static int64 Extent(int64 lamps, int64 lampSize, int64 lampGap)
	{
		return lamps * lampSize + (lamps - 1) * lampGap;
	}

	// Writes the pixels of `area` (picture coordinates, inclusive) into `out`, in the
	// platform's 32-bit layout; `out` points at the area's top-left pixel.
	void Render(const TLampGrid& grid, const graphics::IntRect& area, uint8* out,
	            int32 bytesPerRow) const;

	// Draws the part of the picture inside `area` (the target's coordinates, in which the
	// picture's top-left pixel is (0, 0)) into the target, and the gap colour over the part
	// of the area beyond the picture. The target's looper must be locked. `staging` may
	// hold a bitmap kept from an earlier call to spare the allocation.
	void Draw(const TLampGrid& grid, BView* target, BRect area,
	          std::unique_ptr<BBitmap>* staging = nullptr) const;

private:
	struct Staging;

	bool _RowKey(int32 y, int32* band, int32* maskRow) const;
	void _BuildRow(const TLampGrid& grid, int32 band, int32 maskRow, int32 left, int32 right,
	               uint32* out) const;
	void _BuildLight(const TLampGrid& grid, int32 y, int32 left, int32 right, float* out) const;
	void _AddGlow(const TLampGrid& grid, const graphics::IntRect& area, uint8* out,
	              int32 bytesPerRow) const;
	void _DrawBands(const TLampGrid& grid, BView* target, const graphics::IntRect& area,
	                Staging& staging) const;
	void _DrawTiles(const TLampGrid& grid, BView* target, const graphics::IntRect& area,
	                Staging& staging) const;
	void _DrawLampByLamp(const TLampGrid& grid, BView* target, const graphics::IntRect& area) const;

	int32 mSize;
	int32 mGap;
	int64 mPitch;
	rgb_color mColors[3];
	uint32 mWords[3]; // the colours as pixels in memory order
	TLampLook mLook;
	TLampMask mMask;
	// The lamp's pixels in each row of the mask, lit and unlit, for lamps small enough to
	// keep them; larger square lamps are filled instead.
	std::vector<uint32> mLitRows;
	std::vector<uint32> mUnlitRows;
	bool mRowsKept;
	std::vector<float> mGlowKernel;
};

#endif
