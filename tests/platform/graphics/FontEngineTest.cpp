// The font list, the platform's three fonts, fallback rules, metrics, widths and the caches.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include <FontEngine.h>
#include <FontFace.h>

using graphics::FontEngine;
using graphics::FontFace;
using graphics::FontSpec;

namespace {

FontEngine& engine()
{
	return FontEngine::Default();
}

const FontFace* face(const char* family, const char* style = "")
{
	const FontFace* found = engine().FindFace(family, style);
	EXPECT_NE(found, nullptr) << "the pinned font " << family << " is not installed";
	return found;
}

FontSpec request(const FontFace* face, float size, bool antialias = true)
{
	FontSpec font;
	font.face = face;
	font.size = size;
	font.antialias = antialias;
	return font;
}

float width(const FontSpec& font, const std::string& text)
{
	return engine().StringWidth(font, text.data(), text.size());
}

} // namespace

TEST(FontEngine, FamiliesAndStylesComeSortedAndWithoutDuplicates)
{
	ASSERT_EQ(engine().InitCheck(), B_OK);
	std::vector<std::string> families;
	for (int32 i = 0; i < engine().CountFamilies(); i++) {
		std::string family;
		ASSERT_TRUE(engine().GetFamily(i, &family));
		families.push_back(family);
	}
	std::string beyond;
	EXPECT_FALSE(engine().GetFamily(engine().CountFamilies(), &beyond));
	EXPECT_FALSE(engine().GetFamily(-1, &beyond));
	EXPECT_TRUE(std::is_sorted(families.begin(), families.end()));
	EXPECT_EQ(std::adjacent_find(families.begin(), families.end()), families.end());
	EXPECT_NE(std::find(families.begin(), families.end(), "DejaVu Sans"), families.end());
	EXPECT_NE(std::find(families.begin(), families.end(), "VL Gothic"), families.end());

	std::vector<std::string> styles;
	for (int32 i = 0; i < engine().CountStyles("DejaVu Sans"); i++) {
		std::string style;
		ASSERT_TRUE(engine().GetStyle("DejaVu Sans", i, &style));
		styles.push_back(style);
		// Ids lead back to the same face, as fonts store them.
		const FontFace* listed = engine().FindFace("DejaVu Sans", style);
		ASSERT_NE(listed, nullptr);
		EXPECT_EQ(engine().FindFace(listed->FamilyId(), listed->StyleId()), listed);
	}
	EXPECT_TRUE(std::is_sorted(styles.begin(), styles.end()));
	EXPECT_NE(std::find(styles.begin(), styles.end(), "Book"), styles.end());
	EXPECT_NE(std::find(styles.begin(), styles.end(), "Bold"), styles.end());
	// The same face installed under two file names (VL Gothic is) is listed once.
	EXPECT_EQ(engine().CountStyles("VL Gothic"), 1);
	EXPECT_EQ(engine().CountStyles("No Such Family"), 0);
}

TEST(FontEngine, PlainBoldAndFixedAreFontconfigsJapaneseSansAndMonospace)
{
	const FontFace* plain = engine().PlainFace();
	const FontFace* bold = engine().BoldFace();
	const FontFace* fixed = engine().FixedFace();
	ASSERT_NE(plain, nullptr);
	ASSERT_NE(bold, nullptr);
	ASSERT_NE(fixed, nullptr);
	EXPECT_EQ(plain->Family(), "VL Gothic");
	EXPECT_TRUE(plain->HasCharacter(0x99c5)); // 駅
	// VL Gothic has no bold; fontconfig asks for it to be thickened.
	EXPECT_EQ(bold->Family(), "VL Gothic");
	EXPECT_TRUE(bold->IsBold());
	// The fixed font is a face whose characters really share one width. The pinned DejaVu
	// Sans Mono is one, but a machine may have others that fontconfig puts first, and faces
	// called monospaced that are not.
	EXPECT_TRUE(face("DejaVu Sans Mono")->IsFixedWidth());
	EXPECT_TRUE(fixed->IsFixedWidth()) << fixed->Family();
	const FontSpec mono = request(fixed, 40);
	EXPECT_EQ(width(mono, "iiii"), width(mono, "WWWW")) << fixed->Family();

	const FontSpec regular = request(plain, 40), thick = request(bold, 40);
	EXPECT_GT(width(thick, "駅"), width(regular, "駅"));
}

TEST(FontEngine, UnknownFamiliesAndStylesFallBackToPlainAndAnEmptyStylePicksTheRegular)
{
	EXPECT_EQ(engine().FindFace("Haru", "Regular"), nullptr);
	EXPECT_EQ(engine().FindFace("DejaVu Sans", "Wobbly"), nullptr);
	EXPECT_EQ(engine().FindFace(0xffff, 0), nullptr);
	bool found = true;
	EXPECT_EQ(engine().ResolveFace("Haru", "Regular", &found), engine().PlainFace());
	EXPECT_FALSE(found);
	EXPECT_EQ(engine().ResolveFace("DejaVu Sans", "Wobbly", &found), engine().PlainFace());
	EXPECT_EQ(engine().ResolveFace("DejaVu Sans", "Bold", &found)->Style(), "Bold");
	EXPECT_TRUE(found);
	const FontFace* regular = face("DejaVu Sans");
	ASSERT_NE(regular, nullptr);
	EXPECT_EQ(regular->Style(), "Book");
	// Style names match regardless of case; fonts stored by hand use either.
	EXPECT_EQ(engine().FindFace("VL Gothic", "Regular"), face("VL Gothic", "regular"));
	// A family without a bold answers "Bold" with its thickened regular, consistently.
	const FontFace* synthetic = face("VL Gothic", "Bold");
	ASSERT_NE(synthetic, nullptr);
	EXPECT_TRUE(synthetic->IsSyntheticBold());
	EXPECT_EQ(engine().FindFace(synthetic->FamilyId(), synthetic->StyleId()), synthetic);
	EXPECT_FALSE(face("DejaVu Sans", "Bold")->IsSyntheticBold());
}

TEST(FontEngine, MetricsAreUnroundedAndScaleWithTheSize)
{
	const FontFace* dejavu = face("DejaVu Sans");
	graphics::FontHeight small = engine().GetHeight(request(dejavu, 10));
	graphics::FontHeight large = engine().GetHeight(request(dejavu, 200));
	EXPECT_GT(small.ascent, 0);
	EXPECT_GT(small.descent, 0);
	EXPECT_GE(small.leading, 0);
	EXPECT_NEAR(large.ascent, small.ascent * 20, 1e-3);
	EXPECT_NEAR(large.descent, small.descent * 20, 1e-3);
	// Hinted metrics would be whole pixels; these keep their fraction.
	EXPECT_NE(large.ascent, std::round(large.ascent));

	graphics::FontHeight none = engine().GetHeight(request(dejavu, -3));
	EXPECT_EQ(none.ascent, 0);
	EXPECT_EQ(none.descent, 0);
}

TEST(FontEngine, WidthsAddUpPerCharacterAndIgnoreControlCharacters)
{
	const FontSpec font = request(face("DejaVu Sans"), 50);
	float a = width(font, "A"), v = width(font, "V");
	EXPECT_GT(a, 0);
	// No kerning: a pair is the sum of its parts.
	EXPECT_FLOAT_EQ(width(font, "AV"), a + v);
	EXPECT_FLOAT_EQ(width(font, "A\tV\n"), a + v);
	EXPECT_FLOAT_EQ(width(request(font.face, 100), "AV"), 2 * (a + v));
	EXPECT_EQ(width(font, ""), 0);
	EXPECT_EQ(engine().StringWidth(font, nullptr, 0), 0);
	EXPECT_EQ(width(request(font.face, std::nanf("")), "A"), 0);
	// Monochrome rendering uses the same advances, so both layouts line up.
	EXPECT_FLOAT_EQ(width(request(font.face, 50, false), "AV"), a + v);
}

TEST(FontEngine, JapaneseInALatinFontComesFromAFaceThatHasIt)
{
	const FontFace* dejavu = face("DejaVu Sans");
	const FontFace* gothic = face("VL Gothic");
	EXPECT_FALSE(dejavu->HasCharacter(0x99c5));
	EXPECT_EQ(engine().FaceForCharacter(request(dejavu, 20), 'A'), dejavu);
	EXPECT_EQ(engine().FaceForCharacter(request(dejavu, 20), 0x99c5), gothic);
	EXPECT_EQ(engine().FaceForCharacter(request(dejavu, 20), 0x10fffd), nullptr);
	EXPECT_FLOAT_EQ(width(request(dejavu, 30), "各駅"), width(request(gothic, 30), "各駅"));
}

TEST(FontEngine, MalformedUtf8BecomesReplacementCharactersWithoutOverrunning)
{
	struct Case {
		std::string bytes;
		std::vector<uint32> expected;
	};
	const Case cases[] = {
	    {"A\xc3\xa9", {'A', 0xe9}},
	    {"\xe9\xa7\x85", {0x99c5}},
	    {"\xf0\x9f\x98\x80", {0x1f600}},
	    {"\x80z", {0xfffd, 'z'}},                               // stray continuation byte
	    {"\xc0\xaf", {0xfffd, 0xfffd}},                         // overlong '/'
	    {"\xed\xa0\x80", {0xfffd, 0xfffd, 0xfffd}},             // surrogate
	    {"\xe9\xa7", {0xfffd, 0xfffd}},                         // cut short at the end
	    {"\xf4\x90\x80\x80", {0xfffd, 0xfffd, 0xfffd, 0xfffd}}, // beyond U+10FFFF
	};
	for (const Case& c : cases) {
		std::vector<uint32> decoded;
		size_t offset = 0;
		while (offset < c.bytes.size())
			decoded.push_back(graphics::next_code_point(c.bytes.data(), c.bytes.size(), &offset));
		EXPECT_EQ(decoded, c.expected);
		EXPECT_EQ(offset, c.bytes.size());
	}
}

TEST(FontEngine, TheGlyphCacheStaysWithinItsLimit)
{
	const FontSpec font = request(face("VL Gothic"), 120, true);
	engine().SetGlyphCacheLimit(256 * 1024);
	std::string text;
	for (uint32 c = 0x4e00; c < 0x4e00 + 40; c++) {
		text += (char)(0xe0 | (c >> 12));
		text += (char)(0x80 | ((c >> 6) & 0x3f));
		text += (char)(0x80 | (c & 0x3f));
	}
	graphics::GlyphRun run;
	ASSERT_EQ(engine().Layout(font, text.data(), text.size(), &run), B_OK);
	EXPECT_EQ(run.glyphs.size(), 40u);
	EXPECT_LE(engine().GlyphCacheBytes(), 256u * 1024);
	EXPECT_GT(engine().CachedGlyphCount(), 0u);
	EXPECT_LT(engine().CachedGlyphCount(), 40u);
	// Glyphs dropped from the cache stay valid for the run that holds them.
	for (const auto& placed : run.glyphs)
		EXPECT_GT(placed.glyph->coverage.size(), 0u);
	engine().SetGlyphCacheLimit(16 << 20);
}

TEST(FontEngine, ManyThreadsMeasuringAndLayingOutAgreeWithOneThread)
{
	const FontSpec fonts[] = {request(face("DejaVu Sans"), 17),
	                          request(face("VL Gothic"), 23, false),
	                          request(engine().BoldFace(), 31)};
	const std::string text = "Glowplate 各駅停車 0123";
	float expected[3];
	for (int i = 0; i < 3; i++)
		expected[i] = width(fonts[i], text);
	std::vector<std::thread> threads;
	std::vector<int> mismatches(4, 0);
	for (int t = 0; t < 4; t++) {
		threads.emplace_back([&, t] {
			for (int round = 0; round < 50; round++) {
				const FontSpec& font = fonts[(t + round) % 3];
				graphics::GlyphRun run;
				engine().Layout(font, text.data(), text.size(), &run);
				if (run.advance != expected[(t + round) % 3])
					mismatches[t]++;
			}
		});
	}
	for (std::thread& thread : threads)
		thread.join();
	EXPECT_EQ(mismatches, std::vector<int>(4, 0));
}
