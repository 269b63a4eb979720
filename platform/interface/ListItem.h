// The rows of a BListView. A BListItem is one row: its height and width (set by Update from
// the list's font when the item joins a list, or by the program), whether it is selected and
// enabled, and the outline level and expanded flag that outline lists use (stored and
// archived; a plain list draws every row at the same indent). Subclasses draw the row in
// DrawItem. A BStringItem is a row of text.
#ifndef _LIST_ITEM_H
#define _LIST_ITEM_H

#include <string>

#include <Archivable.h>
#include <Rect.h>

class BFont;
class BListView;
class BView;

class BListItem : public BArchivable {
public:
	BListItem(uint32 outlineLevel = 0, bool expanded = true);
	// "_sel", "_disable", "_li_expanded", "_li_outline_level" as Archive writes them.
	explicit BListItem(BMessage* archive);
	~BListItem() override;

	status_t Archive(BMessage* archive, bool deep = true) const override;

	// Heights are in the platform's sense: the row covers Height() + 1 pixels.
	float Height() const { return fHeight; }
	float Width() const { return fWidth; }
	void SetHeight(float height);
	void SetWidth(float width);

	// Marks only; the list's Select and Deselect also tell the list's targets.
	bool IsSelected() const { return fSelected; }
	void Select() { fSelected = true; }
	void Deselect() { fSelected = false; }

	virtual void SetEnabled(bool enabled) { fEnabled = enabled; }
	bool IsEnabled() const { return fEnabled; }

	bool IsExpanded() const { return fExpanded; }
	void SetExpanded(bool expanded) { fExpanded = expanded; }
	uint32 OutlineLevel() const { return fLevel; }
	void SetOutlineLevel(uint32 level) { fLevel = level; }

	// Draws the row into the owner (the list) within the frame; complete asks for the
	// background too.
	virtual void DrawItem(BView* owner, BRect frame, bool complete = false) = 0;
	// Takes the height of a line of the font and the owner's width.
	virtual void Update(BView* owner, const BFont* font);

protected:
	// The style painter's flags for drawing the row now: selected, disabled, and focused
	// while the owner has the focus in the active window.
	uint32 StyleFlags(const BView* owner) const;

private:
	friend class BListView;

	// The list the item is in, so that one item never goes into two lists (or one list twice).
	BListView* fList;
	float fTop;
	float fWidth;
	float fHeight;
	uint32 fLevel;
	bool fSelected;
	bool fEnabled;
	bool fExpanded;
};

class BStringItem : public BListItem {
public:
	BStringItem(const char* text, uint32 outlineLevel = 0, bool expanded = true);
	// Also "_label", the text.
	explicit BStringItem(BMessage* archive);
	~BStringItem() override;

	static BArchivable* Instantiate(BMessage* archive);
	status_t Archive(BMessage* archive, bool deep = true) const override;

	void DrawItem(BView* owner, BRect frame, bool complete = false) override;
	// Also measures the text.
	void Update(BView* owner, const BFont* font) override;

	// A null text is an empty one; Text never returns null.
	virtual void SetText(const char* text);
	const char* Text() const { return fText.c_str(); }

private:
	std::string fText;
};

#endif
