#include <FontCatalog.h>

#include <BitmapFaceList.h>

#include <algorithm>
#include <cstring>
#include <strings.h>
#include <tuple>

#include <fontconfig/fontconfig.h>

#include <FontPattern.h>

namespace graphics {

namespace {

bool is_regular_name(const std::string& style)
{
	static const char* const kNames[] = {"Regular", "Book", "Roman", "Normal", "Medium", "Plain"};
	for (const char* name : kNames) {
		if (strcasecmp(style.c_str(), name) == 0)
			return true;
	}
	return false;
}

// The description as fontconfig matches it: parsed, with the configuration's substitutions
// and the defaults filled in. Null when it does not parse.
FcPattern* prepared_pattern(FcConfig* config, const char* description)
{
	FcPattern* pattern = FcNameParse((const FcChar8*)description);
	if (pattern == nullptr)
		return nullptr;
	FcConfigSubstitute(config, pattern, FcMatchPattern);
	FcDefaultSubstitute(pattern);
	return pattern;
}

struct Listed {
	FontFace::Description description;
	FcCharSet* charSet;
};

} // namespace

FontCatalog::~FontCatalog()
{
	fFamilies.clear();
	fFaces.clear();
	if (fConfig != nullptr)
		FcConfigDestroy(fConfig);
}

void FontCatalog::Release()
{
	for (auto& face : fFaces)
		face->Release();
	for (Family& family : fFamilies) {
		if (family.syntheticBold != nullptr)
			family.syntheticBold->Release();
	}
	if (fConfig != nullptr)
		FcConfigDestroy(fConfig);
	fConfig = nullptr;
}

status_t FontCatalog::Build()
{
	if (!FcInit())
		return B_ERROR;
	fConfig = FcConfigReference(nullptr);
	if (fConfig == nullptr)
		return B_ERROR;

	FcPattern* query = FcPatternCreate();
	FcPatternAddBool(query, FC_SCALABLE, FcTrue);
	FcObjectSet* objects =
	    FcObjectSetBuild(FC_FAMILY, FC_FAMILYLANG, FC_STYLE, FC_STYLELANG, FC_FILE, FC_INDEX,
	                     FC_WEIGHT, FC_SLANT, FC_SPACING, FC_CHARSET, FC_VARIABLE, nullptr);
	FcFontSet* fonts = FcFontList(fConfig, query, objects);
	FcObjectSetDestroy(objects);
	FcPatternDestroy(query);
	if (fonts == nullptr)
		return B_NO_MEMORY;

	std::vector<Listed> listed;
	for (int i = 0; i < fonts->nfont; i++) {
		FcPattern* font = fonts->fonts[i];
		FcBool variable = FcFalse;
		// A variable font is listed once as a whole and once per named instance; the
		// instances are the faces a user picks.
		if (FcPatternGetBool(font, FC_VARIABLE, 0, &variable) == FcResultMatch && variable)
			continue;
		Listed entry;
		if (!read_face_description(font, &entry.description))
			continue;
		entry.charSet = nullptr;
		FcPatternGetCharSet(font, FC_CHARSET, 0, &entry.charSet);
		listed.push_back(entry);
	}

	// Faces of fixed pixel sizes come from a configuration of their own (see BitmapFaceList);
	// the list holds their character sets until the faces below have copied them.
	BitmapFaceList bitmapFaces;
	for (const BitmapFaceList::Face& face : bitmapFaces.Faces())
		listed.push_back(Listed{face.description, face.charSet});

	// Sorting by names and then by file makes the lists, the ids and the choice among
	// duplicates (the same face installed twice) the same on every run.
	auto order = [](const Listed& a, const Listed& b) {
		return std::tie(a.description.family, a.description.style, a.description.file,
		                a.description.index) < std::tie(b.description.family, b.description.style,
		                                                b.description.file, b.description.index);
	};
	std::sort(listed.begin(), listed.end(), order);
	for (const Listed& entry : listed) {
		const FontFace* face = nullptr;
		if (fFamilies.empty() || fFamilies.back().name != entry.description.family)
			fFamilies.push_back(Family{entry.description.family, {}, nullptr});
		Family& family = fFamilies.back();
		if (!family.styles.empty() && family.styles.back()->Style() == entry.description.style) {
			face = family.styles.back();
		} else {
			fFaces.push_back(std::make_unique<FontFace>(entry.description, entry.charSet));
			FontFace* added = fFaces.back().get();
			added->fFamilyId = (uint16)(fFamilies.size() - 1);
			added->fStyleId = (uint16)family.styles.size();
			family.styles.push_back(added);
			face = added;
		}
		fByFile.emplace(std::make_pair(entry.description.file, entry.description.index), face);
	}
	FcFontSetDestroy(fonts);
	if (fFaces.empty())
		return B_ENTRY_NOT_FOUND;

	bool embolden = false;
	fPlain = Match("sans-serif:lang=ja", &embolden);
	if (fPlain == nullptr)
		fPlain = fFaces.front().get();
	// "monospace" names fontconfig's preferred faces, not faces whose characters all have
	// one width: a configuration may put a face with some proportional or double-width
	// characters first. The fixed font is the first face of that order that really is fixed;
	// without one, the preferred face is better than none.
	for (const FontFace* face : Sorted("monospace", false)) {
		if (face->IsFixedWidth()) {
			fFixed = face;
			break;
		}
	}
	if (fFixed == nullptr)
		fFixed = Match("monospace", &embolden);
	if (fFixed == nullptr)
		fFixed = fPlain;
	fBold = Match("sans-serif:lang=ja:weight=bold", &embolden);
	if (fBold == nullptr)
		fBold = fPlain;
	if (!fBold->IsBold() && embolden) {
		Family* family = FindFamily(fBold->Family());
		if (family != nullptr)
			fBold = SyntheticBold(*family);
	}

	// Trimmed, the order keeps only the faces that add characters, which is all a fallback is
	// for.
	fFallbacks = Sorted("sans-serif:lang=ja", true);
	return B_OK;
}

const std::string* FontCatalog::FamilyAt(int32 index) const
{
	if (index < 0 || index >= (int32)fFamilies.size())
		return nullptr;
	return &fFamilies[index].name;
}

int32 FontCatalog::CountStyles(const std::string& family) const
{
	const Family* found = FindFamily(family);
	return found != nullptr ? (int32)found->styles.size() : 0;
}

const FontFace* FontCatalog::StyleAt(const std::string& family, int32 index) const
{
	const Family* found = FindFamily(family);
	if (found == nullptr || index < 0 || index >= (int32)found->styles.size())
		return nullptr;
	return found->styles[index];
}

FontCatalog::Family* FontCatalog::FindFamily(const std::string& name)
{
	return const_cast<Family*>(static_cast<const FontCatalog*>(this)->FindFamily(name));
}

const FontCatalog::Family* FontCatalog::FindFamily(const std::string& name) const
{
	auto found = std::lower_bound(
	    fFamilies.begin(), fFamilies.end(), name,
	    [](const Family& family, const std::string& key) { return family.name < key; });
	if (found == fFamilies.end() || found->name != name)
		return nullptr;
	return &*found;
}

const FontFace* FontCatalog::RegularOf(const Family& family) const
{
	for (const FontFace* face : family.styles) {
		if (is_regular_name(face->Style()))
			return face;
	}
	const FontFace* best = family.styles.front();
	for (const FontFace* face : family.styles) {
		auto distance = [](const FontFace* f) {
			return std::abs(f->Weight() - FC_WEIGHT_REGULAR) + (f->IsItalic() ? 1000 : 0);
		};
		if (distance(face) < distance(best))
			best = face;
	}
	return best;
}

const FontFace* FontCatalog::SyntheticBold(Family& family)
{
	if (family.syntheticBold == nullptr) {
		const FontFace* regular = RegularOf(family);
		family.syntheticBold = std::make_unique<FontFace>(regular);
		family.syntheticBold->fFamilyId = regular->fFamilyId;
		family.syntheticBold->fStyleId = (uint16)family.styles.size();
	}
	return family.syntheticBold.get();
}

const FontFace* FontCatalog::Find(const std::string& family, const std::string& style)
{
	Family* found = FindFamily(family);
	if (found == nullptr)
		return nullptr;
	if (style.empty())
		return RegularOf(*found);
	for (const FontFace* face : found->styles) {
		if (face->Style() == style)
			return face;
	}
	for (const FontFace* face : found->styles) {
		if (strcasecmp(face->Style().c_str(), style.c_str()) == 0)
			return face;
	}
	if (strcasecmp(style.c_str(), "Bold") == 0)
		return SyntheticBold(*found);
	return nullptr;
}

const FontFace* FontCatalog::FindById(uint16 familyId, uint16 styleId)
{
	if (familyId >= fFamilies.size())
		return nullptr;
	Family& family = fFamilies[familyId];
	if (styleId < family.styles.size())
		return family.styles[styleId];
	if (styleId == family.styles.size())
		return family.syntheticBold.get();
	return nullptr;
}

const FontFace* FontCatalog::FaceOfPattern(_FcPattern* pattern)
{
	FcChar8* file = nullptr;
	int index = 0;
	if (FcPatternGetString(pattern, FC_FILE, 0, &file) == FcResultMatch) {
		FcPatternGetInteger(pattern, FC_INDEX, 0, &index);
		auto found = fByFile.find(std::make_pair(std::string((const char*)file), (int32)index));
		if (found != fByFile.end())
			return found->second;
	}
	return Find(english_pattern_value(pattern, FC_FAMILY, FC_FAMILYLANG),
	            english_pattern_value(pattern, FC_STYLE, FC_STYLELANG));
}

std::vector<const FontFace*> FontCatalog::Sorted(const char* description, bool trim)
{
	std::vector<const FontFace*> faces;
	FcPattern* pattern = prepared_pattern(fConfig, description);
	if (pattern == nullptr)
		return faces;
	FcResult result;
	FcFontSet* sorted = FcFontSort(fConfig, pattern, trim ? FcTrue : FcFalse, nullptr, &result);
	FcPatternDestroy(pattern);
	if (sorted == nullptr)
		return faces;
	for (int i = 0; i < sorted->nfont; i++) {
		const FontFace* face = FaceOfPattern(sorted->fonts[i]);
		if (face != nullptr && std::find(faces.begin(), faces.end(), face) == faces.end())
			faces.push_back(face);
	}
	FcFontSetDestroy(sorted);
	return faces;
}

const FontFace* FontCatalog::Match(const char* description, bool* embolden)
{
	*embolden = false;
	FcPattern* pattern = prepared_pattern(fConfig, description);
	if (pattern == nullptr)
		return nullptr;
	FcResult result;
	FcPattern* match = FcFontMatch(fConfig, pattern, &result);
	FcPatternDestroy(pattern);
	if (match == nullptr)
		return nullptr;
	FcBool bold = FcFalse;
	if (FcPatternGetBool(match, FC_EMBOLDEN, 0, &bold) == FcResultMatch)
		*embolden = bold;
	const FontFace* face = FaceOfPattern(match);
	FcPatternDestroy(match);
	return face;
}

} // namespace graphics
