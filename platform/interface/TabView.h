// Pages behind a row of tabs. Each BTab holds one view; only the selected tab's view is in
// the view tree (a child of the tab view's container), so the views of the other tabs are in
// no window: FindView does not see them, and a search that must reach them walks the tabs
// (TabAt(i)->View()). A tab owns its view while the view is not in the tree, and the tab view
// owns its tabs.
#ifndef _TAB_VIEW_H
#define _TAB_VIEW_H

#include <string>
#include <vector>

#include <Archivable.h>
#include <View.h>

class BTabView;

enum tab_position {
	B_TAB_FIRST = 999,
	B_TAB_FRONT,
	B_TAB_ANY,
};

class BTab : public BArchivable {
public:
	explicit BTab(BView* contentsView = nullptr);
	// "_label" and "_disable"; the view is archived by the tab view.
	explicit BTab(BMessage* archive);
	// Deletes the view.
	~BTab() override;

	static BArchivable* Instantiate(BMessage* archive);
	status_t Archive(BMessage* archive, bool deep = true) const override;

	// The label, or the view's name while no label was set.
	const char* Label() const;
	virtual void SetLabel(const char* label);

	bool IsSelected() const { return fSelected; }
	// Puts the view into the owner (the tab view's container), or takes it out.
	virtual void Select(BView* owner);
	virtual void Deselect();

	virtual void SetEnabled(bool enabled) { fEnabled = enabled; }
	bool IsEnabled() const { return fEnabled; }

	// Replaces the view (deleting the old one); a selected tab shows the new one at once.
	virtual void SetView(BView* view);
	BView* View() const { return fView; }

	virtual void DrawTab(BView* owner, BRect frame, tab_position position, bool full = true);

	BTab(const BTab&) = delete;
	BTab& operator=(const BTab&) = delete;

private:
	friend class BTabView;

	BView* fView;
	std::string fLabel;
	bool fHasLabel;
	bool fSelected;
	bool fEnabled;
	bool fFocus;
};

class BTabView : public BView {
public:
	BTabView(BRect frame, const char* name, button_width width = B_WIDTH_AS_USUAL,
	         uint32 resizingMode = B_FOLLOW_ALL,
	         uint32 flags = B_FULL_UPDATE_ON_RESIZE | B_WILL_DRAW | B_NAVIGABLE_JUMP |
	                        B_FRAME_EVENTS | B_NAVIGABLE);
	// "_but_width", "_high" (tab height), "_sel", the tabs under "_l_items" and their views
	// under "_view_list", as Archive writes them.
	explicit BTabView(BMessage* archive);
	~BTabView() override;

	static BArchivable* Instantiate(BMessage* archive);
	status_t Archive(BMessage* archive, bool deep = true) const override;

	void AttachedToWindow() override;
	void Draw(BRect updateRect) override;
	void MouseDown(BPoint where) override;
	void KeyDown(const char* bytes, int32 numBytes) override;
	void MakeFocus(bool focus = true) override;

	// Adds a tab (a new one when none is given) holding the view; the first tab is selected.
	virtual void AddTab(BView* target, BTab* tab = nullptr);
	// The tab, handed back to the caller with its view; null for an index out of range.
	virtual BTab* RemoveTab(int32 index);
	BTab* TabAt(int32 index) const;
	int32 CountTabs() const { return (int32)fTabs.size(); }
	int32 IndexOf(BTab* tab) const;

	virtual void Select(int32 index);
	int32 Selection() const { return fSelection; }
	BView* ViewForTab(int32 index) const;
	BView* ContainerView() const { return fContainer; }

	void SetTabWidth(button_width width);
	button_width TabWidth() const { return fTabWidth; }
	void SetTabHeight(float height);
	float TabHeight() const { return fTabHeight; }
	BRect TabFrame(int32 index);

	virtual void DrawTabs();
	virtual BRect DrawBox(BRect selectedTabRect);

private:
	void _Init(button_width width);
	void _CreateContainer();
	// The container's frame: below the tabs, inside the box's border.
	BRect _ContainerFrame() const;
	float _LabelWidth(int32 index);

	std::vector<BTab*> fTabs;
	BView* fContainer;
	int32 fSelection;
	int32 fFocusTab;
	button_width fTabWidth;
	float fTabHeight;
};

#endif
