// The eight-bit palette and drawing into B_CMAP8 bitmaps: views draw there by nearest colour,
// transparency keeps its own index, and the bytes are current whenever someone looks.
#include <gtest/gtest.h>

#include <set>

#include <Bitmap.h>
#include <SystemPalette.h>
#include <View.h>

#include "PixelTestUtils.h"

using BPrivate::palette_color;
using BPrivate::palette_index;

namespace {

uint8 byte_at(const BBitmap& bitmap, int32 x, int32 y)
{
	return ((const uint8*)bitmap.Bits())[y * bitmap.BytesPerRow() + x];
}

// The bytes of a bitmap's pixels that hold the index.
int32 count_bytes(const BBitmap& bitmap, int32 width, int32 height, uint8 index)
{
	int32 count = 0;
	for (int32 y = 0; y < height; y++) {
		for (int32 x = 0; x < width; x++)
			count += byte_at(bitmap, x, y) == index;
	}
	return count;
}

TEST(SystemPaletteTest, EveryEntryIsDistinctAndFindsItself)
{
	EXPECT_EQ(palette_color(0), make_color(0, 0, 0));
	EXPECT_EQ(palette_color(63), make_color(255, 255, 255)) << "cleared bitmaps hold 63 as white";
	EXPECT_EQ(palette_color(B_TRANSPARENT_MAGIC_CMAP8), B_TRANSPARENT_COLOR);

	std::set<uint32> seen;
	for (int32 i = 0; i < 256; i++) {
		rgb_color color = palette_color((uint8)i);
		EXPECT_EQ(palette_index(color), i) << "index " << i << " " << color;
		seen.insert((uint32)color.red << 24 | color.green << 16 | color.blue << 8 | color.alpha);
		if (i != B_TRANSPARENT_MAGIC_CMAP8)
			EXPECT_EQ(color.alpha, 255);
	}
	EXPECT_EQ(seen.size(), 256u);

	const color_map* map = system_colors();
	ASSERT_NE(map, nullptr);
	EXPECT_EQ(map->color_list[200], palette_color(200));
	EXPECT_EQ(map->index_map[0x7fff], 63) << "15-bit white";
	EXPECT_EQ(map->index_map[0], 0);
	EXPECT_EQ(map->inversion_map[0], 63);
	EXPECT_EQ(map->inversion_map[63], 0);
}

TEST(SystemPaletteTest, NearestColourAndTransparency)
{
	EXPECT_EQ(palette_color(palette_index(make_color(250, 6, 3))), make_color(255, 0, 0));
	EXPECT_EQ(palette_color(palette_index(make_color(52, 101, 200))), make_color(51, 102, 204));
	// Greys find the fine ramp rather than the coarse cube.
	EXPECT_EQ(palette_color(palette_index(make_color(120, 120, 120))), make_color(122, 122, 122));
	// Only a fully transparent colour is transparent; the transparent colour itself, drawn
	// opaque, is an ordinary colour.
	EXPECT_EQ(palette_index(make_color(10, 200, 10, 0)), B_TRANSPARENT_MAGIC_CMAP8);
	EXPECT_NE(palette_index(make_color(0x77, 0x74, 0x77, 255)), B_TRANSPARENT_MAGIC_CMAP8);
	EXPECT_NE(palette_index(make_color(0, 0, 0, 1)), B_TRANSPARENT_MAGIC_CMAP8);
}

TEST(SystemPaletteTest, ViewsDrawIntoPaletteBitmapsByNearestColour)
{
	BBitmap bitmap(BRect(0, 0, 9, 5), B_BITMAP_ACCEPTS_VIEWS | B_BITMAP_CLEAR_TO_WHITE, B_CMAP8);
	ASSERT_EQ(bitmap.InitCheck(), B_OK);
	EXPECT_EQ(bitmap.BytesPerRow(), 12);
	BView* view = new BView(bitmap.Bounds(), "view", B_FOLLOW_NONE, 0);
	bitmap.AddChild(view);

	// Looked at through this pointer, the bytes show when the drawing reaches them.
	const uint8* raw = (const uint8*)bitmap.Bits();
	ASSERT_TRUE(bitmap.Lock());
	view->SetHighColor(250, 6, 3);
	view->FillRect(BRect(0, 0, 3, 1));
	view->Sync();
	// Synced, the bytes hold the drawing while the bitmap is still locked.
	EXPECT_EQ(palette_color(raw[12 + 3]), make_color(255, 0, 0));
	EXPECT_EQ(raw[12 + 4], 63);
	view->SetHighColor(B_TRANSPARENT_COLOR);
	view->FillRect(BRect(5, 2, 9, 5));
	bitmap.Unlock();
	// Unlocking brings the last drawing in without a Sync.
	EXPECT_EQ(raw[5 * 12 + 9], B_TRANSPARENT_MAGIC_CMAP8);
	EXPECT_EQ(count_bytes(bitmap, 10, 6, B_TRANSPARENT_MAGIC_CMAP8), 20);
	EXPECT_EQ(count_bytes(bitmap, 10, 6, 63), 60 - 20 - 8);
	// Padding bytes at the ends of the rows are not pixels and stay as they were.
	EXPECT_EQ(((const uint8*)bitmap.Bits())[10], 63);
}

TEST(SystemPaletteTest, EachDrawingStartsFromWhatTheBytesHold)
{
	BBitmap bitmap(BRect(0, 0, 7, 7), B_CMAP8, true);
	ASSERT_EQ(bitmap.InitCheck(), B_OK);
	BView* view = new BView(bitmap.Bounds(), "view", B_FOLLOW_NONE, 0);
	bitmap.AddChild(view);
	ASSERT_TRUE(bitmap.Lock());
	view->SetHighColor(0, 0, 0);
	view->FillRect(view->Bounds());
	view->Sync();

	// A byte the program writes itself between drawings is what the next drawing finds.
	uint8* bits = (uint8*)bitmap.Bits();
	bits[0] = 63;
	// Half-transparent white over black blends to a mid grey, except over the white pixel.
	view->SetDrawingMode(B_OP_ALPHA);
	view->SetHighColor(255, 255, 255, 128);
	view->FillRect(BRect(0, 0, 1, 0));
	bitmap.Unlock();
	EXPECT_EQ(byte_at(bitmap, 0, 0), 63);
	rgb_color blended = palette_color(byte_at(bitmap, 1, 0));
	EXPECT_NEAR(blended.red, 128, 6);
	EXPECT_EQ(blended.red, blended.blue);
	EXPECT_EQ(byte_at(bitmap, 2, 0), 0);
}

TEST(SystemPaletteTest, PaletteBitmapsConvertToAndFromTrueColour)
{
	BBitmap colours(BRect(0, 0, 2, 0), B_RGBA32);
	const uint8 pixels[] = {0, 0, 250, 255, /**/ 255, 255, 255, 255, /**/ 0, 0, 0, 0};
	ASSERT_EQ(colours.ImportBits(pixels, sizeof(pixels), 12, 0, B_RGBA32), B_OK);

	BBitmap indexed(BRect(0, 0, 2, 0), B_CMAP8);
	ASSERT_EQ(indexed.ImportBits(&colours), B_OK);
	EXPECT_EQ(palette_color(byte_at(indexed, 0, 0)), make_color(255, 0, 0));
	EXPECT_EQ(byte_at(indexed, 1, 0), 63);
	EXPECT_EQ(byte_at(indexed, 2, 0), B_TRANSPARENT_MAGIC_CMAP8);

	BBitmap back(BRect(0, 0, 2, 0), B_RGBA32);
	ASSERT_EQ(back.ImportBits(&indexed), B_OK);
	EXPECT_EQ(pixel_at(back, 0, 0), make_color(255, 0, 0));
	EXPECT_EQ(pixel_at(back, 2, 0), B_TRANSPARENT_COLOR);
}

} // namespace
