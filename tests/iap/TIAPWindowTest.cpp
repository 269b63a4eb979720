// The shared preferences window in one application, through real input: the components it is
// sent, edits that reach the store and the window's own labels, Cancel, Defaults and OK, the
// close box and quit requests over the port, what it refuses of archives from other processes,
// and its end.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include <Autolock.h>
#include <Button.h>
#include <CheckBox.h>
#include <HeadlessBackend.h>
#include <MenuBar.h>
#include <TextControl.h>
#include <TextView.h>

#include <TIAPItemFlatToolBar.h>
#include <TLocale.h>
#include <TIAPItemLocale.h>
#include <TIAPPortManager.h>
#include <TIAPView.h>

#include "../support/BStringPrinter.h"
#include "IAPWindowTestSupport.h"

namespace {

class TIAPWindowTest : public SharedWindowTest {
protected:
	void SetUp() override
	{
		SharedWindowTest::SetUp();
		Start(
		    [](TInterAppPrefs& store) {
			    store.AddItem(new TIAPItemAccKeyFormat);
			    store.AddItem(new TIAPItemFlatToolBar);
			    store.AddItem(new TIAPItemLocale);
		    },
		    3);
	}
};

TEST_F(TIAPWindowTest, TheWindowStacksTheComponentsAboveTheButtonsAndIsFoundAgain)
{
	EXPECT_STREQ(window->Title(), "KESTRA Common Preferences");
	EXPECT_GT(window->Port(), 0);
	EXPECT_EQ(find_port(PORT_NAME), window->Port());
	{
		BAutolock lock(window);
		EXPECT_EQ(window->Look(), B_TITLED_WINDOW_LOOK);
		EXPECT_NE(window->Flags() & B_NOT_RESIZABLE, 0u);
		TIAPView* view = window->View();
		const char* order[] = {"AccKeyFormat2", "FlatToolBar", "Locale"};
		float top = 10;
		for (const char* name : order) {
			BView* component = view->Component(name);
			ASSERT_NE(component, nullptr) << name;
			EXPECT_EQ(component->Frame().LeftTop(), BPoint(10, top)) << name;
			top = component->Frame().bottom + 10;
		}
		BView* buttons = view->FindView("ButtonContainer");
		EXPECT_EQ(buttons->Frame(), BRect(0, top, 300, top + 45));
		EXPECT_EQ(window->Bounds(), BRect(0, 0, 300, top + 45));
		EXPECT_EQ(window->DefaultButton(), view->FindView("ButtonOK"));
	}
	EXPECT_EQ(Label("AAccelerator Format: "), "Accelerator Format(A): ");
	EXPECT_EQ(Label("FFlat Tool Bar"), "Flat Tool Bar(F)");
	EXPECT_EQ(Label("LLocale: "), "Locale(L): ");
	EXPECT_EQ(Label("ButtonDefaults"), "Defaults(D)");
	EXPECT_EQ(Label("ButtonCancel"), "Cancel");
	EXPECT_EQ(Label("ButtonOK"), "OK");
	EXPECT_EQ(Find<BCheckBox>("FFlat Tool Bar")->Value(), B_CONTROL_ON);
	EXPECT_STREQ(Find<BTextControl>("LLocale: ")->Text(), "enUS");

	// Shown again: the same window, its components once.
	host->ShowWindow();
	ASSERT_EQ(driver::Sync(window), B_OK);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(host->SharedWindow(), window);
	EXPECT_EQ(host->CountWindows(), 1);
	EXPECT_EQ(Components(), 3);
}

TEST_F(TIAPWindowTest, AFormatChosenInTheMenuReachesTheStoreAndRelabelsTheWindow)
{
	ChooseFormat(1);
	ASSERT_TRUE(ValueBecomes("AccKeyFormat2", "\001a) "));
	EXPECT_EQ(host->Value("format"), "\001a) ");
	EXPECT_EQ(Label("AAccelerator Format: "), "A) Accelerator Format: ");
	EXPECT_EQ(Label("FFlat Tool Bar"), "F) Flat Tool Bar");
	EXPECT_EQ(Label("ButtonDefaults"), "D) Defaults");

	// The owner of the item writes the file; the change carries the component's archive.
	std::optional<BMessage> file = ItemFile("AccKeyFormat2");
	ASSERT_TRUE(file);
	EXPECT_STREQ(file->GetString("AccKeyFormat2", ""), "\001a) ");
	std::vector<BMessage> changes = host->Changes();
	ASSERT_FALSE(changes.empty());
	EXPECT_EQ(changes.back().what, (uint32)'_ipc');
	EXPECT_STREQ(changes.back().GetString("_name", ""), "AccKeyFormat2");
	EXPECT_TRUE(changes.back().HasMessage("_views"));
	BMessage working;
	ASSERT_EQ(window->View()->Components().FindMessage("AccKeyFormat2", 1, &working), B_OK);
	EXPECT_STREQ(working.GetString("AccKeyFormat2", ""), "\001a) ");

	// The letter of the new labels works: Alt+F toggles the check box.
	driver::Shortcut('f', B_CONTROL_KEY);
	ASSERT_TRUE(ValueBecomes("FlatToolBar", "false"));
}

TEST_F(TIAPWindowTest, AChangeOfLanguageRetitlesAndRelabelsTheWindow)
{
	std::string folder = Config() + "/dictionaries";
	WriteFile(folder + "/Language/Dictionaries/iap.enUS",
	          "KESTRA Common Preferences\tPréférences communes\nDefaults\tDéfaut\n"
	          "Flat Tool Bar\tBarre plate\n");
	ASSERT_EQ(gLocale.LoadLanguageFile(folder.c_str(), "iap.enUS", false), B_OK);
	window->PostMessage('_lng');
	EXPECT_TRUE(driver::WaitFor([&] {
		BAutolock lock(window);
		return strcmp(window->Title(), "Préférences communes") == 0;
	}));
	EXPECT_TRUE(driver::WaitFor([&] { return Label("ButtonDefaults") == "Défaut(D)"; }));
	EXPECT_EQ(Label("FFlat Tool Bar"), "Barre plate(F)");

	// The program's locale is empty again for the other tests.
	WriteFile(folder + "/Language/Dictionaries/iap.enUS", "");
	ASSERT_EQ(gLocale.LoadLanguageFile(folder.c_str(), "iap.enUS", false), B_OK);
}

TEST_F(TIAPWindowTest, CancelPutsTheOpeningValuesBackAndDefaultsThenOKKeepsTheDefaults)
{
	ASSERT_TRUE(driver::Click(Find<BCheckBox>("FFlat Tool Bar")));
	ASSERT_TRUE(ValueBecomes("FlatToolBar", "false"));
	ASSERT_TRUE(driver::Click(Find<BTextControl>("LLocale: ")->TextView()));
	driver::Shortcut('a');
	driver::Type("frFR");
	ASSERT_TRUE(ValueBecomes("Locale", "frFR"));

	driver::Key(B_ESCAPE);
	ASSERT_TRUE(ValueBecomes("FlatToolBar", "true"));
	ASSERT_TRUE(ValueBecomes("Locale", "enUS"));
	EXPECT_TRUE(Hidden());
	EXPECT_EQ(Find<BCheckBox>("FFlat Tool Bar")->Value(), B_CONTROL_ON) << "shown as it was";
	EXPECT_STREQ(Find<BTextControl>("LLocale: ")->Text(), "enUS");
	EXPECT_EQ(Components(), 3);

	// Opened again, a prefix format makes Alt+D the shortcut of Defaults, which puts the
	// default format back and relabels the window; the window stays open.
	host->ShowWindow();
	ASSERT_TRUE(driver::WaitFor([&] { return !Hidden(); }));
	ChooseFormat(2);
	ASSERT_TRUE(ValueBecomes("AccKeyFormat2", "\001a・"));
	EXPECT_EQ(Label("ButtonDefaults"), "D・Defaults");
	ASSERT_TRUE(driver::Click(Find<BCheckBox>("FFlat Tool Bar")));
	driver::Shortcut('d', B_CONTROL_KEY);
	ASSERT_TRUE(ValueBecomes("AccKeyFormat2", "\002(a)"));
	ASSERT_TRUE(ValueBecomes("FlatToolBar", "true"));
	EXPECT_EQ(Label("ButtonDefaults"), "Defaults(D)") << "the window's labels follow";
	EXPECT_FALSE(Hidden());

	// The replaced components still report: the check box after Defaults.
	ASSERT_TRUE(driver::Click(Find<BCheckBox>("FFlat Tool Bar")));
	ASSERT_TRUE(ValueBecomes("FlatToolBar", "false"));
	driver::Shortcut('f', B_CONTROL_KEY);
	ASSERT_TRUE(ValueBecomes("FlatToolBar", "true"));

	// Enter is OK: the defaults become what Cancel returns to.
	driver::Key(B_ENTER);
	ASSERT_TRUE(driver::WaitFor([&] { return Hidden(); }));
	host->ShowWindow();
	ASSERT_TRUE(driver::WaitFor([&] { return !Hidden(); }));
	ChooseFormat(5);
	ASSERT_TRUE(ValueBecomes("AccKeyFormat2", ""));
	EXPECT_EQ(Label("ButtonDefaults"), "Defaults");
	driver::Key(B_ESCAPE);
	ASSERT_TRUE(ValueBecomes("AccKeyFormat2", "\002(a)"));
	EXPECT_EQ(Label("ButtonDefaults"), "Defaults(D)");
}

TEST_F(TIAPWindowTest, TheCloseBoxAndAQuitRequestOverThePortHideAndUndo)
{
	ASSERT_TRUE(driver::Click(Find<BCheckBox>("FFlat Tool Bar")));
	ASSERT_TRUE(ValueBecomes("FlatToolBar", "false"));
	app->Backend()->InjectCloseRequest(BPrivate::WindowAccess::BackendId(window));
	ASSERT_TRUE(ValueBecomes("FlatToolBar", "true"));
	EXPECT_TRUE(Hidden());
	EXPECT_EQ(host->SharedWindow(), window) << "hidden, not gone";

	host->ShowWindow();
	ASSERT_TRUE(driver::WaitFor([&] { return !Hidden(); }));
	ASSERT_TRUE(driver::Click(Find<BCheckBox>("FFlat Tool Bar")));
	ASSERT_TRUE(ValueBecomes("FlatToolBar", "false"));
	EXPECT_EQ(host->CloseWindow(false), B_OK) << "this application made the window";
	ASSERT_TRUE(ValueBecomes("FlatToolBar", "true"));
	ASSERT_TRUE(driver::WaitFor([&] { return Hidden(); }));

	// Another store did not make it: it may only close it by force.
	TInterAppPrefs stranger;
	EXPECT_EQ(stranger.CloseWindow(false), -1);
	host->ShowWindow();
	ASSERT_TRUE(driver::WaitFor([&] { return !Hidden(); }));
	EXPECT_EQ(stranger.CloseWindow(true), B_OK);
	ASSERT_TRUE(driver::WaitFor([&] { return Hidden(); }));

	// The application quits as asked by the user: the window goes, and its port with it.
	BMessenger(host).SendMessage(B_QUIT_REQUESTED);
	EXPECT_TRUE(driver::WaitFor([] { return find_port(PORT_NAME) < 0; }));
}

// --- archives from other processes -----------------------------------------------------------

// A component as another application could send it: a view with a check box.
BMessage component(const char* name, BRect frame = BRect(0, 0, 250, 25))
{
	BView view(frame, name, B_FOLLOW_LEFT_TOP, 0);
	view.AddChild(new BCheckBox(frame.OffsetToCopy(0, 0), "XSomething", "", new BMessage('ictc')));
	BMessage archive;
	view.Archive(&archive, true);
	return archive;
}

TEST_F(TIAPWindowTest, ArchivesFromOtherProcessesAreCheckedAndCountsBounded)
{
	BMessage request('iacr');
	BMessage ghost;
	ghost.AddString("class", "NoSuchClass");
	ghost.AddString("_name", "Ghost");
	ghost.AddRect("_frame", BRect(0, 0, 10, 10));
	request.AddMessage("Ghost", &ghost);
	auto add = [&](const char* field, const BMessage& archive) {
		request.AddMessage(field, &archive);
	};
	add("Alias", component("Other"));
	add("Huge", component("Huge", BRect(0, 0, 1e9, 25)));
	add("NaN", component("NaN", BRect(0, 0, NAN, 25)));
	add("ButtonContainer", component("ButtonContainer"));
	request.AddString("Text", "not an archive");
	BMessage deep = component("Deep");
	for (int32 i = 0; i < 40; i++) {
		BMessage outer = component("Deep");
		outer.AddMessage("_views", &deep);
		deep = outer;
	}
	request.AddMessage("Deep", &deep);
	BMessage hidden = component("Hidden");
	BMessage inner = component("Inner", BRect(0, 0, 100000, 100000));
	hidden.AddMessage("_views", &inner);
	request.AddMessage("Hidden", &hidden);
	// What it sends when it is put back is a change, whatever code it came with.
	BMessage evil = component("Evil");
	evil.what = B_QUIT_REQUESTED;
	request.AddMessage("Evil", &evil);
	request.AddMessage("Evil", &evil);
	request.AddMessage("Evil", &evil);
	for (int32 i = 0; i < 30; i++) {
		BString name("Extra");
		name << i;
		add(name.String(), component(name.String()));
	}
	TInterAppPrefs sender;
	ASSERT_EQ(sender.SendMessage(window->Port(), &request), B_OK);
	ASSERT_TRUE(driver::WaitFor([&] { return Components() > 3; }));
	ASSERT_EQ(driver::Sync(window), B_OK);

	EXPECT_EQ(Components(), TIAPView::kMaxComponents);
	{
		BAutolock lock(window);
		TIAPView* view = window->View();
		for (const char* refused : {"Ghost", "Alias", "Other", "Huge", "NaN", "Deep", "Hidden"})
			EXPECT_EQ(view->Component(refused), nullptr) << refused;
		EXPECT_NE(view->Component("Evil"), nullptr);
		EXPECT_EQ(view->Components().CountNames(B_MESSAGE_TYPE), TIAPView::kMaxComponents);
		EXPECT_LE(window->Bounds().Height(), 16 * (TIAPView::kMaxComponentHeight + 10) + 45);
	}

	driver::Key(B_ESCAPE);
	ASSERT_TRUE(driver::WaitFor([&] {
		for (const BMessage& change : host->Changes()) {
			if (strcmp(change.GetString("_name", ""), "Evil") == 0)
				return true;
		}
		return false;
	}));
	for (const BMessage& change : host->Changes())
		EXPECT_EQ(change.what, (uint32)'_ipc');
	EXPECT_EQ(host->Value("FlatToolBar"), "true") << "the application still runs";
	host->ShowWindow();
	ASSERT_TRUE(driver::WaitFor([&] { return !Hidden(); }));
}

TEST_F(TIAPWindowTest, WithoutComponentsTheWindowHoldsTheButtonRow)
{
	Start(nullptr, 0);
	BAutolock lock(window);
	EXPECT_EQ(window->Bounds(), BRect(0, 0, 300, 45));
	EXPECT_EQ(window->View()->FindView("ButtonContainer")->Frame().LeftTop(), BPoint(0, 0));
}

TEST_F(TIAPWindowTest, TheWindowEndsItsPortThreadAlsoWhenItsQueueIsFull)
{
	port_id port = window->Port();
	// The window takes nothing while the test holds it, so the port thread fills its queue
	// and then waits for room with the port full behind it.
	ASSERT_TRUE(window->Lock());
	BMessage wake(IAP_MSG_ACTIVATE_WINDOW);
	std::vector<char> bytes((size_t)wake.FlattenedSize());
	wake.Flatten(bytes.data(), (ssize_t)bytes.size());
	ASSERT_TRUE(driver::WaitFor([&] {
		write_port_etc(port, 0, bytes.data(), bytes.size(), B_RELATIVE_TIMEOUT, 0);
		return port_count(port) == TIAPPortManager::kPortCapacity;
	}));
	window->Quit();
	EXPECT_LT(find_port(PORT_NAME), 0);
	EXPECT_EQ(host->SharedWindow(), nullptr);
}

} // namespace
