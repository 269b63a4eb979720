#include <Font.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include <String.h>

#include <FontEngine.h>

#include "FontNames.h"

using graphics::FontEngine;
using graphics::FontFace;

namespace {

const float kDefaultSize = 12.0f;

FontEngine& engine()
{
	return FontEngine::Default();
}

uint16 face_bits_of(const FontFace* face)
{
	if (face == nullptr)
		return B_REGULAR_FACE;
	uint16 bits = 0;
	if (face->IsBold())
		bits |= B_BOLD_FACE;
	if (face->IsItalic())
		bits |= B_ITALIC_FACE;
	// fontconfig's light is 50; book (75) still counts as regular.
	if (face->Weight() <= 50)
		bits |= B_LIGHT_FACE;
	if (face->Weight() >= 210)
		bits |= B_HEAVY_FACE;
	return bits != 0 ? bits : (uint16)B_REGULAR_FACE;
}

// The bits that choose a style; the others (underscore, strikeout, ...) are decorations that
// any face can carry.
const uint16 kStyleFaceBits =
    B_ITALIC_FACE | B_BOLD_FACE | B_REGULAR_FACE | B_CONDENSED_FACE | B_LIGHT_FACE | B_HEAVY_FACE;

} // namespace

BFont::BFont()
    : fEngineFace(engine().PlainFace()), fSize(kDefaultSize), fShear(90.0f), fRotation(0.0f),
      fFalseBoldWidth(0.0f), fSpacing(B_BITMAP_SPACING), fEncoding(B_UNICODE_UTF8), fExtraFace(0),
      fFlags(0)
{
}

BFont::BFont(const BFont& font) = default;

BFont::BFont(const BFont* font) : BFont()
{
	if (font != nullptr)
		*this = *font;
}

BFont& BFont::operator=(const BFont& font) = default;

status_t BFont::SetFamilyAndStyle(const font_family family, const font_style style)
{
	std::string familyName;
	if (family != nullptr)
		familyName = family;
	else if (fEngineFace != nullptr)
		familyName = fEngineFace->Family();
	else
		return B_NAME_NOT_FOUND;

	const FontFace* face = BPrivate::find_font_face(familyName.c_str(), style);
	if (face == nullptr)
		return B_NAME_NOT_FOUND;
	fEngineFace = face;
	return B_OK;
}

void BFont::SetFamilyAndStyle(uint32 code)
{
	const FontFace* face = engine().FindFace((uint16)(code >> 16), (uint16)(code & 0xffff));
	if (face != nullptr)
		fEngineFace = face;
}

status_t BFont::SetFamilyAndFace(const font_family family, uint16 face)
{
	std::string familyName;
	if (family != nullptr)
		familyName = BPrivate::resolve_family_name(family);
	else if (fEngineFace != nullptr)
		familyName = fEngineFace->Family();
	if (familyName.empty())
		return B_NAME_NOT_FOUND;

	const FontFace* best = nullptr;
	int bestScore = -1;
	uint16 wanted = face & kStyleFaceBits;
	if (wanted == 0)
		wanted = B_REGULAR_FACE;
	int32 count = engine().CountStyles(familyName);
	for (int32 i = 0; i < count; i++) {
		std::string style;
		if (!engine().GetStyle(familyName, i, &style))
			continue;
		const FontFace* candidate = engine().FindFace(familyName, style);
		if (candidate == nullptr)
			continue;
		// Count the style bits that agree; the first of equal candidates (sorted by name)
		// wins, so the choice is stable.
		uint16 have = face_bits_of(candidate);
		int score = 0;
		for (uint16 bit = 1; bit <= B_HEAVY_FACE; bit <<= 1) {
			if ((kStyleFaceBits & bit) != 0 && ((wanted & bit) != 0) == ((have & bit) != 0))
				score++;
		}
		if (score > bestScore) {
			best = candidate;
			bestScore = score;
		}
	}
	if (best == nullptr)
		return B_NAME_NOT_FOUND;
	fEngineFace = best;
	fExtraFace = face & ~kStyleFaceBits;
	return B_OK;
}

void BFont::SetSize(float size)
{
	if (std::isnan(size))
		return;
	fSize = size < 0.0f ? 0.0f : (size > FontEngine::kMaxSize ? FontEngine::kMaxSize : size);
}

void BFont::SetShear(float shear)
{
	// The platform keeps shear between 45 and 135 degrees; 90 is upright.
	if (!std::isnan(shear))
		fShear = shear < 45.0f ? 45.0f : (shear > 135.0f ? 135.0f : shear);
}

void BFont::SetRotation(float rotation)
{
	if (!std::isnan(rotation))
		fRotation = rotation;
}

void BFont::SetFalseBoldWidth(float width)
{
	if (!std::isnan(width))
		fFalseBoldWidth = width;
}

void BFont::SetSpacing(uint8 spacing)
{
	fSpacing = spacing;
}

void BFont::SetEncoding(uint8 encoding)
{
	fEncoding = encoding;
}

void BFont::SetFace(uint16 face)
{
	if (fEngineFace == nullptr || (face & kStyleFaceBits) == (Face() & kStyleFaceBits)) {
		fExtraFace = face & ~kStyleFaceBits;
		return;
	}
	SetFamilyAndFace(nullptr, face);
	fExtraFace = face & ~kStyleFaceBits;
}

void BFont::SetFlags(uint32 flags)
{
	fFlags = flags;
}

void BFont::GetFamilyAndStyle(font_family* family, font_style* style) const
{
	if (family != nullptr)
		BPrivate::copy_font_name(*family,
		                         fEngineFace != nullptr ? fEngineFace->Family().c_str() : "");
	if (style != nullptr)
		BPrivate::copy_font_name(*style,
		                         fEngineFace != nullptr ? fEngineFace->Style().c_str() : "");
}

uint32 BFont::FamilyAndStyle() const
{
	if (fEngineFace == nullptr)
		return 0;
	return ((uint32)fEngineFace->FamilyId() << 16) | fEngineFace->StyleId();
}

uint16 BFont::Face() const
{
	return face_bits_of(fEngineFace) | fExtraFace;
}

bool BFont::IsFixed() const
{
	return fEngineFace != nullptr && fEngineFace->IsFixedWidth();
}

void BFont::GetEngineSpec(graphics::FontSpec* spec) const
{
	spec->face = fEngineFace;
	spec->size = fSize;
	spec->antialias = (fFlags & B_DISABLE_ANTIALIASING) == 0;
}

void BFont::GetHeight(font_height* height) const
{
	if (height == nullptr)
		return;
	graphics::FontSpec spec;
	GetEngineSpec(&spec);
	graphics::FontHeight metrics = engine().GetHeight(spec);
	height->ascent = metrics.ascent;
	height->descent = metrics.descent;
	height->leading = metrics.leading;
}

float BFont::StringWidth(const char* string) const
{
	return string != nullptr ? StringWidth(string, (int32)strlen(string)) : 0.0f;
}

float BFont::StringWidth(const char* string, int32 length) const
{
	if (string == nullptr || length <= 0)
		return 0.0f;
	// The length is a most; a shorter string ends at its terminator.
	size_t bytes = strnlen(string, (size_t)length);
	graphics::FontSpec spec;
	GetEngineSpec(&spec);
	return engine().StringWidth(spec, string, bytes);
}

void BFont::GetStringWidths(const char* stringArray[], const int32 lengthArray[], int32 numStrings,
                            float widthArray[]) const
{
	if (stringArray == nullptr || lengthArray == nullptr || widthArray == nullptr)
		return;
	for (int32 i = 0; i < numStrings; i++)
		widthArray[i] = StringWidth(stringArray[i], lengthArray[i]);
}

void BFont::PrintToStream() const
{
	font_family family;
	font_style style;
	GetFamilyAndStyle(&family, &style);
	printf("BFont(family: \"%s\", style: \"%s\", size: %.1f, flags: 0x%x, face: 0x%x)\n", family,
	       style, fSize, (unsigned)fFlags, (unsigned)Face());
}

bool BFont::operator==(const BFont& font) const
{
	return fEngineFace == font.fEngineFace && fSize == font.fSize && fShear == font.fShear &&
	       fRotation == font.fRotation && fFalseBoldWidth == font.fFalseBoldWidth &&
	       fSpacing == font.fSpacing && fEncoding == font.fEncoding &&
	       fExtraFace == font.fExtraFace && fFlags == font.fFlags;
}

// The standard fonts are made on first use, after the font engine, so that they exist for
// static initialisers in any order.
const BFont* _be_plain_font_()
{
	static const BFont sPlain;
	return &sPlain;
}

const BFont* _be_bold_font_()
{
	static const BFont sBold = [] {
		BFont font;
		if (engine().BoldFace() != nullptr)
			font.fEngineFace = engine().BoldFace();
		return font;
	}();
	return &sBold;
}

const BFont* _be_fixed_font_()
{
	static const BFont sFixed = [] {
		BFont font;
		if (engine().FixedFace() != nullptr)
			font.fEngineFace = engine().FixedFace();
		return font;
	}();
	return &sFixed;
}
