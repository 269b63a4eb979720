// The GIF palette: exact while the colours fit, reduced to close colours when they do not.
#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>

#include <TColorPalette.h>

namespace {

// One row of pixels in the platform's layout with `count` different colours: shades of red
// at four levels of green, as a glow's shades of a few colours lie.
std::vector<uint8> gradient(int32 count)
{
	std::vector<uint8> pixels;
	for (int32 i = 0; i < count; i++)
		pixels.insert(pixels.end(), {128, (uint8)((i >> 8) * 50), (uint8)(i & 0xff), 255});
	return pixels;
}

} // namespace

TEST(ColorPalette, ExactUpTo256ColoursCloseBeyond)
{
	for (int32 count : {1, 3, 256}) {
		const std::vector<uint8> pixels = gradient(count);
		TColorPalette palette;
		palette.Add(pixels.data(), count, 1, count * 4);
		ASSERT_TRUE(palette.IsExact());
		palette.Build();
		EXPECT_EQ(palette.CountEntries(), count);
		for (int32 i = 0; i < count; i++) {
			const uint8* pixel = &pixels[i * 4];
			const uint8* entry = palette.Entry(palette.IndexOf(pixel));
			EXPECT_EQ(entry[0], pixel[2]);
			EXPECT_EQ(entry[1], pixel[1]);
			EXPECT_EQ(entry[2], pixel[0]);
		}
	}

	const int32 many = 1000;
	const std::vector<uint8> pixels = gradient(many);
	TColorPalette palette;
	palette.Add(pixels.data(), many, 1, many * 4);
	EXPECT_FALSE(palette.IsExact());
	palette.Build();
	EXPECT_EQ(palette.CountEntries(), 256);
	int32 worst = 0;
	for (int32 i = 0; i < many; i++) {
		const uint8* pixel = &pixels[i * 4];
		const uint8* entry = palette.Entry(palette.IndexOf(pixel));
		const int32 distance = std::abs(entry[0] - pixel[2]) + std::abs(entry[1] - pixel[1]) +
		                       std::abs(entry[2] - pixel[0]);
		worst = std::max(worst, distance);
	}
	// A thousand shades share 256 entries, each within a few steps of its own.
	EXPECT_LT(worst, 12);
}
