// A list of rows (BListItem) that the user selects from: one row at a time
// (B_SINGLE_SELECTION_LIST) or any number (B_MULTIPLE_SELECTION_LIST, where Shift extends the
// selection from the row clicked last and Command adds or removes single rows). Every change
// of the selection, the user's or the program's, sends the selection message; a double click
// and Enter send the invocation message. Both carry "when", "source" and one "index" per
// selected row. The up and down arrows, Home, End, Page Up and Page Down move the selection
// and keep it in view.
//
// The list owns its items only as far as MakeEmpty and the destructor go: it deletes them.
// RemoveItem hands the item back to the caller. Rows are drawn only where they meet the area
// being redrawn, and adding at the end costs the same however long the list is, so lists of
// many thousands of rows stay quick. Inside a BScrollView the list keeps its vertical bar's
// range, proportion and steps in step with its rows.
#ifndef _LIST_VIEW_H
#define _LIST_VIEW_H

#include <vector>

#include <Invoker.h>
#include <ListItem.h>
#include <View.h>

class BList;

enum list_view_type {
	B_SINGLE_SELECTION_LIST,
	B_MULTIPLE_SELECTION_LIST,
};

class BListView : public BView, public BInvoker {
public:
	BListView(BRect frame, const char* name, list_view_type type = B_SINGLE_SELECTION_LIST,
	          uint32 resizingMode = B_FOLLOW_LEFT_TOP,
	          uint32 flags = B_WILL_DRAW | B_FRAME_EVENTS | B_NAVIGABLE);
	// "_lv_type", the items under "_l_items", the invocation message "_lmsg" and the
	// selection message "_2nd_msg", as Archive writes them.
	explicit BListView(BMessage* archive);
	// Deletes the items.
	~BListView() override;

	static BArchivable* Instantiate(BMessage* archive);
	status_t Archive(BMessage* archive, bool deep = true) const override;

	void AttachedToWindow() override;
	void Draw(BRect updateRect) override;
	void MouseDown(BPoint where) override;
	void KeyDown(const char* bytes, int32 numBytes) override;
	void MakeFocus(bool focus = true) override;
	void WindowActivated(bool active) override;
	void FrameResized(float width, float height) override;
	void SetFont(const BFont* font, uint32 mask = B_FONT_ALL) override;

	// Items. AddItem refuses null, an item already in a list and an index outside 0 to
	// CountItems(); RemoveItem returns null or false for what is not in the list.
	virtual bool AddItem(BListItem* item);
	virtual bool AddItem(BListItem* item, int32 index);
	virtual bool AddList(BList* items);
	virtual bool AddList(BList* items, int32 index);
	virtual BListItem* RemoveItem(int32 index);
	virtual bool RemoveItem(BListItem* item);
	virtual bool RemoveItems(int32 index, int32 count);
	// Deletes every item.
	virtual void MakeEmpty();

	BListItem* ItemAt(int32 index) const;
	BListItem* FirstItem() const { return ItemAt(0); }
	BListItem* LastItem() const { return ItemAt(CountItems() - 1); }
	int32 CountItems() const { return (int32)fItems.size(); }
	bool IsEmpty() const { return fItems.empty(); }
	bool HasItem(BListItem* item) const { return IndexOf(item) >= 0; }
	int32 IndexOf(BListItem* item) const;
	// The row at the point (the list's coordinates), or -1.
	int32 IndexOf(BPoint point) const;
	BRect ItemFrame(int32 index);
	void InvalidateItem(int32 index);

	// Selection. Select without extend replaces the selection; with extend (or in a
	// multiple-selection list) adds to it. A single-selection list keeps one row at most.
	void Select(int32 index, bool extend = false);
	void Select(int32 from, int32 to, bool extend = false);
	void Deselect(int32 index);
	void DeselectAll();
	void DeselectExcept(int32 exceptFrom, int32 exceptTo);
	bool IsItemSelected(int32 index) const;
	// The index-th selected row (0 is the first), or -1.
	int32 CurrentSelection(int32 index = 0) const;
	// Scrolls the first selected row into view.
	void ScrollToSelection();

	virtual void SetListType(list_view_type type);
	list_view_type ListType() const { return fListType; }

	// Both take the message.
	virtual void SetSelectionMessage(BMessage* message);
	virtual void SetInvocationMessage(BMessage* message);
	BMessage* SelectionMessage() const { return fSelectionMessage; }
	uint32 SelectionCommand() const;
	BMessage* InvocationMessage() const { return Message(); }
	uint32 InvocationCommand() const { return Command(); }

	// Adds "when", "source" and the selected rows' "index" fields.
	status_t Invoke(BMessage* message = nullptr) override;
	// Called after every change of the selection, before the selection message is sent.
	virtual void SelectionChanged();

	void GetPreferredSize(float* width, float* height) override;

private:
	void _Init(list_view_type type);
	// Places the rows from `index` on below the one before it.
	void _RecalcTops(int32 index);
	float _ItemBottom(int32 index) const;
	float _TotalHeight() const;
	void _FixupScrollBar();
	// Selects [from, to] (clamped) and, unless extending, deselects everything else; false
	// when nothing changed. Does not notify.
	bool _SelectRange(int32 from, int32 to, bool extend);
	bool _DeselectRange(int32 from, int32 to);
	void _SelectionDone();
	// Keyboard and pointer selection of a row with the modifiers held.
	void _SelectByUser(int32 index, uint32 modifiers, bool fromKeyboard);
	// The row a navigation key moves to (possibly -1 in an empty list); false for other keys.
	bool _NavigationTarget(char key, int32* target);
	void _InvalidateFrom(int32 index);
	// Scrolls the row into view: to the top when it lies above, to the bottom when below.
	void _ScrollToItem(int32 index);
	bool _InsertItems(const std::vector<BListItem*>& items, int32 index);

	std::vector<BListItem*> fItems;
	list_view_type fListType;
	BMessage* fSelectionMessage;
	// The first and last selected rows, or -1; every selected row lies between them.
	int32 fFirstSelected;
	int32 fLastSelected;
	// Where Shift-extension starts, and the row the keyboard moves from.
	int32 fAnchor;
	int32 fCursor;
	// The row the last press went down on, so that only a second press on the same row
	// counts as a double click.
	int32 fLastClicked;
};

#endif
