#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include <Font.h>
#include <String.h>

namespace {

TEST(FontTest, FamiliesAndStylesAreListedInAStableOrder)
{
	int32 count = count_font_families();
	ASSERT_GT(count, 0);
	font_family previous = "";
	bool sawDejaVu = false;
	for (int32 i = 0; i < count; i++) {
		font_family family;
		uint32 flags = 0;
		ASSERT_EQ(get_font_family(i, &family, &flags), B_OK);
		EXPECT_LT(strcmp(previous, family), 0) << "sorted and without repeats";
		strcpy(previous, family);
		sawDejaVu |= strcmp(family, "DejaVu Sans") == 0;
		ASSERT_GT(count_font_styles(family), 0) << family;
		font_style style;
		ASSERT_EQ(get_font_style(family, 0, &style), B_OK);
		EXPECT_GT(strlen(style), 0u);
	}
	EXPECT_TRUE(sawDejaVu);

	font_family family;
	EXPECT_EQ(get_font_family(count, &family), B_BAD_VALUE);
	EXPECT_STREQ(family, "");
	EXPECT_EQ(get_font_family(-1, &family), B_BAD_VALUE);
	font_style style;
	EXPECT_EQ(get_font_style("No Such Family", 0, &style), B_BAD_VALUE);
	EXPECT_EQ(count_font_styles("No Such Family"), 0);

	font_family mono = "DejaVu Sans Mono";
	uint32 flags = 0;
	uint16 face = 0;
	ASSERT_EQ(get_font_style(mono, 0, &style, &face, &flags), B_OK);
	EXPECT_EQ(flags & B_IS_FIXED, (uint32)B_IS_FIXED);
}

TEST(FontTest, UnknownFamilyOrStyleLeavesThePlainFontAtTheRequestedSize)
{
	BFont font;
	font.SetSize(200);
	EXPECT_EQ(font.SetFamilyAndStyle("Haru", "Regular"), B_NAME_NOT_FOUND);
	EXPECT_EQ(font.FamilyAndStyle(), be_plain_font->FamilyAndStyle());
	EXPECT_EQ(font.Size(), 200);
	EXPECT_EQ(font.SetFamilyAndStyle("DejaVu Sans", "No Such Style"), B_NAME_NOT_FOUND);
	EXPECT_EQ(font.FamilyAndStyle(), be_plain_font->FamilyAndStyle());
	EXPECT_EQ(font.SetFamilyAndStyle("", ""), B_NAME_NOT_FOUND);

	// A known family with no style picks its regular face; a null family keeps the family.
	ASSERT_EQ(font.SetFamilyAndStyle("DejaVu Sans", nullptr), B_OK);
	font_family family;
	font_style style;
	font.GetFamilyAndStyle(&family, &style);
	EXPECT_STREQ(family, "DejaVu Sans");
	EXPECT_STREQ(style, "Book");
	ASSERT_EQ(font.SetFamilyAndStyle(nullptr, "Bold"), B_OK);
	font.GetFamilyAndStyle(&family, &style);
	EXPECT_STREQ(family, "DejaVu Sans");
	EXPECT_STREQ(style, "Bold");
	EXPECT_TRUE(font.Face() & B_BOLD_FACE);

	// The code round-trips.
	BFont other;
	other.SetFamilyAndStyle(font.FamilyAndStyle());
	EXPECT_EQ(other.FamilyAndStyle(), font.FamilyAndStyle());
	other.SetFamilyAndStyle(0xffffffffu);
	EXPECT_EQ(other.FamilyAndStyle(), font.FamilyAndStyle()) << "an unknown code changes nothing";
}

TEST(FontTest, StandardFontsAndFaces)
{
	font_family family;
	font_style style;
	be_plain_font->GetFamilyAndStyle(&family, &style);
	EXPECT_GT(strlen(family), 0u);
	EXPECT_EQ(be_plain_font->Size(), 12);
	EXPECT_TRUE(be_bold_font->Face() & B_BOLD_FACE);
	EXPECT_TRUE(be_fixed_font->IsFixed());
	EXPECT_EQ(BFont(), *be_plain_font);

	BFont font;
	// Only the faces of the pinned core package are relied on: Book and Bold.
	ASSERT_EQ(font.SetFamilyAndFace("DejaVu Sans", B_BOLD_FACE), B_OK);
	font.GetFamilyAndStyle(&family, &style);
	EXPECT_STREQ(style, "Bold");
	font.SetFace(B_REGULAR_FACE | B_UNDERSCORE_FACE);
	font.GetFamilyAndStyle(&family, &style);
	EXPECT_STREQ(style, "Book");
	EXPECT_TRUE(font.Face() & B_UNDERSCORE_FACE);
}

TEST(FontTest, MetricsAndWidthsFollowTheSize)
{
	BFont font;
	ASSERT_EQ(font.SetFamilyAndStyle("DejaVu Sans", "Book"), B_OK);
	font.SetSize(20);
	font_height small;
	font.GetHeight(&small);
	float smallWidth = font.StringWidth("Glowplate");
	font.SetSize(40);
	font_height large;
	font.GetHeight(&large);
	EXPECT_GT(small.ascent, 0);
	EXPECT_GT(small.descent, 0);
	EXPECT_NEAR(large.ascent, 2 * small.ascent, 1.0);
	EXPECT_NEAR(font.StringWidth("Glowplate"), 2 * smallWidth, 2.0);
	EXPECT_EQ(font.StringWidth(""), 0);
	EXPECT_EQ(font.StringWidth(nullptr), 0);
	EXPECT_EQ(font.StringWidth("Glowplate", 4), font.StringWidth("Glow"));
	EXPECT_EQ(font.StringWidth("ab", 100), font.StringWidth("ab")) << "the length is a most";
	// Japanese comes from a fallback face when the chosen one lacks it.
	EXPECT_GT(font.StringWidth("各駅停車"), 4 * 20);

	font.SetSize(-5);
	EXPECT_EQ(font.Size(), 0);
	font.SetSize(NAN);
	EXPECT_EQ(font.Size(), 0);
	font.SetSize(1e9f);
	EXPECT_EQ(font.Size(), 10000);
}

TEST(FontTest, TruncateStringCutsWholeCharactersToFit)
{
	BFont font;
	font.SetFamilyAndStyle("DejaVu Sans", "Book");
	font.SetSize(12);
	BString text("各駅停車 Glowplate Maker");
	float width = font.StringWidth("各駅停…");
	for (uint32 mode : {B_TRUNCATE_END, B_TRUNCATE_BEGINNING, B_TRUNCATE_MIDDLE}) {
		BString truncated(text);
		font.TruncateString(&truncated, mode, width);
		EXPECT_LE(font.StringWidth(truncated.String()), width) << mode;
		EXPECT_NE(truncated.FindFirst("…"), B_ERROR) << mode;
		// What is kept are whole characters of the original, from the side the mode keeps.
		std::string kept(truncated.String());
		kept.erase(kept.find("…"), strlen("…"));
		std::string original(text.String());
		if (mode == B_TRUNCATE_END) {
			EXPECT_EQ(original.compare(0, kept.size(), kept), 0) << kept;
		}
		if (mode == B_TRUNCATE_BEGINNING) {
			EXPECT_EQ(original.compare(original.size() - kept.size(), kept.size(), kept), 0)
			    << kept;
		}
	}
	BString fits("ab");
	font.TruncateString(&fits, B_TRUNCATE_END, 1000);
	EXPECT_EQ(fits, "ab");
	BString nothing("abc");
	font.TruncateString(&nothing, B_TRUNCATE_END, 0.5f);
	EXPECT_EQ(nothing, "");
}

} // namespace
