// A very long text must neither crash the view nor take the process anywhere near the memory
// an undivided source screen would need (about 200 x 260 x 4 bytes per character, 2 GB for
// 10,000 characters). Peak resident size is what the user's machine feels, so that is what is
// measured.
#include "DisplayViewTesting.h"

#include <sys/resource.h>

#include <Entry.h>

#include "../support/TempFolder.h"

namespace {

constexpr double kMiB = 1024.0 * 1024.0;

double peak_resident_bytes()
{
	struct rusage usage = {};
	getrusage(RUSAGE_SELF, &usage);
	return usage.ru_maxrss * 1024.0;
}

std::string repeat(const std::string& unit, int32 times)
{
	std::string text;
	for (int32 i = 0; i < times; i++)
		text += unit;
	return text;
}

} // namespace

TEST_F(DisplayViewTest, TenThousandJapaneseCharactersStayWithinMemory)
{
	UseFont("VL Gothic", "regular");
	// Ten thousand characters.
	const std::string text = repeat("各駅停車新宿方面快速", 1000);
	TestableDisplayView view;
	ASSERT_EQ(view.SetText("各駅停車"), B_OK);
	const int32 shortColumns = view.MatrixColumns();

	const double before = peak_resident_bytes();
	ASSERT_EQ(view.SetText(text.c_str()), B_OK);
	const double grown = peak_resident_bytes() - before;

	// The matrix itself is 4 bytes a lamp, about 17 MiB here; everything else is bounded.
	EXPECT_NEAR(view.MatrixColumns(), shortColumns * 2500.0, shortColumns * 25.0);
	EXPECT_LT(grown, 128 * kMiB) << "grew by " << grown / kMiB << " MiB";
	EXPECT_LT(peak_resident_bytes(), 1024 * kMiB);
	EXPECT_GT(view.CountLit(), 0);
}

TEST_F(DisplayViewTest, TenThousandLatinCharactersSaveWithinMemory)
{
	UseFont("DejaVu Sans", "Book");
	const std::string text = repeat("Rapid for ", 1000);
	TestableDisplayView view;
	const double before = peak_resident_bytes();
	ASSERT_EQ(view.SetText(text.c_str()), B_OK);

	TempFolder folder;
	entry_ref ref;
	ASSERT_EQ(get_ref_for_path(folder.Path("long.png").c_str(), &ref), B_OK);
	ASSERT_EQ(view.Save(ref), B_OK);
	const double grown = peak_resident_bytes() - before;
	// The export bitmap is the picture itself: 3 x 3 pixels a lamp, 4 bytes a pixel.
	const double picture = (view.Frame().Width() + 1) * (view.Frame().Height() + 1) * 4;
	EXPECT_LT(grown, picture + 128 * kMiB) << "grew by " << grown / kMiB << " MiB";
	EXPECT_LT(peak_resident_bytes(), 1024 * kMiB);
}
