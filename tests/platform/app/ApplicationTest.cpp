// The application object: its hooks, its loop in the calling thread, quitting, and the
// resources compiled into the executable.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

#include <Application.h>
#include <Message.h>
#include <Resources.h>
#include <Roster.h>

#include "AppTestSupport.h"

namespace {

const char* kSignature = "application/x-vnd.glowplate-app-test";

class TestApp : public BApplication {
public:
	TestApp() : BApplication(kSignature) {}

	void ReadyToRun() override { readyCount++; }
	void AboutRequested() override { aboutCount++; }
	bool QuitRequested() override { return agreeToQuit; }
	void MessageReceived(BMessage* message) override
	{
		recorder.Record(message);
		BApplication::MessageReceived(message);
	}

	std::atomic<int> readyCount{0};
	std::atomic<int> aboutCount{0};
	std::atomic<bool> agreeToQuit{true};
	Recorder recorder;
};

const unsigned char kViews[] = {1, 2, 3, 4, 5};
const char kSignatureResource[] = "application/x-vnd.glowplate-app-test";
const BPrivate::ResourceRecord kResources[] = {
    {'ARCV', 4000, "GlowplateViewRsrc", kViews, sizeof(kViews)},
    {'MIMS', 1, "BEOS:APP_SIG", kSignatureResource, sizeof(kSignatureResource)},
    {'ARCV', 4001, nullptr, kViews, 2},
};

} // namespace

// This test program carries a resource table of its own, the way a generated file gives the
// application one.
B_DEFINE_APP_RESOURCES(kResources)

TEST(Application, RunsInTheCallingThreadAndCallsItsHooks)
{
	PrivateRuntimeFolder folder;
	TestApp* app = new TestApp;
	ASSERT_EQ(app->InitCheck(), B_OK);
	EXPECT_EQ(be_app, app);
	EXPECT_STREQ(app->Signature(), kSignature);
	EXPECT_TRUE(be_app_messenger.IsValid());

	// Posted before Run: handled, and ReadyToRun comes after it.
	be_app_messenger.SendMessage('erly');
	std::atomic<thread_id> runThread{-1};
	std::thread runner([&] {
		runThread = find_thread(nullptr);
		app->Run();
	});
	BMessage reply;
	ASSERT_EQ(be_app_messenger.SendMessage(B_ABOUT_REQUESTED, &reply), B_OK);
	EXPECT_EQ(reply.what, (uint32)B_NO_REPLY);
	EXPECT_EQ(app->aboutCount, 1);
	// The about request may have been queued before Run posted B_READY_TO_RUN.
	for (int i = 0; i < 20000 && app->readyCount == 0; i++)
		snooze(1000);
	EXPECT_EQ(app->readyCount, 1);
	// Another B_READY_TO_RUN does not call the hook again.
	be_app_messenger.SendMessage(B_READY_TO_RUN, &reply);
	EXPECT_EQ(app->readyCount, 1);
	EXPECT_EQ(app->recorder.Codes(), std::vector<uint32>{'erly'});
	EXPECT_EQ(app->Thread(), runThread);

	// A refused quit request keeps it running; an accepted one ends Run.
	app->agreeToQuit = false;
	ASSERT_EQ(be_app_messenger.SendMessage(B_QUIT_REQUESTED, &reply), B_OK);
	EXPECT_FALSE(reply.GetBool("result", true));
	app->agreeToQuit = true;
	ASSERT_EQ(be_app_messenger.SendMessage(B_QUIT_REQUESTED, &reply), B_OK);
	EXPECT_TRUE(reply.GetBool("result", false));
	runner.join();
	// The object outlives its loop; the code that ran it deletes it.
	EXPECT_EQ(be_app, app);
	delete app;
	EXPECT_EQ(be_app, nullptr);
	EXPECT_FALSE(be_app_messenger.IsValid());
}

TEST(Application, QuitBeforeRunEndsRunAtOnce)
{
	PrivateRuntimeFolder folder;
	TestApp* app = new TestApp;
	ASSERT_TRUE(app->Lock());
	app->Quit();
	app->Unlock();
	app->Run();
	delete app;
}

TEST(Application, SignaturesAreCheckedAndThereIsOnlyOne)
{
	PrivateRuntimeFolder folder;
	status_t status;
	BApplication* bad = new BApplication("text/plain", &status);
	EXPECT_EQ(status, B_BAD_VALUE);
	EXPECT_EQ(be_app, nullptr);
	delete bad;

	BApplication* first = new BApplication(kSignature, &status);
	ASSERT_EQ(status, B_OK);
	BApplication* second = new BApplication(kSignature, &status);
	EXPECT_EQ(status, B_ALREADY_RUNNING);
	EXPECT_EQ(be_app, first);
	delete second;
	EXPECT_EQ(be_app, first);

	app_info info;
	ASSERT_EQ(first->GetAppInfo(&info), B_OK);
	EXPECT_STREQ(info.signature, kSignature);
	EXPECT_EQ(info.team, getpid());
	EXPECT_NE(info.ref.name, nullptr);
	delete first;
}

TEST(Application, ResourcesAreFoundByTypeAndIdOrName)
{
	BResources* resources = BApplication::AppResources();
	ASSERT_NE(resources, nullptr);
	EXPECT_EQ(resources->CountResources(), 3);
	size_t size = 0;
	const void* data = resources->LoadResource('ARCV', 4000, &size);
	ASSERT_NE(data, nullptr);
	EXPECT_EQ(size, sizeof(kViews));
	EXPECT_EQ(memcmp(data, kViews, size), 0);
	EXPECT_EQ(resources->LoadResource('ARCV', "GlowplateViewRsrc", &size), data);
	EXPECT_TRUE(resources->HasResource('MIMS', "BEOS:APP_SIG"));
	EXPECT_FALSE(resources->HasResource('MIMS', 2));
	EXPECT_FALSE(resources->HasResource('ARCV', (const char*)nullptr));
	EXPECT_EQ(resources->LoadResource('ARCV', 9999, &size), nullptr);

	int32 id;
	const char* name;
	ASSERT_TRUE(resources->GetResourceInfo('ARCV', 1, &id, &name, &size));
	EXPECT_EQ(id, 4001);
	EXPECT_EQ(name, nullptr);
	char partial[8] = {};
	EXPECT_EQ(resources->ReadResource('ARCV', 4000, partial, 3, sizeof(partial)), 2);
	EXPECT_EQ(partial[0], 4);
	void* copy = resources->FindResource('ARCV', 4001, &size);
	ASSERT_NE(copy, nullptr);
	EXPECT_EQ(size, 2u);
	free(copy);
}

TEST(Application, AnExecutableWithoutResourcesFindsNone)
{
	BResources none;
	size_t size = 77;
	EXPECT_EQ(none.LoadResource('ARCV', 4000, &size), nullptr);
	EXPECT_EQ(size, 77u);
	EXPECT_FALSE(none.HasResource('ARCV', "GlowplateViewRsrc"));
	EXPECT_FALSE(none.GetResourceInfo(0, nullptr, nullptr, nullptr, nullptr));
	EXPECT_EQ(none.FindResource('ARCV', 4000, &size), nullptr);
}
