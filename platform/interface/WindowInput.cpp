// Where a window's input goes: the view under the pointer (or the view holding the press),
// the focused view, the view under a drop; the transit codes of pointer moves; keyboard
// navigation; activation.
#include <Window.h>

#include <cstring>

#include <Application.h>
#include <Control.h>
#include <Input.h>
#include <Message.h>
#include <MessagePrivate.h>
#include <View.h>

#include "Desktop.h"
#include "LooperRegistry.h"
#include "WindowHost.h"
#include "WindowPrivate.h"

using BPrivate::Desktop;

namespace BPrivate {

bool is_focus_input(uint32 what)
{
	switch (what) {
	case B_KEY_DOWN:
	case B_KEY_UP:
	case B_UNMAPPED_KEY_DOWN:
	case B_UNMAPPED_KEY_UP:
	case B_MODIFIERS_CHANGED:
	case B_INPUT_METHOD_EVENT:
		return true;
	default:
		return false;
	}
}

} // namespace BPrivate

BView* BWindow::_ViewFor(int32 token) const
{
	if (token < 0)
		return nullptr;
	BView* view = dynamic_cast<BView*>(BPrivate::LooperRegistry::Default().HandlerFor(token));
	return view != nullptr && view->Window() == this ? view : nullptr;
}

// #pragma mark - targets

BHandler* BWindow::DetermineTarget(BMessage* message, BHandler* target)
{
	if (target != this)
		return target;
	if (message->HasBool("_dropped")) {
		message->RemoveName("_dropped");
		BPoint where = ConvertFromScreen(message->DropPoint());
		BView* view = FindView(where);
		return view != nullptr ? (BHandler*)view : this;
	}
	if (BPrivate::is_focus_input(message->what))
		return fFocus != nullptr ? (BHandler*)fFocus : this;
	switch (message->what) {
	case B_MOUSE_DOWN:
	case B_MOUSE_UP:
	case B_MOUSE_WHEEL_CHANGED: {
		BView* view = _MouseTarget(message);
		return view != nullptr ? (BHandler*)view : this;
	}
	case B_MOUSE_MOVED:
		if (message->HasInt32("be:transit"))
			return target;
		// A move from the display reaches several views (the one left, the one entered, the
		// one holding the press), each as a message of its own.
		_FanOutMoved(message);
		return nullptr;
	default:
		return target;
	}
}

BView* BWindow::_MouseTarget(BMessage* message)
{
	BPoint where;
	message->FindPoint("where", &where);
	BView* view = message->what == B_MOUSE_WHEEL_CHANGED ? nullptr : _ViewFor(fGrabViewToken);
	if (view == nullptr)
		view = FindView(where);
	if (view != nullptr)
		message->AddPoint("be:view_where", view->ConvertFromScreen(ConvertToScreen(where)));
	return view;
}

bool BWindow::InterceptMessage(BMessage* message, BHandler* target)
{
	if (message->what == B_KEY_DOWN)
		return _HandleCommandKey(message);
	return false;
}

// #pragma mark - pointer moves

void BWindow::_DeliverMoved(BView* view, const BMessage* message, uint32 transit)
{
	BMessage copy(*message);
	BPoint where;
	copy.FindPoint("where", &where);
	copy.AddInt32("be:transit", (int32)transit);
	if (view != nullptr)
		copy.AddPoint("be:view_where", view->ConvertFromScreen(ConvertToScreen(where)));
	DispatchThroughFilters(&copy, view != nullptr ? (BHandler*)view : this);
}

void BWindow::_FanOutMoved(BMessage* message)
{
	BPoint where;
	message->FindPoint("where", &where);
	bool left = message->HasBool("_pointer_left");
	BView* under = left ? nullptr : FindView(where);
	BView* previous = _ViewFor(fMouseViewToken);
	int32 underToken = under != nullptr ? under->Token() : -1;
	int32 grabToken = fGrabViewToken;
	fMouseViewToken = underToken;

	// Each hook may delete views; every step looks the view up again by its token.
	bool grabDone = false;
	if (previous != nullptr && previous != under) {
		grabDone = previous->Token() == grabToken;
		_DeliverMoved(previous, message, B_EXITED_VIEW);
	}
	under = _ViewFor(underToken);
	if (under != nullptr) {
		grabDone = grabDone || underToken == grabToken;
		_DeliverMoved(under, message, previous == under ? B_INSIDE_VIEW : B_ENTERED_VIEW);
	} else if (left || previous == nullptr) {
		// Watchers of the window see that the pointer is over no view.
		_DeliverMoved(nullptr, message, B_OUTSIDE_VIEW);
	}
	if (!grabDone) {
		if (BView* grab = _ViewFor(grabToken))
			_DeliverMoved(grab, message, B_OUTSIDE_VIEW);
	}
	std::vector<int32> listeners = fPointerListeners;
	for (int32 token : listeners) {
		if (token == underToken || token == grabToken)
			continue;
		if (BView* view = _ViewFor(token))
			_DeliverMoved(view, message, B_OUTSIDE_VIEW);
	}
}

// #pragma mark - dispatching

void BWindow::DispatchMessage(BMessage* message, BHandler* handler)
{
	BView* view = dynamic_cast<BView*>(handler);
	// A disabled control takes no input; this one place drops it for every control.
	if (BControl* control = dynamic_cast<BControl*>(handler); control != nullptr &&
	    !control->IsEnabled()) {
		switch (message->what) {
		case B_MOUSE_DOWN:
		case B_MOUSE_UP:
		case B_KEY_DOWN:
		case B_KEY_UP:
		case B_INPUT_METHOD_EVENT:
			return;
		}
	}
	switch (message->what) {
	case B_MOUSE_DOWN:
		if (view != nullptr) {
			_HandleMouseDown(view, message);
			return;
		}
		break;
	case B_MOUSE_UP:
		if (view != nullptr) {
			_HandleMouseUp(view, message);
			return;
		}
		fButtons = (uint32)message->GetInt32("buttons", 0);
		if (fButtons == 0)
			fGrabViewToken = -1;
		break;
	case B_MOUSE_MOVED:
		if (view != nullptr) {
			BPoint where;
			message->FindPoint("be:view_where", &where);
			int32 transit = message->GetInt32("be:transit", B_INSIDE_VIEW);
			BMessage drag;
			bool dragging = message->FindMessage("_drag_message", &drag) == B_OK;
			view->MouseMoved(where, (uint32)transit, dragging ? &drag : nullptr);
			return;
		}
		break;
	case B_KEY_DOWN:
		if (view != nullptr) {
			const char* bytes = message->GetString("bytes", "");
			view->KeyDown(bytes, (int32)strlen(bytes));
			return;
		}
		break;
	case B_KEY_UP:
		if (view != nullptr) {
			const char* bytes = message->GetString("bytes", "");
			view->KeyUp(bytes, (int32)strlen(bytes));
			return;
		}
		break;
	case B_VIEW_MOVED:
		if (view != nullptr) {
			view->FrameMoved(view->Frame().LeftTop());
			return;
		}
		break;
	case B_VIEW_RESIZED:
		if (view != nullptr) {
			view->FrameResized(view->Frame().Width(), view->Frame().Height());
			return;
		}
		break;
	case B_QUIT_REQUESTED:
		if (handler == this) {
			bool quit = QuitRequested();
			if (message->IsSourceWaiting()) {
				BMessage reply(B_REPLY);
				reply.AddBool("result", quit);
				message->SendReply(&reply);
			}
			if (quit) {
				if ((fFlags & B_QUIT_ON_WINDOW_CLOSE) != 0 && be_app != nullptr)
					be_app->PostMessage(B_QUIT_REQUESTED);
				Quit();
			}
			return;
		}
		break;
	case B_WINDOW_ACTIVATED:
		if (handler == this) {
			_Activated(message->GetBool("active", false));
			return;
		}
		break;
	case B_WINDOW_MOVED:
		if (handler == this) {
			BPoint where;
			if (message->FindPoint("where", &where) == B_OK && where != fFrame.LeftTop()) {
				fFrame.OffsetTo(where);
				Desktop::Current()->SetWindowFrame(fBackendId, (int32)where.x, (int32)where.y,
				                                   fHost->Width(), fHost->Height());
			}
			FrameMoved(fFrame.LeftTop());
			return;
		}
		break;
	case B_WINDOW_RESIZED:
		if (handler == this) {
			if (message->GetBool("_user", false)) {
				int32 width = message->GetInt32("width", 0) + 1;
				int32 height = message->GetInt32("height", 0) + 1;
				if (width != fHost->Width() || height != fHost->Height())
					_ApplySize(width, height);
			}
			FrameResized(fFrame.Width(), fFrame.Height());
			return;
		}
		break;
	case BPrivate::kMsgUpdate:
		if (handler == this) {
			fHost->UpdateRequestDone();
			if (message->GetBool("_all", false))
				fHost->InvalidateAll();
			return;
		}
		break;
	case BPrivate::kMsgSync:
		if (handler == this) {
			fHost->UpdateRequestDone();
			fHost->Update();
			BMessage reply(B_REPLY);
			message->SendReply(&reply);
			return;
		}
		break;
	}
	BLooper::DispatchMessage(message, handler);
}

void BWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
	case B_KEY_DOWN:
		// Keys with no focused view: navigation and the default button.
		_HandleDefaultKeys(message);
		break;
	case B_ABOUT_REQUESTED:
		// The About item of a menu names no target; the application answers it.
		if (be_app != nullptr)
			be_app->PostMessage(message);
		break;
	case B_MOUSE_MOVED:
	case B_MOUSE_WHEEL_CHANGED:
	case B_KEY_UP:
	case B_UNMAPPED_KEY_DOWN:
	case B_UNMAPPED_KEY_UP:
	case B_MODIFIERS_CHANGED:
	case B_INPUT_METHOD_EVENT:
		break;
	default:
		BLooper::MessageReceived(message);
		break;
	}
}

void BWindow::_HandleMouseDown(BView* view, BMessage* message)
{
	BPoint where;
	message->FindPoint("be:view_where", &where);
	fButtons = (uint32)message->GetInt32("buttons", 0);
	// The press grabs the pointer for the view until every button is up.
	if (_ViewFor(fGrabViewToken) == nullptr)
		fGrabViewToken = view->Token();
	view->MouseDown(where);
}

void BWindow::_HandleMouseUp(BView* view, BMessage* message)
{
	BPoint where;
	message->FindPoint("be:view_where", &where);
	fButtons = (uint32)message->GetInt32("buttons", 0);
	int32 token = view->Token();
	if (fButtons == 0)
		fGrabViewToken = -1;
	view->MouseUp(where);
	if (fButtons == 0) {
		if (BView* still = _ViewFor(token))
			still->fMouseEventMask = 0;
	}
}

// #pragma mark - keys and focus

void BWindow::_HandleDefaultKeys(BMessage* message)
{
	if (message == nullptr || message->what != B_KEY_DOWN)
		return;
	const char* bytes = message->GetString("bytes", "");
	int32 modifiers = message->GetInt32("modifiers", 0);
	if (bytes[0] == B_TAB && (modifiers & (B_COMMAND_KEY | B_CONTROL_KEY | B_OPTION_KEY)) == 0) {
		_Navigate((modifiers & B_SHIFT_KEY) != 0);
		return;
	}
	if (bytes[0] == B_ENTER && BPrivate::gDefaultButtonHook != nullptr && fDefaultButton != nullptr) {
		BPrivate::gDefaultButtonHook(fDefaultButton);
		return;
	}
	if (bytes[0] == B_ESCAPE && (fFlags & B_CLOSE_ON_ESCAPE) != 0)
		PostMessage(B_QUIT_REQUESTED);
}

void BWindow::_Navigate(bool backwards)
{
	std::vector<BView*> views;
	struct Walk {
		static void Collect(BView* view, std::vector<BView*>* out)
		{
			for (int32 i = 0; i < view->CountChildren(); i++) {
				BView* child = view->ChildAt(i);
				if (child->IsHidden())
					continue;
				if ((child->Flags() & B_NAVIGABLE) != 0)
					out->push_back(child);
				Collect(child, out);
			}
		}
	};
	Walk::Collect(fHost->Top(), &views);
	if (views.empty())
		return;
	size_t count = views.size();
	size_t index = count;
	for (size_t i = 0; i < count; i++) {
		if (views[i] == fFocus)
			index = i;
	}
	size_t next;
	if (index == count)
		next = backwards ? count - 1 : 0;
	else
		next = backwards ? (index + count - 1) % count : (index + 1) % count;
	views[next]->MakeFocus(true);
}

void BWindow::_SetFocus(BView* view)
{
	fFocus = view;
	SetPreferredHandler(view);
	_UpdateTextInput();
}

void BWindow::_UpdateTextInput()
{
	Desktop* desktop = Desktop::Current();
	if (desktop == nullptr)
		return;
	bool wanted = fActive && fFocus != nullptr && (fFocus->Flags() & B_INPUT_METHOD_AWARE) != 0;
	if (wanted) {
		BRect caret = fFocus->ConvertToScreen(fFocus->Bounds());
		desktop->Backend()->StartTextInput(
		    fBackendId, graphics::IntRect((int32)caret.left, (int32)caret.top,
		                                  (int32)caret.right, (int32)caret.bottom));
	} else if (fTextInputOn) {
		desktop->Backend()->StopTextInput(fBackendId);
	}
	fTextInputOn = wanted;
}

void BPrivate::WindowAccess::SetTextInputCaret(BWindow* window, BView* view, BRect caret)
{
	if (view != window->fFocus || !window->fTextInputOn)
		return;
	BRect screen = view->ConvertToScreen(caret);
	Desktop::Current()->Backend()->StartTextInput(
	    window->fBackendId, graphics::IntRect((int32)screen.left, (int32)screen.top,
	                                          (int32)screen.right, (int32)screen.bottom));
}

void BPrivate::WindowAccess::EndPointerGrab(BWindow* window)
{
	window->fGrabViewToken = -1;
	window->fButtons = 0;
}

void BWindow::_Activated(bool active)
{
	if (fActive == active)
		return;
	fActive = active;
	_UpdateTextInput();
	WindowActivated(active);
	// Every view hears it; a hook may remove views, so the walk goes by tokens.
	std::vector<int32> tokens;
	struct Walk {
		static void Collect(BView* view, std::vector<int32>* out)
		{
			for (int32 i = 0; i < view->CountChildren(); i++) {
				out->push_back(view->ChildAt(i)->Token());
				Collect(view->ChildAt(i), out);
			}
		}
	};
	Walk::Collect(fHost->Top(), &tokens);
	for (int32 token : tokens) {
		if (BView* view = _ViewFor(token))
			view->WindowActivated(active);
	}
}

void BWindow::_ViewRemoved(BView* view)
{
	if (fFocus == view)
		_SetFocus(nullptr);
	// A button is a view first (BView is its primary base), so the addresses compare.
	if (reinterpret_cast<void*>(fDefaultButton) == static_cast<void*>(view))
		fDefaultButton = nullptr;
	if (fMouseViewToken == view->Token())
		fMouseViewToken = -1;
	if (fGrabViewToken == view->Token())
		fGrabViewToken = -1;
	for (auto it = fPointerListeners.begin(); it != fPointerListeners.end(); ++it) {
		if (*it == view->Token()) {
			fPointerListeners.erase(it);
			break;
		}
	}
}
