#include <FontPattern.h>

#include <cstring>

namespace graphics {

std::string english_pattern_value(FcPattern* pattern, const char* object,
                                  const char* languageObject)
{
	int chosen = 0;
	FcChar8* language = nullptr;
	for (int i = 0; FcPatternGetString(pattern, languageObject, i, &language) == FcResultMatch;
	     i++) {
		if (std::strcmp((const char*)language, "en") == 0) {
			chosen = i;
			break;
		}
	}
	FcChar8* value = nullptr;
	if (FcPatternGetString(pattern, object, chosen, &value) != FcResultMatch &&
	    FcPatternGetString(pattern, object, 0, &value) != FcResultMatch)
		return std::string();
	return (const char*)value;
}

bool read_face_description(FcPattern* pattern, FontFace::Description* description)
{
	description->family = english_pattern_value(pattern, FC_FAMILY, FC_FAMILYLANG);
	description->style = english_pattern_value(pattern, FC_STYLE, FC_STYLELANG);
	FcChar8* file = nullptr;
	if (description->family.empty() ||
	    FcPatternGetString(pattern, FC_FILE, 0, &file) != FcResultMatch)
		return false;
	description->file = (const char*)file;
	int value = 0;
	if (FcPatternGetInteger(pattern, FC_INDEX, 0, &value) == FcResultMatch)
		description->index = value;
	if (FcPatternGetInteger(pattern, FC_WEIGHT, 0, &value) == FcResultMatch)
		description->weight = value;
	if (FcPatternGetInteger(pattern, FC_SLANT, 0, &value) == FcResultMatch)
		description->slant = value;
	if (FcPatternGetInteger(pattern, FC_SPACING, 0, &value) == FcResultMatch)
		description->fixedWidth = value >= FC_MONO;
	return true;
}

} // namespace graphics
