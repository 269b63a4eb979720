// A font as views and controls use it: a face (family and style) of the installed fonts, a
// size in pixels, flags such as B_DISABLE_ANTIALIASING, and the metrics and widths of text in
// it. A BFont is a small value; it refers to a face of the process's font engine, which lives
// as long as the process.
#ifndef _FONT_H
#define _FONT_H

#include <InterfaceDefs.h>
#include <SupportDefs.h>

class BString;

namespace graphics {
class FontFace;
struct FontSpec;
} // namespace graphics

#define B_FONT_FAMILY_LENGTH 63
#define B_FONT_STYLE_LENGTH 63
typedef char font_family[B_FONT_FAMILY_LENGTH + 1];
typedef char font_style[B_FONT_STYLE_LENGTH + 1];

// Character spacing.
enum {
	B_CHAR_SPACING = 0,
	B_STRING_SPACING = 1,
	B_BITMAP_SPACING = 2,
	B_FIXED_SPACING = 3,
};

enum font_direction {
	B_FONT_LEFT_TO_RIGHT = 0,
	B_FONT_RIGHT_TO_LEFT = 1,
};

// Font flags.
enum {
	B_DISABLE_ANTIALIASING = 0x00000001,
	B_FORCE_ANTIALIASING = 0x00000002,
};

// Truncation modes of TruncateString.
enum {
	B_TRUNCATE_END = 0,
	B_TRUNCATE_BEGINNING = 1,
	B_TRUNCATE_MIDDLE = 2,
	B_TRUNCATE_SMART = 3,
};

// Encodings; text is always UTF-8 here, the others are accepted and ignored.
enum {
	B_UNICODE_UTF8 = 0,
	B_ISO_8859_1 = 1,
};

// Which parts of a font SetFont copies.
enum {
	B_FONT_FAMILY_AND_STYLE = 0x00000001,
	B_FONT_SIZE = 0x00000002,
	B_FONT_SHEAR = 0x00000004,
	B_FONT_ROTATION = 0x00000008,
	B_FONT_SPACING = 0x00000010,
	B_FONT_ENCODING = 0x00000020,
	B_FONT_FACE = 0x00000040,
	B_FONT_FLAGS = 0x00000080,
	B_FONT_FALSE_BOLD_WIDTH = 0x00000100,
	B_FONT_ALL = 0x000001FF,
};

// Face bits.
enum {
	B_ITALIC_FACE = 0x0001,
	B_UNDERSCORE_FACE = 0x0002,
	B_NEGATIVE_FACE = 0x0004,
	B_OUTLINED_FACE = 0x0008,
	B_STRIKEOUT_FACE = 0x0010,
	B_BOLD_FACE = 0x0020,
	B_REGULAR_FACE = 0x0040,
	B_CONDENSED_FACE = 0x0080,
	B_LIGHT_FACE = 0x0100,
	B_HEAVY_FACE = 0x0200,
};

// Flags of get_font_family and get_font_style.
enum {
	B_HAS_TUNED_FONT = 0x0001,
	B_IS_FIXED = 0x0002,
};

struct font_height {
	float ascent;
	float descent;
	float leading;
};

class BFont {
public:
	// A copy of the plain font.
	BFont();
	BFont(const BFont& font);
	BFont(const BFont* font);
	BFont& operator=(const BFont& font);

	// An unknown family, or a style the family lacks, leaves the font as it was and answers
	// B_NAME_NOT_FOUND; a null family keeps the current one, a null or empty style picks the
	// family's regular face. Names are matched exactly, or by their first 63 bytes when they
	// were cut to fit a font_family.
	status_t SetFamilyAndStyle(const font_family family, const font_style style);
	// The code from FamilyAndStyle(); an unknown code leaves the font as it was.
	void SetFamilyAndStyle(uint32 code);
	// Picks the style of the family that best matches the face bits.
	status_t SetFamilyAndFace(const font_family family, uint16 face);

	// Sizes are pixels, at most 10000; a negative size becomes 0 and NaN is ignored.
	void SetSize(float size);
	void SetShear(float shear);
	void SetRotation(float rotation);
	void SetFalseBoldWidth(float width);
	void SetSpacing(uint8 spacing);
	void SetEncoding(uint8 encoding);
	void SetFace(uint16 face);
	void SetFlags(uint32 flags);

	// Both names are cut at a character boundary to fit; an engine without fonts gives empty
	// names.
	void GetFamilyAndStyle(font_family* family, font_style* style) const;
	uint32 FamilyAndStyle() const;
	float Size() const { return fSize; }
	float Shear() const { return fShear; }
	float Rotation() const { return fRotation; }
	float FalseBoldWidth() const { return fFalseBoldWidth; }
	uint8 Spacing() const { return fSpacing; }
	uint8 Encoding() const { return fEncoding; }
	uint16 Face() const;
	uint32 Flags() const { return fFlags; }
	font_direction Direction() const { return B_FONT_LEFT_TO_RIGHT; }
	bool IsFixed() const;

	void GetHeight(font_height* height) const;
	float StringWidth(const char* string) const;
	float StringWidth(const char* string, int32 length) const;
	void GetStringWidths(const char* stringArray[], const int32 lengthArray[], int32 numStrings,
	                     float widthArray[]) const;
	// Shortens the string with an ellipsis until it fits the width.
	void TruncateString(BString* inOut, uint32 mode, float width) const;

	void PrintToStream() const;

	bool operator==(const BFont& font) const;
	bool operator!=(const BFont& font) const { return !(*this == font); }

	// For the interface kit: the face (null only when no font is installed) and what the
	// font engine needs to measure and draw text in this font.
	const graphics::FontFace* EngineFace() const { return fEngineFace; }
	void GetEngineSpec(graphics::FontSpec* spec) const;

private:
	friend const BFont* _be_bold_font_();
	friend const BFont* _be_fixed_font_();

	const graphics::FontFace* fEngineFace;
	float fSize;
	float fShear;
	float fRotation;
	float fFalseBoldWidth;
	uint8 fSpacing;
	uint8 fEncoding;
	uint16 fExtraFace;
	uint32 fFlags;
};

// The three fonts the platform names: the plain face fontconfig matches for sans-serif with
// Japanese coverage at 12, its bold, and the monospace face. They are made on first use, so
// they may be used from static initialisers.
const BFont* _be_plain_font_();
const BFont* _be_bold_font_();
const BFont* _be_fixed_font_();
#define be_plain_font (_be_plain_font_())
#define be_bold_font (_be_bold_font_())
#define be_fixed_font (_be_fixed_font_())

// The installed families, sorted, and the styles of each. The index functions answer
// B_BAD_VALUE outside the list (and leave the name empty).
int32 count_font_families();
status_t get_font_family(int32 index, font_family* name, uint32* flags = nullptr);
int32 count_font_styles(const font_family name);
status_t get_font_style(const font_family family, int32 index, font_style* name,
                        uint32* flags = nullptr);
status_t get_font_style(const font_family family, int32 index, font_style* name, uint16* face,
                        uint32* flags = nullptr);
// Nothing is installed while the program runs; it answers false (nothing changed).
bool update_font_families(bool checkOnly);

#endif
