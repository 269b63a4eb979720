// The application as a user meets it, through real input on the headless display: the first
// start, quitting from the menu, with Ctrl+Q and with the close box (each leaving the frame
// and the text for the next start), the menus' Alt letters, the about box, saving from the
// menu, the shared preferences' change messages and the four-key reset at quit.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>

#include <Alert.h>
#include <Button.h>
#include <Autolock.h>
#include <FilePanel.h>
#include <Menu.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <MessageFilter.h>
#include <TextControl.h>
#include <TextView.h>

#include <AccLabel.h>
#include <Globals.h>
#include <HeadlessBackend.h>
#include <TDisplayView.h>
#include <TGlowplateApp.h>
#include <TGlowplateView.h>
#include <TPaletteView.h>
#include <TGlowplateWindow.h>
#include <TIAPItem.h>
#include <TIAPItemAccKeyFormat.h>

#include "AppRun.h"
#include "ModifiersSource.h"
#include "TestDriver.h"
#include "WindowPrivate.h"

namespace {

namespace fs = std::filesystem;

const uint32 kResetKeys = B_SHIFT_KEY | B_COMMAND_KEY | B_CONTROL_KEY | B_OPTION_KEY;

BTextControl* text_field(BWindow* window)
{
	BAutolock lock(window);
	return dynamic_cast<BTextControl*>(window->FindView("TxtCtrlDisplayText"));
}

BMenuBar* menu_bar(BWindow* window)
{
	BAutolock lock(window);
	return dynamic_cast<BMenuBar*>(window->FindView("MenuBar"));
}

// Replaces the sign's text as a user does: click, select all, type.
void type_text(BWindow* window, const std::string& text)
{
	BTextControl* field = text_field(window);
	ASSERT_NE(field, nullptr);
	ASSERT_TRUE(driver::Click(field->TextView()));
	driver::Shortcut('a');
	driver::Type(text);
	ASSERT_EQ(driver::Sync(window), B_OK);
}

// The record the program wrote at its end, read as the next start reads it.
TExitStates saved_exit_states()
{
	TExitStates states;
	states.LoadFromFile();
	return states;
}

// The menu bar's title at the index, in screen coordinates.
BPoint title_centre(BWindow* window, BMenuBar* bar, int32 index)
{
	BAutolock lock(window);
	BRect frame = bar->ConvertToScreen(bar->ItemAt(index)->Frame());
	return BPoint((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2);
}

// The alert that is up, or null.
BAlert* current_alert()
{
	for (int32 i = 0; BWindow* window = be_app->WindowAt(i); i++) {
		if (BAlert* alert = dynamic_cast<BAlert*>(window))
			return alert;
	}
	return nullptr;
}

// The alert that comes up, once it has drawn.
BAlert* wait_for_alert()
{
	BAlert* found = nullptr;
	driver::WaitFor([&] {
		found = current_alert();
		return found != nullptr && driver::Sync(found) == B_OK;
	});
	return found;
}

TEST(AppStart, OpensWhereTheDefaultsSayAndDrawsTheStoredTextAtOnce)
{
	AppRun run;
	run.Start();
	TGlowplateWindow* window = run.Window();
	ASSERT_NE(window, nullptr);
	{
		BAutolock lock(window);
		EXPECT_EQ(window->Frame().LeftTop(), BPoint(50, 50));
		// The editor's width, whatever the stored frame said.
		EXPECT_EQ(window->Bounds().Width(), 620);
		EXPECT_STREQ(window->Title(), "グロープレート Maker");
	}
	BMenuBar* bar = menu_bar(window);
	ASSERT_NE(bar, nullptr);
	{
		BAutolock lock(window);
		ASSERT_EQ(bar->CountItems(), 2);
		EXPECT_STREQ(bar->ItemAt(0)->Label(), "ファイル(F)");
		EXPECT_STREQ(bar->ItemAt(1)->Label(), "ヘルプ(H)");
		BMenu* file = bar->SubmenuAt(0);
		BMenuItem* quit = file->ItemAt(file->CountItems() - 1);
		EXPECT_STREQ(quit->Label(), "終了(Q)");
		EXPECT_EQ(quit->Shortcut(), 'Q');
		EXPECT_EQ(bar->SubmenuAt(1)->CountItems(), 1);
	}
	EXPECT_STREQ(text_field(window)->Text(), "各駅停車");
	// The stored text's picture comes without any input: far wider than the one space the
	// display shows before its first text.
	TDisplayView* display = window->EditorView()->DisplayView();
	EXPECT_TRUE(driver::WaitFor([&] {
		BAutolock lock(window);
		return display->Bounds().Width() > 200;
	}));
}

TEST(AppQuit, CtrlQKeepsTheFrameAndTheTextForTheNextStart)
{
	AppRun run;
	run.Start();
	TGlowplateWindow* window = run.Window();
	ASSERT_NE(window, nullptr);
	driver::Backend()->InjectUserMove(BPrivate::WindowAccess::BackendId(window), 230, 140);
	ASSERT_TRUE(driver::WaitFor([&] {
		BAutolock lock(window);
		return window->Frame().LeftTop() == BPoint(230, 140);
	}));
	type_text(window, "Tokyo");
	// A favourite kept the way a user keeps one: the edited colour (FG, white by default)
	// dragged from the preview well onto the fourth set's BG well.
	TGlowplateView* editor = window->EditorView();
	BPoint from = driver::ScreenCentre(editor->PreviewWell());
	BPoint to = driver::ScreenCentre(editor->FavoriteWell(3, 1));
	driver::Press(from);
	driver::MoveTo(BPoint(from.x + 5, from.y + 5));
	ASSERT_EQ(driver::Sync(window), B_OK);
	driver::MoveTo(to);
	driver::Release(to);
	ASSERT_EQ(driver::Sync(window), B_OK);
	BRect frame;
	rgb_color kept;
	{
		BAutolock lock(window);
		frame = window->Frame();
		kept = editor->PreviewWell()->Color();
		ASSERT_EQ(editor->FavoriteWell(3, 1)->Color(), kept);
	}
	driver::Shortcut('q');
	ASSERT_TRUE(run.WaitForEnd());
	TExitStates states = saved_exit_states();
	EXPECT_EQ(states.mDisplayText, "Tokyo");
	EXPECT_EQ(states.mWindowFrame, frame);
	EXPECT_EQ(states.mFavoriteColorSets[3][1], kept);
	EXPECT_EQ(states.mFavoriteColorSets[0][0], make_color(0, 0, 0));
	EXPECT_TRUE(fs::exists(run.SettingsFile("Glowplate_Property.arc")));
}

TEST(AppQuit, TheCloseBoxTheMenuItemAndCtrlWQuitAsWell)
{
	{
		AppRun run;
		run.Start();
		TGlowplateWindow* window = run.Window();
		ASSERT_NE(window, nullptr);
		type_text(window, "Kyoto");
		driver::Backend()->InjectCloseRequest(BPrivate::WindowAccess::BackendId(window));
		ASSERT_TRUE(run.WaitForEnd());
		EXPECT_EQ(saved_exit_states().mDisplayText, "Kyoto");
	}
	{
		AppRun run;
		run.Start();
		TGlowplateWindow* window = run.Window();
		ASSERT_NE(window, nullptr);
		type_text(window, "Osaka");
		BMenuBar* bar = menu_bar(window);
		driver::ClickAt(title_centre(window, bar, 0));
		BMenu* file = bar->SubmenuAt(0);
		BMenuItem* quit = nullptr;
		ASSERT_TRUE(driver::WaitFor([&] {
			BAutolock lock(window);
			quit = file->ItemAt(file->CountItems() - 1);
			return file->Window() != nullptr && !file->Window()->IsHidden();
		}));
		BRect itemFrame;
		{
			BAutolock lock(file->Window());
			itemFrame = file->ConvertToScreen(quit->Frame());
		}
		driver::ClickAt(BPoint((itemFrame.left + itemFrame.right) / 2,
		                       (itemFrame.top + itemFrame.bottom) / 2));
		ASSERT_TRUE(run.WaitForEnd());
		EXPECT_EQ(saved_exit_states().mDisplayText, "Osaka");
	}
	{
		// Ctrl+W closes the window, which is quitting for the only window there is.
		AppRun run;
		run.Start();
		TGlowplateWindow* window = run.Window();
		ASSERT_NE(window, nullptr);
		type_text(window, "Kobe");
		driver::Shortcut('w');
		ASSERT_TRUE(run.WaitForEnd());
		EXPECT_EQ(saved_exit_states().mDisplayText, "Kobe");
	}
}

// Holding Shift, Ctrl, Alt and Super while the program starts throws the settings away: the
// window comes up with the defaults.
TEST(AppStart, TheFourKeysHeldAtStartBeginAfresh)
{
	AppRun run;
	{
		TExitStates left;
		left.mDisplayText = "Sendai";
		ASSERT_EQ(left.SaveToFile(), B_OK);
	}
	BPrivate::set_headless_modifiers(kResetKeys);
	run.Start();
	TGlowplateWindow* window = run.Window();
	BPrivate::set_headless_modifiers(0);
	ASSERT_NE(window, nullptr);
	EXPECT_STREQ(text_field(window)->Text(), "各駅停車");
	EXPECT_FALSE(fs::exists(run.SettingsFile("Glowplate_ExitStates.arc")));
}

// Holding Shift, Ctrl, Alt and Super while the program quits leaves the files as they were.
TEST(AppQuit, TheFourKeysHeldAtQuitSaveNothing)
{
	AppRun run;
	run.Start();
	TGlowplateWindow* window = run.Window();
	ASSERT_NE(window, nullptr);
	type_text(window, "Nagoya");
	BPrivate::set_headless_modifiers(kResetKeys);
	driver::Backend()->InjectCloseRequest(BPrivate::WindowAccess::BackendId(window));
	ASSERT_TRUE(run.WaitForEnd());
	BPrivate::set_headless_modifiers(0);
	EXPECT_FALSE(fs::exists(run.SettingsFile("Glowplate_ExitStates.arc")));
	EXPECT_FALSE(fs::exists(run.SettingsFile("Glowplate_Property.arc")));
}

// Alt with the letter a menu title shows opens that menu, F10 the first; Alt+H and Enter show
// the about box.
TEST(AppMenus, AltLettersAndF10OpenTheMenusAndTheAboutBoxNamesTheProgram)
{
	AppRun run;
	run.Start();
	TGlowplateWindow* window = run.Window();
	ASSERT_NE(window, nullptr);
	BMenuBar* bar = menu_bar(window);
	BMenu* file = bar->SubmenuAt(0);
	driver::Shortcut('f', B_CONTROL_KEY);
	ASSERT_TRUE(driver::WaitFor([&] {
		BAutolock lock(window);
		return file->Window() != nullptr && !file->Window()->IsHidden();
	}));
	driver::Key(B_ESCAPE);
	auto fileClosed = [&] {
		BAutolock lock(window);
		return file->Window() == nullptr || file->Window()->IsHidden();
	};
	ASSERT_TRUE(driver::WaitFor(fileClosed));
	// F10 opens the first menu, as on other desktops.
	driver::FunctionKey(B_F10_KEY);
	ASSERT_TRUE(driver::WaitFor([&] { return !fileClosed(); }));
	driver::Key(B_ESCAPE);
	ASSERT_TRUE(driver::WaitFor(fileClosed));

	driver::Shortcut('h', B_CONTROL_KEY);
	BMenu* help = bar->SubmenuAt(1);
	ASSERT_TRUE(driver::WaitFor([&] {
		BAutolock lock(window);
		return help->Window() != nullptr && !help->Window()->IsHidden();
	}));
	driver::Key(B_ENTER);
	BAlert* about = wait_for_alert();
	ASSERT_NE(about, nullptr);
	{
		BAutolock lock(about);
		EXPECT_STREQ(about->Text(), "グロープレート Maker    Ver 1.4\n"
		                                        "Copyright © 2026 The Glowplate Maker developers");
		ASSERT_EQ(about->CountButtons(), 1);
		EXPECT_STREQ(about->ButtonAt(0)->Label(), "OK");
	}
	driver::Key(B_ENTER);
	ASSERT_TRUE(driver::WaitFor([&] { return current_alert() == nullptr; }));
	EXPECT_EQ(driver::Sync(window), B_OK);
}

// Ctrl+S saves as the editor's button does: the save panel comes up.
TEST(AppMenus, CtrlSOpensTheSavePanel)
{
	AppRun run;
	run.Start();
	TGlowplateWindow* window = run.Window();
	ASSERT_NE(window, nullptr);
	driver::Shortcut('s');
	ASSERT_TRUE(driver::WaitFor([&] {
		BAutolock lock(window);
		BFilePanel* panel = window->EditorView()->SavePanel();
		return panel != nullptr && panel->IsShowing();
	}));
}

// Counts the shared preferences' change messages that reach the window.
class ChangeCounter : public BMessageFilter {
public:
	ChangeCounter() : BMessageFilter(IAP_MSG_CHANGED) {}
	filter_result Filter(BMessage*, BHandler** target) override
	{
		// The window hands each on to its view, which passes this filter a second time.
		if (*target == Looper())
			count++;
		return B_DISPATCH_MESSAGE;
	}
	std::atomic<int32> count{0};
};

BMessage change_message(const char* item, const char* value)
{
	BMessage message(IAP_MSG_CHANGED);
	message.AddString(IAP_FIELD_SRC_APP, "application/x-vnd.Tamarack-SomeOtherApp");
	if (item != nullptr) {
		message.AddString(IAP_FIELD_SRC_ITEM, item);
		message.AddString(item, value);
	}
	return message;
}

TEST(AppSharedPreferences, AFormatChangeIsReadAgainAndEveryChangeReachesTheWindow)
{
	AppRun run;
	run.Start();
	TGlowplateWindow* window = run.Window();
	ASSERT_NE(window, nullptr);
	ChangeCounter* counter = new ChangeCounter;
	{
		BAutolock lock(window);
		window->AddCommonFilter(counter);
	}
	BMessage format = change_message(IAP_NAME_ACC_KEY_FORMAT, IAP_ACC_KEY_FORMAT_PAREN);
	be_app_messenger.SendMessage(&format);
	ASSERT_TRUE(driver::WaitFor([&] { return counter->count == 1; }));
	EXPECT_EQ(gAppPrivacy.mAccKeyFormat, IAP_ACC_KEY_FORMAT_PAREN);
	EXPECT_EQ(acc_label("S", "Save"), "S) Save");
	// Labels already shown keep their letters until the next start.
	{
		BAutolock lock(window);
		EXPECT_STREQ(menu_bar(window)->ItemAt(0)->Label(), "ファイル(F)");
	}

	// Another item, and a message that names none: the format stays, the window hears of both.
	BMessage other = change_message("FlatToolBar", "1");
	be_app_messenger.SendMessage(&other);
	BMessage anonymous = change_message(nullptr, nullptr);
	be_app_messenger.SendMessage(&anonymous);
	ASSERT_TRUE(driver::WaitFor([&] { return counter->count == 3; }));
	EXPECT_EQ(gAppPrivacy.mAccKeyFormat, IAP_ACC_KEY_FORMAT_PAREN);
}

} // namespace
