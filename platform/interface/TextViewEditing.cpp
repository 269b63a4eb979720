// BTextView: changing the text, by the program and by the user, the selection, the clipboard
// and the history.
#include <TextView.h>

#include <algorithm>
#include <cstring>

#include <Clipboard.h>
#include <Message.h>
#include <TextControl.h>

#include "TextBuffer.h"
#include "TextLayout.h"
#include "TextUndo.h"

using BPrivate::TextBuffer;
using BPrivate::TextUndo;

// #pragma mark - the text

void BTextView::SetText(const char* text, const text_run_array* runs)
{
	SetText(text, text != nullptr ? (int32)strlen(text) : 0, runs);
}

void BTextView::SetText(const char* text, int32 length, const text_run_array*)
{
	std::string clean = TextBuffer::Clean(text, (size_t)std::max(length, (int32)0));
	clean.resize(TextBuffer::FitLength(clean, (size_t)fMaxBytes));
	fBuffer->SetText(std::move(clean));
	fLayout->Rebuild();
	fUndo->Clear();
	fAnchor = fCaret = 0;
	_SelectionChanged();
	// A text set by the program is a change like any other; a text control reports it.
	_Modified();
}

void BTextView::Insert(const char* text, const text_run_array* runs)
{
	Insert(text, text != nullptr ? (int32)strlen(text) : 0, runs);
}

void BTextView::Insert(const char* text, int32 length, const text_run_array* runs)
{
	int32 start, finish;
	GetSelection(&start, &finish);
	Insert(start, text, length, runs);
}

void BTextView::Insert(int32 offset, const char* text, int32 length, const text_run_array*)
{
	if (text == nullptr || length <= 0)
		return;
	offset = fBuffer->SnapBackward(offset);
	_ProgramReplace(offset, offset, TextBuffer::Clean(text, (size_t)length));
}

void BTextView::Delete()
{
	int32 start, finish;
	GetSelection(&start, &finish);
	Delete(start, finish);
}

void BTextView::Delete(int32 start, int32 finish)
{
	if (start > finish)
		std::swap(start, finish);
	_ProgramReplace(fBuffer->SnapBackward(start), fBuffer->SnapForward(finish), std::string());
}

const char* BTextView::Text() const
{
	return fBuffer->Text();
}

int32 BTextView::TextLength() const
{
	return fBuffer->Length();
}

void BTextView::GetText(int32 offset, int32 length, char* buffer) const
{
	if (buffer == nullptr)
		return;
	std::string part = fBuffer->Substring(offset, offset + std::max(length, (int32)0));
	memcpy(buffer, part.c_str(), part.size() + 1);
}

uint8 BTextView::ByteAt(int32 offset) const
{
	if (offset < 0 || offset >= TextLength())
		return 0;
	return (uint8)fBuffer->String()[(size_t)offset];
}

// #pragma mark - changes

void BTextView::_ReplaceRaw(int32 from, int32 to, const std::string& text)
{
	if (to > from) {
		fBuffer->Remove(from, to);
		fLayout->Removed(from, to);
	}
	if (!text.empty()) {
		fBuffer->Insert(from, text);
		fLayout->Inserted(from, (int32)text.size());
	}
	Invalidate();
}

void BTextView::_ProgramReplace(int32 from, int32 to, std::string text)
{
	int32 room = std::max(fMaxBytes - (TextLength() - (to - from)), (int32)0);
	text.resize(TextBuffer::FitLength(text, (size_t)room));
	if (from == to && text.empty())
		return;
	// The selection's ends move with the text around them.
	int32 added = (int32)text.size();
	auto follow = [&](int32 offset) {
		if (from == to)
			return offset >= from ? offset + added : offset;
		if (offset <= from)
			return offset;
		if (offset >= to)
			return offset - (to - from) + added;
		return from + added;
	};
	fAnchor = follow(fAnchor);
	fCaret = follow(fCaret);
	fUndo->Clear();
	_ReplaceRaw(from, to, text);
	_ClampScrolling();
	_ReportCaret();
	_Modified();
}

bool BTextView::_UserReplace(int32 from, int32 to, std::string text, int32 kind)
{
	int32 room = std::max(fMaxBytes - (TextLength() - (to - from)), (int32)0);
	text.resize(TextBuffer::FitLength(text, (size_t)room));
	if (from == to && text.empty())
		return false;
	int32 start, finish;
	GetSelection(&start, &finish);
	fUndo->Record(from, fBuffer->Substring(from, to), text, start, finish, (TextUndo::Kind)kind);
	_ReplaceRaw(from, to, text);
	fAnchor = fCaret = from + (int32)text.size();
	_SelectionChanged();
	_Modified();
	return true;
}

std::string BTextView::_UserText(const char* bytes, size_t length) const
{
	std::string text =
	    TextBuffer::ReplaceLineBreaks(TextBuffer::Clean(bytes, length), fSingleLine ? ' ' : '\n');
	if (fDisallowed.empty())
		return text;
	std::string allowed;
	size_t offset = 0;
	while (offset < text.size()) {
		size_t start = offset;
		uint32 c = TextBuffer::Decode(text, &offset);
		if (std::find(fDisallowed.begin(), fDisallowed.end(), c) == fDisallowed.end())
			allowed.append(text, start, offset - start);
	}
	return allowed;
}

void BTextView::_Modified()
{
	if (fControl != nullptr && Parent() == fControl)
		fControl->_TextModified();
}

// #pragma mark - the selection

void BTextView::Select(int32 start, int32 finish)
{
	if (start > finish)
		std::swap(start, finish);
	fAnchor = fBuffer->SnapBackward(start);
	fCaret = fBuffer->SnapForward(finish);
	fUndo->Seal();
	_RestartBlinking();
	_ReportCaret();
	Invalidate();
}

void BTextView::SelectAll()
{
	Select(0, TextLength());
}

void BTextView::GetSelection(int32* start, int32* finish) const
{
	if (start != nullptr)
		*start = std::min(fAnchor, fCaret);
	if (finish != nullptr)
		*finish = std::max(fAnchor, fCaret);
}

void BTextView::_MoveCaret(int32 offset, bool extend)
{
	fCaret = fBuffer->SnapBackward(offset);
	if (!extend)
		fAnchor = fCaret;
	fUndo->Seal();
	_SelectionChanged();
}

void BTextView::_SelectionChanged()
{
	_KeepCaretVisible();
	_RestartBlinking();
	_ReportCaret();
	Invalidate();
}

// #pragma mark - clipboard and history

void BTextView::Copy(BClipboard* clipboard)
{
	int32 start, finish;
	GetSelection(&start, &finish);
	if (clipboard == nullptr || start == finish || !fSelectable || !clipboard->Lock())
		return;
	clipboard->Clear();
	std::string text = fBuffer->Substring(start, finish);
	if (BMessage* data = clipboard->Data())
		data->AddData("text/plain", B_MIME_TYPE, text.data(), (ssize_t)text.size());
	clipboard->Commit();
	clipboard->Unlock();
}

void BTextView::Cut(BClipboard* clipboard)
{
	int32 start, finish;
	GetSelection(&start, &finish);
	if (!fEditable || start == finish)
		return;
	Copy(clipboard);
	_UserReplace(start, finish, std::string(), TextUndo::kOther);
}

void BTextView::Paste(BClipboard* clipboard)
{
	if (clipboard == nullptr || !fEditable || !clipboard->Lock())
		return;
	std::string text;
	const void* data = nullptr;
	ssize_t size = 0;
	BMessage* clip = clipboard->Data();
	if (clip != nullptr && clip->FindData("text/plain", B_MIME_TYPE, &data, &size) == B_OK &&
	    size > 0)
		text = _UserText((const char*)data, (size_t)size);
	clipboard->Unlock();
	int32 start, finish;
	GetSelection(&start, &finish);
	_UserReplace(start, finish, std::move(text), TextUndo::kOther);
}

void BTextView::Clear()
{
	int32 start, finish;
	GetSelection(&start, &finish);
	if (fEditable)
		_UserReplace(start, finish, std::string(), TextUndo::kOther);
}

void BTextView::Undo(BClipboard*)
{
	if (!fEditable)
		return;
	const TextUndo::Step* step = fUndo->Undo();
	if (step == nullptr)
		return;
	_ReplaceRaw(step->offset, step->offset + (int32)step->inserted.size(), step->removed);
	fAnchor = fBuffer->SnapBackward(step->selectionStart);
	fCaret = fBuffer->SnapForward(step->selectionEnd);
	_SelectionChanged();
	_Modified();
}

void BTextView::Redo()
{
	if (!fEditable)
		return;
	const TextUndo::Step* step = fUndo->Redo();
	if (step == nullptr)
		return;
	_ReplaceRaw(step->offset, step->offset + (int32)step->removed.size(), step->inserted);
	fAnchor = fCaret = step->offset + (int32)step->inserted.size();
	_SelectionChanged();
	_Modified();
}

bool BTextView::CanUndo() const
{
	return fUndo->CanUndo();
}

bool BTextView::CanRedo() const
{
	return fUndo->CanRedo();
}
