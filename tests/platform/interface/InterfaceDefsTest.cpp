#include <gtest/gtest.h>

#include <InterfaceDefs.h>
#include <ModifiersSource.h>

namespace {

TEST(InterfaceDefsTest, ValuesThatArchivesAndMessagesCarry)
{
	// Archived view trees store these numbers, so they must never drift.
	EXPECT_EQ(B_FOLLOW_LEFT | B_FOLLOW_TOP, 0x1212u);
	EXPECT_EQ(B_FOLLOW_ALL, 0x1234u);
	EXPECT_EQ(B_FOLLOW_LEFT_RIGHT, 0x0204u);
	EXPECT_EQ(B_WILL_DRAW | B_FRAME_EVENTS, 0x24000000u);
	EXPECT_EQ(B_SHIFT_KEY | B_COMMAND_KEY | B_CONTROL_KEY | B_OPTION_KEY, 0x47u);

	rgb_color color = {1, 2, 3, 4};
	const uint8* bytes = reinterpret_cast<const uint8*>(&color);
	EXPECT_EQ(sizeof(rgb_color), 4u);
	EXPECT_EQ(bytes[0], 1);
	EXPECT_EQ(bytes[3], 4);
}

TEST(InterfaceDefsTest, TintsMoveTowardsWhiteOrBlackAndKeepAlpha)
{
	rgb_color base = make_color(100, 200, 0, 77);
	EXPECT_EQ(tint_color(base, B_NO_TINT), base);
	EXPECT_EQ(tint_color(base, B_LIGHTEN_MAX_TINT), make_color(255, 255, 255, 77));
	EXPECT_EQ(tint_color(base, B_DARKEN_MAX_TINT), make_color(0, 0, 0, 77));
	rgb_color darker = tint_color(base, B_DARKEN_1_TINT);
	EXPECT_LT(darker.green, base.green);
	EXPECT_GT(darker.green, 150);

	EXPECT_EQ(ui_color(B_DOCUMENT_BACKGROUND_COLOR), make_color(255, 255, 255));
	EXPECT_EQ(ui_color((color_which)9999), make_color(0, 0, 0));
	EXPECT_EQ(ui_color_name((color_which)9999), nullptr);
}

uint32 all_modifiers()
{
	return B_SHIFT_KEY | B_CONTROL_KEY;
}

TEST(InterfaceDefsTest, ModifiersComeFromTheInstalledSourceElseTheHeadlessState)
{
	BPrivate::set_headless_modifiers(B_COMMAND_KEY);
	EXPECT_EQ(modifiers(), (uint32)B_COMMAND_KEY);
	BPrivate::set_modifiers_source(all_modifiers);
	EXPECT_EQ(modifiers(), (uint32)(B_SHIFT_KEY | B_CONTROL_KEY));
	BPrivate::set_modifiers_source(nullptr);
	EXPECT_EQ(modifiers(), (uint32)B_COMMAND_KEY);
	BPrivate::set_headless_modifiers(0);
	EXPECT_EQ(modifiers(), 0u);
}

TEST(InterfaceDefsTest, PixelSizes)
{
	size_t chunk = 0, align = 0, perChunk = 0;
	ASSERT_EQ(get_pixel_size_for(B_RGBA32, &chunk, &align, &perChunk), B_OK);
	EXPECT_EQ(chunk, 4u);
	EXPECT_EQ(perChunk, 1u);
	ASSERT_EQ(get_pixel_size_for(B_GRAY1, &chunk, &align, &perChunk), B_OK);
	EXPECT_EQ(perChunk, 8u);
	EXPECT_EQ(get_pixel_size_for((color_space)0x7777, &chunk, nullptr, nullptr), B_BAD_VALUE);
}

} // namespace
