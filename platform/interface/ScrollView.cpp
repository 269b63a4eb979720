#include <ScrollView.h>

#include <Message.h>
#include <ScrollBar.h>
#include <Window.h>

#include "StylePainter.h"
#include "ViewColors.h"

using BPrivate::StylePainter;

namespace {

// The room a bar takes across: its thickness and the pixel of its own far edge.
const float kBarRoom = B_V_SCROLL_BAR_WIDTH + 1;

} // namespace

BScrollView::BScrollView(const char* name, BView* target, uint32 resizingMode, uint32 flags,
                         bool horizontal, bool vertical, border_style border)
    : BView(BRect(0, 0, 0, 0), name, resizingMode, flags | B_WILL_DRAW), fTarget(target),
      fHorizontal(nullptr), fVertical(nullptr), fBorder(border), fHighlighted(false)
{
	// The scroll view stands where the target stood, grown by the border and the bars.
	BRect frame = target != nullptr ? target->Frame() : BRect(0, 0, 0, 0);
	float border2 = 2 * StylePainter::BorderSize(border);
	frame.right += border2 + (vertical ? kBarRoom : 0);
	frame.bottom += border2 + (horizontal ? kBarRoom : 0);
	MoveTo(frame.LeftTop());
	ResizeTo(frame.Width(), frame.Height());

	if (target != nullptr) {
		// A target still in another tree would belong to two.
		target->RemoveSelf();
		target->SetResizingMode(B_FOLLOW_ALL);
		AddChild(target);
	}
	if (horizontal) {
		fHorizontal = new BScrollBar(BRect(0, 0, 1, B_H_SCROLL_BAR_HEIGHT), "_hscroll_", target, 0,
		                             0, B_HORIZONTAL);
		fHorizontal->SetResizingMode(B_FOLLOW_LEFT_RIGHT | B_FOLLOW_BOTTOM);
		AddChild(fHorizontal);
	}
	if (vertical) {
		fVertical = new BScrollBar(BRect(0, 0, B_V_SCROLL_BAR_WIDTH, 1), "_vscroll_", target, 0, 0,
		                           B_VERTICAL);
		fVertical->SetResizingMode(B_FOLLOW_RIGHT | B_FOLLOW_TOP_BOTTOM);
		AddChild(fVertical);
	}
	_Layout();
}

BScrollView::BScrollView(BMessage* archive)
    : BView(archive), fTarget(nullptr), fHorizontal(nullptr), fVertical(nullptr),
      fBorder(B_FANCY_BORDER), fHighlighted(false)
{
	if (archive == nullptr)
		return;
	int32 border = archive->GetInt32("_style", B_FANCY_BORDER);
	if (border == B_PLAIN_BORDER || border == B_NO_BORDER)
		fBorder = (border_style)border;
	// The children came back with the view: the bars by their kind, the target as the first
	// other child.
	bool noTarget = archive->GetBool("_no_target_", false);
	for (int32 i = 0; BView* child = ChildAt(i); i++) {
		BScrollBar* bar = dynamic_cast<BScrollBar*>(child);
		if (bar != nullptr && bar->Orientation() == B_HORIZONTAL && fHorizontal == nullptr)
			fHorizontal = bar;
		else if (bar != nullptr && bar->Orientation() == B_VERTICAL && fVertical == nullptr)
			fVertical = bar;
		else if (bar == nullptr && fTarget == nullptr && !noTarget)
			fTarget = child;
	}
	if (fHorizontal != nullptr)
		fHorizontal->SetTarget(fTarget);
	if (fVertical != nullptr)
		fVertical->SetTarget(fTarget);
}

BScrollView::~BScrollView() {}

BArchivable* BScrollView::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BScrollView"))
		return nullptr;
	return new BScrollView(archive);
}

status_t BScrollView::Archive(BMessage* archive, bool deep) const
{
	status_t status = BView::Archive(archive, deep);
	if (status == B_OK)
		status = archive->AddInt32("_style", (int32)fBorder);
	if (status == B_OK && fTarget == nullptr)
		status = archive->AddBool("_no_target_", true);
	return status;
}

BRect BScrollView::_TargetFrame() const
{
	BRect bounds = Bounds().OffsetToCopy(0, 0);
	float border = StylePainter::BorderSize(fBorder);
	bounds.InsetBy(border, border);
	if (fVertical != nullptr)
		bounds.right -= kBarRoom;
	if (fHorizontal != nullptr)
		bounds.bottom -= kBarRoom;
	return bounds;
}

void BScrollView::_Layout()
{
	BRect inside = _TargetFrame();
	if (fTarget != nullptr) {
		fTarget->MoveTo(inside.LeftTop());
		fTarget->ResizeTo(inside.Width(), inside.Height());
	}
	if (fHorizontal != nullptr) {
		fHorizontal->MoveTo(inside.left, inside.bottom + 1);
		fHorizontal->ResizeTo(inside.Width(), B_H_SCROLL_BAR_HEIGHT);
	}
	if (fVertical != nullptr) {
		fVertical->MoveTo(inside.right + 1, inside.top);
		fVertical->ResizeTo(B_V_SCROLL_BAR_WIDTH, inside.Height());
	}
}

void BScrollView::AttachedToWindow()
{
	BPrivate::adopt_parent_colors(this);
}

void BScrollView::Draw(BRect)
{
	BWindow* window = Window();
	bool focused = fHighlighted && window != nullptr && window->IsActive();
	StylePainter::DrawSunkenBorder(this, Bounds(), fBorder, focused ? StylePainter::kFocused : 0);
}

void BScrollView::WindowActivated(bool active)
{
	if (fHighlighted)
		Invalidate();
}

BScrollBar* BScrollView::ScrollBar(orientation direction) const
{
	return direction == B_HORIZONTAL ? fHorizontal : fVertical;
}

void BScrollView::SetBorder(border_style border)
{
	if (border == fBorder)
		return;
	fBorder = border;
	_Layout();
	Invalidate();
}

status_t BScrollView::SetBorderHighlighted(bool highlighted)
{
	// Without a border there is nowhere to show the focus.
	if (fBorder == B_NO_BORDER && highlighted)
		return B_ERROR;
	if (highlighted == fHighlighted)
		return B_OK;
	fHighlighted = highlighted;
	Invalidate();
	return B_OK;
}

void BScrollView::GetPreferredSize(float* width, float* height)
{
	float targetWidth = 0, targetHeight = 0;
	if (fTarget != nullptr)
		fTarget->GetPreferredSize(&targetWidth, &targetHeight);
	float border2 = 2 * StylePainter::BorderSize(fBorder);
	if (width != nullptr)
		*width = targetWidth + border2 + (fVertical != nullptr ? kBarRoom : 0);
	if (height != nullptr)
		*height = targetHeight + border2 + (fHorizontal != nullptr ? kBarRoom : 0);
}

B_REGISTER_ARCHIVABLE(BScrollView);
