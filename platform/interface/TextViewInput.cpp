// BTextView: what the user's keys, clicks and editing commands do.
#include <TextView.h>

#include <algorithm>
#include <cstring>

#include <AppDefs.h>
#include <Clipboard.h>
#include <Message.h>
#include <TextControl.h>
#include <Window.h>

#include "TextBuffer.h"
#include "TextLayout.h"
#include "TextUndo.h"
#include "TextViewPrivate.h"

using BPrivate::TextBuffer;
using BPrivate::TextUndo;

// #pragma mark - keys

void BTextView::KeyDown(const char* bytes, int32 numBytes)
{
	if (bytes == nullptr || numBytes <= 0 || _Disabled())
		return;
	// While the input method shows a pre-edit it owns the keyboard: a key that still
	// arrives would edit text the user cannot see the caret in, so it waits for the commit.
	if (fPreedit != nullptr)
		return;
	uint32 held = _CurrentModifiers();
	uint8 key = (uint8)bytes[0];
	if (numBytes == 1 && (_HandleNavigationKey(key, held) || _HandleEditingKey(key, held)))
		return;
	bool commandKeys = (held & (B_COMMAND_KEY | B_CONTROL_KEY)) != 0;
	if (numBytes == 1 && key == B_ENTER && !commandKeys) {
		// A one-line field hands Enter to its control, which invokes its message; a field
		// with no message lets it go on to the window's default button.
		if (fSingleLine) {
			if (fControl == nullptr || Parent() != fControl || !fControl->_TextEntered())
				BView::KeyDown(bytes, numBytes);
		} else if (fEditable) {
			int32 start, finish;
			GetSelection(&start, &finish);
			_UserReplace(start, finish, "\n", TextUndo::kTyping);
		} else {
			BView::KeyDown(bytes, numBytes);
		}
		return;
	}
	// Control characters (Tab, Escape, function keys) and shortcuts are not text.
	if (key < B_SPACE || key == B_DELETE || commandKeys || !fEditable) {
		BView::KeyDown(bytes, numBytes);
		return;
	}
	int32 start, finish;
	GetSelection(&start, &finish);
	_UserReplace(start, finish, _UserText(bytes, (size_t)numBytes), TextUndo::kTyping);
}

bool BTextView::_HandleNavigationKey(uint8 key, uint32 held)
{
	if ((held & (B_CONTROL_KEY | B_OPTION_KEY)) != 0 || (!fSelectable && !fEditable))
		return false;
	bool extend = (held & B_SHIFT_KEY) != 0 && fSelectable;
	bool byWord = (held & B_COMMAND_KEY) != 0;
	int32 start, finish;
	GetSelection(&start, &finish);
	int32 line = LineAt(fCaret);
	int32 target;
	switch (key) {
	case B_LEFT_ARROW:
		if (start != finish && !extend && !byWord)
			target = start;
		else
			target =
			    byWord ? fBuffer->PreviousWordStart(fCaret) : fBuffer->PreviousCharacter(fCaret);
		break;
	case B_RIGHT_ARROW:
		if (start != finish && !extend && !byWord)
			target = finish;
		else
			target = byWord ? fBuffer->NextWordEnd(fCaret) : fBuffer->NextCharacter(fCaret);
		break;
	case B_HOME:
		target = byWord ? 0 : fLayout->LineStart(line);
		break;
	case B_END:
		target = byWord ? TextLength() : fLayout->LineEnd(line);
		break;
	case B_UP_ARROW:
	case B_DOWN_ARROW:
		_MoveVertically(key == B_UP_ARROW ? -1 : 1, extend);
		return true;
	case B_PAGE_UP:
	case B_PAGE_DOWN: {
		int32 page = std::max((int32)(TextRect().Height() / fLineHeight) - 1, (int32)1);
		_MoveVertically(key == B_PAGE_UP ? -page : page, extend);
		return true;
	}
	default:
		return false;
	}
	_MoveCaret(target, extend);
	return true;
}

void BTextView::_MoveVertically(int32 lines, bool extend)
{
	int32 line = LineAt(fCaret) + lines;
	int32 target;
	if (line < 0)
		target = 0;
	else if (line >= CountLines())
		target = TextLength();
	else
		target = OffsetAt(BPoint(PointAt(fCaret).x, _LineTop(line)));
	_MoveCaret(target, extend);
}

bool BTextView::_HandleEditingKey(uint8 key, uint32 held)
{
	if (key != B_BACKSPACE && key != B_DELETE)
		return false;
	if ((held & (B_CONTROL_KEY | B_OPTION_KEY)) != 0)
		return false;
	if (!fEditable)
		return true;
	bool byWord = (held & B_COMMAND_KEY) != 0;
	int32 start, finish;
	GetSelection(&start, &finish);
	if (start != finish) {
		_UserReplace(start, finish, std::string(), TextUndo::kOther);
	} else if (key == B_BACKSPACE) {
		int32 from =
		    byWord ? fBuffer->PreviousWordStart(fCaret) : fBuffer->PreviousCharacter(fCaret);
		_UserReplace(from, fCaret, std::string(), TextUndo::kBackspace);
	} else {
		int32 to = byWord ? fBuffer->NextWordEnd(fCaret) : fBuffer->NextCharacter(fCaret);
		_UserReplace(fCaret, to, std::string(), TextUndo::kForwardDelete);
	}
	return true;
}

// #pragma mark - the pointer

void BTextView::MouseDown(BPoint where)
{
	if (_Disabled())
		return;
	if (!fSelectable && !fEditable) {
		BView::MouseDown(where);
		return;
	}
	fFocusByClick = true;
	MakeFocus(true);
	fFocusByClick = false;
	// A click ends the composition where it stands: what was composed is kept.
	_CommitPreedit();

	BWindow* window = Window();
	BMessage* message = window != nullptr ? window->CurrentMessage() : nullptr;
	int32 clicks = message != nullptr ? message->GetInt32("clicks", 1) : 1;
	int32 offset = OffsetAt(where);
	fUndo->Seal();
	if (!fSelectable) {
		_MoveCaret(offset, false);
		return;
	}
	if (clicks >= 3) {
		fTrackMode = kNotTracking;
		SelectAll();
		return;
	}
	if (clicks == 2) {
		int32 line = LineAt(where);
		fBuffer->WordAt(fLayout->BoundaryBefore(line, where.x - _LineLeft(line)), &fTrackStart,
		                &fTrackEnd);
		fTrackMode = kTrackWords;
		fAnchor = fTrackStart;
		fCaret = fTrackEnd;
	} else {
		fTrackMode = kTrackCharacters;
		fCaret = offset;
		if ((_CurrentModifiers() & B_SHIFT_KEY) == 0)
			fAnchor = offset;
	}
	_SelectionChanged();
	SetMouseEventMask(B_POINTER_EVENTS, B_NO_POINTER_HISTORY);
}

void BTextView::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	if (fTrackMode == kNotTracking) {
		BView::MouseMoved(where, transit, dragMessage);
		return;
	}
	int32 anchor = fAnchor;
	int32 caret = OffsetAt(where);
	if (fTrackMode == kTrackWords) {
		int32 line = LineAt(where);
		int32 start, end;
		fBuffer->WordAt(fLayout->BoundaryBefore(line, where.x - _LineLeft(line)), &start, &end);
		// The word first clicked stays selected whichever way the pointer goes.
		anchor = start < fTrackStart ? fTrackEnd : fTrackStart;
		caret = start < fTrackStart ? start : std::max(end, fTrackEnd);
	}
	if (anchor == fAnchor && caret == fCaret)
		return;
	fAnchor = anchor;
	fCaret = caret;
	_SelectionChanged();
}

void BTextView::MouseUp(BPoint where)
{
	fTrackMode = kNotTracking;
}

// #pragma mark - messages

void BTextView::MessageReceived(BMessage* message)
{
	// The editing commands wait while a pre-edit is shown, as the keys do; a disabled
	// field takes none.
	bool composing = fPreedit != nullptr || _Disabled();
	switch (message->what) {
	case B_CUT:
		if (!composing)
			Cut(be_clipboard);
		break;
	case B_COPY:
		Copy(be_clipboard);
		break;
	case B_PASTE:
		if (!composing)
			Paste(be_clipboard);
		break;
	case B_SELECT_ALL:
		if (!composing && fSelectable)
			SelectAll();
		break;
	case B_UNDO:
		if (!composing)
			Undo(be_clipboard);
		break;
	case B_REDO:
		if (!composing)
			Redo();
		break;
	case B_INPUT_METHOD_EVENT:
		if (!_Disabled())
			_HandleInputMethod(message);
		break;
	case BPrivate::kMsgTextViewBlink:
		// A blink still queued when the blinking stopped is ignored; so is one that finds
		// the focus taken away without a word (a hidden view loses it so).
		if (!IsFocus())
			_UpdateBlinking();
		if (fBlinker != nullptr) {
			fCaretShown = !fCaretShown;
			_InvalidateCaret();
		}
		break;
	default:
		BView::MessageReceived(message);
		break;
	}
}
