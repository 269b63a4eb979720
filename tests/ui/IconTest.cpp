// The application's icons from its resource, and eight-bit icons with a transparent colour.
// This test program carries a placeholder icon of four coloured quadrants (TestIconResource).
#include <gtest/gtest.h>

#include <Bitmap.h>
#include <SystemPalette.h>

#include "../platform/interface/PixelTestUtils.h"
#include "TestApplication.h"
#include "UIUtils.h"

namespace {

const rgb_color kRed = make_color(255, 0, 0);
const rgb_color kGreen = make_color(0, 255, 0);
const rgb_color kBlue = make_color(0, 0, 255);

// Every quadrant of the scaled icon is exactly its colour, edges included.
void ExpectQuadrants(const BBitmap* icon, int32 size)
{
	ASSERT_NE(icon, nullptr);
	ASSERT_EQ(icon->InitCheck(), B_OK);
	EXPECT_EQ(icon->Bounds(), BRect(0, 0, size - 1, size - 1));
	EXPECT_EQ(icon->ColorSpace(), B_RGBA32);
	int32 half = size / 2;
	EXPECT_EQ(pixel_at(*icon, 0, 0), kRed);
	EXPECT_EQ(pixel_at(*icon, half - 1, half - 1), kRed);
	EXPECT_EQ(pixel_at(*icon, half, 0), kGreen);
	EXPECT_EQ(pixel_at(*icon, size - 1, half - 1), kGreen);
	EXPECT_EQ(pixel_at(*icon, 0, half), kBlue);
	EXPECT_EQ(pixel_at(*icon, half, half).alpha, 0);
	EXPECT_EQ(pixel_at(*icon, size - 1, size - 1).alpha, 0);
}

TEST(GetIconsTest, TheIconResourceScaledToBothSizes)
{
	TestApplication app;
	BBitmap* large = nullptr;
	BBitmap* small = nullptr;
	ASSERT_EQ(get_icons(&large, &small), B_OK);
	ExpectQuadrants(large, 32);
	ExpectQuadrants(small, 16);
	delete large;
	delete small;

	// Either size alone.
	BBitmap* onlySmall = nullptr;
	ASSERT_EQ(get_icons(nullptr, &onlySmall), B_OK);
	ExpectQuadrants(onlySmall, 16);
	delete onlySmall;
	app.Quit();
}

TEST(GetIconsTest, WithoutAnApplicationThereIsNoSignatureAndNoIcon)
{
	ASSERT_EQ(be_app, nullptr);
	BBitmap* large = nullptr;
	BBitmap* small = nullptr;
	EXPECT_EQ(get_icons(&large, &small), B_BAD_VALUE);
	EXPECT_EQ(large, nullptr);
	EXPECT_EQ(small, nullptr);
}

TEST(CreateIcon8Test, NearestColoursWithTheChosenOneTransparent)
{
	// White background, a red and a blue pixel, and a pixel that is transparent already.
	BBitmap icon(BRect(10, 20, 13, 22), B_RGBA32);
	ASSERT_EQ(icon.InitCheck(), B_OK);
	uint8* bits = (uint8*)icon.Bits();
	for (int32 i = 0; i < icon.BitsLength(); i += 4) {
		bits[i] = bits[i + 1] = bits[i + 2] = 255;
		bits[i + 3] = 255;
	}
	auto set = [&](int32 x, int32 y, rgb_color c) {
		uint8* p = bits + y * icon.BytesPerRow() + x * 4;
		p[0] = c.blue, p[1] = c.green, p[2] = c.red, p[3] = c.alpha;
	};
	set(1, 1, make_color(240, 10, 10));
	set(2, 1, kBlue);
	set(3, 2, make_color(0, 0, 0, 0));

	BBitmap* indexed = create_icon8_from_icon24(&icon, 0);
	ASSERT_NE(indexed, nullptr);
	EXPECT_EQ(indexed->ColorSpace(), B_CMAP8);
	EXPECT_EQ(indexed->Bounds(), icon.Bounds());
	EXPECT_FALSE(indexed->Lock()) << "the result takes no views";
	const uint8* bytes = (const uint8*)indexed->Bits();
	auto at = [&](int32 x, int32 y) { return bytes[y * indexed->BytesPerRow() + x]; };
	EXPECT_EQ(at(0, 0), B_TRANSPARENT_MAGIC_CMAP8) << "the white background";
	EXPECT_EQ(at(3, 0), B_TRANSPARENT_MAGIC_CMAP8);
	EXPECT_EQ(BPrivate::palette_color(at(1, 1)), kRed);
	EXPECT_EQ(BPrivate::palette_color(at(2, 1)), kBlue);
	EXPECT_EQ(at(3, 2), B_TRANSPARENT_MAGIC_CMAP8);
	delete indexed;

	// With the red pixel's byte as the transparent one (rows of four bytes), only red goes.
	indexed = create_icon8_from_icon24(&icon, 4 + 1);
	ASSERT_NE(indexed, nullptr);
	bytes = (const uint8*)indexed->Bits();
	EXPECT_EQ(at(1, 1), B_TRANSPARENT_MAGIC_CMAP8);
	EXPECT_EQ(at(0, 0), 63);
	delete indexed;

	// A byte outside the bitmap chooses no colour; transparent pixels stay transparent.
	indexed = create_icon8_from_icon24(&icon, 1000);
	ASSERT_NE(indexed, nullptr);
	bytes = (const uint8*)indexed->Bits();
	EXPECT_EQ(at(0, 0), 63);
	EXPECT_EQ(at(3, 2), B_TRANSPARENT_MAGIC_CMAP8);
	delete indexed;

	EXPECT_EQ(create_icon8_from_icon24(nullptr, 0), nullptr);
}

TEST(CreateIcon8Test, IconsOfOtherSpacesAreConvertedFirst)
{
	BBitmap grey(BRect(0, 0, 1, 0), B_GRAY8);
	const uint8 levels[] = {0, 255, 0, 0};
	ASSERT_EQ(grey.ImportBits(levels, sizeof(levels), 4, 0, B_GRAY8), B_OK);
	BBitmap* indexed = create_icon8_from_icon24(&grey, 0);
	ASSERT_NE(indexed, nullptr);
	const uint8* bytes = (const uint8*)indexed->Bits();
	EXPECT_EQ(bytes[0], B_TRANSPARENT_MAGIC_CMAP8);
	EXPECT_EQ(bytes[1], 63);
	delete indexed;
}

} // namespace
