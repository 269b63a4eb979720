#include "TBasicView.h"

#include <Message.h>
#include <TabView.h>

#include "ToolkitDefs.h"

TBasicView::TBasicView(BRect frame, const char* name, uint32 resizingMode, uint32 flags)
    : BView(frame, name, resizingMode, flags), TMouseDownManager(this)
{
}

TBasicView::TBasicView(BMessage* archive) : BView(archive), TMouseDownManager(this) {}

TBasicView::~TBasicView() {}

void TBasicView::IAPChanged(BMessage*) {}

void TBasicView::LanguageChanged() {}

void TBasicView::MessageReceived(BMessage* message)
{
	switch (message->what) {
	case MSG_IAP_CHANGED:
		IAPChanged(message);
		break;
	case MSG_LANGUAGE_CHANGED:
		LanguageChanged();
		break;
	default:
		BView::MessageReceived(message);
		break;
	}
}

void TBasicView::MouseDown(BPoint where)
{
	ManageMouseDown(where);
}

void TBasicView::MouseUp(BPoint where)
{
	ManageMouseUp(where);
}

void TBasicView::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	ManageMouseMoved(where, transit, dragMessage);
}

BView* TBasicView::FindViewEx(const char* name) const
{
	return FindViewEx(this, name);
}

BView* TBasicView::FindViewEx(const BView* parent, const char* name) const
{
	if (parent == nullptr)
		return nullptr;
	if (BView* found = parent->FindView(name))
		return found;
	for (int32 i = 0; i < parent->CountChildren(); i++) {
		BTabView* tabs = dynamic_cast<BTabView*>(parent->ChildAt(i));
		if (tabs == nullptr)
			continue;
		for (int32 j = 0; j < tabs->CountTabs(); j++) {
			BTab* tab = tabs->TabAt(j);
			if (tab == nullptr)
				continue;
			if (BView* found = FindViewEx(tab->View(), name))
				return found;
		}
	}
	return nullptr;
}
