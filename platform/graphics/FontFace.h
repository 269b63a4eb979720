// One installed face (a family and a style, from one font file), as fontconfig lists it.
// The file is opened with FreeType on first use and stays open for the life of the process.
// A synthetic bold twin shares its regular face's file and thickens its outlines, for
// families that have no bold of their own.
//
// Faces belong to the font catalog and never move or die while the program runs, so views
// and fonts may keep plain pointers to them. Everything that touches FreeType runs under the
// font engine's lock.
#ifndef _FONT_FACE_H
#define _FONT_FACE_H

#include <string>

#include <FontTypes.h>
#include <SupportDefs.h>

struct FT_FaceRec_;
struct FT_LibraryRec_;
struct _FcCharSet;

namespace graphics {

class FontFace {
public:
	struct Description {
		std::string family;
		std::string style;
		std::string file;
		int32 index = 0;
		int32 weight = 80; // fontconfig's scale: 80 regular, 200 bold
		int32 slant = 0;   // 0 roman, 100 italic, 110 oblique
		bool fixedWidth = false;
		// A face of fixed pixel size (a bitmap strike): its height in pixels; 0 for
		// outline faces.
		int32 pixelSize = 0;
	};

	// Takes a reference to the character set (which may be nullptr).
	FontFace(const Description& description, _FcCharSet* charSet);
	// A synthetic bold twin of `regular`.
	explicit FontFace(const FontFace* regular);
	~FontFace();

	FontFace(const FontFace&) = delete;
	FontFace& operator=(const FontFace&) = delete;

	const std::string& Family() const { return fDescription.family; }
	const std::string& Style() const { return fDescription.style; }
	const std::string& File() const { return fDescription.file; }
	int32 Index() const { return fDescription.index; }
	int32 Weight() const { return fDescription.weight; }
	bool IsBold() const { return fDescription.weight >= 200; }
	bool IsItalic() const { return fDescription.slant != 0; }
	bool IsFixedWidth() const { return fDescription.fixedWidth; }
	bool IsSyntheticBold() const { return fRegular != nullptr; }
	// The strike's size of a face of fixed pixel size, 0 for an outline face. Such a face is
	// drawn at its own size whatever size is asked for.
	int32 PixelSize() const { return fDescription.pixelSize; }
	// Positions in the catalog's sorted lists; they identify the face within one run.
	uint16 FamilyId() const { return fFamilyId; }
	uint16 StyleId() const { return fStyleId; }

	// From fontconfig's character set, without opening the file.
	bool HasCharacter(uint32 codePoint) const;

private:
	friend class FontCatalog;
	friend class FontEngine;

	// The rest runs under the engine's lock.
	status_t Open(FT_LibraryRec_* library) const;
	FT_FaceRec_* Handle() const;
	// Sizes are 26.6 fixed-point pixels.
	status_t SetSize(int32 size) const;
	uint32 GlyphIndex(uint32 codePoint) const;
	float Advance(uint32 glyph) const;
	status_t Render(uint32 glyph, bool monochrome, Glyph* out) const;
	FontHeight Height(float size) const;
	// Closes the file and drops the character set for good.
	void Release();

	Description fDescription;
	_FcCharSet* fCharSet = nullptr;
	const FontFace* fRegular = nullptr;
	uint16 fFamilyId = 0;
	uint16 fStyleId = 0;

	mutable FT_FaceRec_* fFace = nullptr;
	mutable status_t fOpenStatus = B_NO_INIT;
	mutable int32 fSize = -1;
};

} // namespace graphics

#endif
