// The size check that keeps every picture within the coordinates views can hold: its bounds,
// the view's refusal of lamp sizes and gaps that fail it, and the settings file's refusal of
// values with which no sign could be drawn.
#include "DisplayViewTesting.h"

#include <Entry.h>
#include <File.h>
#include <Message.h>

#include "../support/TempFolder.h"

namespace {

constexpr int64 kExtent = TDisplayView::kMaxPictureExtent;

} // namespace

TEST(PictureSizeCheck, MinimumsAndLimits)
{
	EXPECT_EQ(TDisplayView::CheckPictureSize(1, 1, 1, 0), B_OK);
	EXPECT_EQ(TDisplayView::CheckPictureSize(0, 24, 2, 1), B_BAD_VALUE);
	EXPECT_EQ(TDisplayView::CheckPictureSize(40, 0, 2, 1), B_BAD_VALUE);
	EXPECT_EQ(TDisplayView::CheckPictureSize(40, 24, 0, 1), B_BAD_VALUE);
	EXPECT_EQ(TDisplayView::CheckPictureSize(40, 24, 2, -1), B_BAD_VALUE);

	// More lamps than a lamp matrix may have.
	EXPECT_EQ(TDisplayView::CheckPictureSize(TDisplayView::kMaxLamps, 1, 1, 0), B_OK);
	EXPECT_EQ(TDisplayView::CheckPictureSize(TDisplayView::kMaxLamps + 1, 1, 1, 0), B_NO_MEMORY);
	EXPECT_EQ(TDisplayView::CheckPictureSize(70000, 240, 1, 0), B_NO_MEMORY);

	// The largest lamp size at 24 rows and a gap of 1: 24 lamps and 23 gaps reach exactly the
	// last whole number a float holds, and one pixel more does not fit.
	const int64 largest = (kExtent - 23) / 24;
	EXPECT_EQ(largest, 699049);
	EXPECT_EQ(TDisplayView::CheckPictureSize(1, 24, largest, 1), B_OK);
	EXPECT_EQ(TDisplayView::CheckPictureSize(1, 24, largest + 1, 1), B_BUFFER_OVERFLOW);
	// Width counts too, and values far beyond int32 neither overflow nor pass.
	EXPECT_EQ(TDisplayView::CheckPictureSize(5592406, 1, 2, 1), B_BUFFER_OVERFLOW);
	EXPECT_EQ(TDisplayView::CheckPictureSize(5592405, 1, 2, 1), B_OK);
	EXPECT_EQ(TDisplayView::CheckPictureSize(1, 1, INT64_MAX, INT64_MAX), B_BUFFER_OVERFLOW);
	EXPECT_EQ(TDisplayView::CheckPictureSize(2, 1, 1, INT32_MAX), B_BUFFER_OVERFLOW);
}

TEST_F(DisplayViewTest, UpdateRefusesALampSizeThatDoesNotFitAndKeepsThePicture)
{
	UseFont("DejaVu Sans", "Book");
	TestableDisplayView view;
	ASSERT_EQ(view.SetText("Local"), B_OK);
	const BRect frame = view.Frame();
	Canvas before((int32)frame.Width() + 1, (int32)frame.Height() + 1);
	before.Draw(view);

	gProperty.mLEDSize = INT32_MAX;
	EXPECT_EQ(view.CheckUpdate(gProperty.mLEDSize, gProperty.mLEDGap), B_BUFFER_OVERFLOW);
	EXPECT_EQ(view.Update(), B_BUFFER_OVERFLOW);
	EXPECT_EQ(view.Frame(), frame);
	float width, height;
	view.GetPreferredSize(&width, &height);
	EXPECT_EQ(width, frame.Width());
	EXPECT_EQ(height, frame.Height());
	// Drawing goes on with the lamp size the view last accepted.
	Canvas after((int32)frame.Width() + 1, (int32)frame.Height() + 1);
	after.Draw(view);
	EXPECT_EQ(memcmp(before.bitmap.Bits(), after.bitmap.Bits(), before.bitmap.BitsLength()), 0);

	gProperty.mLEDSize = 0;
	EXPECT_EQ(view.Update(), B_BAD_VALUE);
	// A regeneration refuses as well and leaves the matrix.
	const std::vector<uint8> cells = view.Cells();
	gProperty.mLEDSize = 1;
	gProperty.mLEDGap = INT32_MAX / 2;
	EXPECT_EQ(view.SetText("Rapid service"), B_BUFFER_OVERFLOW);
	EXPECT_EQ(view.Cells(), cells);

	gProperty.mLEDSize = 3;
	gProperty.mLEDGap = 0;
	EXPECT_EQ(view.Update(), B_OK);
	EXPECT_EQ(view.Frame().Width(), 3 * view.MatrixColumns() - 1);
}

namespace {

class PropertyFileCheckTest : public DisplayViewTest {
protected:
	// Writes an archive holding the given keys and loads it into a fresh record.
	status_t Load(const BMessage& archive, TProperty* property)
	{
		const std::string path = fFolder.Path("property.arc");
		{
			BFile file(path.c_str(), B_WRITE_ONLY | B_CREATE_FILE | B_ERASE_FILE);
			EXPECT_EQ(archive.Flatten(&file), B_OK);
		}
		BEntry entry(path.c_str());
		return property->Load(entry);
	}

	static BMessage Archive(int32 size, int32 gap, int32 rows, BRect margins)
	{
		TProperty record;
		BMessage archive;
		record.Archive(&archive);
		archive.ReplaceInt32("LDSz", size);
		archive.ReplaceInt32("LDGp", gap);
		archive.ReplaceInt32("RslY", rows);
		archive.ReplaceRect("Magn", margins);
		return archive;
	}

	TempFolder fFolder;
};

} // namespace

TEST_F(PropertyFileCheckTest, ValuesNoPictureCouldHoldAreRefused)
{
	TProperty property;
	// Lamps so large that 24 rows of them pass the largest coordinate.
	EXPECT_NE(Load(Archive(800000, 1, 24, BRect(0, 0, 0, 0)), &property), B_OK);
	EXPECT_EQ(property.mLEDSize, 2);
	// The same size is fine with fewer rows, which the same file gives.
	EXPECT_EQ(Load(Archive(800000, 1, 16, BRect(0, 0, 0, 0)), &property), B_OK);
	EXPECT_EQ(property.mLEDSize, 800000);
	EXPECT_EQ(property.mResolutionY, 16);

	// Margins that make even one text column too many lamps keep the previous margins.
	TProperty record;
	EXPECT_NE(Load(Archive(2, 1, 24, BRect(1, 0, 16777216, 0)), &record), B_OK);
	EXPECT_EQ(record.mMargin[TProperty::kMarginLeft], 0);
	EXPECT_EQ(record.mMargin[TProperty::kMarginRight], 0);
	EXPECT_EQ(record.mLEDSize, 2);
	// A gap that alone leaves no room is refused, the other values of the file are taken.
	EXPECT_NE(Load(Archive(5, 2000000000, 12, BRect(0, 1, 0, 1)), &record), B_OK);
	EXPECT_EQ(record.mLEDGap, 1);
	EXPECT_EQ(record.mLEDSize, 5);
	EXPECT_EQ(record.mResolutionY, 12);
	EXPECT_EQ(record.mMargin[TProperty::kMarginTop], 1);
}
