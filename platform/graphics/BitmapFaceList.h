// The installed faces of fixed pixel sizes (BDF and PCF strikes) with their sizes. Desktop
// systems commonly hide such faces from fontconfig's answers; this list reads them through a
// fontconfig configuration of its own, made of the system's configuration plus a rule that
// accepts them, so the system's own configuration is never changed. Each strike is one face,
// whose style names its size ("Regular 16px"), since a family's strikes usually share one
// style name. The font catalog adds them to its list; the list must outlive the faces'
// construction, because it owns the character sets until they are copied.
#ifndef _BITMAP_FACE_LIST_H
#define _BITMAP_FACE_LIST_H

#include <vector>

#include <FontFace.h>

struct _FcConfig;
struct _FcFontSet;

namespace graphics {

class BitmapFaceList {
public:
	struct Face {
		FontFace::Description description;
		_FcCharSet* charSet;
	};

	// Reads the list; an empty list when fontconfig cannot make the configuration.
	BitmapFaceList();
	~BitmapFaceList();

	BitmapFaceList(const BitmapFaceList&) = delete;
	BitmapFaceList& operator=(const BitmapFaceList&) = delete;

	const std::vector<Face>& Faces() const { return fFaces; }

private:
	_FcConfig* fConfig = nullptr;
	_FcFontSet* fFonts = nullptr;
	std::vector<Face> fFaces;
};

} // namespace graphics

#endif
