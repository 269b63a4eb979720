// Menus and their owners going away at awkward moments, and pop-up menus opened by Go: a
// field deleted while its menu is open, an item removed while its submenu is open, a target
// deleted before its item fires, a window quitting over its open menu.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include <Application.h>
#include <Autolock.h>
#include <MenuBar.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <PopUpMenu.h>
#include <Window.h>

#include "MenuTestSupport.h"
#include "TestApplication.h"
#include "TestDriver.h"

namespace {

using namespace menutest;

std::atomic<int32> sDeletedMenus{0};

class CountedPopUp : public BPopUpMenu {
public:
	explicit CountedPopUp(const char* name) : BPopUpMenu(name) {}
	~CountedPopUp() override { sDeletedMenus++; }
};

class MenuLifetimeTest : public MenuFieldFixture {
protected:
	void SetUp() override
	{
		sDeletedMenus = 0;
		menu = new CountedPopUp("Menu");
		for (int32 i = 0; i < 3; i++) {
			BMenu* submenu = new BMenu(i == 0 ? "One" : i == 1 ? "Two" : "Three");
			submenu->AddItem(new BMenuItem("Regular", new BMessage('styl')));
			submenu->AddItem(new BMenuItem("Bold", new BMessage('styl')));
			families[i] = new BMenuItem(submenu, new BMessage('fmly'));
			menu->AddItem(families[i]);
			submenus[i] = submenu;
		}
		ShowField(menu, BRect(10, 10, 250, 33), "Field", "Font:");
	}

	bool WindowsLeft(int32 count)
	{
		return driver::WaitFor([&] { return be_app->CountWindows() == count; });
	}

	BPopUpMenu* menu = nullptr;
	BMenu* submenus[3] = {};
	BMenuItem* families[3] = {};
};

TEST_F(MenuLifetimeTest, AFieldDeletedWhileItsMenuIsOpenClosesTheMenus)
{
	ASSERT_TRUE(driver::Click(field->MenuBar()));
	ASSERT_NE(WaitOpen(menu), nullptr);
	driver::MoveTo(ItemCentre(families[1]));
	ASSERT_NE(WaitOpen(submenus[1]), nullptr);
	EXPECT_EQ(be_app->CountWindows(), 3);
	{
		BAutolock lock(window);
		field->RemoveSelf();
		delete field;
	}
	EXPECT_EQ(sDeletedMenus, 1);
	EXPECT_TRUE(WindowsLeft(1));
	// The window heard its menus end, and has the pointer back.
	EXPECT_EQ(window->endings, 1);
	ASSERT_TRUE(driver::Click(target));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(target->Records("down").size(), 1u);
}

TEST_F(MenuLifetimeTest, AnItemRemovedWhileItsSubmenuIsOpenTakesTheSubmenuAlong)
{
	ASSERT_TRUE(driver::Click(field->MenuBar()));
	ASSERT_NE(WaitOpen(menu), nullptr);
	driver::MoveTo(ItemCentre(families[1]));
	ASSERT_NE(WaitOpen(submenus[1]), nullptr);
	{
		BAutolock lock(window);
		BMenuItem* removed = menu->RemoveItem(1);
		EXPECT_EQ(removed, families[1]);
		delete removed;
	}
	EXPECT_TRUE(WindowsLeft(2));
	// The rest of the menu goes on: another family opens and is chosen.
	driver::MoveTo(ItemCentre(families[2]));
	ASSERT_NE(WaitOpen(submenus[2]), nullptr);
	driver::ClickAt(ItemCentre(families[2]));
	ASSERT_TRUE(WaitEnded(window, 1));
	ASSERT_TRUE(driver::WaitFor([&] { return CountMessages(target, 'fmly') == 1; }));
}

TEST_F(MenuLifetimeTest, AnItemWhoseTargetWentSendsNothing)
{
	RecordingView* doomed = new RecordingView(BRect(0, 0, 9, 9), "Doomed");
	{
		BAutolock lock(window);
		window->AddChild(doomed);
		families[0]->SetTarget(doomed);
	}
	ASSERT_TRUE(driver::Click(field->MenuBar()));
	ASSERT_NE(WaitOpen(menu), nullptr);
	{
		BAutolock lock(window);
		doomed->RemoveSelf();
		delete doomed;
	}
	driver::ClickAt(ItemCentre(families[0]));
	ASSERT_TRUE(WaitEnded(window, 1));
	ASSERT_EQ(driver::Sync(window), B_OK);
	ASSERT_EQ(driver::Sync(window), B_OK);
	// It was chosen (and marked), but its message went nowhere; the window got nothing
	// either, since the item had a target of its own.
	BAutolock lock(window);
	EXPECT_TRUE(families[0]->IsMarked());
	EXPECT_STREQ(field->MenuItem()->Label(), "One");
}

TEST_F(MenuLifetimeTest, AWindowQuittingOverItsOpenMenuTakesTheMenusAlong)
{
	ASSERT_TRUE(driver::Click(field->MenuBar()));
	ASSERT_NE(WaitOpen(menu), nullptr);
	driver::MoveTo(ItemCentre(families[0]));
	ASSERT_NE(WaitOpen(submenus[0]), nullptr);
	ASSERT_TRUE(window->Lock());
	window->Quit();
	EXPECT_TRUE(WindowsLeft(0));
	EXPECT_EQ(sDeletedMenus, 1);
}

TEST_F(MenuLifetimeTest, GoWaitsForTheChoiceAndDeliversIt)
{
	BPopUpMenu* popUp = new BPopUpMenu("Context", false, false);
	BMenuItem* cut = new BMenuItem("Cut", new BMessage(B_CUT));
	BMenuItem* paste = new BMenuItem("Paste", new BMessage(B_PASTE));
	popUp->AddItem(cut);
	popUp->AddItem(paste);
	popUp->SetTargetForItems(target);
	BMenuItem* result = nullptr;
	std::thread caller([&] { result = popUp->Go(BPoint(300, 300), true, true); });
	BWindow* open = WaitOpen(popUp);
	ASSERT_NE(open, nullptr);
	EXPECT_EQ(open->Frame().LeftTop(), BPoint(300, 300));
	driver::ClickAt(ItemCentre(paste));
	caller.join();
	EXPECT_EQ(result, paste);
	ASSERT_TRUE(driver::WaitFor([&] { return CountMessages(target, B_PASTE) == 1; }));
	// Not in radio mode: nothing was marked.
	EXPECT_FALSE(paste->IsMarked());

	// A click outside answers with no item.
	std::thread again([&] { result = popUp->Go(BPoint(300, 300), true, true); });
	ASSERT_NE(WaitOpen(popUp), nullptr);
	driver::ClickAt(BPoint(120, 300));
	again.join();
	EXPECT_EQ(result, nullptr);
	delete popUp;
}

TEST_F(MenuLifetimeTest, AnAsynchronousGoInvokesAndDeletesTheMenu)
{
	CountedPopUp* popUp = new CountedPopUp("Context");
	BMenuItem* item = new BMenuItem("Paste", new BMessage(B_PASTE));
	popUp->AddItem(item);
	popUp->SetTargetForItems(target);
	popUp->SetAsyncAutoDestruct(true);
	EXPECT_EQ(popUp->Go(BPoint(300, 300), true, true, true), nullptr);
	ASSERT_NE(WaitOpen(popUp), nullptr);
	driver::ClickAt(ItemCentre(item));
	ASSERT_TRUE(driver::WaitFor([&] { return sDeletedMenus == 1; }));
	ASSERT_TRUE(driver::WaitFor([&] { return CountMessages(target, B_PASTE) == 1; }));
}

} // namespace
