#include <ListItem.h>

#include <algorithm>
#include <cmath>

#include <Font.h>
#include <Message.h>
#include <View.h>
#include <Window.h>

#include "StylePainter.h"

using BPrivate::StylePainter;

namespace {

// Space left of a row's text.
const float kTextInset = 4;

// A size from outside: negative or not finite sizes are no size.
float valid_size(float size)
{
	return std::isfinite(size) && size > 0 ? size : 0;
}

} // namespace

BListItem::BListItem(uint32 outlineLevel, bool expanded)
    : fList(nullptr), fTop(0), fWidth(0), fHeight(0), fLevel(outlineLevel), fSelected(false),
      fEnabled(true), fExpanded(expanded)
{
}

BListItem::BListItem(BMessage* archive) : BListItem(0, true)
{
	if (archive == nullptr)
		return;
	fSelected = archive->GetBool("_sel", false);
	fEnabled = !archive->GetBool("_disable", false);
	fExpanded = archive->GetBool("_li_expanded", true);
	fLevel = (uint32)std::max(archive->GetInt32("_li_outline_level", 0), (int32)0);
}

BListItem::~BListItem() {}

status_t BListItem::Archive(BMessage* archive, bool deep) const
{
	status_t status = BArchivable::Archive(archive, deep);
	if (status == B_OK && fSelected)
		status = archive->AddBool("_sel", true);
	if (status == B_OK && !fEnabled)
		status = archive->AddBool("_disable", true);
	if (status == B_OK && !fExpanded)
		status = archive->AddBool("_li_expanded", false);
	if (status == B_OK && fLevel != 0)
		status = archive->AddInt32("_li_outline_level", (int32)fLevel);
	return status;
}

void BListItem::SetHeight(float height)
{
	fHeight = valid_size(height);
}

void BListItem::SetWidth(float width)
{
	fWidth = valid_size(width);
}

void BListItem::Update(BView* owner, const BFont* font)
{
	font_height metrics;
	font->GetHeight(&metrics);
	// A line of the font and a pixel above and below it.
	SetHeight(std::ceil(metrics.ascent + metrics.descent + metrics.leading) + 1);
	SetWidth(owner != nullptr ? owner->Bounds().Width() : 0);
}

uint32 BListItem::StyleFlags(const BView* owner) const
{
	uint32 flags = 0;
	if (fSelected)
		flags |= StylePainter::kSelected;
	if (!fEnabled)
		flags |= StylePainter::kDisabled;
	BWindow* window = owner != nullptr ? owner->Window() : nullptr;
	if (window != nullptr && window->IsActive() && owner->IsFocus())
		flags |= StylePainter::kFocused;
	return flags;
}

// #pragma mark - BStringItem

BStringItem::BStringItem(const char* text, uint32 outlineLevel, bool expanded)
    : BListItem(outlineLevel, expanded), fText(text != nullptr ? text : "")
{
}

BStringItem::BStringItem(BMessage* archive)
    : BListItem(archive), fText(archive != nullptr ? archive->GetString("_label", "") : "")
{
}

BStringItem::~BStringItem() {}

BArchivable* BStringItem::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BStringItem"))
		return nullptr;
	return new BStringItem(archive);
}

status_t BStringItem::Archive(BMessage* archive, bool deep) const
{
	status_t status = BListItem::Archive(archive, deep);
	if (status == B_OK)
		status = archive->AddString("_label", fText.c_str());
	return status;
}

void BStringItem::DrawItem(BView* owner, BRect frame, bool complete)
{
	uint32 flags = StyleFlags(owner);
	if (complete || IsSelected())
		StylePainter::DrawListRow(owner, frame, flags);
	rgb_color color = StylePainter::ListRowTextColor(flags);
	BRect text(frame.left + kTextInset, frame.top, frame.right, frame.bottom);
	StylePainter::DrawLabel(owner, text, fText.c_str(), B_ALIGN_LEFT, flags, &color);
}

void BStringItem::Update(BView* owner, const BFont* font)
{
	BListItem::Update(owner, font);
	SetWidth(std::ceil(font->StringWidth(fText.c_str())) + kTextInset);
}

void BStringItem::SetText(const char* text)
{
	fText = text != nullptr ? text : "";
}

B_REGISTER_ARCHIVABLE(BStringItem);
