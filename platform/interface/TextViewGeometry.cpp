// BTextView: where lines and characters lie in the view, the caret, and scrolling.
#include <TextView.h>

#include <algorithm>
#include <cmath>

#include <Window.h>

#include "StylePainter.h"
#include "TextBuffer.h"
#include "TextLayout.h"
#include "WindowPrivate.h"

using BPrivate::StylePainter;

// #pragma mark - lines and positions

int32 BTextView::CountLines() const
{
	return fLayout->CountLines();
}

int32 BTextView::CurrentLine() const
{
	return LineAt(fCaret);
}

int32 BTextView::LineAt(int32 offset) const
{
	return fLayout->LineAt(fBuffer->SnapBackward(offset));
}

int32 BTextView::LineAt(BPoint point) const
{
	int32 line = (int32)std::floor((point.y - _LineTop(0)) / fLineHeight);
	return std::clamp(line, (int32)0, CountLines() - 1);
}

BPoint BTextView::PointAt(int32 offset, float* height) const
{
	offset = fBuffer->SnapBackward(offset);
	if (height != nullptr)
		*height = fLineHeight;
	return BPoint(_OffsetX(offset), _LineTop(fLayout->LineAt(offset)));
}

int32 BTextView::OffsetAt(BPoint point) const
{
	int32 line = LineAt(point);
	return fLayout->OffsetAt(line, point.x - _LineLeft(line));
}

int32 BTextView::OffsetAt(int32 line) const
{
	if (line >= CountLines())
		return TextLength();
	return line < 0 ? 0 : fLayout->LineStart(line);
}

float BTextView::LineWidth(int32 line) const
{
	if (line < 0 || line >= CountLines())
		return 0;
	return (float)fLayout->LineWidth(line);
}

float BTextView::LineHeight(int32) const
{
	return fLineHeight;
}

float BTextView::TextHeight(int32 startLine, int32 endLine) const
{
	startLine = std::clamp(startLine, (int32)0, CountLines() - 1);
	endLine = std::clamp(endLine, startLine, CountLines() - 1);
	return (endLine - startLine + 1) * fLineHeight;
}

float BTextView::_LineTop(int32 line) const
{
	BRect text = TextRect();
	float top = text.top;
	// A one-line field centres its line, so that the text sits in the middle of the field
	// whatever its height.
	if (fSingleLine)
		top += std::max(0.0f, std::floor((text.Height() + 1 - fLineHeight) / 2));
	return top + line * fLineHeight;
}

float BTextView::_Baseline(int32 line) const
{
	BView* self = const_cast<BTextView*>(this);
	// A one-line field takes the baseline the style painter gives labels in the same
	// height, so that a text control's label and text stand on one line.
	float first =
	    fSingleLine
	        ? StylePainter::Baseline(self, TextRect())
	        : StylePainter::Baseline(self, BRect(0, _LineTop(0), 0, _LineTop(0) + fLineHeight - 1));
	return first + line * fLineHeight;
}

bool BTextView::_PreeditRange(int32* line, int32* from, int32* to) const
{
	if (fPreedit == nullptr)
		return false;
	GetSelection(from, to);
	*line = fLayout->LineAt(*from);
	*to = std::min(*to, fLayout->LineEnd(*line));
	return true;
}

float BTextView::_PreeditWidth(int32 upTo) const
{
	if (fPreedit == nullptr)
		return 0;
	int32 length = upTo < 0 ? (int32)fPreedit->text.size() : upTo;
	return StringWidth(fPreedit->text.c_str(), length);
}

double BTextView::_PreeditShift(int32 line) const
{
	// The pre-edit stands in for the selected part of its line.
	int32 preeditLine, from, to;
	if (!_PreeditRange(&preeditLine, &from, &to) || preeditLine != line)
		return 0;
	return _PreeditWidth() - (fLayout->X(to) - fLayout->X(from));
}

float BTextView::_LineLeft(int32 line) const
{
	BRect text = TextRect();
	double width = fLayout->LineWidth(line) + _PreeditShift(line);
	double room = text.Width() - width;
	if (room <= 0 || fAlignment == B_ALIGN_LEFT)
		return text.left;
	return text.left + (float)std::floor(fAlignment == B_ALIGN_CENTER ? room / 2 : room);
}

float BTextView::_OffsetX(int32 offset) const
{
	int32 line = fLayout->LineAt(offset);
	double x = _LineLeft(line) + fLayout->X(offset);
	int32 preeditLine, from, to;
	if (_PreeditRange(&preeditLine, &from, &to) && preeditLine == line && offset > from)
		x = offset < to ? _LineLeft(line) + fLayout->X(from) : x + _PreeditShift(line);
	return (float)x;
}

BRect BTextView::_CaretRect() const
{
	int32 offset = fCaret;
	float x;
	if (fPreedit != nullptr) {
		GetSelection(&offset, nullptr);
		x = _OffsetX(offset) + _PreeditWidth(fPreedit->selectionEnd);
	} else {
		x = _OffsetX(offset);
	}
	x = std::floor(x);
	float top = _LineTop(fLayout->LineAt(offset));
	return BRect(x, top, x, top + fLineHeight - 1);
}

void BTextView::_ReportCaret()
{
	// The input method's candidate box follows the caret; it is moved only when the caret
	// has, since a display server may do real work for every move.
	BWindow* window = Window();
	if (window == nullptr || !IsFocus())
		return;
	// Compared on the screen, since scrolling moves the caret there but not in the view.
	BRect caret = _CaretRect();
	BRect screen = ConvertToScreen(caret);
	if (screen == fReportedCaret)
		return;
	fReportedCaret = screen;
	BPrivate::WindowAccess::SetTextInputCaret(window, this, caret);
}

// #pragma mark - scrolling

void BTextView::ScrollToOffset(int32 offset)
{
	offset = fBuffer->SnapBackward(offset);
	float x = std::floor(_OffsetX(offset));
	float top = _LineTop(fLayout->LineAt(offset));
	_ScrollToShow(BRect(x, top, x, top + fLineHeight - 1));
}

void BTextView::ScrollToSelection()
{
	int32 start, finish;
	GetSelection(&start, &finish);
	// The start wins when the whole selection does not fit.
	ScrollToOffset(finish);
	ScrollToOffset(start);
}

void BTextView::_KeepCaretVisible()
{
	_ScrollToShow(_CaretRect());
}

void BTextView::_ScrollToShow(BRect rect)
{
	BRect bounds = Bounds();
	BPoint scroll = bounds.LeftTop();
	float width = Frame().Width();
	float height = Frame().Height();
	if (rect.left < scroll.x + fInsetLeft)
		scroll.x = rect.left - fInsetLeft;
	else if (rect.right > scroll.x + width - fInsetRight)
		scroll.x = rect.right - (width - fInsetRight);
	if (!fSingleLine) {
		if (rect.top < scroll.y + fInsetTop)
			scroll.y = rect.top - fInsetTop;
		else if (rect.bottom > scroll.y + height - fInsetBottom)
			scroll.y = rect.bottom - (height - fInsetBottom);
	}
	_ScrollClamped(scroll);
}

void BTextView::_ClampScrolling()
{
	_ScrollClamped(Bounds().LeftTop());
}

void BTextView::_ScrollClamped(BPoint where)
{
	double widest = fLayout->MaxLineWidth();
	int32 line, from, to;
	if (_PreeditRange(&line, &from, &to))
		widest = std::max(widest, fLayout->LineWidth(line) + _PreeditShift(line));
	// Room for the caret after the last character.
	float maxX = (float)std::ceil(fInsetLeft + widest + 1 + fInsetRight - (Frame().Width() + 1));
	float maxY =
	    std::ceil(fInsetTop + CountLines() * fLineHeight + fInsetBottom - (Frame().Height() + 1));
	where.x = std::clamp(std::round(where.x), 0.0f, std::max(maxX, 0.0f));
	where.y = fSingleLine ? 0 : std::clamp(std::round(where.y), 0.0f, std::max(maxY, 0.0f));
	if (where == Bounds().LeftTop())
		return;
	ScrollTo(where);
	_ReportCaret();
}

void BTextView::FrameResized(float newWidth, float newHeight)
{
	_ClampScrolling();
	Invalidate();
}
