// Saving the picture through the save panel: the file equals what the window shows and what
// the command-line renderer writes, a second save replaces the first once the user agrees,
// cancelling writes nothing, a name stays as typed, and a folder that cannot be written is
// named to the user with the reason.
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include <Button.h>
#include <FilePanel.h>
#include <TextView.h>

#include <TPaletteView.h>
#include <TProperty.h>
#include <ViewTreeArchive.h>

#include "EditorTesting.h"
#include "TempFolder.h"

namespace {

using namespace editortest;
namespace fs = std::filesystem;

// Clicks Save, points the panel at the folder and types the name, as a user does; the panel's
// window is returned, with the name typed but not yet confirmed.
BWindow* fill_save_panel(TGlowplateView* editor, BWindow* window, const std::string& folder,
                         const std::string& name)
{
	BButton* save = nullptr;
	{
		BAutolock lock(window);
		save = dynamic_cast<BButton*>(window->FindView("ButtonSave"));
	}
	if (save == nullptr || !driver::Click(save))
		return nullptr;
	BFilePanel* panel = nullptr;
	if (!driver::WaitFor([&] {
		    BAutolock lock(window);
		    panel = editor->SavePanel();
		    return panel != nullptr && panel->IsShowing();
	    }))
		return nullptr;
	panel->SetPanelDirectory(folder.c_str());
	BWindow* panelWindow = panel->Window();
	if (driver::Sync(panelWindow) != B_OK)
		return nullptr;
	BTextControl* field = nullptr;
	{
		BAutolock lock(panelWindow);
		field = dynamic_cast<BTextControl*>(panelWindow->FindView("NameField"));
	}
	if (field == nullptr || !driver::Click(field->TextView()))
		return nullptr;
	driver::Shortcut('a');
	driver::Type(name);
	return panelWindow;
}

class EditorSaveTest : public EditorTest {
protected:
	// Saves under the name and waits until the editor has handled the panel's answer.
	void SaveAs(const std::string& name)
	{
		BWindow* panel = fill_save_panel(editor, window, folder.Path(), name);
		ASSERT_NE(panel, nullptr);
		driver::Key(B_ENTER);
		ASSERT_TRUE(driver::WaitFor([&] { return !editor->SavePanel()->IsShowing(); }));
		Sync();
	}

	// Runs glowplate-render with the arguments and returns the picture it wrote.
	Picture Render(std::vector<std::string> arguments)
	{
		const std::string out = folder.Path("rendered.png");
		arguments.insert(arguments.begin(), GLOWPLATE_RENDER);
		arguments.push_back("-o");
		arguments.push_back(out);
		EXPECT_EQ(run_program(GLOWPLATE_RENDER, arguments,
		                      {"XDG_CONFIG_HOME=" + folder.Path("config")}, true),
		          0);
		return read_png(out);
	}

	TempFolder folder;
};

TEST_F(EditorSaveTest, TheFileHoldsThePictureOnScreenAsTheRendererMakesIt)
{
	Retype("TxtCtrlDisplayText", "快速 Tokyo");
	Retype("TxtCtrlLEDSize", "3");
	Retype("TxtCtrlLEDGap", "2");
	Retype("TxtCtrlResolutionY", "16");
	Retype("TxtCtrlMarginLeft", "2");
	Retype("TxtCtrlMarginBottom", "1");
	{
		BAutolock lock(window);
		editor->FavoriteWell(0, 0)->SetColor(make_color(255, 160, 0, 255));
	}
	ASSERT_TRUE(driver::Click(editor->FavoriteWell(0, 0)));
	Sync();
	SaveAs("sign.png");

	const Picture saved = read_png(folder.Path("sign.png"));
	const Picture shown = ScreenPicture();
	const Picture rendered = Render({"--text", "快速 Tokyo", "--led-size", "3", "--led-gap", "2",
	                                 "--rows", "16", "--margins", "2,0,0,1", "--fg", "FFA000"});
	ASSERT_GT(saved.width, 0);
	EXPECT_TRUE(saved == shown) << describe(saved) << " against " << describe(shown);
	EXPECT_TRUE(saved == rendered) << describe(saved) << " against " << describe(rendered);
	EXPECT_EQ(find_alert(), nullptr);
}

TEST_F(EditorSaveTest, ASecondSaveToTheSameNameReplacesTheFileOnceTheUserAgrees)
{
	SaveAs("sign.png");
	const Picture first = read_png(folder.Path("sign.png"));
	Retype("TxtCtrlLEDSize", "4");
	BWindow* panel = fill_save_panel(editor, window, folder.Path(), "sign.png");
	ASSERT_NE(panel, nullptr);
	driver::Key(B_ENTER);
	BAlert* replace = nullptr;
	ASSERT_TRUE(driver::WaitFor([&] {
		replace = find_alert();
		return replace != nullptr && driver::Sync(replace) == B_OK;
	}));
	driver::Key(B_ENTER);
	ASSERT_TRUE(driver::WaitFor([&] { return !editor->SavePanel()->IsShowing(); }));
	Sync();
	const Picture second = read_png(folder.Path("sign.png"));
	EXPECT_FALSE(second == first);
	EXPECT_TRUE(second == ScreenPicture());
}

TEST_F(EditorSaveTest, CancellingWritesNothingAndANameWithoutExtensionStaysAsTyped)
{
	BWindow* panel = fill_save_panel(editor, window, folder.Path(), "never.png");
	ASSERT_NE(panel, nullptr);
	BButton* cancel = nullptr;
	{
		BAutolock lock(panel);
		cancel = dynamic_cast<BButton*>(panel->FindView("ButtonCancel"));
	}
	ASSERT_TRUE(driver::Click(cancel));
	ASSERT_TRUE(driver::WaitFor([&] { return !editor->SavePanel()->IsShowing(); }));
	Sync();
	EXPECT_TRUE(fs::is_empty(folder.Path()));

	// The same panel comes back, and the file is named exactly as typed.
	BFilePanel* first = editor->SavePanel();
	SaveAs("sign");
	EXPECT_EQ(editor->SavePanel(), first);
	EXPECT_TRUE(fs::exists(folder.Path("sign")));
	EXPECT_FALSE(fs::exists(folder.Path("sign.png")));
	EXPECT_TRUE(read_png(folder.Path("sign")) == ScreenPicture());
}

// Saves into the folder, which the user may not write: the alert names the file and the reason,
// and no file appears.
void save_into_locked_folder(const std::string& locked)
{
	const std::string target = locked + "/sign.png";
	TestApplication app;
	TGlowplateView* editor = nullptr;
	BWindow* window = open_editor(build_glowplate_view_archive(), &editor);
	ASSERT_NE(window, nullptr);
	ASSERT_NE(fill_save_panel(editor, window, locked, "sign.png"), nullptr);
	driver::Key(B_ENTER);
	BAlert* alert = nullptr;
	ASSERT_TRUE(driver::WaitFor([&] {
		alert = find_alert();
		return alert != nullptr && driver::Sync(alert) == B_OK;
	}));
	const std::string text = alert->Text();
	driver::Key(B_ENTER);
	ASSERT_TRUE(driver::WaitFor([&] { return find_alert() == nullptr; }));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_NE(text.find(target), std::string::npos) << text;
	EXPECT_NE(text.find("このフォルダに書き込む権限がありません。"), std::string::npos) << text;
	EXPECT_FALSE(fs::exists(target));
}

const char kLockedFolderVariable[] = "GLOWPLATE_TEST_LOCKED_FOLDER";

// The half of the test below that runs as "nobody", in a program of its own.
TEST(EditorSavePermissionTest, SavingAsAnUnprivilegedUser)
{
	const char* locked = getenv(kLockedFolderVariable);
	if (locked == nullptr)
		GTEST_SKIP() << "runs only in the process the permission test starts";
	save_into_locked_folder(locked);
}

// The superuser, whom permissions never stop, checks this as "nobody": this test program runs
// again under that user for the half above. A forked copy of this process would not do: the
// copy inherits no threads, but may inherit a lock one of them held, and wait for it for ever.
TEST(EditorSavePermissionTest, AFolderThatCannotBeWrittenIsNamedToTheUserWithTheReason)
{
	TempFolder root;
	chmod(root.Path().c_str(), 0755);
	const std::string locked = root.Path("locked");
	fs::create_directory(locked);
	chmod(locked.c_str(), 0555);
	if (geteuid() != 0) {
		save_into_locked_folder(locked);
	} else {
		// The program again, for the half above only.
		EXPECT_EQ(
		    run_program("/proc/self/exe",
		                {"editor_tests",
		                 "--gtest_filter=EditorSavePermissionTest.SavingAsAnUnprivilegedUser"},
		                {std::string(kLockedFolderVariable) + "=" + locked}, false, 65534),
		    0);
	}
	chmod(locked.c_str(), 0755);
}

} // namespace
