// Faces of fixed pixel size (the efont "Biwidth" PCF strikes of xfonts-efont-unicode): they
// are listed with their sizes, rasterised at their own size, and on a board as tall as the
// strike every lamp is one of the font's dots.
#include "DisplayViewTesting.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <Font.h>
#include <FontFace.h>

namespace {

const char kFamily[] = "Biwidth";
const char kStyle[] = "Regular 16px";

// The glyph's dots as FreeType reads them from the font file, and its placement.
struct Dots {
	int32 left = 0, top = 0, width = 0, height = 0, ascent = 0;
	std::vector<bool> ink;
	bool At(int32 x, int32 y) const
	{
		return x >= 0 && y >= 0 && x < width && y < height && ink[(size_t)y * width + x];
	}
};

Dots read_glyph(const graphics::FontFace& face, uint32 codePoint)
{
	Dots dots;
	FT_Library library;
	FT_Face ft = nullptr;
	if (FT_Init_FreeType(&library) != 0)
		return dots;
	if (FT_New_Face(library, face.File().c_str(), face.Index(), &ft) == 0 &&
	    FT_Select_Size(ft, 0) == 0 &&
	    FT_Load_Char(ft, codePoint, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) == 0) {
		const FT_Bitmap& bitmap = ft->glyph->bitmap;
		dots.left = ft->glyph->bitmap_left;
		dots.top = ft->glyph->bitmap_top;
		dots.width = (int32)bitmap.width;
		dots.height = (int32)bitmap.rows;
		dots.ascent = (int32)(ft->size->metrics.ascender / 64);
		for (int32 y = 0; y < dots.height; y++) {
			for (int32 x = 0; x < dots.width; x++) {
				const uint8 byte = bitmap.buffer[y * bitmap.pitch + x / 8];
				dots.ink.push_back((byte & (0x80 >> (x % 8))) != 0);
			}
		}
	}
	if (ft != nullptr)
		FT_Done_Face(ft);
	FT_Done_FreeType(library);
	return dots;
}

} // namespace

TEST_F(DisplayViewTest, PixelFacesAreListedWithTheirSizes)
{
	std::vector<std::string> styles;
	for (int32 i = 0; i < count_font_styles(kFamily); i++) {
		font_style style;
		ASSERT_EQ(get_font_style(kFamily, i, &style), B_OK);
		styles.push_back(style);
	}
	for (const char* size : {"Regular 12px", "Regular 14px", "Regular 16px"})
		EXPECT_NE(std::find(styles.begin(), styles.end(), size), styles.end()) << size;

	UseFont(kFamily, kStyle);
	BFont font;
	ASSERT_EQ(TDisplayView::ApplySourceFont(&font), B_OK);
	EXPECT_EQ(font.Size(), 16.0f) << "the strike's size, not the source font size";
	font_height height;
	font.GetHeight(&height);
	EXPECT_EQ(height.ascent + height.descent, 16.0f);
}

TEST_F(DisplayViewTest, ABoardAsTallAsTheStrikeLightsExactlyTheGlyphsDots)
{
	UseFont(kFamily, kStyle);
	gProperty.mResolutionY = 16;
	TestableDisplayView view;
	ASSERT_EQ(view.SetText("駅"), B_OK);
	EXPECT_EQ(view.Scale(), 1.0f);
	ASSERT_EQ(view.MatrixRows(), 16);
	ASSERT_EQ(view.MatrixColumns(), 16);

	BFont font;
	TDisplayView::ApplySourceFont(&font);
	ASSERT_NE(font.EngineFace(), nullptr);
	const Dots dots = read_glyph(*font.EngineFace(), 0x99c5);
	ASSERT_GT(dots.width, 0);
	int32 lit = 0;
	for (int32 y = 0; y < 16; y++) {
		for (int32 x = 0; x < 16; x++) {
			const bool ink = dots.At(x - dots.left, y - (dots.ascent - dots.top));
			EXPECT_EQ(view.Lit(x, y), ink) << x << "," << y;
			lit += ink;
		}
	}
	EXPECT_GT(lit, 40);

	// At another height the strike is sampled like an outline face: half as many rows.
	gProperty.mResolutionY = 8;
	ASSERT_EQ(view.SetText("駅"), B_OK);
	EXPECT_EQ(view.Scale(), 2.0f);
	EXPECT_EQ(view.MatrixColumns(), 8);
	EXPECT_GT(view.CountLit(), 10);
}
