// BTextView: drawing. Only the characters inside the area being redrawn are drawn, so a very
// long line costs no more to show than a short one.
#include <TextView.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include <Window.h>

#include "StylePainter.h"
#include "TextBuffer.h"
#include "TextLayout.h"

using BPrivate::StylePainter;

// #pragma mark - drawing

void BTextView::Draw(BRect updateRect)
{
	uint32 flags = _StyleFlags();
	PushState();
	int32 first = LineAt(updateRect.LeftTop());
	int32 last = LineAt(updateRect.LeftBottom());
	for (int32 line = first; line <= last; line++)
		_DrawLine(line, updateRect, flags);

	int32 start, finish;
	GetSelection(&start, &finish);
	BWindow* window = Window();
	bool caret = IsFocus() && window != nullptr && window->IsActive() && fEditable && fCaretShown &&
	             (start == finish || fPreedit != nullptr);
	if (caret) {
		SetHighColor(StylePainter::TextColor(flags));
		FillRect(_CaretRect());
	}
	PopState();
}

void BTextView::_DrawLine(int32 line, BRect updateRect, uint32 flags)
{
	float left = _LineLeft(line);
	float top = _LineTop(line);
	float baseline = _Baseline(line);
	int32 start = fLayout->LineStart(line);
	int32 end = fLayout->LineEnd(line);
	// The characters in the redrawn area, and one more on each side for glyphs that reach
	// beyond their cells.
	float slack = (float)std::fabs(_PreeditShift(line));
	int32 from = fLayout->BoundaryBefore(line, updateRect.left - left - slack);
	int32 to = fLayout->BoundaryAfter(line, updateRect.right - left + slack);
	from = std::max(start, fBuffer->PreviousCharacter(from));
	to = std::min(end, fBuffer->NextCharacter(to));

	rgb_color text = StylePainter::TextColor(flags);
	int32 preeditLine, preeditFrom, preeditTo;
	if (_PreeditRange(&preeditLine, &preeditFrom, &preeditTo) && preeditLine == line) {
		_DrawRun(from, std::min(to, preeditFrom), baseline, text);
		_DrawPreedit(baseline, flags);
		_DrawRun(std::max(from, preeditTo), to, baseline, text);
		return;
	}

	int32 selStart, selEnd;
	GetSelection(&selStart, &selEnd);
	if (!fSelectable || fPreedit != nullptr || selStart == selEnd || selEnd < start ||
	    selStart > end) {
		_DrawRun(from, to, baseline, text);
		return;
	}
	int32 s = std::max(selStart, start);
	int32 e = std::min(selEnd, end);
	float x0 = std::floor(_OffsetX(s));
	float x1 = std::ceil(_OffsetX(e));
	// A selected line break shows as a little room after the line.
	if (selEnd > end && line + 1 < CountLines())
		x1 += std::ceil(StringWidth(" "));
	if (x1 > x0) {
		SetHighColor(StylePainter::SelectionColor(flags));
		FillRect(BRect(x0, top, x1 - 1, top + fLineHeight - 1));
	}
	_DrawRun(from, std::min(to, s), baseline, text);
	_DrawRun(std::max(from, s), std::min(to, e), baseline, StylePainter::SelectedTextColor(flags));
	_DrawRun(std::max(from, e), to, baseline, text);
}

void BTextView::_DrawRun(int32 from, int32 to, float baseline, rgb_color color)
{
	if (from >= to)
		return;
	SetHighColor(color);
	// Antialiased glyphs blend into the field or the selection under them.
	SetDrawingMode(B_OP_OVER);
	const char* text = fBuffer->Text();
	// The font engine gives a tab no width, so each piece between tabs is placed on its own.
	int32 offset = from;
	while (offset < to) {
		const void* tab = memchr(text + offset, '\t', (size_t)(to - offset));
		int32 stop = tab != nullptr ? (int32)((const char*)tab - text) : to;
		if (stop > offset)
			DrawString(text + offset, stop - offset, BPoint(_OffsetX(offset), baseline));
		offset = stop + 1;
	}
}

void BTextView::_DrawPreedit(float baseline, uint32 flags)
{
	int32 from;
	GetSelection(&from, nullptr);
	float x = _OffsetX(from);
	rgb_color color = StylePainter::TextColor(flags);
	SetHighColor(color);
	SetDrawingMode(B_OP_OVER);
	DrawString(fPreedit->text.c_str(), (int32)fPreedit->text.size(), BPoint(x, baseline));

	// Underlined below the glyphs (a font's cell may hold no room for it, so the line may
	// reach into the cell below), with the part the input method is working on underlined
	// twice as thick.
	float y = baseline + 2;
	float second = y + 1;
	FillRect(BRect(std::floor(x), y, std::ceil(x + _PreeditWidth()) - 1, y));
	if (fPreedit->selectionEnd > fPreedit->selectionStart) {
		float x0 = std::floor(x + _PreeditWidth(fPreedit->selectionStart));
		float x1 = std::ceil(x + _PreeditWidth(fPreedit->selectionEnd)) - 1;
		FillRect(BRect(x0, second, x1, second));
	}
}
