// Applications of one user find each other: a second process (this test program started
// again in a helper role) receives a broadcast, answers a synchronous message, and leaves a
// registration behind that the next listing removes once the process is gone.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include <Application.h>
#include <Message.h>
#include <Roster.h>

#include "AppTestSupport.h"

extern char** environ;

namespace {

const char* kHelperSignature = "application/x-vnd.glowplate-roster-helper";
const char* kTestSignature = "application/x-vnd.glowplate-roster-test";

// --- the helper process --------------------------------------------------------------------

// Reports on its standard output: "ready", then "got <value>" for each broadcast 'bcst'.
// Answers 'sync' with 'ansr' carrying "value" doubled, and quits on 'quit'.
class HelperApp : public BApplication {
public:
	HelperApp() : BApplication(kHelperSignature) {}

	void ReadyToRun() override { Say("ready"); }
	void MessageReceived(BMessage* message) override
	{
		switch (message->what) {
		case 'bcst':
			Say("got " + std::to_string(message->GetInt32("value", -1)) +
			    (message->IsSourceRemote() ? " remote" : " local"));
			break;
		case 'sync': {
			BMessage reply('ansr');
			reply.AddInt32("value", message->GetInt32("value", 0) * 2);
			message->SendReply(&reply);
			break;
		}
		case 'quit':
			Quit();
			break;
		default:
			BApplication::MessageReceived(message);
		}
	}

private:
	static void Say(const std::string& line)
	{
		std::string text = line + "\n";
		(void)!write(STDOUT_FILENO, text.data(), text.size());
	}
};

// Runs before the test framework when the program was started as a helper.
struct HelperRole {
	HelperRole()
	{
		const char* role = getenv("GLOWPLATE_APP_HELPER");
		if (role == nullptr)
			return;
		if (strcmp(role, "app") == 0) {
			HelperApp* app = new HelperApp;
			app->Run();
			delete app;
		} else if (strcmp(role, "crash") == 0) {
			// Registers, says so and dies without any cleanup.
			new BApplication("application/x-vnd.glowplate-roster-crash");
			(void)!write(STDOUT_FILENO, "ready\n", 6);
			kill(getpid(), SIGKILL);
		}
		_exit(0);
	}
} sHelperRole;

// --- the test's side -------------------------------------------------------------------------

class Helper {
public:
	explicit Helper(const char* role)
	{
		int out[2];
		if (pipe2(out, O_CLOEXEC) != 0)
			return;
		std::vector<std::string> settings;
		for (char** entry = environ; *entry != nullptr; entry++)
			settings.push_back(*entry);
		settings.push_back(std::string("GLOWPLATE_APP_HELPER=") + role);
		std::vector<char*> environment;
		for (std::string& setting : settings)
			environment.push_back(setting.data());
		environment.push_back(nullptr);
		posix_spawn_file_actions_t actions;
		posix_spawn_file_actions_init(&actions);
		posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
		char program[] = "/proc/self/exe";
		char* arguments[] = {program, nullptr};
		if (posix_spawn(&fPid, program, &actions, nullptr, arguments, environment.data()) != 0)
			fPid = -1;
		posix_spawn_file_actions_destroy(&actions);
		close(out[1]);
		fOutput = out[0];
	}

	~Helper()
	{
		if (fPid > 0) {
			kill(fPid, SIGKILL);
			Wait();
		}
		if (fOutput >= 0)
			close(fOutput);
	}

	pid_t Pid() const { return fPid; }

	// The next line, or empty after a long silence or the end of the output.
	std::string ReadLine()
	{
		for (;;) {
			size_t end = fPending.find('\n');
			if (end != std::string::npos) {
				std::string line = fPending.substr(0, end);
				fPending.erase(0, end + 1);
				return line;
			}
			pollfd entry = {fOutput, POLLIN, 0};
			if (poll(&entry, 1, 20000) <= 0)
				return "";
			char buffer[256];
			ssize_t got = read(fOutput, buffer, sizeof(buffer));
			if (got <= 0)
				return "";
			fPending.append(buffer, (size_t)got);
		}
	}

	int Wait()
	{
		int status = 0;
		if (fPid <= 0 || waitpid(fPid, &status, 0) != fPid)
			return -1;
		fPid = -1;
		return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
	}

private:
	pid_t fPid = -1;
	int fOutput = -1;
	std::string fPending;
};

class BroadcastApp : public BApplication {
public:
	BroadcastApp() : BApplication(kTestSignature) {}
	void MessageReceived(BMessage* message) override { recorder.Record(message); }
	Recorder recorder;
};

} // namespace

TEST(Roster, ABroadcastReachesTheOtherProcessAndTheSender)
{
	PrivateRuntimeFolder folder;
	Helper helper("app");
	ASSERT_GT(helper.Pid(), 0);
	ASSERT_EQ(helper.ReadLine(), "ready");

	BroadcastApp* app = new BroadcastApp;
	std::thread runner([app] { app->Run(); });
	EXPECT_TRUE(be_roster->IsRunning(kHelperSignature));
	EXPECT_EQ(be_roster->TeamFor(kHelperSignature), helper.Pid());
	BList teams;
	be_roster->GetAppList(&teams);
	EXPECT_EQ(teams.CountItems(), 2);

	BMessage message('bcst');
	message.AddInt32("value", 17);
	ASSERT_EQ(be_roster->Broadcast(&message), B_OK);
	EXPECT_EQ(helper.ReadLine(), "got 17 remote");
	ASSERT_TRUE(app->recorder.WaitFor(1));
	EXPECT_EQ(app->recorder.Messages()[0].GetInt32("value", 0), 17);
	EXPECT_FALSE(app->recorder.Messages()[0].IsSourceRemote());

	// A synchronous message to the other application, by signature, gets its answer.
	status_t status;
	BMessenger other(kHelperSignature, -1, &status);
	ASSERT_EQ(status, B_OK);
	EXPECT_FALSE(other.IsTargetLocal());
	EXPECT_TRUE(other.IsValid());
	BMessage question('sync');
	question.AddInt32("value", 21);
	BMessage answer;
	ASSERT_EQ(other.SendMessage(&question, &answer), B_OK);
	EXPECT_EQ(answer.what, (uint32)'ansr');
	EXPECT_EQ(answer.GetInt32("value", 0), 42);
	// A message it does not handle comes back unanswered.
	ASSERT_EQ(other.SendMessage('what', &answer), B_OK);
	EXPECT_EQ(answer.what, (uint32)B_MESSAGE_NOT_UNDERSTOOD);

	ASSERT_EQ(other.SendMessage('quit'), B_OK);
	EXPECT_EQ(helper.Wait(), 0);
	EXPECT_FALSE(be_roster->IsRunning(kHelperSignature));
	EXPECT_FALSE(other.IsValid());
	EXPECT_NE(other.SendMessage('late'), B_OK);

	ASSERT_TRUE(app->Lock());
	app->Quit();
	app->Unlock();
	runner.join();
	delete app;
}

TEST(Roster, TheRegistrationOfAProcessThatDiedIsRemoved)
{
	PrivateRuntimeFolder folder;
	Helper helper("crash");
	ASSERT_GT(helper.Pid(), 0);
	ASSERT_EQ(helper.ReadLine(), "ready");
	pid_t dead = helper.Pid();
	helper.Wait();
	std::string apps = folder.Path() + "/glowplate/apps/";
	EXPECT_TRUE(std::filesystem::exists(apps + std::to_string(dead) + ".app"));

	EXPECT_FALSE(be_roster->IsRunning("application/x-vnd.glowplate-roster-crash"));
	EXPECT_FALSE(std::filesystem::exists(apps + std::to_string(dead) + ".app"));
	EXPECT_FALSE(std::filesystem::exists(apps + std::to_string(dead) + ".sock"));
	BMessenger gone("application/x-vnd.glowplate-roster-crash");
	EXPECT_FALSE(gone.IsValid());
}

TEST(Roster, ABroadcastWithoutOtherApplicationsStillReachesTheSender)
{
	PrivateRuntimeFolder folder;
	EXPECT_EQ(be_roster->Broadcast(nullptr), B_BAD_VALUE);
	BroadcastApp* app = new BroadcastApp;
	std::thread runner([app] { app->Run(); });
	BMessage message('only');
	ASSERT_EQ(be_roster->Broadcast(&message), B_OK);
	ASSERT_TRUE(app->recorder.WaitFor(1));
	EXPECT_EQ(app->recorder.Codes(), std::vector<uint32>{'only'});
	EXPECT_EQ(BMessenger(kTestSignature).Team(), getpid());
	EXPECT_EQ(BMessenger("application/x-vnd.nobody").IsValid(), false);
	ASSERT_TRUE(app->Lock());
	app->Quit();
	app->Unlock();
	runner.join();
	delete app;
}
