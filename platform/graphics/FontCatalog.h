// The installed fonts as fontconfig knows them: families sorted by name, each with its
// styles sorted by name, plus the three faces the platform names (plain, bold, fixed) and the
// order in which other faces are tried for a character a face lacks. Built once; the font
// engine's lock guards its use.
#ifndef _FONT_CATALOG_H
#define _FONT_CATALOG_H

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <FontFace.h>

struct _FcConfig;
struct _FcPattern;

namespace graphics {

class FontCatalog {
public:
	FontCatalog() = default;
	~FontCatalog();

	FontCatalog(const FontCatalog&) = delete;
	FontCatalog& operator=(const FontCatalog&) = delete;

	// Reads the font list; B_ENTRY_NOT_FOUND when fontconfig knows no usable face.
	status_t Build();
	// Gives back every FreeType face, character set and fontconfig reference while keeping
	// the face objects (and so their names) valid; faces cannot be opened afterwards.
	void Release();

	int32 CountFamilies() const { return (int32)fFamilies.size(); }
	// nullptr when the index is out of range.
	const std::string* FamilyAt(int32 index) const;
	int32 CountStyles(const std::string& family) const;
	const FontFace* StyleAt(const std::string& family, int32 index) const;

	// The face of the family and style, or nullptr when either is unknown. An empty style
	// picks the family's regular face. A family without a bold face answers "Bold" with a
	// synthetic bold of its regular face.
	const FontFace* Find(const std::string& family, const std::string& style);
	const FontFace* FindById(uint16 familyId, uint16 styleId);

	const FontFace* Plain() const { return fPlain; }
	const FontFace* Bold() const { return fBold; }
	const FontFace* Fixed() const { return fFixed; }
	// Faces in order of preference for characters the chosen face lacks.
	const std::vector<const FontFace*>& FallbackOrder() const { return fFallbacks; }

private:
	struct Family {
		std::string name;
		std::vector<FontFace*> styles;
		std::unique_ptr<FontFace> syntheticBold;
	};

	Family* FindFamily(const std::string& name);
	const Family* FindFamily(const std::string& name) const;
	const FontFace* RegularOf(const Family& family) const;
	const FontFace* SyntheticBold(Family& family);
	const FontFace* FaceOfPattern(_FcPattern* pattern);
	const FontFace* Match(const char* description, bool* embolden);
	// Fontconfig's order of preference for the description, as listed faces; trimmed, it
	// keeps only the faces that add characters to those before them.
	std::vector<const FontFace*> Sorted(const char* description, bool trim);

	_FcConfig* fConfig = nullptr;
	std::vector<std::unique_ptr<FontFace>> fFaces;
	std::vector<Family> fFamilies;
	// File and index to face, for mapping fontconfig's answers onto the list.
	std::map<std::pair<std::string, int32>, const FontFace*> fByFile;
	const FontFace* fPlain = nullptr;
	const FontFace* fBold = nullptr;
	const FontFace* fFixed = nullptr;
	std::vector<const FontFace*> fFallbacks;
};

} // namespace graphics

#endif
