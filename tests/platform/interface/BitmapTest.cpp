#include <gtest/gtest.h>

#include <Bitmap.h>
#include <Looper.h>
#include <Message.h>
#include <View.h>

#include "PixelTestUtils.h"

namespace {

TEST(BitmapTest, GeometryOfA32BitBitmap)
{
	BBitmap bitmap(BRect(0, 0, 9, 4), B_RGBA32);
	ASSERT_EQ(bitmap.InitCheck(), B_OK);
	EXPECT_TRUE(bitmap.IsValid());
	EXPECT_EQ(bitmap.BytesPerRow(), 40);
	EXPECT_EQ(bitmap.BitsLength(), 200);
	EXPECT_EQ(bitmap.Bounds(), BRect(0, 0, 9, 4));
	EXPECT_EQ(bitmap.ColorSpace(), B_RGBA32);
	EXPECT_EQ(count_pixels(bitmap, make_color(0, 0, 0, 0)), 50) << "new pixels are zero";

	// Rows of the one-byte spaces are padded to whole words.
	BBitmap gray(BRect(0, 0, 4, 1), B_GRAY8);
	EXPECT_EQ(gray.BytesPerRow(), 8);
	BBitmap padded(BRect(0, 0, 9, 4), 0, B_RGBA32, 64);
	EXPECT_EQ(padded.BytesPerRow(), 64);
	EXPECT_EQ(padded.BitsLength(), 320);
	BBitmap tooNarrow(BRect(0, 0, 9, 4), 0, B_RGBA32, 39);
	EXPECT_EQ(tooNarrow.InitCheck(), B_BAD_VALUE);
}

TEST(BitmapTest, FractionalBoundsRoundLikeThePainter)
{
	BBitmap bitmap(BRect(0, 0, 10.3f, 4.7f), B_RGBA32);
	EXPECT_EQ(pixel_width(bitmap), 11);
	EXPECT_EQ(pixel_height(bitmap), 6);
	BBitmap shifted(BRect(2.5f, 1, 4.4f, 1.2f), B_RGBA32);
	EXPECT_EQ(pixel_width(shifted), 3);
	EXPECT_EQ(pixel_height(shifted), 1);
}

TEST(BitmapTest, SizesThatCannotBeHeldGiveAnInvalidBitmap)
{
	BBitmap invalid(BRect(), B_RGBA32);
	EXPECT_EQ(invalid.InitCheck(), B_BAD_VALUE);
	EXPECT_EQ(invalid.Bits(), nullptr);
	EXPECT_EQ(invalid.BitsLength(), 0);
	EXPECT_FALSE(invalid.Lock());

	BBitmap huge(BRect(0, 0, 99999, 99999), B_RGBA32, true);
	EXPECT_EQ(huge.InitCheck(), B_NO_MEMORY);
	EXPECT_EQ(huge.Bits(), nullptr);
	EXPECT_EQ(huge.CountChildren(), 0);
	BBitmap endless(BRect(0, 0, 1e30f, 10), B_RGBA32);
	EXPECT_EQ(endless.InitCheck(), B_NO_MEMORY);
	BBitmap notANumber(BRect(0, 0, NAN, 10), B_RGBA32);
	EXPECT_EQ(notANumber.InitCheck(), B_BAD_VALUE);
	BBitmap unknownSpace(BRect(0, 0, 9, 9), (color_space)0x4444);
	EXPECT_EQ(unknownSpace.InitCheck(), B_BAD_VALUE);
	// Views draw only into the 32-bit spaces and the palette space.
	BBitmap gray(BRect(0, 0, 9, 9), B_GRAY8, true);
	EXPECT_EQ(gray.InitCheck(), B_NOT_SUPPORTED);

	// A view handed to an invalid bitmap stays the caller's.
	BView view(BRect(0, 0, 1, 1), "view", B_FOLLOW_NONE, 0);
	huge.AddChild(&view);
	EXPECT_EQ(view.Parent(), nullptr);
	EXPECT_EQ(view.Looper(), nullptr);
}

TEST(BitmapTest, ClearToWhite)
{
	BBitmap bitmap(BRect(0, 0, 2, 2), B_BITMAP_CLEAR_TO_WHITE, B_RGBA32);
	EXPECT_EQ(count_pixels(bitmap, make_color(255, 255, 255, 255)), 9);
}

TEST(BitmapTest, OwnsItsViewsAndLocksThemWithItsLooper)
{
	BBitmap bitmap(BRect(0, 0, 19, 9), B_RGBA32, true);
	ASSERT_EQ(bitmap.InitCheck(), B_OK);
	BView* first = new BView(BRect(0, 0, 9, 9), "first", B_FOLLOW_NONE, 0);
	BView* second = new BView(BRect(10, 0, 19, 9), "second", B_FOLLOW_NONE, 0);
	BView* inner = new BView(BRect(1, 1, 2, 2), "inner", B_FOLLOW_NONE, 0);
	second->AddChild(inner);
	bitmap.AddChild(first);
	bitmap.AddChild(second);

	EXPECT_EQ(bitmap.CountChildren(), 2);
	EXPECT_EQ(bitmap.ChildAt(0), first);
	EXPECT_EQ(bitmap.ChildAt(1), second);
	EXPECT_EQ(bitmap.ChildAt(2), nullptr);
	EXPECT_EQ(bitmap.FindView("inner"), inner);
	EXPECT_EQ(bitmap.FindView("missing"), nullptr);
	EXPECT_EQ(bitmap.FindView(BPoint(12, 3)), second);
	EXPECT_EQ(first->Parent(), nullptr) << "the bitmap's own top view is hidden";
	EXPECT_EQ(first->NextSibling(), second);
	EXPECT_EQ(second->PreviousSibling(), first);
	EXPECT_EQ(first->Window(), nullptr);

	// Every view of the tree is a handler of the bitmap's looper, so LockLooper takes the
	// bitmap's lock.
	ASSERT_NE(first->Looper(), nullptr);
	EXPECT_EQ(inner->Looper(), first->Looper());
	ASSERT_TRUE(inner->LockLooper());
	EXPECT_TRUE(bitmap.IsLocked());
	inner->UnlockLooper();
	EXPECT_FALSE(bitmap.IsLocked());
	ASSERT_TRUE(bitmap.Lock());
	EXPECT_TRUE(first->Looper()->IsLocked());
	bitmap.Unlock();

	EXPECT_TRUE(bitmap.RemoveChild(first));
	EXPECT_EQ(first->Looper(), nullptr);
	EXPECT_FALSE(bitmap.RemoveChild(first));
	delete first;
	// `second` and `inner` go with the bitmap; the leak checker would notice otherwise.
}

TEST(BitmapTest, ImportBitsConvertsAndNeverOverruns)
{
	BBitmap bitmap(BRect(0, 0, 1, 1), B_RGBA32);
	const uint8 gray[] = {10, 20, 0, 0, 30, 40, 0, 0};
	ASSERT_EQ(bitmap.ImportBits(gray, sizeof(gray), 4, 0, B_GRAY8), B_OK);
	EXPECT_EQ(pixel_at(bitmap, 0, 0), make_color(10, 10, 10, 255));
	EXPECT_EQ(pixel_at(bitmap, 1, 1), make_color(40, 40, 40, 255));

	// Raw bytes of the bitmap's own space: a longer source is cut at the bitmap's end.
	uint8 big[64];
	memset(big, 7, sizeof(big));
	EXPECT_EQ(bitmap.ImportBits(big, sizeof(big), B_ANY_BYTES_PER_ROW, 8, B_RGBA32), B_OK);
	EXPECT_EQ(pixel_at(bitmap, 0, 0), make_color(10, 10, 10, 255)) << "before the offset";
	EXPECT_EQ(pixel_at(bitmap, 1, 1), make_color(7, 7, 7, 7));
	EXPECT_EQ(bitmap.ImportBits(big, sizeof(big), B_ANY_BYTES_PER_ROW, 17, B_RGBA32), B_BAD_VALUE);

	// A rectangle is clipped to both bitmaps.
	BBitmap source(BRect(0, 0, 2, 2), B_BITMAP_CLEAR_TO_WHITE, B_RGB32);
	BBitmap target(BRect(0, 0, 1, 1), B_RGBA32);
	EXPECT_EQ(target.ImportBits(&source, BPoint(1, 1), BPoint(1, 0), 5, 5), B_OK);
	EXPECT_EQ(pixel_at(target, 1, 0), make_color(255, 255, 255, 255));
	EXPECT_EQ(pixel_at(target, 1, 1), make_color(255, 255, 255, 255));
	EXPECT_EQ(pixel_at(target, 0, 0), make_color(0, 0, 0, 0));
	EXPECT_EQ(target.ImportBits(&source), B_BAD_VALUE) << "whole imports need equal sizes";
}

TEST(BitmapTest, CopiesAndArchivesKeepThePixels)
{
	BBitmap bitmap(BRect(0, 0, 3, 2), B_RGBA32, true);
	uint8* bits = (uint8*)bitmap.Bits();
	for (int32 i = 0; i < bitmap.BitsLength(); i++)
		bits[i] = (uint8)(i * 7);
	bitmap.AddChild(new BView(BRect(0, 0, 3, 2), "painter", B_FOLLOW_NONE, 0));

	BBitmap copy(bitmap);
	ASSERT_EQ(copy.InitCheck(), B_OK);
	EXPECT_EQ(memcmp(copy.Bits(), bitmap.Bits(), bitmap.BitsLength()), 0);
	EXPECT_EQ(copy.CountChildren(), 0) << "views are not copied";

	BMessage archive;
	ASSERT_EQ(bitmap.Archive(&archive, true), B_OK);
	BArchivable* object = instantiate_object(&archive);
	BBitmap* restored = dynamic_cast<BBitmap*>(object);
	ASSERT_NE(restored, nullptr);
	EXPECT_EQ(restored->Bounds(), bitmap.Bounds());
	EXPECT_EQ(restored->ColorSpace(), B_RGBA32);
	EXPECT_EQ(memcmp(restored->Bits(), bitmap.Bits(), bitmap.BitsLength()), 0);
	ASSERT_EQ(restored->CountChildren(), 1);
	EXPECT_STREQ(restored->ChildAt(0)->Name(), "painter");
	delete restored;

	// Damaged archives give an invalid bitmap, never a crash.
	BMessage damaged;
	damaged.AddString("class", "BBitmap");
	damaged.AddRect("_frame", BRect(0, 0, 3, 2));
	damaged.AddInt32("_cspace", B_RGBA32);
	damaged.AddData("_data", B_RAW_TYPE, "xy", 2, false);
	BBitmap* partial = dynamic_cast<BBitmap*>(instantiate_object(&damaged));
	ASSERT_NE(partial, nullptr);
	EXPECT_EQ(partial->InitCheck(), B_OK);
	EXPECT_EQ(((const uint8*)partial->Bits())[1], 'y');
	delete partial;
	damaged.ReplaceInt32("_cspace", 0x4444);
	BBitmap unknown(&damaged);
	EXPECT_EQ(unknown.InitCheck(), B_BAD_VALUE);
}

} // namespace
