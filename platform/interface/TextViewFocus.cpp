// BTextView: the focus, the blinking caret, and the input method's composition.
#include <TextView.h>

#include <algorithm>
#include <cstring>

#include <Input.h>
#include <Message.h>
#include <MessageRunner.h>
#include <Messenger.h>
#include <TextControl.h>
#include <ScrollView.h>
#include <Window.h>

#include "TextBuffer.h"
#include "TextUndo.h"
#include "TextViewPrivate.h"

using BPrivate::TextBuffer;
using BPrivate::TextUndo;

void BTextView::_HandleInputMethod(BMessage* message)
{
	switch (message->GetInt32("be:opcode", -1)) {
	case B_INPUT_METHOD_STARTED:
		if (fEditable && fPreedit == nullptr)
			fPreedit = std::make_unique<Preedit>();
		break;
	case B_INPUT_METHOD_STOPPED:
		// A composition that ends without a commit was cancelled.
		_EndPreedit();
		break;
	case B_INPUT_METHOD_CHANGED: {
		if (!fEditable)
			break;
		const char* string = message->GetString("be:string", "");
		if (message->GetBool("be:confirmed", false)) {
			_EndPreedit();
			_CommitText(_UserText(string, strlen(string)));
			break;
		}
		if (fPreedit == nullptr)
			fPreedit = std::make_unique<Preedit>();
		TextBuffer text;
		text.SetText(_UserText(string, strlen(string)));
		fPreedit->selectionStart =
		    text.SnapBackward(message->GetInt32("be:selection", 0, text.Length()));
		fPreedit->selectionEnd = text.SnapForward(std::max(
		    message->GetInt32("be:selection", 1, text.Length()), fPreedit->selectionStart));
		fPreedit->text = text.String();
		if (fPreedit->text.empty()) {
			_EndPreedit();
			break;
		}
		_RestartBlinking();
		_KeepCaretVisible();
		_ReportCaret();
		Invalidate();
		break;
	}
	default:
		break;
	}
}

void BTextView::_CommitPreedit()
{
	if (fPreedit == nullptr)
		return;
	std::string text = fPreedit->text;
	_EndPreedit();
	_CommitText(std::move(text));
}

void BTextView::_CommitText(std::string text)
{
	if (text.empty())
		return;
	// The commit is one step of its own: neither typing before nor after joins it.
	fUndo->Seal();
	int32 start, finish;
	GetSelection(&start, &finish);
	_UserReplace(start, finish, std::move(text), TextUndo::kOther);
}

void BTextView::_EndPreedit()
{
	if (fPreedit == nullptr)
		return;
	fPreedit.reset();
	_KeepCaretVisible();
	_ReportCaret();
	Invalidate();
}

// #pragma mark - focus and the caret

void BTextView::MakeFocus(bool focus)
{
	if (!focus)
		_CommitPreedit();
	// The window names the new focus before it tells the old one, so when the focus goes
	// IsFocus() can no longer say whether this view had it; the view remembers.
	bool was = focus ? IsFocus() : fFocused;
	BView::MakeFocus(focus);
	bool now = IsFocus();
	fFocused = now;
	if (now == was)
		return;
	// A scroll view around the text shows its focus on its border.
	if (BScrollView* scroll = dynamic_cast<BScrollView*>(Parent()))
		scroll->SetBorderHighlighted(now);
	if (now) {
		// Reaching a one-line field from the keyboard selects its text, ready to be typed
		// over; a click places the caret instead.
		if (fSingleLine && fSelectable && !fFocusByClick) {
			fAnchor = 0;
			fCaret = TextLength();
		}
		fReportedCaret = BRect();
		_ReportCaret();
	} else {
		fUndo->Seal();
		fTrackMode = kNotTracking;
	}
	_UpdateBlinking();
	Invalidate();
	if (fControl != nullptr && Parent() == fControl)
		fControl->_TextFocusChanged(now);
}

void BTextView::WindowActivated(bool active)
{
	_UpdateBlinking();
	// The window turned the input method's box back to the whole view.
	fReportedCaret = BRect();
	_ReportCaret();
	Invalidate();
}

void BTextView::AttachedToWindow()
{
	BView::AttachedToWindow();
	_UpdateBlinking();
}

void BTextView::DetachedFromWindow()
{
	// A view taken out of its window loses the focus without being told; a composition
	// still shown there is dropped with it.
	delete fBlinker;
	fBlinker = nullptr;
	fFocused = false;
	fPreedit.reset();
	fTrackMode = kNotTracking;
	BView::DetachedFromWindow();
}

void BTextView::_UpdateBlinking()
{
	// Only a focused, editable view in the active window blinks, so an inactive window gets
	// no timer messages at all.
	BWindow* window = Window();
	bool wanted = window != nullptr && IsFocus() && window->IsActive() && fEditable;
	if (wanted == (fBlinker != nullptr))
		return;
	if (wanted) {
		BMessage blink(BPrivate::kMsgTextViewBlink);
		fBlinker = new BMessageRunner(BMessenger(this), &blink, BPrivate::kTextViewBlinkInterval);
	} else {
		delete fBlinker;
		fBlinker = nullptr;
	}
	fCaretShown = true;
	_InvalidateCaret();
}

void BTextView::_RestartBlinking()
{
	// The caret stays lit while the user works and starts blinking again afterwards.
	fCaretShown = true;
	if (fBlinker != nullptr)
		fBlinker->SetInterval(BPrivate::kTextViewBlinkInterval);
	_InvalidateCaret();
}

void BTextView::_InvalidateCaret()
{
	Invalidate(_CaretRect());
}
