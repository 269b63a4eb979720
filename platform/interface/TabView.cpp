#include <TabView.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include <Message.h>
#include <Window.h>

#include "StylePainter.h"
#include "ViewColors.h"

using BPrivate::StylePainter;

namespace {

// The view that holds the selected tab's view.
const char* const kContainerName = "_container_";
// Space around a tab's label, and the narrowest tab of the usual width.
const float kTabPadding = 20;
const float kUsualTabWidth = 64;

} // namespace

BTabView::BTabView(BRect frame, const char* name, button_width width, uint32 resizingMode,
                   uint32 flags)
    : BView(frame, name, resizingMode, flags)
{
	_Init(width);
	_CreateContainer();
}

BTabView::BTabView(BMessage* archive) : BView(archive)
{
	int16 width = archive != nullptr ? archive->GetInt16("_but_width", B_WIDTH_AS_USUAL)
	                                 : (int16)B_WIDTH_AS_USUAL;
	_Init(width == B_WIDTH_FROM_WIDEST || width == B_WIDTH_FROM_LABEL ? (button_width)width
	                                                                  : B_WIDTH_AS_USUAL);
	// The container came back as an archived child, without the tabs' views.
	for (int32 i = 0; BView* child = ChildAt(i); i++) {
		if (child->Name() != nullptr && strcmp(child->Name(), kContainerName) == 0)
			fContainer = child;
	}
	if (fContainer == nullptr)
		_CreateContainer();
	if (archive == nullptr)
		return;
	SetTabHeight(archive->GetFloat("_high", fTabHeight));
	BMessage tabArchive;
	for (int32 i = 0; archive->FindMessage("_l_items", i, &tabArchive) == B_OK; i++) {
		BArchivable* object = instantiate_object(&tabArchive);
		BTab* tab = dynamic_cast<BTab*>(object);
		if (tab == nullptr) {
			delete object;
			tab = new BTab;
		}
		BMessage viewArchive;
		BView* view = nullptr;
		if (archive->FindMessage("_view_list", i, &viewArchive) == B_OK) {
			object = instantiate_object(&viewArchive);
			view = dynamic_cast<BView*>(object);
			if (view == nullptr)
				delete object;
		}
		AddTab(view, tab);
	}
	Select(archive->GetInt32("_sel", 0));
}

BTabView::~BTabView()
{
	for (BTab* tab : fTabs)
		delete tab;
}

void BTabView::_Init(button_width width)
{
	fContainer = nullptr;
	fSelection = -1;
	fFocusTab = -1;
	fTabWidth = width;
	fTabHeight = StylePainter::LineHeight(this) + 8;
}

void BTabView::_CreateContainer()
{
	fContainer = new BView(_ContainerFrame(), kContainerName, B_FOLLOW_ALL, B_FRAME_EVENTS);
	AddChild(fContainer);
}

BArchivable* BTabView::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BTabView"))
		return nullptr;
	return new BTabView(archive);
}

status_t BTabView::Archive(BMessage* archive, bool deep) const
{
	// The tabs' views are archived with their tabs, not as the container's children, so
	// that the selected one does not come back twice.
	status_t status = BView::Archive(archive, false);
	for (int32 i = 0; status == B_OK && deep && i < CountChildren(); i++) {
		BView* child = ChildAt(i);
		BMessage childArchive;
		status = child->Archive(&childArchive, child != fContainer);
		if (status == B_OK)
			status = archive->AddMessage("_views", &childArchive);
	}
	if (status == B_OK)
		status = archive->AddInt16("_but_width", (int16)fTabWidth);
	if (status == B_OK)
		status = archive->AddFloat("_high", fTabHeight);
	if (status == B_OK)
		status = archive->AddInt32("_sel", fSelection);
	for (size_t i = 0; status == B_OK && deep && i < fTabs.size(); i++) {
		BMessage tabArchive;
		BMessage viewArchive;
		status = fTabs[i]->Archive(&tabArchive, true);
		if (status == B_OK && fTabs[i]->View() != nullptr)
			status = fTabs[i]->View()->Archive(&viewArchive, true);
		// A tab without a view keeps its place in the list with an empty archive.
		if (status == B_OK)
			status = archive->AddMessage("_l_items", &tabArchive);
		if (status == B_OK)
			status = archive->AddMessage("_view_list", &viewArchive);
	}
	return status;
}

// #pragma mark - tabs

void BTabView::AddTab(BView* target, BTab* tab)
{
	if (tab == nullptr)
		tab = new BTab(target);
	else
		tab->SetView(target);
	fTabs.push_back(tab);
	if (fSelection < 0)
		Select(0);
	Invalidate();
}

BTab* BTabView::RemoveTab(int32 index)
{
	BTab* tab = TabAt(index);
	if (tab == nullptr)
		return nullptr;
	tab->Deselect();
	fTabs.erase(fTabs.begin() + index);
	if (index == fSelection) {
		// The neighbour takes the removed tab's place.
		fSelection = -1;
		Select(std::min(index, CountTabs() - 1));
	} else if (index < fSelection) {
		fSelection--;
	}
	fFocusTab = fSelection;
	Invalidate();
	return tab;
}

BTab* BTabView::TabAt(int32 index) const
{
	if (index < 0 || index >= CountTabs())
		return nullptr;
	return fTabs[(size_t)index];
}

int32 BTabView::IndexOf(BTab* tab) const
{
	auto it = std::find(fTabs.begin(), fTabs.end(), tab);
	return it != fTabs.end() ? (int32)(it - fTabs.begin()) : -1;
}

void BTabView::Select(int32 index)
{
	BTab* tab = TabAt(index);
	if (tab == nullptr || index == fSelection)
		return;
	if (BTab* previous = TabAt(fSelection))
		previous->Deselect();
	fSelection = index;
	tab->Select(fContainer);
	fFocusTab = index;
	Invalidate();
}

BView* BTabView::ViewForTab(int32 index) const
{
	BTab* tab = TabAt(index);
	return tab != nullptr ? tab->View() : nullptr;
}

// #pragma mark - geometry and drawing

void BTabView::SetTabWidth(button_width width)
{
	fTabWidth = width;
	Invalidate();
}

void BTabView::SetTabHeight(float height)
{
	if (!std::isfinite(height) || height <= 0 || height == fTabHeight)
		return;
	fTabHeight = height;
	if (fContainer != nullptr) {
		BRect frame = _ContainerFrame();
		fContainer->MoveTo(frame.LeftTop());
		fContainer->ResizeTo(frame.Width(), frame.Height());
	}
	Invalidate();
}

BRect BTabView::_ContainerFrame() const
{
	BRect bounds = Bounds().OffsetToCopy(0, 0);
	float border = StylePainter::BorderSize(B_FANCY_BORDER);
	return BRect(bounds.left + border, bounds.top + fTabHeight + border, bounds.right - border,
	             bounds.bottom - border);
}

float BTabView::_LabelWidth(int32 index)
{
	return std::ceil(StringWidth(fTabs[(size_t)index]->Label())) + kTabPadding;
}

BRect BTabView::TabFrame(int32 index)
{
	if (index < 0 || index >= CountTabs())
		return BRect();
	float widest = 0;
	if (fTabWidth == B_WIDTH_FROM_WIDEST) {
		for (int32 i = 0; i < CountTabs(); i++)
			widest = std::max(widest, _LabelWidth(i));
	}
	auto width = [&](int32 i) {
		switch (fTabWidth) {
		case B_WIDTH_FROM_WIDEST:
			return widest;
		case B_WIDTH_FROM_LABEL:
			return _LabelWidth(i);
		default:
			return std::max(_LabelWidth(i), kUsualTabWidth);
		}
	};
	BRect bounds = Bounds();
	float left = bounds.left;
	for (int32 i = 0; i < index; i++)
		left += width(i);
	return BRect(left, bounds.top, left + width(index) - 1, bounds.top + fTabHeight - 1);
}

void BTabView::AttachedToWindow()
{
	BPrivate::adopt_parent_colors(this);
	BPrivate::adopt_parent_colors(fContainer);
}

void BTabView::Draw(BRect)
{
	DrawBox(TabFrame(fSelection));
	DrawTabs();
}

BRect BTabView::DrawBox(BRect selectedTabRect)
{
	BRect box = Bounds();
	box.top += fTabHeight;
	StylePainter::DrawBoxFrame(this, box, B_FANCY_BORDER, BRect());
	return box;
}

void BTabView::DrawTabs()
{
	for (int32 i = 0; i < CountTabs(); i++) {
		tab_position position = i == 0 ? B_TAB_FIRST : i == fSelection ? B_TAB_FRONT : B_TAB_ANY;
		fTabs[(size_t)i]->fFocus = i == fFocusTab;
		fTabs[(size_t)i]->DrawTab(this, TabFrame(i), position, true);
	}
}

// #pragma mark - input

void BTabView::MouseDown(BPoint where)
{
	for (int32 i = 0; i < CountTabs(); i++) {
		if (!TabFrame(i).Contains(where))
			continue;
		if (fTabs[(size_t)i]->IsEnabled()) {
			Select(i);
			if ((Flags() & B_NAVIGABLE) != 0)
				MakeFocus(true);
		}
		return;
	}
}

void BTabView::KeyDown(const char* bytes, int32 numBytes)
{
	int32 step = 0;
	if (numBytes == 1 && bytes[0] == B_LEFT_ARROW)
		step = -1;
	else if (numBytes == 1 && bytes[0] == B_RIGHT_ARROW)
		step = 1;
	if (step == 0) {
		BView::KeyDown(bytes, numBytes);
		return;
	}
	// The arrows select the next enabled tab that way.
	for (int32 i = fSelection + step; i >= 0 && i < CountTabs(); i += step) {
		if (fTabs[(size_t)i]->IsEnabled()) {
			Select(i);
			return;
		}
	}
}

void BTabView::MakeFocus(bool focus)
{
	BView::MakeFocus(focus);
	Invalidate(BRect(Bounds().left, Bounds().top, Bounds().right, Bounds().top + fTabHeight));
}

B_REGISTER_ARCHIVABLE(BTabView);
