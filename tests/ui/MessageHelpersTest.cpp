// Messages nested in messages, colours in messages, the save panel's answer, and sending to
// every window and to locked handlers.
#include <gtest/gtest.h>

#include <string>

#include <Application.h>
#include <Entry.h>
#include <Handler.h>
#include <Window.h>

#include "../platform/storage/StorageTestSupport.h"
#include "MessageRecorder.h"
#include "TestApplication.h"
#include "TestDriver.h"
#include "UIUtils.h"

namespace {

TEST(NestMessageTest, ANestedMessageReachesItsTargetOnlyWithBothFields)
{
	RunningRecorder recorder;
	BMessage nested('nest');
	nested.AddString("text", "inside");
	BMessage carrier('carr');
	ASSERT_EQ(add_nest_message(&carrier, nested, BMessenger(recorder.Looper())), B_OK);

	BMessage found;
	BMessenger target;
	ASSERT_EQ(find_nest_message(&carrier, &found, &target), B_OK);
	EXPECT_EQ(found.what, 'nest');
	EXPECT_STREQ(found.GetString("text", ""), "inside");
	EXPECT_EQ(target, BMessenger(recorder.Looper()));

	ASSERT_EQ(invoke_nest_message(&carrier), B_OK);
	ASSERT_TRUE(recorder->WaitFor(1));
	EXPECT_EQ(recorder->Messages()[0].what, 'nest');
	EXPECT_STREQ(recorder->Messages()[0].GetString("text", ""), "inside");

	// Without its target a nested message is neither found nor sent.
	BMessage orphan('carr');
	orphan.AddMessage("NestMsg", &nested);
	BMessage untouched('none');
	EXPECT_EQ(find_nest_message(&orphan, &untouched, &target), -1);
	EXPECT_EQ(untouched.what, 'none');
	EXPECT_EQ(invoke_nest_message(&orphan), -1);
	BMessage targetOnly('carr');
	targetOnly.AddMessenger("NestMsgTgt", BMessenger(recorder.Looper()));
	EXPECT_EQ(invoke_nest_message(&targetOnly), -1);
	EXPECT_EQ(recorder->MessagesAfterBarrier().size(), 1u);
}

TEST(RgbColorTest, ColoursRoundTripAndCompareEveryChannel)
{
	BMessage message;
	const rgb_color colour = make_color(12, 34, 56, 78);
	ASSERT_EQ(add_rgb_color(&message, "Clr", colour), B_OK);
	ASSERT_EQ(add_rgb_color(&message, "Clr", make_color(1, 2, 3)), B_OK);
	type_code type = 0;
	bool fixedSize = false;
	ASSERT_EQ(message.GetInfo("Clr", &type, &fixedSize), B_OK);
	EXPECT_EQ(type, B_RGB_COLOR_TYPE);
	EXPECT_TRUE(fixedSize);

	rgb_color found = make_color(0, 0, 0, 0);
	ASSERT_EQ(find_rgb_color(&message, "Clr", &found), B_OK);
	EXPECT_TRUE(is_same_rgb_color(found, colour)) << "the first item is found";
	EXPECT_NE(find_rgb_color(&message, "Missing", &found), B_OK);
	EXPECT_TRUE(is_same_rgb_color(found, colour)) << "a failed look-up leaves the colour";

	// Bytes of the right type but too short are no colour.
	message.AddData("Short", B_RGB_COLOR_TYPE, "ab", 2);
	EXPECT_NE(find_rgb_color(&message, "Short", &found), B_OK);
	message.AddData("Raw", B_RAW_TYPE, &colour, sizeof(colour));
	EXPECT_NE(find_rgb_color(&message, "Raw", &found), B_OK);

	EXPECT_FALSE(is_same_rgb_color(make_color(1, 2, 3, 255), make_color(1, 2, 3, 254)));
	EXPECT_FALSE(is_same_rgb_color(make_color(1, 2, 3), make_color(1, 2, 4)));
}

TEST(GetSaveRefTest, TheRefNamesTheTypedFileInTheChosenFolder)
{
	ScratchFolder folder;
	entry_ref folderRef;
	ASSERT_EQ(get_ref_for_path(folder.Path().c_str(), &folderRef), B_OK);
	auto answer = [&](const char* name) {
		BMessage message(B_SAVE_REQUESTED);
		message.AddRef("directory", &folderRef);
		message.AddString("name", name);
		return message;
	};

	entry_ref ref;
	BMessage message = answer("new sign.png");
	ASSERT_EQ(get_save_ref(&message, &ref), B_OK);
	std::string path;
	ASSERT_EQ(get_path_for_ref(ref, &path), B_OK);
	EXPECT_EQ(path, folder / "new sign.png") << "the file need not exist";

	// A link of the name is itself the entry, not what it points at.
	ASSERT_EQ(symlink("/tmp", (folder / "link").c_str()), 0);
	message = answer("link");
	ASSERT_EQ(get_save_ref(&message, &ref), B_OK);
	ASSERT_EQ(get_path_for_ref(ref, &path), B_OK);
	EXPECT_EQ(path, folder / "link");

	for (const char* name : {"", ".", "..", "../escape.png", "sub/file.png"}) {
		message = answer(name);
		EXPECT_EQ(get_save_ref(&message, &ref), B_BAD_VALUE) << name;
	}
	BMessage noName(B_SAVE_REQUESTED);
	noName.AddRef("directory", &folderRef);
	EXPECT_NE(get_save_ref(&noName, &ref), B_OK);
	BMessage noFolder(B_SAVE_REQUESTED);
	noFolder.AddString("name", "file.png");
	EXPECT_NE(get_save_ref(&noFolder, &ref), B_OK);
}

// Counts the messages of one code that reach it.
class CountingWindow : public BWindow {
public:
	explicit CountingWindow(const char* title)
	    : BWindow(BRect(10, 10, 109, 59), title, B_TITLED_WINDOW, 0)
	{
	}
	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'toal')
			received++;
		else
			BWindow::MessageReceived(message);
	}
	int32 received = 0;
};

TEST(SendToWindowsTest, EveryWindowGetsOneCopyAndLockedHandlersGetTheirs)
{
	TestApplication app;
	CountingWindow* first = new CountingWindow("First");
	CountingWindow* second = new CountingWindow("Second");
	first->Show();
	second->Show();
	ASSERT_EQ(driver::Sync(first), B_OK);

	EXPECT_EQ(send_message_to_all_windows(BMessage('toal')), B_OK);
	ASSERT_EQ(driver::Sync(first), B_OK);
	ASSERT_EQ(driver::Sync(second), B_OK);
	EXPECT_EQ(first->received, 1);
	EXPECT_EQ(second->received, 1);

	send_message_with_lock(second, BMessage('toal'));
	ASSERT_EQ(driver::Sync(second), B_OK);
	EXPECT_EQ(second->received, 2);
	EXPECT_FALSE(second->IsLocked()) << "the lock taken for the send is given back";

	// A handler outside any looper can never be locked; the call gives up instead of
	// waiting for ever.
	BHandler loose("loose");
	send_message_with_lock(&loose, BMessage('toal'));
	send_message_with_lock(nullptr, BMessage('toal'));
	app.Quit();
}

} // namespace
