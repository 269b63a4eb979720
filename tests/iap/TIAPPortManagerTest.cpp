// The thread that serves the shared preferences window's port: what is written to the port
// reaches the window's view, what does not unflatten is dropped, and stopping it never hangs.
// The last test has a second process (this program started again as a helper) write to the
// port, as another application of the family does.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <Message.h>
#include <OS.h>
#include <TIAPPortManager.h>
#include <TInterAppPrefs.h>

#include "../ui/MessageRecorder.h"
#include "IAPTestSupport.h"

extern char** environ;

namespace {

const char* const kHelperRole = "GLOWPLATE_IAP_HELPER";

// --- the helper's side ----------------------------------------------------------------------

// Writes, like another application of the family, first bytes that are no message, then a
// message. The exit code tells which step failed.
int write_as_another_application()
{
	port_id port = find_port(PORT_NAME);
	if (port < 0)
		return 10;
	if (write_port(port, 0, "not a message", 13) != B_OK || write_port(port, 0, nullptr, 0) != B_OK)
		return 11;
	BMessage message('hlpr');
	message.AddInt32("pid", getpid());
	TInterAppPrefs store;
	if (store.SendMessage(port, &message) != B_OK)
		return 12;
	return 0;
}

int run_helper_if_asked()
{
	const char* role = getenv(kHelperRole);
	if (role == nullptr)
		return 0;
	_exit(strcmp(role, "write") == 0 ? write_as_another_application() : 99);
}

// Runs before the test framework's main, so that a helper never runs the tests.
[[maybe_unused]] const int sHelperRole = run_helper_if_asked();

// Starts this program again as a helper and returns its exit code, or -1.
int run_helper(const char* role)
{
	std::vector<std::string> settings;
	for (char** entry = environ; *entry != nullptr; entry++)
		settings.push_back(*entry);
	settings.push_back(std::string(kHelperRole) + "=" + role);
	std::vector<char*> environment;
	for (std::string& setting : settings)
		environment.push_back(setting.data());
	environment.push_back(nullptr);
	char program[] = "/proc/self/exe";
	char* arguments[] = {program, nullptr};
	pid_t child = -1;
	if (posix_spawn(&child, program, nullptr, nullptr, arguments, environment.data()) != 0)
		return -1;
	int status = 0;
	if (waitpid(child, &status, 0) != child || !WIFEXITED(status))
		return -1;
	return WEXITSTATUS(status);
}

// --- the tests ----------------------------------------------------------------------------

class TIAPPortManagerTest : public ::testing::Test {
protected:
	// The port's name is fixed, so the tests use a runtime folder of their own. Helpers
	// inherit it.
	static void SetUpTestSuite() { sFolder = new PrivateRuntimeFolder; }
	static void TearDownTestSuite()
	{
		delete sFolder;
		sFolder = nullptr;
	}
	static inline PrivateRuntimeFolder* sFolder = nullptr;

	// A running manager aimed at the recorder, once its port exists; null when it never came.
	TIAPPortManager* Start()
	{
		TIAPPortManager* manager = new TIAPPortManager(BMessenger(recorder.Looper()));
		EXPECT_EQ(manager->Port(), TIAPPortManager::kPortNotYet);
		manager->Resume();
		bigtime_t deadline = system_time() + 30000000;
		while (manager->Port() == TIAPPortManager::kPortNotYet && system_time() < deadline)
			snooze(1000);
		if (manager->Port() < 0) {
			ADD_FAILURE() << "no port: " << manager->Port();
			delete manager;
			return nullptr;
		}
		return manager;
	}

	// What reached the target, in order.
	std::vector<uint32> Received()
	{
		std::vector<uint32> codes;
		for (const BMessage& message : recorder->MessagesAfterBarrier())
			codes.push_back(message.what);
		return codes;
	}

	RunningRecorder recorder;
};

TEST_F(TIAPPortManagerTest, MessagesOnThePortReachTheTargetAndAnythingElseIsDropped)
{
	TIAPPortManager* manager = Start();
	ASSERT_NE(manager, nullptr);
	port_id port = manager->Port();
	EXPECT_EQ(find_port(PORT_NAME), port);
	port_info info;
	ASSERT_EQ(get_port_info(port, &info), B_OK);
	EXPECT_EQ(info.capacity, 100);

	TInterAppPrefs store;
	BMessage first('iawr');
	first.AddString("text", "first");
	ASSERT_EQ(store.SendMessage(port, &first), B_OK);
	ASSERT_TRUE(recorder->WaitFor(1));
	EXPECT_STREQ(recorder->Messages()[0].GetString("text", ""), "first");

	// Garbage, a wake-up and a message cut short, then a whole one: only that one is passed
	// on, and the thread is still there to pass it.
	std::vector<char> flat((size_t)first.FlattenedSize());
	ASSERT_EQ(first.Flatten(flat.data(), (ssize_t)flat.size()), B_OK);
	ASSERT_EQ(write_port(port, 0, "garbage", 7), B_OK);
	ASSERT_EQ(manager->PreventBlocking(), B_OK);
	ASSERT_EQ(write_port(port, 0, flat.data(), flat.size() / 2), B_OK);
	ASSERT_EQ(store.SendMessage(port, &first), B_OK);
	ASSERT_TRUE(recorder->WaitFor(2));
	EXPECT_EQ(Received(), (std::vector<uint32>{'iawr', 'iawr'}));

	// The window's way to stop it: the request, the wake-up, the wait.
	manager->Terminate();
	manager->PreventBlocking();
	EXPECT_EQ(manager->Wait(), B_OK);
	EXPECT_TRUE(manager->IsTerminated());
	EXPECT_LT(find_port(PORT_NAME), 0) << "the port goes with the thread";
	delete manager;
}

TEST_F(TIAPPortManagerTest, StoppingTheThreadNeverHangs)
{
	// Never started.
	delete new TIAPPortManager(BMessenger(recorder.Looper()));

	// Waiting on its port: Terminate alone wakes it.
	TIAPPortManager* manager = Start();
	ASSERT_NE(manager, nullptr);
	manager->Terminate();
	EXPECT_EQ(manager->Wait(), B_OK);
	delete manager;

	// Deleted while it waits.
	manager = Start();
	ASSERT_NE(manager, nullptr);
	delete manager;
	EXPECT_LT(find_port(PORT_NAME), 0);

	// A port queued full does not hold up the wake-up.
	manager = Start();
	ASSERT_NE(manager, nullptr);
	manager->Suspend();
	for (int32 i = 0; i < TIAPPortManager::kPortCapacity; i++)
		write_port_etc(manager->Port(), 0, "x", 1, B_RELATIVE_TIMEOUT, 0);
	EXPECT_EQ(manager->PreventBlocking(), B_OK);
	manager->Resume();
	delete manager;
	EXPECT_LT(find_port(PORT_NAME), 0);
}

TEST_F(TIAPPortManagerTest, AnotherProcessOfTheUserReachesThePort)
{
	TIAPPortManager* manager = Start();
	ASSERT_NE(manager, nullptr);
	int helper = run_helper("write");
	EXPECT_EQ(helper, 0) << "the helper's step that failed";
	ASSERT_TRUE(recorder->WaitFor(1));
	std::vector<BMessage> received = recorder->MessagesAfterBarrier();
	ASSERT_EQ(received.size(), 1u) << "the helper's garbage is dropped";
	EXPECT_EQ(received[0].what, (uint32)'hlpr');
	EXPECT_NE(received[0].GetInt32("pid", 0), getpid());
	EXPECT_NE(received[0].GetInt32("pid", 0), 0);
	delete manager;
}

} // namespace
