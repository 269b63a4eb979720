// The menu bar of a window: its size, the window's Command shortcuts taken from its items,
// F10 and StartMenuBar from the keyboard, and the pointer moving along its titles.
#include <gtest/gtest.h>

#include <Autolock.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <Window.h>

#include "MenuTestSupport.h"
#include "StylePainter.h"
#include "TestApplication.h"
#include "TestDriver.h"

namespace {

using namespace menutest;

const uint32 kOpen = 'open';
const uint32 kCopy = 'copy';
const uint32 kPaste = 'past';

// File: Open (Ctrl+O), Quit (Ctrl+Q, no target); Edit: Copy, Paste (Ctrl+Shift+V);
// Help: About. The items with a target send to the view "Target".
class MenuBarTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		window = new MenuTestWindow(BRect(100, 100, 499, 399), "Bar");
		window->agreeToQuit = false;
		bar = new BMenuBar(BRect(0, 0, 0, 0), "MenuBar");
		file = new BMenu("File(F)");
		open = new BMenuItem("Open", new BMessage(kOpen), 'O');
		quit = new BMenuItem("Quit(Q)", new BMessage(B_QUIT_REQUESTED), 'Q');
		file->AddItem(open);
		file->AddSeparatorItem();
		file->AddItem(quit);
		edit = new BMenu("Edit(E)");
		copy = new BMenuItem("Copy", new BMessage(kCopy));
		paste = new BMenuItem("Paste", new BMessage(kPaste), 'V', B_SHIFT_KEY);
		edit->AddItem(copy);
		edit->AddItem(paste);
		help = new BMenu("Help(H)");
		help->AddItem(new BMenuItem("About...", new BMessage(B_ABOUT_REQUESTED)));
		bar->AddItem(file);
		bar->AddItem(edit);
		bar->AddItem(help);
		window->AddChild(bar);
		target = new RecordingView(BRect(10, 100, 389, 289), "Target");
		window->AddChild(target);
		open->SetTarget(target);
		edit->SetTargetForItems(target);
		window->Show();
		ASSERT_EQ(driver::Sync(window), B_OK);
	}

	void TearDown() override { app.Quit(); }

	int32 QuitRequests()
	{
		std::lock_guard<std::mutex> lock(window->fLock);
		return window->quitRequests;
	}

	TestApplication app;
	MenuTestWindow* window = nullptr;
	RecordingView* target = nullptr;
	BMenuBar* bar = nullptr;
	BMenu* file = nullptr;
	BMenu* edit = nullptr;
	BMenu* help = nullptr;
	BMenuItem* open = nullptr;
	BMenuItem* quit = nullptr;
	BMenuItem* copy = nullptr;
	BMenuItem* paste = nullptr;
};

TEST_F(MenuBarTest, TheBarFitsItsTitlesAndTheWindowsWidthAndIsTheKeyMenuBar)
{
	BAutolock lock(window);
	float line = BPrivate::StylePainter::LineHeight(bar);
	EXPECT_EQ(bar->Frame(), BRect(0, 0, 399, line + 6));
	EXPECT_EQ(window->KeyMenuBar(), bar);
	// The titles lie side by side from the left.
	EXPECT_EQ(bar->ItemAt(0)->Frame().left, 0);
	EXPECT_EQ(bar->ItemAt(1)->Frame().left, bar->ItemAt(0)->Frame().right + 1);
	// Following the window's width.
	window->ResizeTo(499, 299);
	EXPECT_EQ(bar->Frame().Width(), 499);
	// A bar taken out of the window is its key menu bar no longer.
	window->RemoveChild(bar);
	EXPECT_EQ(window->KeyMenuBar(), nullptr);
	window->AddChild(bar);
	EXPECT_EQ(window->KeyMenuBar(), bar);
}

TEST_F(MenuBarTest, CommandShortcutsOfTheItemsGoThroughTheWindow)
{
	// Ctrl+Q on an item without a target asks the window itself.
	driver::Shortcut('q');
	ASSERT_TRUE(driver::WaitFor([&] { return QuitRequests() == 1; }));
	EXPECT_EQ(window->beginnings, 1);
	EXPECT_EQ(window->endings, 1);

	driver::Shortcut('o');
	driver::Shortcut('v', B_COMMAND_KEY | B_SHIFT_KEY);
	ASSERT_TRUE(driver::WaitFor([&] { return CountMessages(target, kPaste) == 1; }));
	EXPECT_EQ(CountMessages(target, kOpen), 1u);

	// A disabled item takes its key and does nothing; Ctrl+V without Shift is not its key.
	{
		BAutolock lock(window);
		open->SetEnabled(false);
	}
	driver::Shortcut('o');
	driver::Shortcut('v');
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(CountMessages(target, kOpen), 1u);
	EXPECT_EQ(CountMessages(target, kPaste), 1u);
}

TEST_F(MenuBarTest, F10OpensTheFirstMenuAndTheArrowsWalkTheBar)
{
	driver::FunctionKey(B_F10_KEY);
	ASSERT_NE(WaitOpen(file), nullptr);
	EXPECT_TRUE(IsSelected(open));
	// The separator is skipped.
	driver::Key(B_DOWN_ARROW);
	EXPECT_TRUE(IsSelected(quit));
	driver::Key(B_RIGHT_ARROW);
	ASSERT_NE(WaitOpen(edit), nullptr);
	EXPECT_EQ(OpenWindow(file), nullptr);
	EXPECT_TRUE(IsSelected(copy));
	// Left from the first title wraps to the last.
	driver::Key(B_LEFT_ARROW);
	driver::Key(B_LEFT_ARROW);
	ASSERT_NE(WaitOpen(help), nullptr);
	driver::Key(B_RIGHT_ARROW);
	ASSERT_NE(WaitOpen(file), nullptr);
	driver::Key(B_RIGHT_ARROW);
	ASSERT_NE(WaitOpen(edit), nullptr);
	driver::Key(B_UP_ARROW);
	driver::Key(B_ENTER);
	ASSERT_TRUE(WaitEnded(window, 1));
	ASSERT_TRUE(driver::WaitFor([&] { return CountMessages(target, kPaste) == 1; }));
	EXPECT_EQ(window->beginnings, 1);

	// F10 again while the menus are open closes them.
	driver::FunctionKey(B_F10_KEY);
	ASSERT_NE(WaitOpen(file), nullptr);
	driver::FunctionKey(B_F10_KEY);
	ASSERT_TRUE(WaitEnded(window, 2));
	EXPECT_EQ(OpenWindow(file), nullptr);
}

TEST_F(MenuBarTest, StartMenuBarOpensTheTitleTheProgramNames)
{
	// As the application does for Alt+F: the menu opens with its first item selected, and
	// the item's letter chooses it.
	{
		BAutolock lock(window);
		bar->StartMenuBar(0, true, true);
	}
	ASSERT_NE(WaitOpen(file), nullptr);
	EXPECT_TRUE(IsSelected(open));
	driver::Type("q");
	ASSERT_TRUE(WaitEnded(window, 1));
	ASSERT_TRUE(driver::WaitFor([&] { return QuitRequests() == 1; }));

	// Without showing the menu only the title is highlighted; Down opens it.
	{
		BAutolock lock(window);
		bar->StartMenuBar(1, true, false);
	}
	ASSERT_TRUE(driver::WaitFor([&] { return window->beginnings == 2; }));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(OpenWindow(edit), nullptr);
	{
		BAutolock lock(window);
		BRect title = bar->ItemAt(1)->Frame();
		rgb_color pixel = driver::PixelAt(window, (int32)title.left + 1, (int32)title.top + 1);
		EXPECT_EQ(pixel, ui_color(B_CONTROL_HIGHLIGHT_COLOR));
	}
	driver::Key(B_DOWN_ARROW);
	ASSERT_NE(WaitOpen(edit), nullptr);
	EXPECT_TRUE(IsSelected(copy));
	driver::Key(B_ESCAPE);
	ASSERT_TRUE(WaitEnded(window, 2));
}

TEST_F(MenuBarTest, ThePointerOpensTitlesMovesAlongTheBarAndChooses)
{
	BPoint fileTitle, editTitle;
	{
		BAutolock lock(window);
		fileTitle = bar->ConvertToScreen(bar->ItemAt(0)->Frame().LeftTop() + BPoint(5, 5));
		editTitle = bar->ConvertToScreen(bar->ItemAt(1)->Frame().LeftTop() + BPoint(5, 5));
	}
	driver::ClickAt(fileTitle);
	BWindow* menuWindow = WaitOpen(file);
	ASSERT_NE(menuWindow, nullptr);
	// Below the title, past the bar's lower edge.
	{
		BAutolock lock(window);
		BRect titleFrame = bar->ConvertToScreen(bar->ItemAt(0)->Frame());
		EXPECT_EQ(menuWindow->Frame().LeftTop(),
		          BPoint(titleFrame.left, bar->ConvertToScreen(bar->Bounds()).bottom + 1));
	}
	driver::MoveTo(editTitle);
	ASSERT_NE(WaitOpen(edit), nullptr);
	EXPECT_EQ(OpenWindow(file), nullptr);
	driver::ClickAt(ItemCentre(copy));
	ASSERT_TRUE(WaitEnded(window, 1));
	ASSERT_TRUE(driver::WaitFor([&] { return CountMessages(target, kCopy) == 1; }));

	// Clicking the open title again closes its menu.
	driver::ClickAt(fileTitle);
	ASSERT_NE(WaitOpen(file), nullptr);
	driver::ClickAt(fileTitle);
	ASSERT_TRUE(WaitEnded(window, 2));
	EXPECT_EQ(CountMessages(target, kCopy), 1u);
}

} // namespace
