// A view that shows and edits UTF-8 text, on one line or many (split at line breaks; lines
// are not wrapped, the view scrolls sideways instead). The user moves the caret and selects by
// character and by word, cuts, copies and pastes through be_clipboard, undoes and redoes, and
// types through the input method, whose pre-edit text is shown underlined at the caret until
// it is committed. Every offset the view takes or gives is a byte offset on a character
// boundary; offsets inside a character are moved to its start.
//
// The view is one font and one colour: style runs handed to SetText and Insert are accepted
// and ignored. Text given to the view is cleaned first: malformed UTF-8 bytes become U+FFFD
// and NUL bytes are dropped.
//
// Changes made by the program (SetText, Insert, Delete) cannot be undone and clear the
// history, so that no recorded step ever points into text it did not see.
#ifndef _TEXT_VIEW_H
#define _TEXT_VIEW_H

#include <memory>
#include <string>
#include <vector>

#include <View.h>

class BClipboard;
class BMessageRunner;
class BTextControl;

namespace BPrivate {
class TextBuffer;
class TextLayout;
class TextUndo;
} // namespace BPrivate

struct text_run {
	int32 offset;
	BFont font;
	rgb_color color;
};

struct text_run_array {
	int32 count;
	text_run runs[1];
};

class BTextView : public BView {
public:
	// textRect is where the text lies, in the view's coordinates; it keeps its distances to
	// the view's edges when the view is resized.
	BTextView(BRect frame, const char* name, BRect textRect, uint32 resizingMode, uint32 flags);
	BTextView(BRect frame, const char* name, BRect textRect, const BFont* initialFont,
	          const rgb_color* initialColor, uint32 resizingMode, uint32 flags);
	BTextView(const char* name, uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	// "_text", "_align", "_tab", "_maxlen", "_disallowed" (characters), "_nsel" and "_nedit"
	// (not selectable, not editable), "_sel" (two offsets). Missing or mistyped fields keep
	// their defaults.
	explicit BTextView(BMessage* archive);
	~BTextView() override;

	static BArchivable* Instantiate(BMessage* archive);
	status_t Archive(BMessage* archive, bool deep = true) const override;

	void AttachedToWindow() override;
	void DetachedFromWindow() override;
	void Draw(BRect updateRect) override;
	void MouseDown(BPoint where) override;
	void MouseUp(BPoint where) override;
	void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage) override;
	void KeyDown(const char* bytes, int32 numBytes) override;
	void MessageReceived(BMessage* message) override;
	void MakeFocus(bool focus = true) override;
	void WindowActivated(bool active) override;
	void FrameResized(float newWidth, float newHeight) override;
	void SetFont(const BFont* font, uint32 mask = B_FONT_ALL) override;
	void GetPreferredSize(float* width, float* height) override;

	// The text. SetText replaces it and puts the caret at the start.
	void SetText(const char* text, const text_run_array* runs = nullptr);
	void SetText(const char* text, int32 length, const text_run_array* runs = nullptr);
	// Inserts at the start of the selection, or at the offset; a caret at the insertion point
	// ends up after the inserted text.
	void Insert(const char* text, const text_run_array* runs = nullptr);
	void Insert(const char* text, int32 length, const text_run_array* runs = nullptr);
	void Insert(int32 offset, const char* text, int32 length, const text_run_array* runs = nullptr);
	// Deletes the selection, or the bytes from start to finish.
	void Delete();
	void Delete(int32 start, int32 finish);
	const char* Text() const;
	int32 TextLength() const;
	void GetText(int32 offset, int32 length, char* buffer) const;
	uint8 ByteAt(int32 offset) const;

	// Lines and positions, in the view's coordinates. PointAt gives the top left of the
	// character's cell; OffsetAt the boundary nearest to the point.
	int32 CountLines() const;
	int32 CurrentLine() const;
	int32 LineAt(int32 offset) const;
	int32 LineAt(BPoint point) const;
	BPoint PointAt(int32 offset, float* height = nullptr) const;
	int32 OffsetAt(BPoint point) const;
	int32 OffsetAt(int32 line) const;
	float LineWidth(int32 line = 0) const;
	float LineHeight(int32 line = 0) const;
	float TextHeight(int32 startLine, int32 endLine) const;

	// The selection, from start to finish (they are swapped when given the wrong way round).
	void Select(int32 start, int32 finish);
	void SelectAll();
	void GetSelection(int32* start, int32* finish) const;
	void ScrollToOffset(int32 offset);
	void ScrollToSelection();

	// Editing through the clipboard and the history.
	void Cut(BClipboard* clipboard);
	void Copy(BClipboard* clipboard);
	void Paste(BClipboard* clipboard);
	void Clear();
	void Undo(BClipboard* clipboard);
	void Redo();
	bool CanUndo() const;
	bool CanRedo() const;

	void SetTextRect(BRect rect);
	BRect TextRect() const;
	void SetAlignment(alignment align);
	alignment Alignment() const { return fAlignment; }
	void SetTabWidth(float width);
	float TabWidth() const { return fTabWidth; }
	void MakeSelectable(bool selectable = true);
	bool IsSelectable() const { return fSelectable; }
	// While editable the view takes text from the input method (B_INPUT_METHOD_AWARE).
	void MakeEditable(bool editable = true);
	bool IsEditable() const { return fEditable; }
	// The most bytes the text may hold; a longer text is cut at a character boundary.
	void SetMaxBytes(int32 max);
	int32 MaxBytes() const { return fMaxBytes; }
	// Characters the user cannot type or paste; the program can still set them.
	void DisallowChar(uint32 character);
	void AllowChar(uint32 character);

private:
	friend class BTextControl;

	enum TrackMode { kNotTracking, kTrackCharacters, kTrackWords };

	struct Preedit {
		std::string text;
		// The input method's own selection (or caret) within the pre-edit text.
		int32 selectionStart = 0;
		int32 selectionEnd = 0;
	};

	void _Init(BRect textRect, uint32 flags);
	void _SetTextRectInsets(BRect textRect);
	void _UpdateFlags();
	void _FontChanged();
	uint32 _StyleFlags() const;
	// The view belongs to a disabled text control: it takes no input and looks dimmed.
	bool _Disabled() const;
	uint32 _CurrentModifiers() const;

	// Editing (TextViewEditing.cpp).
	void _ReplaceRaw(int32 from, int32 to, const std::string& text);
	bool _UserReplace(int32 from, int32 to, std::string text, int32 kind);
	void _ProgramReplace(int32 from, int32 to, std::string text);
	// Typed or pasted bytes as the view takes them: clean, line breaks made fit for the
	// view, disallowed characters left out.
	std::string _UserText(const char* bytes, size_t length) const;
	void _Modified();

	// Caret and selection.
	void _MoveCaret(int32 offset, bool extend);
	void _MoveVertically(int32 lines, bool extend);
	void _SelectionChanged();

	// Keys and the pointer (TextViewInput.cpp).
	bool _HandleNavigationKey(uint8 key, uint32 modifiers);
	bool _HandleEditingKey(uint8 key, uint32 modifiers);

	// The input method and the blinking caret (TextViewFocus.cpp).
	void _HandleInputMethod(BMessage* message);
	void _CommitPreedit();
	void _CommitText(std::string text);
	void _EndPreedit();
	void _UpdateBlinking();
	void _RestartBlinking();
	void _InvalidateCaret();

	// Geometry (TextViewGeometry.cpp) and drawing (TextViewDrawing.cpp). While a pre-edit is
	// shown it takes the place of the selected part of its line: what follows moves by its
	// width.
	float _LineTop(int32 line) const;
	float _Baseline(int32 line) const;
	float _LineLeft(int32 line) const;
	float _OffsetX(int32 offset) const;
	bool _PreeditRange(int32* line, int32* from, int32* to) const;
	float _PreeditWidth(int32 upTo = -1) const;
	double _PreeditShift(int32 line) const;
	BRect _CaretRect() const;
	void _ReportCaret();
	void _KeepCaretVisible();
	void _ScrollToShow(BRect rect);
	void _ScrollClamped(BPoint where);
	void _ClampScrolling();
	void _DrawLine(int32 line, BRect updateRect, uint32 flags);
	void _DrawRun(int32 from, int32 to, float baseline, rgb_color color);
	void _DrawPreedit(float baseline, uint32 flags);

	std::unique_ptr<BPrivate::TextBuffer> fBuffer;
	std::unique_ptr<BPrivate::TextLayout> fLayout;
	std::unique_ptr<BPrivate::TextUndo> fUndo;

	// The text rectangle as distances from the view's left, top, right and bottom edges.
	float fInsetLeft, fInsetTop, fInsetRight, fInsetBottom;
	float fLineHeight;
	alignment fAlignment;
	float fTabWidth;
	int32 fMaxBytes;
	std::vector<uint32> fDisallowed;
	bool fSelectable;
	bool fEditable;

	// The selection runs between the anchor and the caret, which is the end that moves.
	int32 fAnchor;
	int32 fCaret;

	// Set by a text control for the view it holds: one line, and a parent to tell of
	// changes, Enter and the focus.
	bool fSingleLine;
	BTextControl* fControl;

	bool fFocused;
	BMessageRunner* fBlinker;
	bool fCaretShown;
	TrackMode fTrackMode;
	int32 fTrackStart, fTrackEnd;
	bool fFocusByClick;
	std::unique_ptr<Preedit> fPreedit;
	// The caret last shown to the input method, in screen coordinates.
	BRect fReportedCaret;
};

#endif
