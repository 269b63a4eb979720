// Archiving of BView with the platform's field names. Only the state that was set goes into
// an archive (see ViewPrivate.h); the three colours always go together, so that their
// positions in "_color" keep their meaning.
#include <View.h>

#include <Message.h>

// The view owns its painter; constructors need its destructor.
#include <Painter.h>

#include "ViewPrivate.h"

using namespace BPrivate;

BView::BView(BMessage* archive) : BHandler(archive)
{
	BRect frame(0, 0, -1, -1);
	int32 resizingMode = B_FOLLOW_NONE;
	int32 flags = 0;
	if (archive != nullptr) {
		archive->FindRect("_frame", &frame);
		archive->FindInt32("_resize_mode", &resizingMode);
		archive->FindInt32("_flags", &flags);
	}
	_InitData(frame, Name(), (uint32)resizingMode, (uint32)flags);
	if (archive != nullptr)
		_Unarchive(archive);
}

void BView::_Unarchive(BMessage* archive)
{
	const char* family;
	const char* style;
	if (archive->FindString("_fname", 0, &family) == B_OK &&
	    archive->FindString("_fname", 1, &style) == B_OK) {
		// An unknown family leaves the plain font, at the archived size.
		BFont font(fState.font);
		font.SetFamilyAndStyle(family, style);
		float value;
		if (archive->FindFloat("_fflt", 0, &value) == B_OK)
			font.SetSize(value);
		if (archive->FindFloat("_fflt", 1, &value) == B_OK)
			font.SetShear(value);
		if (archive->FindFloat("_fflt", 2, &value) == B_OK)
			font.SetRotation(value);
		if (archive->FindFloat("_fflt", 3, &value) == B_OK)
			font.SetFalseBoldWidth(value);
		SetFont(&font, B_FONT_FAMILY_AND_STYLE | B_FONT_SIZE | B_FONT_SHEAR | B_FONT_ROTATION |
		                   B_FONT_FALSE_BOLD_WIDTH);
	}

	int32 color;
	if (archive->FindInt32("_color", 0, &color) == B_OK)
		SetHighColor(unpack_color((uint32)color));
	if (archive->FindInt32("_color", 1, &color) == B_OK)
		SetLowColor(unpack_color((uint32)color));
	if (archive->FindInt32("_color", 2, &color) == B_OK)
		SetViewColor(unpack_color((uint32)color));

	int32 mode;
	if (archive->FindInt32("_dmod", &mode) == B_OK)
		SetDrawingMode((drawing_mode)mode);
	float penSize;
	if (archive->FindFloat("_psize", &penSize) == B_OK)
		SetPenSize(penSize);
	BPoint point;
	if (archive->FindPoint("_ploc", &point) == B_OK)
		MovePenTo(point);
	if (archive->FindPoint("_origin", &point) == B_OK)
		SetOrigin(point);
	int16 cap, join;
	if (archive->FindInt16("_lmcapjoin", 0, &cap) == B_OK &&
	    archive->FindInt16("_lmcapjoin", 1, &join) == B_OK) {
		float miter = archive->GetFloat("_lmmiter", B_DEFAULT_MITER_LIMIT);
		SetLineMode((cap_mode)cap, (join_mode)join, miter);
	}
	int16 source, function;
	if (archive->FindInt16("_blend", 0, &source) == B_OK &&
	    archive->FindInt16("_blend", 1, &function) == B_OK)
		SetBlendingMode((source_alpha)source, (alpha_function)function);
	if (archive->GetBool("_hidden", false))
		Hide();

	// Children come back in their archived order, which is their drawing order. An archive
	// that is not a view's is dropped rather than added as something it is not.
	BMessage childArchive;
	for (int32 i = 0; archive->FindMessage("_views", i, &childArchive) == B_OK; i++) {
		BArchivable* object = instantiate_object(&childArchive);
		if (BView* child = dynamic_cast<BView*>(object))
			AddChild(child);
		else
			delete object;
	}
}

BArchivable* BView::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BView"))
		return nullptr;
	return new BView(archive);
}

status_t BView::Archive(BMessage* archive, bool deep) const
{
	if (archive == nullptr)
		return B_BAD_VALUE;
	status_t status = BHandler::Archive(archive, deep);
	if (status == B_OK)
		status = archive->AddRect("_frame", fFrame);
	if (status == B_OK)
		status = archive->AddInt32("_resize_mode", (int32)fResizingMode);
	if (status == B_OK)
		status = archive->AddInt32("_flags", (int32)fFlags);

	if (status == B_OK && (fArchivingFlags & kViewArchiveFont) != 0) {
		font_family family;
		font_style style;
		const BFont& font = fState.font;
		font.GetFamilyAndStyle(&family, &style);
		status = archive->AddString("_fname", family);
		if (status == B_OK)
			status = archive->AddString("_fname", style);
		const float values[] = {font.Size(), font.Shear(), font.Rotation(), font.FalseBoldWidth()};
		for (float value : values) {
			if (status == B_OK)
				status = archive->AddFloat("_fflt", value);
		}
	}
	if (status == B_OK && (fArchivingFlags & kViewArchiveColors) != 0) {
		const rgb_color colors[] = {fState.high, fState.low, fViewColor};
		for (rgb_color color : colors) {
			if (status == B_OK)
				status = archive->AddInt32("_color", (int32)pack_color(color));
		}
	}
	if (status == B_OK && (fArchivingFlags & kViewArchiveDrawingMode) != 0)
		status = archive->AddInt32("_dmod", (int32)fState.mode);
	if (status == B_OK && (fArchivingFlags & kViewArchivePenSize) != 0)
		status = archive->AddFloat("_psize", fState.penSize);
	if (status == B_OK && (fArchivingFlags & kViewArchivePenLocation) != 0)
		status = archive->AddPoint("_ploc", fState.pen);
	if (status == B_OK && (fArchivingFlags & kViewArchiveOrigin) != 0)
		status = archive->AddPoint("_origin", fState.origin);
	if (status == B_OK && (fArchivingFlags & kViewArchiveLineModes) != 0) {
		status = archive->AddInt16("_lmcapjoin", (int16)fState.cap);
		if (status == B_OK)
			status = archive->AddInt16("_lmcapjoin", (int16)fState.join);
		if (status == B_OK)
			status = archive->AddFloat("_lmmiter", fState.miterLimit);
	}
	if (status == B_OK && (fArchivingFlags & kViewArchiveBlending) != 0) {
		status = archive->AddInt16("_blend", (int16)fState.alphaSource);
		if (status == B_OK)
			status = archive->AddInt16("_blend", (int16)fState.alphaFunction);
	}
	if (status == B_OK && fHideLevel > 0)
		status = archive->AddBool("_hidden", true);

	for (size_t i = 0; status == B_OK && deep && i < fChildren.size(); i++) {
		BMessage childArchive;
		status = fChildren[i]->Archive(&childArchive, true);
		if (status == B_OK)
			status = archive->AddMessage("_views", &childArchive);
	}
	return status;
}

B_REGISTER_ARCHIVABLE(BView);
