#include <BitmapFaceList.h>

#include <cmath>
#include <string>

#include <fontconfig/fontconfig.h>

#include <FontPattern.h>

namespace graphics {

namespace {

std::string xml_escaped(const char* text)
{
	std::string escaped;
	for (const char* p = text; *p != '\0'; p++) {
		switch (*p) {
		case '&':
			escaped += "&amp;";
			break;
		case '<':
			escaped += "&lt;";
			break;
		case '>':
			escaped += "&gt;";
			break;
		default:
			escaped += *p;
		}
	}
	return escaped;
}

} // namespace

BitmapFaceList::BitmapFaceList()
{
	// The system's configuration (its folders, caches and rules) with one rule more: faces
	// that are not scalable are accepted even where a rule of the system rejects them.
	FcChar8* system = FcConfigFilename(nullptr);
	std::string xml = "<?xml version=\"1.0\"?><fontconfig>";
	if (system != nullptr) {
		xml += "<include ignore_missing=\"yes\">" + xml_escaped((const char*)system) + "</include>";
		FcStrFree(system);
	}
	xml += "<selectfont><acceptfont><pattern><patelt name=\"scalable\"><bool>false</bool>"
	       "</patelt></pattern></acceptfont></selectfont></fontconfig>";
	fConfig = FcConfigCreate();
	if (fConfig == nullptr)
		return;
	if (!FcConfigParseAndLoadFromMemory(fConfig, (const FcChar8*)xml.c_str(), FcFalse) ||
	    !FcConfigBuildFonts(fConfig))
		return;

	FcPattern* query = FcPatternCreate();
	FcPatternAddBool(query, FC_SCALABLE, FcFalse);
	FcObjectSet* objects =
	    FcObjectSetBuild(FC_FAMILY, FC_FAMILYLANG, FC_STYLE, FC_STYLELANG, FC_FILE, FC_INDEX,
	                     FC_WEIGHT, FC_SLANT, FC_SPACING, FC_CHARSET, FC_PIXEL_SIZE, nullptr);
	fFonts = FcFontList(fConfig, query, objects);
	FcObjectSetDestroy(objects);
	FcPatternDestroy(query);
	if (fFonts == nullptr)
		return;

	for (int i = 0; i < fFonts->nfont; i++) {
		FcPattern* font = fFonts->fonts[i];
		Face face;
		face.charSet = nullptr;
		if (!read_face_description(font, &face.description) ||
		    FcPatternGetCharSet(font, FC_CHARSET, 0, &face.charSet) != FcResultMatch)
			continue;
		const std::string style = face.description.style;
		// A file may hold several strikes; each is a face of its own.
		double size = 0;
		for (int n = 0; FcPatternGetDouble(font, FC_PIXEL_SIZE, n, &size) == FcResultMatch; n++) {
			const int32 pixels = (int32)std::lround(size);
			if (pixels < 1)
				continue;
			face.description.pixelSize = pixels;
			face.description.style = (style.empty() ? std::string("Regular") : style) + " " +
			                         std::to_string(pixels) + "px";
			fFaces.push_back(face);
		}
	}
}

BitmapFaceList::~BitmapFaceList()
{
	if (fFonts != nullptr)
		FcFontSetDestroy(fFonts);
	if (fConfig != nullptr)
		FcConfigDestroy(fConfig);
}

} // namespace graphics
