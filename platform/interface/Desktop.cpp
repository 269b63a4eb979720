#include "Desktop.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <AppDefs.h>
#include <Input.h>
#include <InterfaceDefs.h>
#include <MessagePrivate.h>
#include <View.h>

#include <HeadlessBackend.h>

#include "DisplayHooks.h"

namespace BPrivate {

namespace {

std::mutex sDesktopLock;
Desktop* sDesktop = nullptr;

bool get_clipboard(std::string* text)
{
	Desktop* desktop = Desktop::Current();
	if (desktop == nullptr)
		return false;
	*text = desktop->Backend()->ClipboardText();
	return true;
}

bool set_clipboard(const std::string& text)
{
	Desktop* desktop = Desktop::Current();
	if (desktop == nullptr)
		return false;
	desktop->Backend()->SetClipboardText(text);
	return true;
}

const DisplayHooks kHooks = {
    [] { Desktop::Start(); },
    [] { Desktop::Stop(); },
    get_clipboard,
    set_clipboard,
};

// Part of every program that links the interface kit's windows, so the application object
// starts the display for them.
struct HookInstaller {
	HookInstaller() { set_display_hooks(&kHooks); }
} sHookInstaller;

} // namespace

Desktop* Desktop::Start()
{
	std::lock_guard<std::mutex> lock(sDesktopLock);
	if (sDesktop != nullptr)
		return sDesktop;
	std::string error;
	std::unique_ptr<DisplayBackend> backend = DisplayBackend::Create(&error);
	if (backend == nullptr) {
		if (error.empty())
			error = "The display backend is not available.";
		fprintf(stderr, "%s: %s\n", program_invocation_short_name, error.c_str());
		exit(1);
	}
	Desktop* desktop = new Desktop(std::move(backend));
	if (desktop->fBackend->Start(desktop, &error) != B_OK) {
		if (error.empty())
			error = "The display could not be opened.";
		fprintf(stderr, "%s: %s\n", program_invocation_short_name, error.c_str());
		exit(1);
	}
	sDesktop = desktop;
	return desktop;
}

void Desktop::Stop()
{
	Desktop* desktop;
	{
		std::lock_guard<std::mutex> lock(sDesktopLock);
		desktop = sDesktop;
		sDesktop = nullptr;
	}
	delete desktop;
}

Desktop* Desktop::Current()
{
	std::lock_guard<std::mutex> lock(sDesktopLock);
	return sDesktop;
}

Desktop::Desktop(std::unique_ptr<DisplayBackend> backend) : fBackend(std::move(backend)) {}

Desktop::~Desktop()
{
	fBackend->Stop();
}

HeadlessBackend* Desktop::Headless() const
{
	return dynamic_cast<HeadlessBackend*>(fBackend.get());
}

// #pragma mark - windows

backend_window_id Desktop::AddWindow(BWindow* window, const WindowSpec& spec)
{
	backend_window_id id = fBackend->CreateWindow(spec);
	std::lock_guard<std::mutex> lock(fLock);
	WindowRecord& record = fWindows[id];
	record.messenger = BMessenger((BHandler*)window, (BLooper*)window);
	record.spec = spec;
	fStacking.push_back(id);
	return id;
}

void Desktop::RemoveWindow(backend_window_id id)
{
	backend_window_id next = -1;
	{
		std::lock_guard<std::mutex> lock(fLock);
		if (fFocus == id) {
			next = _NextFocus(id);
			fFocus = -1;
		}
		fWindows.erase(id);
		fStacking.erase(std::remove(fStacking.begin(), fStacking.end(), id), fStacking.end());
		if (fGrab == id)
			fGrab = -1;
		// A window that goes while a press is held (a menu closed by that press) must not
		// hand the release to whatever lies under the pointer.
		if (fPressWindow == id)
			fPressWindow = kPressWindowGone;
		if (fHoverWindow == id)
			fHoverWindow = -1;
		if (fDragSource == id) {
			fDragMessage.reset();
			fDragSource = -1;
		}
	}
	fBackend->DestroyWindow(id);
	if (next >= 0)
		fBackend->ActivateWindow(next);
}

void Desktop::SetWindowFrame(backend_window_id id, int32 left, int32 top, int32 width,
                             int32 height)
{
	std::lock_guard<std::mutex> lock(fLock);
	auto it = fWindows.find(id);
	if (it == fWindows.end())
		return;
	it->second.spec.left = left;
	it->second.spec.top = top;
	it->second.spec.width = width;
	it->second.spec.height = height;
}

void Desktop::SetWindowVisible(backend_window_id id, bool visible)
{
	backend_window_id next = -1;
	{
		std::lock_guard<std::mutex> lock(fLock);
		auto it = fWindows.find(id);
		if (it == fWindows.end())
			return;
		it->second.visible = visible;
		if (visible) {
			fStacking.erase(std::remove(fStacking.begin(), fStacking.end(), id), fStacking.end());
			fStacking.push_back(id);
		} else if (fFocus == id) {
			next = _NextFocus(id);
		}
	}
	// Outside the lock: activating delivers the activation events back to the desktop.
	if (next >= 0)
		fBackend->ActivateWindow(next);
}

backend_window_id Desktop::_NextFocus(backend_window_id leaving) const
{
	// Where no window manager hands the keyboard on, the desktop gives it to the topmost
	// window that may have it, as a window manager would when the focused window goes.
	for (auto it = fStacking.rbegin(); it != fStacking.rend(); ++it) {
		const WindowRecord& record = fWindows.at(*it);
		if (*it == leaving || !record.visible || record.spec.avoidFocus)
			continue;
		if (record.spec.kind == WindowKind::PopUpMenu || record.spec.kind == WindowKind::ToolTip)
			continue;
		return *it;
	}
	return -1;
}

BMessenger Desktop::WindowMessenger(backend_window_id id) const
{
	std::lock_guard<std::mutex> lock(fLock);
	auto it = fWindows.find(id);
	return it != fWindows.end() ? it->second.messenger : BMessenger();
}

backend_window_id Desktop::WindowAt(float x, float y) const
{
	std::lock_guard<std::mutex> lock(fLock);
	return _WindowAt(x, y);
}

bool Desktop::FocusedWindowFrame(BRect* frame) const
{
	std::lock_guard<std::mutex> lock(fLock);
	auto it = fWindows.find(fFocus);
	if (it == fWindows.end() || !it->second.visible)
		return false;
	const WindowSpec& spec = it->second.spec;
	*frame = BRect(spec.left, spec.top, spec.left + spec.width - 1, spec.top + spec.height - 1);
	return true;
}

backend_window_id Desktop::_WindowAt(float x, float y) const
{
	for (auto it = fStacking.rbegin(); it != fStacking.rend(); ++it) {
		const WindowRecord& record = fWindows.at(*it);
		if (!record.visible)
			continue;
		if (record.spec.Contains(x, y))
			return *it;
	}
	return -1;
}

bool Desktop::_Blocked(backend_window_id target) const
{
	// The topmost visible modal window takes all input of the application's other windows,
	// except the pop-ups (menus, tips) that float above everything.
	backend_window_id modal = -1;
	for (auto it = fStacking.rbegin(); it != fStacking.rend(); ++it) {
		const WindowRecord& record = fWindows.at(*it);
		if (record.visible && record.spec.kind == WindowKind::Modal) {
			modal = *it;
			break;
		}
	}
	if (modal < 0 || modal == target)
		return false;
	auto it = fWindows.find(target);
	if (it == fWindows.end())
		return true;
	WindowKind kind = it->second.spec.kind;
	return kind != WindowKind::PopUpMenu && kind != WindowKind::ToolTip;
}

void Desktop::_Post(backend_window_id id, BMessage* message) const
{
	auto it = fWindows.find(id);
	if (it == fWindows.end())
		return;
	// Never wait: a window whose queue is full loses this message rather than stalling
	// the input of every other window.
	it->second.messenger.SendMessage(message, (BHandler*)nullptr, 0);
}

// #pragma mark - dragging and grabs

void Desktop::StartDrag(backend_window_id source, const BMessage& message, BRect)
{
	std::lock_guard<std::mutex> lock(fLock);
	fDragMessage = std::make_unique<BMessage>(message);
	fDragSource = source;
}

bool Desktop::IsDragging() const
{
	std::lock_guard<std::mutex> lock(fLock);
	return fDragMessage != nullptr;
}

void Desktop::SetInputGrab(backend_window_id window)
{
	std::lock_guard<std::mutex> lock(fLock);
	fGrab = window;
}

void Desktop::ReleaseInputGrab(backend_window_id window)
{
	std::lock_guard<std::mutex> lock(fLock);
	if (fGrab == window)
		fGrab = -1;
}

// #pragma mark - input

void Desktop::HandleInput(const InputEvent& event)
{
	switch (event.type) {
	case InputEvent::MouseDown:
	case InputEvent::MouseUp:
	case InputEvent::MouseMoved:
	case InputEvent::MouseLeft:
	case InputEvent::Wheel:
		_HandlePointer(event);
		break;
	case InputEvent::KeyDown:
	case InputEvent::KeyUp:
	case InputEvent::ModifiersChanged:
		_HandleKey(event);
		break;
	case InputEvent::PreeditChanged:
	case InputEvent::TextCommitted:
		_HandleInputMethod(event);
		break;
	default:
		_HandleWindowEvent(event);
		break;
	}
}

void Desktop::_AddPointerFields(BMessage* message, const InputEvent& event,
                                backend_window_id target, const WindowRecord& record) const
{
	message->AddInt64("when", event.when);
	message->AddPoint("where", BPoint(event.x - record.spec.left, event.y - record.spec.top));
	message->AddPoint("screen_where", BPoint(event.x, event.y));
	message->AddInt32("buttons", (int32)event.buttons);
	message->AddInt32("modifiers", (int32)event.modifiers);
	if (fDragMessage != nullptr)
		message->AddMessage("_drag_message", fDragMessage.get());
}

void Desktop::_PostPointer(const InputEvent& event, backend_window_id target, uint32 what)
{
	auto it = fWindows.find(target);
	if (it == fWindows.end())
		return;
	BMessage message(what);
	_AddPointerFields(&message, event, target, it->second);
	if (what == B_MOUSE_DOWN)
		message.AddInt32("clicks", fClicks);
	if (event.type == InputEvent::Wheel) {
		message.AddFloat("be:wheel_delta_x", event.deltaX);
		message.AddFloat("be:wheel_delta_y", event.deltaY);
	}
	if (event.type == InputEvent::MouseLeft)
		message.AddBool("_pointer_left", true);
	_Post(target, &message);
}

void Desktop::_HandlePointer(const InputEvent& event)
{
	bool activate = false;
	backend_window_id modalToRaise = -1;
	{
		std::lock_guard<std::mutex> lock(fLock);
		fModifiers = event.modifiers;
		backend_window_id target = event.window;
		if (fGrab >= 0) {
			// A pop-up menu sees the pointer wherever it is; it closes itself on a press
			// outside.
			if (event.type == InputEvent::MouseLeft)
				return;
			target = fGrab;
		}

		switch (event.type) {
		case InputEvent::MouseDown: {
			if (_Blocked(target)) {
				for (auto it = fStacking.rbegin(); it != fStacking.rend(); ++it) {
					const WindowRecord& record = fWindows.at(*it);
					if (record.visible && record.spec.kind == WindowKind::Modal) {
						modalToRaise = *it;
						break;
					}
				}
				break;
			}
			bool same = event.buttons == fLastClickButtons && target == fLastClickWindow &&
			            event.when - fLastClickTime <= kClickSpeed &&
			            std::fabs(event.x - fLastClickX) <= kClickDistance &&
			            std::fabs(event.y - fLastClickY) <= kClickDistance;
			fClicks = same ? fClicks + 1 : 1;
			fLastClickTime = event.when;
			fLastClickX = event.x;
			fLastClickY = event.y;
			fLastClickButtons = event.buttons;
			fLastClickWindow = target;
			fPressWindow = target;
			auto it = fWindows.find(target);
			activate = it != fWindows.end() && fFocus != target && !it->second.spec.avoidFocus &&
			           fGrab < 0;
			_PostPointer(event, target, B_MOUSE_DOWN);
			break;
		}
		case InputEvent::MouseUp: {
			backend_window_id press = fPressWindow >= 0 ? fPressWindow : target;
			if (fGrab >= 0)
				press = fGrab;
			if (fPressWindow != kPressWindowGone && !_Blocked(press))
				_PostPointer(event, press, B_MOUSE_UP);
			if (event.buttons == 0) {
				fPressWindow = -1;
				if (fDragMessage != nullptr)
					_Drop(event);
			}
			break;
		}
		case InputEvent::MouseMoved: {
			backend_window_id under = fGrab >= 0 ? fGrab : _WindowAt(event.x, event.y);
			if (fDragMessage != nullptr || fGrab >= 0) {
				// The window under the pointer sees the drag; the window that holds the
				// press keeps getting the moves as well.
				if (fHoverWindow >= 0 && fHoverWindow != under && fHoverWindow != fPressWindow) {
					InputEvent leave = event;
					leave.type = InputEvent::MouseLeft;
					_PostPointer(leave, fHoverWindow, B_MOUSE_MOVED);
				}
				fHoverWindow = under;
				if (under >= 0 && !_Blocked(under))
					_PostPointer(event, under, B_MOUSE_MOVED);
				if (fPressWindow >= 0 && fPressWindow != under)
					_PostPointer(event, fPressWindow, B_MOUSE_MOVED);
			} else {
				fHoverWindow = target;
				_PostPointer(event, target, B_MOUSE_MOVED);
			}
			break;
		}
		case InputEvent::MouseLeft:
			if (fHoverWindow == target)
				fHoverWindow = -1;
			_PostPointer(event, target, B_MOUSE_MOVED);
			break;
		case InputEvent::Wheel:
			if (!_Blocked(target))
				_PostPointer(event, target, B_MOUSE_WHEEL_CHANGED);
			break;
		default:
			break;
		}
	}
	// Without a window manager nobody activates a clicked window; the desktop does.
	if (activate)
		fBackend->ActivateWindow(event.window);
	if (modalToRaise >= 0)
		fBackend->ActivateWindow(modalToRaise);
}

void Desktop::_Drop(const InputEvent& event)
{
	std::unique_ptr<BMessage> drop = std::move(fDragMessage);
	fDragSource = -1;
	backend_window_id target = _WindowAt(event.x, event.y);
	if (target < 0 || _Blocked(target))
		return;
	BMessage::Private(drop.get()).SetWasDropped(BPoint(event.x, event.y), BPoint(0, 0));
	drop->AddBool("_dropped", true);
	_Post(target, drop.get());
}

void Desktop::_HandleKey(const InputEvent& event)
{
	std::lock_guard<std::mutex> lock(fLock);
	backend_window_id target = fGrab >= 0 ? fGrab : event.window;
	if (target < 0)
		target = fFocus;
	if (_Blocked(target)) {
		// Keys meant for a window under a modal one go to the modal window.
		for (auto it = fStacking.rbegin(); it != fStacking.rend(); ++it) {
			const WindowRecord& record = fWindows.at(*it);
			if (record.visible && record.spec.kind == WindowKind::Modal) {
				target = *it;
				break;
			}
		}
	}
	if (event.type == InputEvent::ModifiersChanged) {
		BMessage message(B_MODIFIERS_CHANGED);
		message.AddInt64("when", event.when);
		message.AddInt32("modifiers", (int32)event.modifiers);
		message.AddInt32("be:old_modifiers", (int32)fModifiers);
		fModifiers = event.modifiers;
		_Post(target, &message);
		return;
	}
	fModifiers = event.modifiers;
	bool down = event.type == InputEvent::KeyDown;
	// A key that types nothing (a modifier alone) is an unmapped key, as on the platform.
	uint32 what = event.bytes.empty() ? (down ? B_UNMAPPED_KEY_DOWN : B_UNMAPPED_KEY_UP)
	                                  : (down ? B_KEY_DOWN : B_KEY_UP);
	BMessage message(what);
	message.AddInt64("when", event.when);
	message.AddInt32("modifiers", (int32)event.modifiers);
	message.AddInt32("key", event.key);
	if (!event.bytes.empty()) {
		message.AddInt32("raw_char", event.rawChar);
		message.AddString("bytes", event.bytes.c_str());
		for (char byte : event.bytes)
			message.AddInt8("byte", (int8)byte);
	}
	if (event.repeat)
		message.AddInt32("be:key_repeat", 1);
	_Post(target, &message);
}

void Desktop::_HandleInputMethod(const InputEvent& event)
{
	std::lock_guard<std::mutex> lock(fLock);
	backend_window_id target = fGrab >= 0 ? fGrab : event.window;
	if (target < 0 || _Blocked(target))
		return;
	auto opcode = [&](int32 code) {
		BMessage message(B_INPUT_METHOD_EVENT);
		message.AddInt32("be:opcode", code);
		_Post(target, &message);
	};
	auto changed = [&](const std::string& text, int32 start, int32 end, bool confirmed) {
		BMessage message(B_INPUT_METHOD_EVENT);
		message.AddInt32("be:opcode", B_INPUT_METHOD_CHANGED);
		message.AddString("be:string", text.c_str());
		message.AddInt32("be:selection", start);
		message.AddInt32("be:selection", end);
		message.AddInt32("be:clause_start", 0);
		message.AddInt32("be:clause_end", (int32)text.size());
		message.AddBool("be:confirmed", confirmed);
		_Post(target, &message);
	};

	if (event.type == InputEvent::PreeditChanged) {
		if (!fPreedit) {
			if (event.text.empty())
				return;
			opcode(B_INPUT_METHOD_STARTED);
			fPreedit = true;
		}
		int32 length = (int32)event.text.size();
		changed(event.text, std::clamp(event.selectionStart, 0, length),
		        std::clamp(event.selectionEnd, 0, length), false);
		if (event.text.empty()) {
			opcode(B_INPUT_METHOD_STOPPED);
			fPreedit = false;
		}
		return;
	}

	// A commit ends a pre-edit; text committed without one is typed like keys.
	if (fPreedit) {
		changed(event.text, (int32)event.text.size(), (int32)event.text.size(), true);
		opcode(B_INPUT_METHOD_STOPPED);
		fPreedit = false;
		return;
	}
	size_t i = 0;
	while (i < event.text.size()) {
		size_t length = 1;
		unsigned char lead = (unsigned char)event.text[i];
		if (lead >= 0xf0)
			length = 4;
		else if (lead >= 0xe0)
			length = 3;
		else if (lead >= 0xc0)
			length = 2;
		length = std::min(length, event.text.size() - i);
		std::string character = event.text.substr(i, length);
		BMessage message(B_KEY_DOWN);
		message.AddInt64("when", event.when);
		message.AddInt32("modifiers", (int32)fModifiers);
		message.AddInt32("key", 0);
		message.AddInt32("raw_char", lead < 0x80 ? lead : 0);
		message.AddString("bytes", character.c_str());
		for (char byte : character)
			message.AddInt8("byte", (int8)byte);
		_Post(target, &message);
		i += length;
	}
}

void Desktop::_HandleWindowEvent(const InputEvent& event)
{
	std::lock_guard<std::mutex> lock(fLock);
	auto it = fWindows.find(event.window);
	if (it == fWindows.end())
		return;
	switch (event.type) {
	case InputEvent::WindowActivated:
	case InputEvent::WindowDeactivated: {
		bool active = event.type == InputEvent::WindowActivated;
		if (active)
			fFocus = event.window;
		else if (fFocus == event.window)
			fFocus = -1;
		BMessage message(B_WINDOW_ACTIVATED);
		message.AddInt64("when", event.when);
		message.AddBool("active", active);
		_Post(event.window, &message);
		break;
	}
	case InputEvent::CloseRequested: {
		if (_Blocked(event.window))
			break;
		BMessage message(B_QUIT_REQUESTED);
		_Post(event.window, &message);
		break;
	}
	case InputEvent::WindowMoved: {
		it->second.spec.left = event.left;
		it->second.spec.top = event.top;
		BMessage message(B_WINDOW_MOVED);
		message.AddInt64("when", event.when);
		message.AddPoint("where", BPoint(event.left, event.top));
		_Post(event.window, &message);
		break;
	}
	case InputEvent::WindowResized: {
		it->second.spec.width = event.width;
		it->second.spec.height = event.height;
		BMessage message(B_WINDOW_RESIZED);
		message.AddInt64("when", event.when);
		message.AddInt32("width", event.width - 1);
		message.AddInt32("height", event.height - 1);
		message.AddBool("_user", true);
		_Post(event.window, &message);
		break;
	}
	case InputEvent::Exposed: {
		BMessage message('_UPD');
		message.AddBool("_all", true);
		_Post(event.window, &message);
		break;
	}
	default:
		break;
	}
}

} // namespace BPrivate
