#include <Box.h>

#include <cmath>

#include <Message.h>

#include "StylePainter.h"
#include "ViewColors.h"

using BPrivate::StylePainter;

namespace {

// The label stands this far from the box's left edge.
const float kLabelIndent = 10;

border_style valid_border(int32 value)
{
	return value == B_PLAIN_BORDER || value == B_NO_BORDER ? (border_style)value : B_FANCY_BORDER;
}

} // namespace

BBox::BBox(BRect frame, const char* name, uint32 resizingMode, uint32 flags, border_style border)
    : BView(frame, name, resizingMode, flags), fHasLabel(false), fBorder(valid_border(border))
{
}

BBox::BBox(BMessage* archive)
    : BView(archive), fHasLabel(false),
      fBorder(valid_border(archive != nullptr ? archive->GetInt32("_style", B_FANCY_BORDER)
                                              : B_FANCY_BORDER))
{
	const char* label;
	if (archive != nullptr && archive->FindString("_label", &label) == B_OK)
		SetLabel(label);
}

BBox::~BBox() {}

BArchivable* BBox::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BBox"))
		return nullptr;
	return new BBox(archive);
}

status_t BBox::Archive(BMessage* archive, bool deep) const
{
	status_t status = BView::Archive(archive, deep);
	if (status == B_OK && fHasLabel)
		status = archive->AddString("_label", fLabel.c_str());
	if (status == B_OK && fBorder != B_FANCY_BORDER)
		status = archive->AddInt32("_style", (int32)fBorder);
	return status;
}

void BBox::AttachedToWindow()
{
	BPrivate::adopt_parent_colors(this);
}

BRect BBox::_LabelRect()
{
	if (!fHasLabel)
		return BRect();
	BRect bounds = Bounds();
	float left = bounds.left + kLabelIndent;
	float width = std::ceil(StringWidth(fLabel.c_str()));
	return BRect(left, bounds.top, left + std::max(width, 1.0f) - 1,
	             bounds.top + StylePainter::LineHeight(this) - 1);
}

void BBox::Draw(BRect)
{
	BRect label = _LabelRect();
	StylePainter::DrawBoxFrame(this, Bounds(), fBorder, label);
	if (label.IsValid())
		StylePainter::DrawLabel(this, label, fLabel.c_str(), B_ALIGN_LEFT, 0);
}

void BBox::FrameResized(float width, float height)
{
	// The frame runs along every edge; a resize moves the right and bottom ones.
	Invalidate();
}

void BBox::SetBorder(border_style border)
{
	border = valid_border(border);
	if (border == fBorder)
		return;
	fBorder = border;
	Invalidate();
}

void BBox::SetLabel(const char* label)
{
	bool hasLabel = label != nullptr;
	std::string text = hasLabel ? label : "";
	if (hasLabel == fHasLabel && text == fLabel)
		return;
	fHasLabel = hasLabel;
	fLabel = text;
	Invalidate();
}

float BBox::TopBorderOffset()
{
	BRect label = _LabelRect();
	return label.IsValid() ? std::floor((label.top + label.bottom) / 2) - Bounds().top : 0;
}

BRect BBox::InnerFrame()
{
	BRect frame = Bounds();
	float border = StylePainter::BorderSize(fBorder);
	frame.InsetBy(border, border);
	BRect label = _LabelRect();
	if (label.IsValid())
		frame.top = std::max(frame.top, label.bottom + 1);
	return frame;
}

void BBox::GetPreferredSize(float* width, float* height)
{
	float border = StylePainter::BorderSize(fBorder);
	BRect label = _LabelRect();
	if (width != nullptr) {
		*width = label.IsValid() ? label.Width() + 2 * kLabelIndent + 2 * border : 2 * border + 1;
	}
	if (height != nullptr)
		*height = label.IsValid() ? label.Height() + 2 * border + 1 : 2 * border + 1;
}

B_REGISTER_ARCHIVABLE(BBox);
