#include "TestDriver.h"

#include <cstring>

#include <Application.h>
#include <Autolock.h>
#include <OS.h>
#include <Window.h>

#include <HeadlessBackend.h>

#include "Desktop.h"
#include "WindowPrivate.h"

namespace driver {

BPrivate::HeadlessBackend* Backend()
{
	BPrivate::Desktop* desktop = BPrivate::Desktop::Current();
	return desktop != nullptr ? desktop->Headless() : nullptr;
}

BWindow* FindWindow(const char* title)
{
	if (be_app == nullptr)
		return nullptr;
	for (int32 i = 0; BWindow* window = be_app->WindowAt(i); i++) {
		if (strcmp(window->Title(), title) == 0)
			return window;
	}
	return nullptr;
}

BView* FindView(const char* path)
{
	std::string rest = path;
	size_t slash = rest.find('/');
	BWindow* window = FindWindow(rest.substr(0, slash).c_str());
	if (window == nullptr || slash == std::string::npos)
		return nullptr;
	BAutolock lock(window);
	rest = rest.substr(slash + 1);
	BView* view = nullptr;
	while (!rest.empty()) {
		slash = rest.find('/');
		std::string name = rest.substr(0, slash);
		view = view == nullptr ? window->FindView(name.c_str()) : view->FindView(name.c_str());
		if (view == nullptr)
			return nullptr;
		rest = slash == std::string::npos ? std::string() : rest.substr(slash + 1);
	}
	return view;
}

BPoint ScreenCentre(BView* view)
{
	BWindow* window = view->Window();
	BAutolock lock(window);
	BRect bounds = view->Bounds();
	BPoint centre((float)(int32)((bounds.left + bounds.right) / 2),
	              (float)(int32)((bounds.top + bounds.bottom) / 2));
	return view->ConvertToScreen(centre);
}

bool HitTestPicks(BView* view, BPoint screenPoint)
{
	BWindow* window = view->Window();
	if (window == nullptr)
		return false;
	BAutolock lock(window);
	return window->FindView(window->ConvertFromScreen(screenPoint)) == view;
}

void MoveTo(BPoint screen)
{
	Backend()->InjectMouseMove(screen.x, screen.y);
}

void Press(BPoint screen, uint32 buttons, uint32 modifiers)
{
	Backend()->InjectMouseDown(screen.x, screen.y, buttons, modifiers);
}

void Release(BPoint screen, uint32 buttons, uint32 modifiers)
{
	Backend()->InjectMouseUp(screen.x, screen.y, buttons, modifiers);
}

void ClickAt(BPoint screen, uint32 buttons, uint32 modifiers)
{
	Press(screen, buttons, modifiers);
	Release(screen, buttons, modifiers);
}

bool Click(BView* view, int32 clicks, uint32 buttons, uint32 modifiers)
{
	BPoint centre = ScreenCentre(view);
	if (!HitTestPicks(view, centre))
		return false;
	for (int32 i = 0; i < clicks; i++)
		ClickAt(centre, buttons, modifiers);
	return true;
}

int32 KeyCodeFor(int32 rawChar)
{
	// The platform's keyboard numbering for the keys tests type.
	static const char* const kRows[] = {"1234567890", "qwertyuiop", "asdfghjkl", "zxcvbnm"};
	static const int32 kRowStart[] = {0x12, 0x27, 0x3c, 0x4c};
	if (rawChar >= 'A' && rawChar <= 'Z')
		rawChar += 'a' - 'A';
	for (int row = 0; row < 4; row++) {
		if (const char* found = strchr(kRows[row], rawChar); found != nullptr && rawChar != 0)
			return kRowStart[row] + (int32)(found - kRows[row]);
	}
	switch (rawChar) {
	case B_ESCAPE:
		return 0x01;
	case B_BACKSPACE:
		return 0x1e;
	case B_TAB:
		return 0x26;
	case B_ENTER:
		return 0x47;
	case B_SPACE:
		return 0x5e;
	case B_UP_ARROW:
		return 0x57;
	case B_LEFT_ARROW:
		return 0x61;
	case B_DOWN_ARROW:
		return 0x62;
	case B_RIGHT_ARROW:
		return 0x63;
	case B_HOME:
		return 0x20;
	case B_END:
		return 0x35;
	case B_DELETE:
		return 0x34;
	case B_PAGE_UP:
		return 0x21;
	case B_PAGE_DOWN:
		return 0x36;
	default:
		return 0;
	}
}

void Type(const std::string& text, uint32 modifiers)
{
	size_t i = 0;
	while (i < text.size()) {
		unsigned char lead = (unsigned char)text[i];
		size_t length = lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : lead >= 0xc0 ? 2 : 1;
		std::string character = text.substr(i, length);
		int32 rawChar = lead < 0x80 ? (int32)lead : 0;
		if (rawChar >= 'A' && rawChar <= 'Z')
			rawChar += 'a' - 'A';
		Backend()->InjectKey(KeyCodeFor(rawChar), rawChar, character, modifiers);
		i += length;
	}
}

void Key(int32 rawChar, uint32 modifiers)
{
	std::string bytes(1, (char)rawChar);
	Backend()->InjectKey(KeyCodeFor(rawChar), rawChar, bytes, modifiers);
}

void FunctionKey(int32 keyCode, uint32 modifiers)
{
	Backend()->InjectKey(keyCode, B_FUNCTION_KEY, std::string(1, (char)B_FUNCTION_KEY),
	                     modifiers);
}

void Shortcut(char letter, uint32 modifiers)
{
	Backend()->InjectKey(KeyCodeFor(letter), letter, std::string(1, letter), modifiers);
}

void Preedit(const std::string& text, int32 selectionStart, int32 selectionEnd)
{
	Backend()->InjectPreedit(text, selectionStart, selectionEnd);
}

void Commit(const std::string& text)
{
	Backend()->InjectCommit(text);
}

status_t Sync(BWindow* window)
{
	// The second round trip also covers what the window posted to itself while handling the
	// messages before the first (a control's message to its window, say).
	status_t status = BPrivate::WindowAccess::Sync(window);
	if (status == B_OK)
		status = BPrivate::WindowAccess::Sync(window);
	return status;
}

bool WaitFor(const std::function<bool()>& condition, bigtime_t timeout)
{
	bigtime_t deadline = system_time() + timeout;
	while (!condition()) {
		if (system_time() > deadline)
			return false;
		snooze(1000);
	}
	return true;
}

rgb_color PixelAt(BWindow* window, int32 x, int32 y)
{
	BPrivate::HeadlessBackend::WindowState state;
	if (!Backend()->GetWindow(BPrivate::WindowAccess::BackendId(window), &state) || x < 0 ||
	    y < 0 || x >= state.spec.width || y >= state.spec.height)
		return make_color(0, 0, 0, 0);
	const uint8* pixel = &state.pixels[((size_t)y * state.spec.width + x) * 4];
	return make_color(pixel[2], pixel[1], pixel[0], pixel[3]);
}

} // namespace driver
