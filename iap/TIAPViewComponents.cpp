// The components of the shared preferences window: taking them from other applications'
// archives, and putting back the copies that Cancel, Defaults and closing ask for.
#include "TIAPView.h"

#include <cmath>
#include <cstring>

#include <Archivable.h>
#include <Menu.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <Window.h>

#include <TBasicWindow.h>

namespace {

bool is_plain_extent(float length, float limit)
{
	// Written so that a NaN fails too.
	return std::isfinite(length) && length >= 0 && length <= limit;
}

bool is_plain_frame(const BRect& frame, float limit)
{
	return std::isfinite(frame.left) && std::isfinite(frame.top) &&
	       std::fabs(frame.left) <= limit && std::fabs(frame.top) <= limit &&
	       is_plain_extent(frame.Width(), limit) && is_plain_extent(frame.Height(), limit);
}

// Walks every message nested in the archive (views, menus, items, their messages): none may lie
// deeper than the limit, there may not be more of them than the budget allows, and every frame
// among them must be of a plain size. A deep chain would otherwise exhaust the stack of the
// window's thread while the views are rebuilt, and a huge frame its memory.
bool is_tame_archive(const BMessage& archive, int32 depth, int32* budget)
{
	if (depth > TIAPView::kMaxArchiveDepth || --*budget < 0)
		return false;
	BRect frame;
	for (int32 i = 0; archive.FindRect("_frame", i, &frame) == B_OK; i++) {
		if (!is_plain_frame(frame, TIAPView::kMaxNestedExtent))
			return false;
	}
	const char* name = nullptr;
	type_code type;
	int32 count = 0;
	for (int32 i = 0; archive.GetInfo(B_MESSAGE_TYPE, i, &name, &type, &count) == B_OK; i++) {
		for (int32 j = 0; j < count; j++) {
			BMessage nested;
			if (archive.FindMessage(name, j, &nested) != B_OK ||
			    !is_tame_archive(nested, depth + 1, budget))
				return false;
		}
	}
	return true;
}

} // namespace

std::vector<BString> TIAPView::_FieldNames(const BMessage& message)
{
	std::vector<BString> names;
	const char* name = nullptr;
	type_code type;
	for (int32 i = 0; message.GetInfo(B_ANY_TYPE, i, &name, &type) == B_OK; i++)
		names.emplace_back(name);
	return names;
}

bool TIAPView::IsAcceptableComponent(const BMessage& archive, const char* name)
{
	// The component is found by its name from then on, so it must carry its field's name.
	const char* viewName = nullptr;
	if (name == nullptr || archive.FindString("_name", &viewName) != B_OK ||
	    strcmp(viewName, name) != 0)
		return false;
	if (archive.FlattenedSize() > kMaxArchiveSize)
		return false;
	BRect frame;
	if (archive.FindRect("_frame", &frame) != B_OK ||
	    !is_plain_extent(frame.Width(), kMaxComponentWidth) ||
	    !is_plain_extent(frame.Height(), kMaxComponentHeight))
		return false;
	int32 budget = kMaxArchiveMessages;
	return is_tame_archive(archive, 0, &budget);
}

BView* TIAPView::Component(const char* name) const
{
	if (name == nullptr)
		return nullptr;
	for (int32 i = 0; BView* child = ChildAt(i); i++) {
		if (child != mButtonContainer && child->Name() != nullptr &&
		    strcmp(child->Name(), name) == 0)
			return child;
	}
	return nullptr;
}

int32 TIAPView::CountComponents() const
{
	return CountChildren() - 1;
}

BView* TIAPView::AddComponent(BMessage* archive, float top, BView* before)
{
	BArchivable* object = instantiate_object(archive);
	BView* view = dynamic_cast<BView*>(object);
	if (view == nullptr) {
		delete object;
		return nullptr;
	}
	view->MoveTo(10, top);
	view->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	AddChild(view, before);

	if (BMenuField* field = dynamic_cast<BMenuField*>(view->ChildAt(0))) {
		if (BMenu* menu = field->Menu()) {
			menu->SetLabelFromMarked(true);
			menu->SetRadioMode(true);
			// Marking the entry again makes the field show it.
			if (BMenuItem* marked = menu->FindMarked())
				marked->SetMarked(true);
			menu->SetTargetForItems(this);
		}
	}
	// Every component's controls report here, also those of a component that replaces
	// another one after Cancel or Defaults.
	SetTargetToThis(view, false);
	return view;
}

void TIAPView::IAPAddComponentsRqtd(BMessage* message)
{
	float width = Bounds().right;
	for (const BString& name : _FieldNames(*message)) {
		// The first application that sent a component of a name supplies it.
		if (Component(name.String()) != nullptr || name == mButtonContainer->Name())
			continue;
		BMessage opening;
		if (message->FindMessage(name.String(), kOpeningCopy, &opening) != B_OK)
			continue;
		if (CountComponents() >= kMaxComponents || !IsAcceptableComponent(opening, name.String()))
			continue;
		float top = mLastComponent != nullptr ? mLastComponent->Frame().bottom + 10 : 10;
		BView* component = AddComponent(&opening, top);
		if (component == nullptr)
			continue;
		mLastComponent = component;
		if (component->Frame().right + 10 > width)
			width = component->Frame().right + 10;

		// Whatever code the archive came with, what the window sends of it is a change.
		opening.what = IAP_MSG_CHANGED;
		mComponents.RemoveName(name.String());
		mComponents.AddMessage(name.String(), &opening);
		mComponents.AddMessage(name.String(), &opening);
		BMessage defaults;
		if (message->FindMessage(name.String(), kDefaultsCopy, &defaults) == B_OK &&
		    IsAcceptableComponent(defaults, name.String())) {
			defaults.what = IAP_MSG_CHANGED;
			mComponents.AddMessage(name.String(), &defaults);
		}
	}

	SetTargetToThis(this, false);
	SetViewLabels();
	if (mLastComponent != nullptr)
		mButtonContainer->MoveTo(0, mLastComponent->Frame().bottom + 10);
	// The window takes the new size and stays on the screen where it stands.
	if (BWindow* window = Window()) {
		window->ResizeTo(width, mButtonContainer->Frame().bottom);
		if (TBasicWindow* basic = dynamic_cast<TBasicWindow*>(window))
			basic->IntelligentMoveTo(window->Frame().LeftTop());
	}
}

void TIAPView::SetComponents(int32 index)
{
	for (const BString& name : _FieldNames(mComponents)) {
		BMessage chosen;
		if (mComponents.FindMessage(name.String(), index, &chosen) != B_OK)
			continue;
		if (BView* old = Component(name.String())) {
			if (BView* fresh = AddComponent(&chosen, old->Frame().top, old)) {
				if (mLastComponent == old)
					mLastComponent = fresh;
				RemoveChild(old);
				delete old;
			}
		}
		mComponents.ReplaceMessage(name.String(), kWorkingCopy, &chosen);
		SendMessage(&chosen);
		// The window's own labels follow the format that was put back.
		mPrivateStore.SetValue(&chosen);
	}
	SetViewLabels();
}
