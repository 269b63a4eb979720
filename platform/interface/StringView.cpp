#include <StringView.h>

#include <algorithm>
#include <cmath>

#include <Message.h>

#include "StylePainter.h"
#include "ViewColors.h"

using BPrivate::StylePainter;

namespace {

alignment valid_alignment(int32 value)
{
	return value == B_ALIGN_RIGHT || value == B_ALIGN_CENTER ? (alignment)value : B_ALIGN_LEFT;
}

} // namespace

BStringView::BStringView(BRect frame, const char* name, const char* text, uint32 resizingMode,
                         uint32 flags)
    : BView(frame, name, resizingMode, flags), fText(text != nullptr ? text : ""),
      fAlign(B_ALIGN_LEFT)
{
}

BStringView::BStringView(BMessage* archive)
    : BView(archive), fText(archive != nullptr ? archive->GetString("_text", "") : ""),
      fAlign(valid_alignment(archive != nullptr ? archive->GetInt32("_align", B_ALIGN_LEFT)
                                                : B_ALIGN_LEFT))
{
}

BStringView::~BStringView() {}

BArchivable* BStringView::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BStringView"))
		return nullptr;
	return new BStringView(archive);
}

status_t BStringView::Archive(BMessage* archive, bool deep) const
{
	status_t status = BView::Archive(archive, deep);
	if (status == B_OK && !fText.empty())
		status = archive->AddString("_text", fText.c_str());
	if (status == B_OK && fAlign != B_ALIGN_LEFT)
		status = archive->AddInt32("_align", (int32)fAlign);
	return status;
}

void BStringView::AttachedToWindow()
{
	// A caption blends into the view it stands on; a string view on its own keeps the
	// colour it was given.
	if (Parent() != nullptr)
		BPrivate::adopt_parent_colors(this);
}

void BStringView::Draw(BRect)
{
	if (fText.empty())
		return;
	// The rectangle grows to the text, about the side it is aligned to, so that nothing is
	// cut short.
	BRect rect = Bounds();
	float excess = std::ceil(StringWidth(fText.c_str())) - (rect.Width() + 1);
	if (excess > 0) {
		if (fAlign == B_ALIGN_LEFT)
			rect.right += excess;
		else if (fAlign == B_ALIGN_RIGHT)
			rect.left -= excess;
		else
			rect.InsetBy(-std::ceil(excess / 2), 0);
	}
	rgb_color color = HighColor();
	StylePainter::DrawLabel(this, rect, fText.c_str(), fAlign, 0, &color);
}

void BStringView::SetText(const char* text)
{
	std::string value = text != nullptr ? text : "";
	if (value == fText)
		return;
	fText = value;
	Invalidate();
}

void BStringView::SetAlignment(alignment flag)
{
	flag = valid_alignment(flag);
	if (flag == fAlign)
		return;
	fAlign = flag;
	Invalidate();
}

void BStringView::GetPreferredSize(float* width, float* height)
{
	font_height metrics;
	GetFontHeight(&metrics);
	if (width != nullptr)
		*width = std::ceil(StringWidth(fText.c_str()));
	if (height != nullptr)
		*height = std::ceil(metrics.ascent + metrics.descent + metrics.leading);
}

B_REGISTER_ARCHIVABLE(BStringView);
