// The file panel through real input: from the name field to the save request, replacing a
// file only when the user agrees, refusing names it cannot use, cancelling every way, moving
// between folders, and saying so when a folder cannot be read.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <mutex>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <Alert.h>
#include <Application.h>
#include <Autolock.h>
#include <Button.h>
#include <Entry.h>
#include <FilePanel.h>
#include <ListView.h>
#include <Message.h>
#include <Path.h>
#include <TextControl.h>
#include <TextView.h>
#include <Window.h>

#include <HeadlessBackend.h>

#include "FilePanelWindow.h"
#include "WindowPrivate.h"
#include "FolderListing.h"
#include "PlatformText.h"
#include "TestApplication.h"
#include "TestDriver.h"

namespace {

namespace fs = std::filesystem;

// Keeps the panel's answers.
class AnswerWindow : public BWindow {
public:
	AnswerWindow() : BWindow(BRect(10, 10, 59, 59), "Answers", B_TITLED_WINDOW, 0) {}
	void MessageReceived(BMessage* message) override
	{
		if (message->what == B_SAVE_REQUESTED || message->what == B_CANCEL ||
		    message->what == B_REFS_RECEIVED) {
			std::lock_guard<std::mutex> lock(fLock);
			fAnswers.push_back(*message);
			return;
		}
		BWindow::MessageReceived(message);
	}
	std::vector<BMessage> Answers()
	{
		std::lock_guard<std::mutex> lock(fLock);
		return fAnswers;
	}

private:
	std::mutex fLock;
	std::vector<BMessage> fAnswers;
};

class FilePanelTest : public ::testing::Test {
protected:
	// The panel speaks the language the test asks for, whatever the machine's locale is.
	virtual BPrivate::PlatformLanguage Language() const
	{
		return BPrivate::PlatformLanguage::kEnglish;
	}

	void SetUp() override
	{
		BPrivate::set_platform_language(Language());
		char pattern[] = "/tmp/glowplate-panel-XXXXXX";
		folder = mkdtemp(pattern);
		fs::create_directory(folder + "/Beta");
		fs::create_directory(folder + "/alpha");
		fs::create_directory(folder + "/.hidden");
		std::ofstream(folder + "/old.png") << "old";
		std::ofstream(folder + "/Zed.txt") << "z";
		answers = new AnswerWindow;
		answers->Show();
		BMessenger target(answers);
		panel = new BFilePanel(B_SAVE_PANEL, &target, nullptr, 0, false, nullptr, nullptr, false,
		                       true);
		panel->SetPanelDirectory(folder.c_str());
		panel->Show();
		window = panel->Window();
		ASSERT_EQ(driver::Sync(window), B_OK);
	}
	void TearDown() override
	{
		delete panel;
		app.Quit();
		fs::remove_all(folder);
	}

	template <class T> T* Find(const char* name)
	{
		BAutolock lock(window);
		return dynamic_cast<T*>(window->FindView(name));
	}
	void TypeName(const std::string& name)
	{
		BTextControl* field = Find<BTextControl>("NameField");
		{
			BAutolock lock(window);
			field->TextView()->MakeFocus(true);
			field->TextView()->SelectAll();
		}
		driver::Type(name);
	}
	std::string Status()
	{
		BAutolock lock(window);
		return static_cast<BPrivate::FilePanelWindow*>(window)->Status();
	}

	TestApplication app;
	std::string folder;
	AnswerWindow* answers = nullptr;
	BFilePanel* panel = nullptr;
	BWindow* window = nullptr;
};

TEST_F(FilePanelTest, TheNameFieldAndEnterSendTheFolderAndTheName)
{
	// The name field has the keyboard as soon as the panel is up.
	driver::Type("sign.png");
	driver::Key(B_ENTER);
	ASSERT_TRUE(driver::WaitFor([&] { return answers->Answers().size() == 1; }));
	BMessage answer = answers->Answers()[0];
	EXPECT_EQ(answer.what, (uint32)B_SAVE_REQUESTED);
	EXPECT_STREQ(answer.GetString("name", ""), "sign.png");
	entry_ref directory;
	ASSERT_EQ(answer.FindRef("directory", &directory), B_OK);
	BPath path(&directory);
	EXPECT_EQ(fs::canonical(path.Path()), fs::canonical(folder));
	ASSERT_TRUE(driver::WaitFor([&] { return !panel->IsShowing(); }));

	// Shown again, it is where it was, and what is typed replaces the name.
	panel->Show();
	entry_ref again;
	panel->GetPanelDirectory(&again);
	EXPECT_EQ(fs::canonical(BPath(&again).Path()), fs::canonical(folder));
	ASSERT_EQ(driver::Sync(window), B_OK);
	driver::Type("other.png");
	driver::Key(B_ENTER);
	ASSERT_TRUE(driver::WaitFor([&] { return answers->Answers().size() == 2; }));
	EXPECT_STREQ(answers->Answers()[1].GetString("name", ""), "other.png");
}

// The replace question, once it is up.
BAlert* ShownAlert()
{
	for (int32 i = 0; BWindow* shown = be_app->WindowAt(i); i++) {
		if (BAlert* found = dynamic_cast<BAlert*>(shown))
			return found;
	}
	return nullptr;
}

TEST_F(FilePanelTest, AnExistingFileIsReplacedOnlyWhenTheUserAgrees)
{
	auto alert = ShownAlert;
	TypeName("old.png");
	driver::Key(B_ENTER);
	ASSERT_TRUE(driver::WaitFor([&] { return alert() != nullptr && driver::Sync(alert()) == B_OK; }));
	driver::Key(B_ESCAPE);
	ASSERT_TRUE(driver::WaitFor([&] { return alert() == nullptr; }));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_TRUE(answers->Answers().empty());

	driver::Key(B_ENTER);
	ASSERT_TRUE(driver::WaitFor([&] { return alert() != nullptr && driver::Sync(alert()) == B_OK; }));
	driver::Key(B_ENTER); // the default button: Replace
	ASSERT_TRUE(driver::WaitFor([&] { return answers->Answers().size() == 1; }));
	EXPECT_STREQ(answers->Answers()[0].GetString("name", ""), "old.png");
}

TEST_F(FilePanelTest, EmptyNamesAndNamesWithASlashAreRefusedWithAReason)
{
	BButton* save = Find<BButton>("ButtonDefault");
	ASSERT_TRUE(driver::Click(save));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_FALSE(Status().empty());
	TypeName("a/b.png");
	driver::Key(B_ENTER);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_NE(Status().find("/"), std::string::npos);
	EXPECT_TRUE(answers->Answers().empty());
	EXPECT_TRUE(panel->IsShowing());
}

TEST_F(FilePanelTest, CancelTheCloseBoxAndEscapeAllSendACancelNotice)
{
	ASSERT_TRUE(driver::Click(Find<BButton>("ButtonCancel")));
	ASSERT_TRUE(driver::WaitFor([&] { return answers->Answers().size() == 1; }));
	panel->Show();
	ASSERT_EQ(driver::Sync(window), B_OK);
	driver::Backend()->InjectCloseRequest(BPrivate::WindowAccess::BackendId(window));
	ASSERT_TRUE(driver::WaitFor([&] { return answers->Answers().size() == 2; }));
	panel->Show();
	ASSERT_EQ(driver::Sync(window), B_OK);
	{
		BAutolock lock(window);
		Find<BTextControl>("NameField")->TextView()->MakeFocus(true);
	}
	driver::Key(B_ESCAPE);
	ASSERT_TRUE(driver::WaitFor([&] { return answers->Answers().size() == 3; }));
	for (const BMessage& answer : answers->Answers()) {
		EXPECT_EQ(answer.what, (uint32)B_CANCEL);
		EXPECT_EQ(answer.GetInt32("old_what", 0), (int32)B_SAVE_REQUESTED);
	}
	EXPECT_FALSE(panel->IsShowing());
}

TEST_F(FilePanelTest, FoldersComeFirstHiddenOnesNotAndThePanelMovesBetweenThem)
{
	BListView* list = Find<BListView>("FileList");
	std::vector<std::string> rows;
	{
		BAutolock lock(window);
		for (int32 i = 0; i < list->CountItems(); i++)
			rows.push_back(static_cast<BStringItem*>(list->ItemAt(i))->Text());
	}
	EXPECT_EQ(rows, (std::vector<std::string>{"alpha/", "Beta/", "old.png", "Zed.txt"}));

	// A double click enters a folder, Up leaves it, and a path typed with Enter goes there.
	{
		BAutolock lock(window);
		list->Select(1);
		list->ScrollToSelection();
	}
	BRect row;
	{
		BAutolock lock(window);
		row = list->ConvertToScreen(list->ItemFrame(1));
	}
	BPoint centre((row.left + row.right) / 2, (row.top + row.bottom) / 2);
	driver::ClickAt(centre);
	driver::ClickAt(centre);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(static_cast<BPrivate::FilePanelWindow*>(window)->Folder(),
	          fs::canonical(folder).string() + "/Beta");
	ASSERT_TRUE(driver::Click(Find<BButton>("ParentButton")));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(static_cast<BPrivate::FilePanelWindow*>(window)->Folder(), fs::canonical(folder).string());
	BTextControl* path = Find<BTextControl>("PathField");
	{
		BAutolock lock(window);
		path->TextView()->MakeFocus(true);
		path->TextView()->SelectAll();
	}
	driver::Type(folder + "/alpha");
	driver::Key(B_ENTER);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(static_cast<BPrivate::FilePanelWindow*>(window)->Folder(), folder + "/alpha");
}

class JapaneseFilePanelTest : public FilePanelTest {
protected:
	BPrivate::PlatformLanguage Language() const override
	{
		return BPrivate::PlatformLanguage::kJapanese;
	}
	std::string Label(const char* name)
	{
		BAutolock lock(window);
		BControl* control = dynamic_cast<BControl*>(window->FindView(name));
		return control != nullptr && control->Label() != nullptr ? control->Label() : "";
	}
};

TEST_F(JapaneseFilePanelTest, ThePanelSpeaksJapaneseFitsItsLabelsAndStillSavesWithEnter)
{
	EXPECT_STREQ(window->Title(), "保存");
	EXPECT_EQ(Label("PathField"), "フォルダー：");
	EXPECT_EQ(Label("ParentButton"), "上へ");
	EXPECT_EQ(Label("NameField"), "名前：");
	EXPECT_EQ(Label("ButtonCancel"), "キャンセル");
	EXPECT_EQ(Label("ButtonDefault"), "保存");
	{
		// Every button is as wide as its label needs, the labels of the fields fit before
		// their dividers, and nothing overlaps along the bottom row.
		BAutolock lock(window);
		BButton* cancel = Find<BButton>("ButtonCancel");
		BButton* save = Find<BButton>("ButtonDefault");
		BTextControl* name = Find<BTextControl>("NameField");
		for (BButton* button : {cancel, save, Find<BButton>("ParentButton")}) {
			float preferred;
			button->GetPreferredSize(&preferred, nullptr);
			EXPECT_GE(button->Frame().Width() + 1, preferred) << button->Label();
		}
		for (BTextControl* field : {name, Find<BTextControl>("PathField")})
			EXPECT_LT(field->StringWidth(field->Label()), field->Divider()) << field->Label();
		EXPECT_LT(name->Frame().right, cancel->Frame().left);
		EXPECT_LT(cancel->Frame().right, save->Frame().left);
		EXPECT_LE(save->Frame().right, window->Bounds().right);
	}

	driver::Key(B_ENTER);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(Status(), "ファイルの名前を入力してください。");

	// The replace question in Japanese, answered with Escape and then with Enter.
	TypeName("old.png");
	driver::Key(B_ENTER);
	ASSERT_TRUE(driver::WaitFor(
	    [&] { return ShownAlert() != nullptr && driver::Sync(ShownAlert()) == B_OK; }));
	{
		BAlert* alert = ShownAlert();
		BAutolock lock(alert);
		EXPECT_STREQ(alert->Text(), "「old.png」は既にこのフォルダーにあります。置き換えますか？");
		ASSERT_EQ(alert->CountButtons(), 2);
		EXPECT_STREQ(alert->ButtonAt(0)->Label(), "キャンセル");
		EXPECT_STREQ(alert->ButtonAt(1)->Label(), "置き換える");
	}
	driver::Key(B_ESCAPE);
	ASSERT_TRUE(driver::WaitFor([&] { return ShownAlert() == nullptr; }));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_TRUE(answers->Answers().empty());
	driver::Key(B_ENTER);
	ASSERT_TRUE(driver::WaitFor(
	    [&] { return ShownAlert() != nullptr && driver::Sync(ShownAlert()) == B_OK; }));
	driver::Key(B_ENTER);
	ASSERT_TRUE(driver::WaitFor([&] { return answers->Answers().size() == 1; }));
	EXPECT_STREQ(answers->Answers()[0].GetString("name", ""), "old.png");

	// A new name goes straight through with Enter.
	panel->Show();
	ASSERT_EQ(driver::Sync(window), B_OK);
	driver::Type("サイン.png");
	driver::Key(B_ENTER);
	ASSERT_TRUE(driver::WaitFor([&] { return answers->Answers().size() == 2; }));
	EXPECT_STREQ(answers->Answers()[1].GetString("name", ""), "サイン.png");
}

TEST(FolderListingTest, PathsAreMadeAbsoluteAndTidy)
{
	EXPECT_EQ(BPrivate::normalize_folder("a/./b/../c", "/base"), "/base/a/c");
	EXPECT_EQ(BPrivate::normalize_folder("/../..", "/base"), "/");
	EXPECT_EQ(BPrivate::parent_folder("/a/b/"), "/a");
	EXPECT_EQ(BPrivate::parent_folder("/"), "/");
	std::vector<BPrivate::FolderEntry> entries;
	EXPECT_EQ(BPrivate::list_folder("/nonexistent-glowplate-folder", &entries), B_ENTRY_NOT_FOUND);
}

// Without privileges the folder cannot be read; the superuser, whom permissions never stop,
// checks that as "nobody" in a child process of its own.
TEST(FilePanelPermissionTest, AFolderThatCannotBeReadIsNamedWithTheReason)
{
	char pattern[] = "/tmp/glowplate-locked-XXXXXX";
	std::string root = mkdtemp(pattern);
	chmod(root.c_str(), 0755);
	std::string locked = root + "/locked";
	fs::create_directory(locked);
	chmod(locked.c_str(), 0);
	auto body = [&]() -> int {
		BPrivate::set_platform_language(BPrivate::PlatformLanguage::kEnglish);
		TestApplication app;
		BFilePanel* panel = new BFilePanel(B_SAVE_PANEL);
		panel->SetPanelDirectory(root.c_str());
		panel->SetPanelDirectory(locked.c_str());
		std::string status;
		{
			BAutolock lock(panel->Window());
			status = static_cast<BPrivate::FilePanelWindow*>(panel->Window())->Status();
		}
		delete panel;
		app.Quit();
		return status.find("locked") != std::string::npos &&
		               status.find("may not read") != std::string::npos
		           ? 0
		           : 1;
	};
	int result;
	if (geteuid() == 0) {
		pid_t child = fork();
		ASSERT_GE(child, 0);
		if (child == 0) {
			if (setgid(65534) != 0 || setuid(65534) != 0)
				_exit(126);
			_exit(body());
		}
		int status = 0;
		waitpid(child, &status, 0);
		result = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
	} else {
		result = body();
	}
	chmod(locked.c_str(), 0700);
	fs::remove_all(root);
	EXPECT_EQ(result, 0);
}

} // namespace
