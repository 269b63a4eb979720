// Two applications of the family and one shared preferences window. This test program is A: it
// has the format item and hosts the window. The family's preferences program is B: it has the
// format and the flat tool bar items, sends its components to A's window and applies every
// change that reaches it by broadcast, reporting each on its output. Both share a private
// runtime folder and settings folder.
#include <gtest/gtest.h>

#include <memory>

#include <Autolock.h>
#include <CheckBox.h>
#include <MenuBar.h>

#include <TIAPPortManager.h>
#include <TIAPView.h>

#include "../support/BStringPrinter.h"
#include "ChildProgram.h"
#include "IAPWindowTestSupport.h"

namespace {

// B's signature, which its items' messages and files carry.
const char* const kOtherProgram = "application/x-vnd.Tamarack-GlowplateCommonPrefs";

class TIAPTwoApplicationsTest : public SharedWindowTest {
protected:
	void SetUp() override
	{
		SharedWindowTest::SetUp();
		Start([](TInterAppPrefs& store) { store.AddItem(new TIAPItemAccKeyFormat); }, 1);

		other = std::make_unique<ChildProgram>(
		    GLOWPLATE_COMMON_PREFS,
		    std::vector<std::string>{"--items=AccKeyFormat2,FlatToolBar", "--report"},
		    std::vector<std::string>{"GLOWPLATE_BACKEND=headless"});
		ASSERT_TRUE(other->Started());
		ASSERT_EQ(other->WaitForLine("ready"), "ready");
		ASSERT_TRUE(driver::WaitFor([&] { return Components() == 2; }));
		ASSERT_EQ(driver::Sync(window), B_OK);
	}

	void TearDown() override
	{
		other.reset();
		SharedWindowTest::TearDown();
	}

	// What B reports once it applied a change of the item: its store's answer and the format
	// its labels follow, escaped as it writes them.
	std::string Reported(const char* item)
	{
		return other->WaitForLine(std::string("changed ") + item);
	}

	std::unique_ptr<ChildProgram> other;
};

TEST_F(TIAPTwoApplicationsTest, TheWindowShowsTheFirstComponentOfANameAndChangesReachBoth)
{
	// A's format item came first; of B's components only the flat tool bar is added.
	BMessage components = window->View()->Components();
	BMessage format;
	ASSERT_EQ(components.FindMessage("AccKeyFormat2", 0, &format), B_OK);
	EXPECT_STREQ(format.GetString("IAP:SrcApp", ""), OWN_SIGNATURE);
	BMessage flat;
	ASSERT_EQ(components.FindMessage("FlatToolBar", 0, &flat), B_OK);
	EXPECT_STREQ(flat.GetString("IAP:SrcApp", ""), kOtherProgram);

	// A format chosen in A's window reaches B's store and the format B's labels follow; the
	// file is written once, by A, whose component it was.
	ChooseFormat(1);
	EXPECT_EQ(Reported("AccKeyFormat2"), "changed AccKeyFormat2 0 format=\\x01a) ");
	ASSERT_TRUE(driver::WaitFor([&] { return host->Value("AccKeyFormat2") == "\001a) "; }));
	std::optional<BMessage> file = ItemFile("AccKeyFormat2");
	ASSERT_TRUE(file);
	EXPECT_STREQ(file->GetString("IAP:SrcApp", ""), OWN_SIGNATURE);

	// B's own item: B takes it and writes its file; A has no such item.
	ASSERT_TRUE(driver::Click(Find<BCheckBox>("FFlat Tool Bar")));
	EXPECT_EQ(Reported("FlatToolBar"), "changed FlatToolBar 0 format=\\x01a) ");
	ASSERT_TRUE(driver::WaitFor([&] {
		std::optional<BMessage> written = ItemFile("FlatToolBar");
		return written && !written->GetBool("FlatToolBar", true);
	}));
	EXPECT_STREQ(ItemFile("FlatToolBar")->GetString("IAP:SrcApp", ""), kOtherProgram);

	// Cancel puts both back, in both applications.
	driver::Key(B_ESCAPE);
	EXPECT_EQ(Reported("AccKeyFormat2"), "changed AccKeyFormat2 0 format=\\x02(a)");
	EXPECT_EQ(Reported("FlatToolBar"), "changed FlatToolBar 0 format=\\x02(a)");
	EXPECT_TRUE(ItemFile("FlatToolBar")->GetBool("FlatToolBar", false));
	EXPECT_TRUE(Hidden());
}

TEST_F(TIAPTwoApplicationsTest, ReopenedItIsTheSameWindowAndItsPortGoesWithItsHost)
{
	driver::Key(B_ESCAPE);
	ASSERT_TRUE(driver::WaitFor([&] { return Hidden(); }));
	EXPECT_EQ(Reported("AccKeyFormat2"), "changed AccKeyFormat2 0 format=\\x02(a)");
	EXPECT_EQ(Reported("FlatToolBar"), "changed FlatToolBar 0 format=\\x02(a)");
	host->ShowWindow();
	ASSERT_TRUE(driver::WaitFor([&] { return !Hidden(); }));
	EXPECT_EQ(host->SharedWindow(), window);
	EXPECT_EQ(host->CountWindows(), 1);
	EXPECT_EQ(Components(), 2);

	// Defaults, then OK, keep the defaults in B.
	ChooseFormat(3);
	EXPECT_EQ(Reported("AccKeyFormat2"), "changed AccKeyFormat2 0 format=\\x01a - ");
	ASSERT_TRUE(driver::Click(Find<BCheckBox>("FFlat Tool Bar")));
	EXPECT_EQ(Reported("FlatToolBar"), "changed FlatToolBar 0 format=\\x01a - ");
	driver::Shortcut('d', B_CONTROL_KEY);
	EXPECT_EQ(Reported("AccKeyFormat2"), "changed AccKeyFormat2 0 format=\\x02(a)");
	EXPECT_EQ(Reported("FlatToolBar"), "changed FlatToolBar 0 format=\\x02(a)");
	driver::Key(B_ENTER);
	ASSERT_TRUE(driver::WaitFor([&] { return Hidden(); }));
	EXPECT_TRUE(ItemFile("FlatToolBar")->GetBool("FlatToolBar", false));

	// A quits: its window and the port go, and B, whose items were shown there, ends too.
	port_id port = window->Port();
	EXPECT_EQ(find_port(PORT_NAME), port);
	BMessenger(host).SendMessage(B_QUIT_REQUESTED);
	EXPECT_TRUE(driver::WaitFor([] { return find_port(PORT_NAME) < 0; }));
	EXPECT_EQ(other->Wait(), 0);
}

} // namespace

namespace {

// The program hosts the window itself: closing the window ends it.
class TIAPProgramHostsTest : public SharedPrefsTest {
protected:
	PrivateRuntimeFolder folder;
};

TEST_F(TIAPProgramHostsTest, TheProgramEndsWhenTheWindowItHostsIsClosed)
{
	ChildProgram program(GLOWPLATE_COMMON_PREFS, {"--report"}, {"GLOWPLATE_BACKEND=headless"});
	ASSERT_EQ(program.WaitForLine("ready"), "ready");
	EXPECT_GE(find_port(PORT_NAME), 0);

	// Another application closes it over the port, as its close box would.
	TInterAppPrefs other;
	EXPECT_EQ(other.CloseWindow(false), -1) << "only by force: it did not make the window";
	EXPECT_EQ(other.CloseWindow(true), B_OK);
	EXPECT_EQ(program.Wait(), 0);
	EXPECT_LT(find_port(PORT_NAME), 0);
}

} // namespace
