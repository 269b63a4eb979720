// TProperty holds every parameter that decides what the sign picture looks like. The editor
// writes the user's entries straight into the members; the display view reads them whenever
// it rasterises, samples, draws or exports. The record is loaded from its settings file once
// at start and saved once at the end.
//
// Valid values, which the editor enforces and the drawing relies on: a lamp size of at least
// 1, a gap of at least 0, at least 1 lamp row, margins of at least 0 and a source font size of
// at least 1. A value in a file that breaks these rules is not taken, nor is a lamp size, gap,
// row count or margin with which not even a sign of one text column could be drawn (see
// TDisplayView::CheckPictureSize).
#ifndef T_PROPERTY_H
#define T_PROPERTY_H

#include <GraphicsDefs.h>
#include <String.h>

#include <TTamarackArchivable.h>

class TProperty : public TTamarackArchivable {
public:
	// Indices of mColors, shared with the colour menu and the favourite colour sets.
	enum { kColorFG = 0, kColorBG = 1, kColorGap = 2, kColorCount = 3 };
	// Indices of mMargin.
	enum { kMarginLeft = 0, kMarginTop = 1, kMarginRight = 2, kMarginBottom = 3 };

	TProperty();
	~TProperty() override;

	// The base's fields, then "CrHs", "LDSz", "LDGp", "RslY", "SSFS", "FtFm", "FtSt", three
	// "Clrs" items and "Magn" (the margins as a rectangle). The OR of every status.
	status_t Archive(BMessage* into, bool deep = true) const override;
	// Applies every key that is present with a valid value and keeps the other members. The
	// OR of the base's status and of every key but "Clrs": non-zero means that at least one
	// key was missing, of another type, out of range or too large for any picture.
	status_t Unarchive(const BMessage* from) override;

	// The record in "Glowplate_Property.arc" of the program's settings folder. Anything that
	// needs the parameters the program saved (the command-line renderer, too) loads them so.
	status_t LoadFromFile();
	status_t SaveToFile() const;

	BString mFontFamily;
	BString mFontStyle;
	rgb_color mColors[kColorCount];
	int32 mLEDSize;
	int32 mLEDGap;
	int32 mResolutionY;
	int32 mMargin[4];
	float mSrcScreenFontSize;
	bool mCorrectHoarse;
};

extern TProperty gProperty;

#endif
