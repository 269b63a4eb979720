// Helpers for the menu tests: where an open menu and its items are on the screen, waiting for
// menus to open and close, and a window that counts MenusBeginning and MenusEnded.
#ifndef MENU_TEST_SUPPORT_H
#define MENU_TEST_SUPPORT_H

#include <atomic>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include <Menu.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <Window.h>

#include "TestApplication.h"
#include "TestDriver.h"
#include "WindowPrivate.h"
#include "WindowTestSupport.h"

namespace menutest {

// The window an open menu is shown in, or null; read with that window locked.
inline BWindow* OpenWindow(BMenu* menu)
{
	if (!menu->LockLooper())
		return nullptr;
	BWindow* window = menu->Window();
	menu->UnlockLooper();
	return window;
}

// Waits until the menu is shown and its window presented a frame.
inline BWindow* WaitOpen(BMenu* menu)
{
	BWindow* window = nullptr;
	bool shown = driver::WaitFor([&] {
		window = OpenWindow(menu);
		return window != nullptr && !window->IsHidden();
	});
	if (!shown || driver::Sync(window) != B_OK)
		return nullptr;
	return OpenWindow(menu);
}

inline bool WaitClosed(BMenu* menu)
{
	return driver::WaitFor([&] { return OpenWindow(menu) == nullptr; });
}

// The item's frame and centre on the screen, while its menu is open.
inline BRect ItemScreenFrame(BMenuItem* item)
{
	BMenu* menu = item->Menu();
	if (menu == nullptr || !menu->LockLooper())
		return BRect();
	BRect frame = menu->ConvertToScreen(item->Frame());
	menu->UnlockLooper();
	return frame;
}

inline BPoint ItemCentre(BMenuItem* item)
{
	BRect frame = ItemScreenFrame(item);
	return BPoint(std::floor((frame.left + frame.right) / 2),
	              std::floor((frame.top + frame.bottom) / 2));
}

// Waits until the windows of the item's menu and of every menu above it (the root of the
// session among them, which takes the input) handled everything sent so far.
inline void SyncMenus(BMenu* menu)
{
	std::vector<BWindow*> windows;
	for (; menu != nullptr; menu = menu->Supermenu()) {
		if (BWindow* window = OpenWindow(menu))
			windows.insert(windows.begin(), window);
	}
	for (BWindow* window : windows)
		driver::Sync(window);
}

inline bool IsSelected(BMenuItem* item)
{
	BMenu* menu = item->Menu();
	if (menu == nullptr)
		return false;
	SyncMenus(menu);
	bool locked = menu->LockLooper();
	bool selected = false;
	// The selection is shown by the highlighted background, which is what the user sees.
	if (locked) {
		BWindow* window = menu->Window();
		BRect frame = menu->ConvertToScreen(item->Frame());
		menu->UnlockLooper();
		if (window != nullptr && driver::Sync(window) == B_OK) {
			BPoint local = window->ConvertFromScreen(BPoint(frame.left + 2, frame.top + 2));
			rgb_color pixel = driver::PixelAt(window, (int32)local.x, (int32)local.y);
			selected = pixel == ui_color(B_CONTROL_HIGHLIGHT_COLOR);
		}
	}
	return selected;
}

// A window that counts how often its menus opened and closed.
class MenuTestWindow : public RecordingWindow {
public:
	MenuTestWindow(BRect frame, const char* title) : RecordingWindow(frame, title) {}

	void MenusBeginning() override { beginnings++; }
	void MenusEnded() override { endings++; }

	std::atomic<int32> beginnings{0};
	std::atomic<int32> endings{0};
};

// Waits until the window heard its menus close for the count-th time: the session is over
// then, and the pointer and the keys are the window's again.
inline bool WaitEnded(MenuTestWindow* window, int32 count)
{
	return driver::WaitFor([&] { return window->endings >= count; });
}

// The messages of a kind a recording view received.
inline size_t CountMessages(RecordingView* view, uint32 what)
{
	size_t count = 0;
	for (const InputRecord& record : view->Records("message")) {
		if (record.message.what == what)
			count++;
	}
	return count;
}

// A window at (100, 100) of 400 x 300 pixels with a menu field at the top and, below it, a
// view that the menu's items (and its submenus' items) send to.
class MenuFieldFixture : public ::testing::Test {
protected:
	void TearDown() override { app.Quit(); }

	// The field takes the menu; a divider below 0 leaves the field's own.
	void ShowField(BMenu* menu, BRect frame, const char* name, const char* label,
	               float divider = -1)
	{
		window = new MenuTestWindow(BRect(100, 100, 499, 399), "Menus");
		target = new RecordingView(BRect(10, 200, 389, 289), "Target");
		field = new BMenuField(frame, name, label, menu);
		if (divider >= 0)
			field->SetDivider(divider);
		window->AddChild(field);
		window->AddChild(target);
		menu->SetTargetForItems(target);
		for (int32 i = 0; BMenu* submenu = menu->SubmenuAt(i); i++)
			submenu->SetTargetForItems(target);
		window->Show();
		ASSERT_EQ(driver::Sync(window), B_OK);
	}

	TestApplication app;
	MenuTestWindow* window = nullptr;
	RecordingView* target = nullptr;
	BMenuField* field = nullptr;
};

} // namespace menutest

#endif
