// BTextView: construction, archiving, and the text's properties.
#include <TextView.h>

#include <algorithm>
#include <cmath>

#include <cstring>

#include <Message.h>
#include <MessageRunner.h>
#include <Window.h>

#include <TextControl.h>

#include "StylePainter.h"
#include "TextBuffer.h"
#include "TextLayout.h"
#include "TextUndo.h"

using BPrivate::StylePainter;
using BPrivate::TextBuffer;

namespace {

constexpr float kDefaultTabWidth = 28;

bool valid_alignment(int32 align)
{
	return align == B_ALIGN_LEFT || align == B_ALIGN_RIGHT || align == B_ALIGN_CENTER;
}

} // namespace

BTextView::BTextView(BRect frame, const char* name, BRect textRect, uint32 resizingMode,
                     uint32 flags)
    : BView(frame, name, resizingMode, flags)
{
	_Init(textRect, flags);
}

BTextView::BTextView(BRect frame, const char* name, BRect textRect, const BFont* initialFont,
                     const rgb_color* initialColor, uint32 resizingMode, uint32 flags)
    : BView(frame, name, resizingMode, flags)
{
	// The text is drawn in the style painter's colours; the colour is only the high colour.
	if (initialFont != nullptr)
		BView::SetFont(initialFont);
	if (initialColor != nullptr)
		SetHighColor(*initialColor);
	_Init(textRect, flags);
}

BTextView::BTextView(const char* name, uint32 flags) : BView(name, flags)
{
	_Init(Bounds(), flags);
}

BTextView::BTextView(BMessage* archive) : BView(archive)
{
	BRect textRect = Bounds();
	if (archive != nullptr && archive->FindRect("_trect", &textRect) != B_OK)
		textRect = Bounds();
	// An archived view colour wins over the field colour that _Init gives every text view.
	bool hasColors = archive != nullptr && archive->HasInt32("_color");
	rgb_color archivedColor = ViewColor();
	_Init(textRect, Flags());
	if (archive == nullptr)
		return;
	if (hasColors)
		SetViewColor(archivedColor);

	int32 align = archive->GetInt32("_align", B_ALIGN_LEFT);
	fAlignment = valid_alignment(align) ? (alignment)align : B_ALIGN_LEFT;
	float tab = archive->GetFloat("_tab", kDefaultTabWidth);
	if (std::isfinite(tab) && tab > 0)
		SetTabWidth(tab);
	fMaxBytes = std::max(archive->GetInt32("_maxlen", INT32_MAX), (int32)0);
	int32 character;
	for (int32 i = 0; archive->FindInt32("_disallowed", i, &character) == B_OK; i++)
		DisallowChar((uint32)character);
	fSelectable = !archive->GetBool("_nsel", false);
	fEditable = !archive->GetBool("_nedit", false);
	_UpdateFlags();

	const char* text;
	if (archive->FindString("_text", &text) == B_OK) {
		std::string clean = TextBuffer::Clean(text, strlen(text));
		clean.resize(TextBuffer::FitLength(clean, (size_t)fMaxBytes));
		fBuffer->SetText(std::move(clean));
		fLayout->Rebuild();
	}
	int32 start = 0, finish = 0;
	if (archive->FindInt32("_sel", 0, &start) == B_OK &&
	    archive->FindInt32("_sel", 1, &finish) == B_OK)
		Select(start, finish);
}

BTextView::~BTextView()
{
	delete fBlinker;
}

void BTextView::_Init(BRect textRect, uint32 flags)
{
	fBuffer = std::make_unique<TextBuffer>();
	fLayout = std::make_unique<BPrivate::TextLayout>(*fBuffer);
	fUndo = std::make_unique<BPrivate::TextUndo>();
	fAlignment = B_ALIGN_LEFT;
	fTabWidth = kDefaultTabWidth;
	fMaxBytes = INT32_MAX;
	fSelectable = true;
	fEditable = true;
	fAnchor = fCaret = 0;
	fSingleLine = false;
	fControl = nullptr;
	fFocused = false;
	fBlinker = nullptr;
	fCaretShown = true;
	fTrackMode = kNotTracking;
	fTrackStart = fTrackEnd = 0;
	fFocusByClick = false;
	fLineHeight = 1;
	_SetTextRectInsets(textRect);
	SetViewColor(StylePainter::FieldColor(0));
	SetFlags(flags);
	_UpdateFlags();
	_FontChanged();
}

BArchivable* BTextView::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BTextView"))
		return nullptr;
	return new BTextView(archive);
}

status_t BTextView::Archive(BMessage* archive, bool deep) const
{
	status_t status = BView::Archive(archive, deep);
	if (status == B_OK)
		status = archive->AddString("_text", Text());
	if (status == B_OK)
		status = archive->AddInt32("_align", fAlignment);
	if (status == B_OK)
		status = archive->AddFloat("_tab", fTabWidth);
	if (status == B_OK)
		status = archive->AddRect("_trect", TextRect());
	if (status == B_OK && fMaxBytes != INT32_MAX)
		status = archive->AddInt32("_maxlen", fMaxBytes);
	for (size_t i = 0; status == B_OK && i < fDisallowed.size(); i++)
		status = archive->AddInt32("_disallowed", (int32)fDisallowed[i]);
	if (status == B_OK && !fSelectable)
		status = archive->AddBool("_nsel", true);
	if (status == B_OK && !fEditable)
		status = archive->AddBool("_nedit", true);
	int32 start, finish;
	GetSelection(&start, &finish);
	if (status == B_OK)
		status = archive->AddInt32("_sel", start);
	if (status == B_OK)
		status = archive->AddInt32("_sel", finish);
	return status;
}

// #pragma mark - properties

void BTextView::_UpdateFlags()
{
	uint32 flags = Flags();
	uint32 wanted = fEditable ? (flags | B_INPUT_METHOD_AWARE) : (flags & ~B_INPUT_METHOD_AWARE);
	if (wanted != flags)
		SetFlags(wanted);
}

void BTextView::SetFont(const BFont* font, uint32 mask)
{
	BView::SetFont(font, mask);
	_FontChanged();
}

void BTextView::_FontChanged()
{
	BFont current;
	GetFont(&current);
	fLayout->SetFont(current);
	font_height metrics;
	current.GetHeight(&metrics);
	fLineHeight = std::max(std::ceil(metrics.ascent + metrics.descent + metrics.leading), 1.0f);
	_ClampScrolling();
	Invalidate();
}

void BTextView::_SetTextRectInsets(BRect rect)
{
	BRect frame = Frame();
	if (!rect.IsValid() || !frame.IsValid())
		rect = BRect(0, 0, std::max(frame.Width(), 0.0f), std::max(frame.Height(), 0.0f));
	fInsetLeft = std::max(rect.left, 0.0f);
	fInsetTop = std::max(rect.top, 0.0f);
	fInsetRight = std::max(frame.Width() - rect.right, 0.0f);
	fInsetBottom = std::max(frame.Height() - rect.bottom, 0.0f);
}

void BTextView::SetTextRect(BRect rect)
{
	_SetTextRectInsets(rect);
	_ClampScrolling();
	Invalidate();
}

BRect BTextView::TextRect() const
{
	BRect frame = Frame();
	return BRect(fInsetLeft, fInsetTop, frame.Width() - fInsetRight, frame.Height() - fInsetBottom);
}

void BTextView::SetAlignment(alignment align)
{
	if (!valid_alignment(align) || align == fAlignment)
		return;
	fAlignment = align;
	_ClampScrolling();
	Invalidate();
}

void BTextView::SetTabWidth(float width)
{
	if (!std::isfinite(width) || width <= 0 || width == fTabWidth)
		return;
	fTabWidth = width;
	fLayout->SetTabWidth(width);
	Invalidate();
}

void BTextView::MakeSelectable(bool selectable)
{
	if (selectable == fSelectable)
		return;
	fSelectable = selectable;
	Invalidate();
}

void BTextView::MakeEditable(bool editable)
{
	if (editable == fEditable)
		return;
	fEditable = editable;
	if (!editable)
		_EndPreedit();
	_UpdateFlags();
	_UpdateBlinking();
	Invalidate();
}

void BTextView::SetMaxBytes(int32 max)
{
	fMaxBytes = std::max(max, (int32)0);
	if (TextLength() > fMaxBytes)
		Delete(fBuffer->SnapBackward(fMaxBytes), TextLength());
}

void BTextView::DisallowChar(uint32 character)
{
	if (std::find(fDisallowed.begin(), fDisallowed.end(), character) == fDisallowed.end())
		fDisallowed.push_back(character);
}

void BTextView::AllowChar(uint32 character)
{
	fDisallowed.erase(std::remove(fDisallowed.begin(), fDisallowed.end(), character),
	                  fDisallowed.end());
}

bool BTextView::_Disabled() const
{
	return fControl != nullptr && Parent() == fControl && !fControl->IsEnabled();
}

uint32 BTextView::_StyleFlags() const
{
	uint32 flags = 0;
	if (_Disabled())
		flags |= StylePainter::kDisabled;
	BWindow* window = Window();
	if (IsFocus() && window != nullptr && window->IsActive())
		flags |= StylePainter::kFocused;
	return flags;
}

uint32 BTextView::_CurrentModifiers() const
{
	BWindow* window = Window();
	BMessage* message = window != nullptr ? window->CurrentMessage() : nullptr;
	if (message != nullptr && message->HasInt32("modifiers"))
		return (uint32)message->GetInt32("modifiers", 0);
	return modifiers();
}

void BTextView::GetPreferredSize(float* width, float* height)
{
	if (width != nullptr)
		*width = std::ceil(fInsetLeft + fLayout->MaxLineWidth() + 1 + fInsetRight);
	if (height != nullptr)
		*height = std::ceil(fInsetTop + CountLines() * fLineHeight + fInsetBottom) - 1;
}

B_REGISTER_ARCHIVABLE(BTextView);
