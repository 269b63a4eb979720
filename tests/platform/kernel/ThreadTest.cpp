#include <OS.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "KernelTestSupport.h"

namespace {

thread_state state_of(thread_id thread)
{
	thread_info info;
	EXPECT_EQ(get_thread_info(thread, &info), B_OK);
	return info.state;
}

int32 return_data(void* data)
{
	return static_cast<int32>(reinterpret_cast<intptr_t>(data));
}

int32 count_forever(void* data)
{
	auto* counter = static_cast<std::atomic<int>*>(data);
	for (;;) {
		counter->fetch_add(1);
		snooze(200);
	}
	return 0;
}

} // namespace

TEST(Thread, SpawnedThreadWaitsForResumeAndReportsItsExitValue)
{
	std::atomic<bool> ran{false};
	thread_id thread = spawn_thread(
	    [](void* data) -> int32 {
		    static_cast<std::atomic<bool>*>(data)->store(true);
		    return 42;
	    },
	    "resumed", B_NORMAL_PRIORITY, &ran);
	ASSERT_GT(thread, 0);

	snooze(20000);
	EXPECT_FALSE(ran.load());
	EXPECT_EQ(state_of(thread), B_THREAD_SUSPENDED);

	ASSERT_EQ(resume_thread(thread), B_OK);
	status_t exitValue = 0;
	ASSERT_EQ(wait_for_thread(thread, &exitValue), B_OK);
	EXPECT_TRUE(ran.load());
	EXPECT_EQ(exitValue, 42);

	// The exit value is handed out once; after that the thread is unknown.
	EXPECT_EQ(wait_for_thread(thread, &exitValue), B_BAD_THREAD_ID);
	thread_info info;
	EXPECT_EQ(get_thread_info(thread, &info), B_BAD_THREAD_ID);
	EXPECT_EQ(resume_thread(thread), B_BAD_THREAD_ID);
}

TEST(Thread, WaitingForASpawnedThreadLetsItRun)
{
	thread_id thread =
	    spawn_thread(return_data, "waited", B_NORMAL_PRIORITY, reinterpret_cast<void*>(7));
	status_t exitValue = 0;
	ASSERT_EQ(wait_for_thread(thread, &exitValue), B_OK);
	EXPECT_EQ(exitValue, 7);
}

TEST(Thread, KilledBeforeItRanTheBodyNeverRuns)
{
	std::atomic<int> runs{0};
	std::vector<thread_id> threads;
	for (int i = 0; i < 20; i++) {
		threads.push_back(spawn_thread(
		    [](void* data) -> int32 {
			    static_cast<std::atomic<int>*>(data)->fetch_add(1);
			    return 0;
		    },
		    "never", B_NORMAL_PRIORITY, &runs));
	}
	for (thread_id thread : threads)
		ASSERT_EQ(kill_thread(thread), B_OK);
	// A killed thread cannot be brought back: resuming it is refused, and waiting for it
	// (which would resume a merely suspended thread) only collects its end.
	EXPECT_EQ(resume_thread(threads[0]), B_BAD_THREAD_ID);
	for (thread_id thread : threads) {
		status_t exitValue = 0;
		ASSERT_EQ(wait_for_thread(thread, &exitValue), B_OK);
		EXPECT_EQ(exitValue, B_INTERRUPTED);
	}
	EXPECT_EQ(runs.load(), 0);
}

TEST(Thread, ExitHooksRunLatestFirstInTheEndingThread)
{
	struct Log {
		std::vector<int> order;
		thread_id hookThread = -1;
	} log;
	auto body = [](void* data) -> int32 {
		auto* log = static_cast<Log*>(data);
		on_exit_thread([](void* d) { static_cast<Log*>(d)->order.push_back(1); }, log);
		on_exit_thread(
		    [](void* d) {
			    auto* log = static_cast<Log*>(d);
			    log->order.push_back(2);
			    log->hookThread = find_thread(nullptr);
		    },
		    log);
		return 5;
	};
	thread_id thread = spawn_thread(body, "hooks", B_NORMAL_PRIORITY, &log);
	status_t exitValue = 0;
	ASSERT_EQ(wait_for_thread(thread, &exitValue), B_OK);
	EXPECT_EQ(exitValue, 5);
	EXPECT_EQ(log.order, (std::vector<int>{2, 1}));
	EXPECT_EQ(log.hookThread, thread);

	EXPECT_EQ(on_exit_thread(nullptr, nullptr), B_BAD_VALUE);
}

TEST(Thread, ExitThreadUnwindsRunsHooksAndSetsTheExitValue)
{
	struct State {
		bool destroyed = false;
		bool hookRan = false;
		bool afterExit = false;
	} state;
	struct Sentinel {
		bool* flag;
		~Sentinel() { *flag = true; }
	};
	auto body = [](void* data) -> int32 {
		auto* state = static_cast<State*>(data);
		on_exit_thread([](void* d) { static_cast<State*>(d)->hookRan = true; }, state);
		Sentinel sentinel{&state->destroyed};
		exit_thread(-77);
		state->afterExit = true;
		return 0;
	};
	thread_id thread = spawn_thread(body, "exiting", B_NORMAL_PRIORITY, &state);
	status_t exitValue = 0;
	ASSERT_EQ(wait_for_thread(thread, &exitValue), B_OK);
	EXPECT_EQ(exitValue, -77);
	EXPECT_TRUE(state.destroyed);
	EXPECT_TRUE(state.hookRan);
	EXPECT_FALSE(state.afterExit);
}

TEST(Thread, KillReachesAThreadBlockedInTheKernel)
{
	// One thread sleeps forever, one waits for a thread that never ends; a kill ends both,
	// and the objects on their stacks are destroyed on the way out.
	struct Blocked {
		std::atomic<bool> unwound{false};
		thread_id target = -1;
	};
	struct Sentinel {
		std::atomic<bool>* flag;
		~Sentinel() { flag->store(true); }
	};
	Blocked sleeper, waiter;
	thread_id sleeping = spawn_thread(
	    [](void* data) -> int32 {
		    Sentinel sentinel{&static_cast<Blocked*>(data)->unwound};
		    snooze(B_INFINITE_TIMEOUT);
		    return 0;
	    },
	    "sleeper", B_NORMAL_PRIORITY, &sleeper);
	waiter.target = sleeping;
	thread_id waiting = spawn_thread(
	    [](void* data) -> int32 {
		    auto* blocked = static_cast<Blocked*>(data);
		    Sentinel sentinel{&blocked->unwound};
		    wait_for_thread(blocked->target, nullptr);
		    return 0;
	    },
	    "waiter", B_NORMAL_PRIORITY, &waiter);
	ASSERT_EQ(resume_thread(sleeping), B_OK);
	ASSERT_EQ(resume_thread(waiting), B_OK);
	ASSERT_TRUE(eventually([&] { return state_of(sleeping) == B_THREAD_ASLEEP; }));
	ASSERT_TRUE(eventually([&] { return state_of(waiting) == B_THREAD_WAITING; }));

	ASSERT_EQ(kill_thread(waiting), B_OK);
	status_t exitValue = 0;
	ASSERT_EQ(wait_for_thread(waiting, &exitValue), B_OK);
	EXPECT_EQ(exitValue, B_INTERRUPTED);
	EXPECT_TRUE(waiter.unwound.load());

	ASSERT_EQ(kill_thread(sleeping), B_OK);
	ASSERT_EQ(wait_for_thread(sleeping, &exitValue), B_OK);
	EXPECT_TRUE(sleeper.unwound.load());
	EXPECT_EQ(kill_thread(sleeping), B_BAD_THREAD_ID);
}

TEST(Thread, SuspensionStopsTheThreadAtItsNextKernelCallUntilResumed)
{
	std::atomic<int> counter{0};
	thread_id thread = spawn_thread(count_forever, "counter", B_NORMAL_PRIORITY, &counter);
	ASSERT_EQ(resume_thread(thread), B_OK);
	ASSERT_TRUE(eventually([&] { return counter.load() > 3; }));

	ASSERT_EQ(suspend_thread(thread), B_OK);
	EXPECT_EQ(state_of(thread), B_THREAD_SUSPENDED);
	// Once suspend_thread has returned the thread can finish at most the step it is in.
	int atSuspension = counter.load();
	snooze(30000);
	EXPECT_LE(counter.load(), atSuspension + 1);

	EXPECT_EQ(suspend_thread(thread), B_OK);
	ASSERT_EQ(resume_thread(thread), B_OK);
	EXPECT_EQ(resume_thread(thread), B_BAD_THREAD_STATE);
	int atResume = counter.load();
	EXPECT_TRUE(eventually([&] { return counter.load() > atResume + 3; }));

	// A suspended thread can still be killed.
	ASSERT_EQ(suspend_thread(thread), B_OK);
	ASSERT_EQ(kill_thread(thread), B_OK);
	EXPECT_EQ(wait_for_thread(thread, nullptr), B_OK);
}

TEST(Thread, AThreadThatSuspendsItselfParksAtOnce)
{
	std::atomic<int> step{0};
	thread_id thread = spawn_thread(
	    [](void* data) -> int32 {
		    auto* step = static_cast<std::atomic<int>*>(data);
		    step->store(1);
		    suspend_thread(find_thread(nullptr));
		    step->store(2);
		    return 0;
	    },
	    "self", B_NORMAL_PRIORITY, &step);
	ASSERT_EQ(resume_thread(thread), B_OK);
	ASSERT_TRUE(eventually([&] { return step.load() == 1; }));
	ASSERT_TRUE(eventually([&] { return state_of(thread) == B_THREAD_SUSPENDED; }));
	snooze(10000);
	EXPECT_EQ(step.load(), 1);
	ASSERT_EQ(resume_thread(thread), B_OK);
	ASSERT_EQ(wait_for_thread(thread, nullptr), B_OK);
	EXPECT_EQ(step.load(), 2);
}

TEST(Thread, NamesPrioritiesAndInformation)
{
	thread_id thread = spawn_thread(return_data, "first name", B_LOW_PRIORITY, nullptr);
	ASSERT_GT(thread, 0);

	thread_info info;
	ASSERT_EQ(get_thread_info(thread, &info), B_OK);
	EXPECT_EQ(info.thread, thread);
	EXPECT_EQ(info.team, getpid());
	EXPECT_STREQ(info.name, "first name");
	EXPECT_EQ(info.priority, B_LOW_PRIORITY);
	EXPECT_EQ(find_thread("first name"), thread);

	ASSERT_EQ(rename_thread(thread, "second name"), B_OK);
	EXPECT_EQ(find_thread("first name"), B_NAME_NOT_FOUND);
	EXPECT_EQ(find_thread("second name"), thread);
	ASSERT_EQ(get_thread_info(thread, &info), B_OK);
	EXPECT_STREQ(info.name, "second name");

	// Like the platform, set_thread_priority answers the priority it replaced; out of range
	// values are clamped to the valid range.
	EXPECT_EQ(set_thread_priority(thread, B_DISPLAY_PRIORITY), B_LOW_PRIORITY);
	EXPECT_EQ(set_thread_priority(thread, 1000), B_DISPLAY_PRIORITY);
	ASSERT_EQ(get_thread_info(thread, &info), B_OK);
	EXPECT_EQ(info.priority, B_REAL_TIME_PRIORITY);

	// A name longer than the platform keeps is cut to 31 bytes, never inside a character.
	std::string longName(30, 'x');
	longName += "\xC3\xA9\xC3\xA9"; // two two-byte characters; only the first part fits
	ASSERT_EQ(rename_thread(thread, longName.c_str()), B_OK);
	ASSERT_EQ(get_thread_info(thread, &info), B_OK);
	EXPECT_EQ(std::string(info.name), std::string(30, 'x'));

	EXPECT_EQ(rename_thread(thread, nullptr), B_BAD_VALUE);
	EXPECT_EQ(get_thread_info(thread, nullptr), B_BAD_VALUE);
	ASSERT_EQ(kill_thread(thread), B_OK);
	ASSERT_EQ(wait_for_thread(thread, nullptr), B_OK);

	EXPECT_EQ(rename_thread(thread, "gone"), B_BAD_THREAD_ID);
	EXPECT_EQ(set_thread_priority(thread, 5), B_BAD_THREAD_ID);
	EXPECT_EQ(suspend_thread(thread), B_BAD_THREAD_ID);
	EXPECT_EQ(spawn_thread(nullptr, "no body", B_NORMAL_PRIORITY, nullptr), B_BAD_VALUE);
}

TEST(Thread, EveryThreadThatAsksGetsItsOwnLastingId)
{
	thread_id self = find_thread(nullptr);
	ASSERT_GT(self, 0);
	EXPECT_EQ(find_thread(nullptr), self);
	thread_info info;
	ASSERT_EQ(get_thread_info(self, &info), B_OK);
	EXPECT_EQ(info.state, B_THREAD_RUNNING);
	EXPECT_EQ(wait_for_thread(self, nullptr), B_BAD_VALUE);

	// A thread the platform did not create is known from its first question on, and is
	// gone once it ends.
	thread_id foreign = -1;
	std::thread other([&] {
		foreign = find_thread(nullptr);
		EXPECT_EQ(find_thread(nullptr), foreign);
	});
	other.join();
	EXPECT_GT(foreign, 0);
	EXPECT_NE(foreign, self);
	EXPECT_TRUE(eventually([&] { return get_thread_info(foreign, &info) == B_BAD_THREAD_ID; }));

	thread_id spawned = spawn_thread([](void*) -> int32 { return find_thread(nullptr); }, "asks",
	                                 B_NORMAL_PRIORITY, nullptr);
	status_t exitValue = 0;
	ASSERT_EQ(wait_for_thread(spawned, &exitValue), B_OK);
	EXPECT_EQ(exitValue, spawned);
}

TEST(Time, SystemTimeIsMonotonicAndSnoozeSleepsAtLeastAsLongAsAsked)
{
	bigtime_t start = system_time();
	ASSERT_EQ(snooze(5000), B_OK);
	bigtime_t after = system_time();
	EXPECT_GE(after - start, 5000);

	ASSERT_EQ(snooze_until(after + 2000, B_SYSTEM_TIMEBASE), B_OK);
	EXPECT_GE(system_time(), after + 2000);
	EXPECT_EQ(snooze_until(0, 1), B_BAD_VALUE);
	// A time that has passed, or a negative length, returns at once.
	EXPECT_EQ(snooze_until(0, B_SYSTEM_TIMEBASE), B_OK);
	EXPECT_EQ(snooze(-5), B_OK);
	// The earliest representable time, too, lies in the past rather than wrapping around
	// into the far future.
	EXPECT_EQ(snooze_until(INT64_MIN, B_SYSTEM_TIMEBASE), B_OK);
}
