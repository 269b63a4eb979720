#include <FontFace.h>

#include <algorithm>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H
#include FT_OUTLINE_H

namespace graphics {

namespace {

// Fills `out` from a rendered bitmap: runs of ink for monochrome glyphs, coverage bytes for
// antialiased ones. Embedded bitmaps may come in a different depth than asked for, so every
// depth FreeType hands out for outlines and strikes is read.
void convert_bitmap(const FT_Bitmap& bitmap, bool monochrome, Glyph* out)
{
	int32 width = (int32)bitmap.width;
	int32 height = (int32)bitmap.rows;
	int32 pitch = bitmap.pitch < 0 ? -bitmap.pitch : bitmap.pitch;
	auto row = [&](int32 y) {
		int32 index = bitmap.pitch < 0 ? height - 1 - y : y;
		return bitmap.buffer + (size_t)index * pitch;
	};
	auto value = [&](const uint8* line, int32 x) -> uint8 {
		switch (bitmap.pixel_mode) {
		case FT_PIXEL_MODE_MONO:
			return (line[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
		case FT_PIXEL_MODE_GRAY: {
			int32 grays = bitmap.num_grays > 1 ? bitmap.num_grays - 1 : 255;
			return (uint8)std::min(255, line[x] * 255 / grays);
		}
		case FT_PIXEL_MODE_BGRA:
			return line[x * 4 + 3];
		default:
			return 0;
		}
	};
	out->width = width;
	out->height = height;
	out->monochrome = monochrome;
	if (width <= 0 || height <= 0 || bitmap.buffer == nullptr) {
		out->width = out->height = 0;
		return;
	}
	if (!monochrome) {
		out->coverage.resize((size_t)width * height);
		for (int32 y = 0; y < height; y++) {
			const uint8* line = row(y);
			for (int32 x = 0; x < width; x++)
				out->coverage[(size_t)y * width + x] = value(line, x);
		}
		return;
	}
	for (int32 y = 0; y < height; y++) {
		const uint8* line = row(y);
		int32 start = -1;
		for (int32 x = 0; x <= width; x++) {
			bool ink = x < width && value(line, x) >= 128;
			if (ink && start < 0)
				start = x;
			else if (!ink && start >= 0) {
				out->spans.push_back(GlyphSpan{y, start, x - start});
				start = -1;
			}
		}
	}
	out->spans.shrink_to_fit();
}

} // namespace

FontFace::FontFace(const Description& description, _FcCharSet* charSet)
    : fDescription(description), fCharSet(charSet != nullptr ? FcCharSetCopy(charSet) : nullptr)
{
}

FontFace::FontFace(const FontFace* regular) : fDescription(regular->fDescription), fRegular(regular)
{
	fDescription.style = "Bold";
	fDescription.weight = 200;
	fCharSet = regular->fCharSet != nullptr ? FcCharSetCopy(regular->fCharSet) : nullptr;
}

FontFace::~FontFace()
{
	Release();
}

void FontFace::Release()
{
	if (fFace != nullptr)
		FT_Done_Face(fFace);
	fFace = nullptr;
	if (fCharSet != nullptr)
		FcCharSetDestroy(fCharSet);
	fCharSet = nullptr;
	fOpenStatus = B_NOT_ALLOWED;
	fSize = -1;
}

bool FontFace::HasCharacter(uint32 codePoint) const
{
	return fCharSet != nullptr && FcCharSetHasChar(fCharSet, codePoint);
}

status_t FontFace::Open(FT_LibraryRec_* library) const
{
	if (fRegular != nullptr)
		return fRegular->Open(library);
	if (fOpenStatus != B_NO_INIT || library == nullptr)
		return fOpenStatus;
	FT_Face face = nullptr;
	if (FT_New_Face(library, fDescription.file.c_str(), fDescription.index, &face) != 0) {
		fOpenStatus = B_BAD_DATA;
		return fOpenStatus;
	}
	// Most faces select a Unicode map themselves; this catches those that list another one
	// first.
	FT_Select_Charmap(face, FT_ENCODING_UNICODE);
	fFace = face;
	fOpenStatus = B_OK;
	return B_OK;
}

FT_FaceRec_* FontFace::Handle() const
{
	return fRegular != nullptr ? fRegular->Handle() : fFace;
}

status_t FontFace::SetSize(int32 size) const
{
	if (fRegular != nullptr)
		return fRegular->SetSize(size);
	if (fFace == nullptr)
		return B_NO_INIT;
	if (size == fSize)
		return B_OK;
	if (fDescription.pixelSize > 0) {
		// A strike has one size; every request is drawn at it.
		for (FT_Int i = 0; i < fFace->num_fixed_sizes; i++) {
			const FT_Bitmap_Size& strike = fFace->available_sizes[i];
			if ((strike.y_ppem + 32) / 64 == fDescription.pixelSize ||
			    strike.height == fDescription.pixelSize) {
				if (FT_Select_Size(fFace, i) != 0)
					break;
				fSize = size;
				return B_OK;
			}
		}
		fSize = -1;
		return B_BAD_VALUE;
	}
	if (FT_Set_Char_Size(fFace, 0, size, 72, 72) != 0) {
		fSize = -1;
		return B_BAD_VALUE;
	}
	fSize = size;
	return B_OK;
}

uint32 FontFace::GlyphIndex(uint32 codePoint) const
{
	FT_Face face = Handle();
	return face != nullptr ? FT_Get_Char_Index(face, codePoint) : 0;
}

float FontFace::Advance(uint32 glyph) const
{
	FT_Face face = Handle();
	FT_Fixed advance = 0;
	if (face == nullptr || FT_Get_Advance(face, glyph, FT_LOAD_NO_HINTING, &advance) != 0)
		return 0;
	float pixels = (float)advance / 65536.0f;
	if (fRegular != nullptr) {
		// Thickening widens the glyph by the strength used in Render; the pen moves on by
		// as much.
		pixels += (float)(FT_MulFix(face->units_per_EM, face->size->metrics.y_scale) / 24) / 64.0f;
	}
	return pixels;
}

status_t FontFace::Render(uint32 glyph, bool monochrome, Glyph* out) const
{
	FT_Face face = Handle();
	if (face == nullptr)
		return B_NO_INIT;
	// Faces of fixed pixel size have nothing but their bitmaps.
	FT_Int32 flags = monochrome ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL;
	if (!monochrome && fDescription.pixelSize == 0)
		flags |= FT_LOAD_NO_BITMAP;
	if (fRegular != nullptr)
		flags |= FT_LOAD_NO_BITMAP;
	if (FT_Load_Glyph(face, glyph, flags) != 0)
		return B_BAD_DATA;
	FT_GlyphSlot slot = face->glyph;
	if (fRegular != nullptr && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
		FT_Pos strength = FT_MulFix(face->units_per_EM, face->size->metrics.y_scale) / 24;
		FT_Outline_EmboldenXY(&slot->outline, strength, strength);
	}
	if (slot->format != FT_GLYPH_FORMAT_BITMAP &&
	    FT_Render_Glyph(slot, monochrome ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0)
		return B_BAD_DATA;
	out->left = slot->bitmap_left;
	out->top = slot->bitmap_top;
	convert_bitmap(slot->bitmap, monochrome, out);
	return B_OK;
}

FontHeight FontFace::Height(float size) const
{
	FontHeight height;
	FT_Face face = Handle();
	if (face == nullptr)
		return height;
	if (face->units_per_EM == 0 || !FT_IS_SCALABLE(face)) {
		// Bitmap-only faces have no design metrics; their strike's metrics serve.
		height.ascent = face->size->metrics.ascender / 64.0f;
		height.descent = -face->size->metrics.descender / 64.0f;
		height.leading =
		    std::max(0.0f, face->size->metrics.height / 64.0f - height.ascent - height.descent);
		return height;
	}
	float scale = size / face->units_per_EM;
	height.ascent = face->ascender * scale;
	height.descent = -face->descender * scale;
	height.leading = std::max(0.0f, (face->height - face->ascender + face->descender) * scale);
	return height;
}

} // namespace graphics
