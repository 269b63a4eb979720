#include "TThread.h"

#include <atomic>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../platform/kernel/Eventually.h"

namespace {

bool thread_gone(thread_id thread)
{
	thread_info info;
	return get_thread_info(thread, &info) == B_BAD_THREAD_ID;
}

// Counts its passes until asked to stop, then answers 7. What happens to it is recorded in
// a Log that outlives the object.
struct Log {
	std::atomic<int> passes{0};
	std::atomic<bool> destroyed{false};
	std::atomic<bool> unwound{false};
	// Whether the thread had ended when the subclass's destructor began.
	std::atomic<bool> endedBeforeDestruction{false};
	// Holds a body that ignores every request until the test opens it.
	std::atomic<bool> gate{false};
};

// Resumes a thread whose body counts a pass as it begins, and waits until it has begun.
bool resume_into_body(const TThread& thread, const Log& log)
{
	return thread.Resume() == B_OK && eventually([&] { return log.passes.load() == 1; });
}

class Worker : public TThread {
public:
	explicit Worker(Log& log, const char* name = "worker", int32 priority = B_NORMAL_PRIORITY)
	    : TThread(name, priority), fLog(log)
	{
	}
	Worker(const Worker& other) : TThread(other), fLog(other.fLog) {}
	~Worker() override { fLog.destroyed = true; }

protected:
	int32 Execute() override
	{
		while (!mTerminateRequested) {
			fLog.passes++;
			snooze(500);
		}
		return 7;
	}

	Log& fLog;
};

// A thread at normal priority that reports to a Log, which outlives it, when it is destroyed.
class Logged : public TThread {
public:
	Logged(Log& log, const char* name) : TThread(name, B_NORMAL_PRIORITY), fLog(log) {}
	~Logged() override { fLog.destroyed = true; }

protected:
	Log& fLog;
};

// Ignores Terminate and sleeps in the kernel until it is killed.
class Stubborn : public Logged {
public:
	explicit Stubborn(Log& log) : Logged(log, "stubborn") {}

protected:
	int32 Execute() override
	{
		struct Sentinel {
			Log& log;
			~Sentinel() { log.unwound = true; }
		} sentinel{fLog};
		fLog.passes++;
		snooze(B_INFINITE_TIMEOUT);
		return 0;
	}
};

// Computes on members of its own without a single kernel call, polling only the request.
class Cruncher : public Logged {
public:
	explicit Cruncher(Log& log) : Logged(log, "cruncher") {}
	~Cruncher() override { fLog.endedBeforeDestruction = IsTerminated(); }

protected:
	int32 Execute() override
	{
		fLog.passes++;
		while (!mTerminateRequested) {
			fNumbers.push_back(fNumbers.size());
			if (fNumbers.size() > 1000)
				fNumbers.clear();
		}
		return 0;
	}

	std::vector<size_t> fNumbers;
};

// Spins on the request alone, never reaching a kernel call.
class Spinner : public Logged {
public:
	explicit Spinner(Log& log) : Logged(log, "spinner") {}

protected:
	int32 Execute() override
	{
		fLog.passes++;
		while (!mTerminateRequested) {
		}
		return 0;
	}
};

// Ignores the request and the kill alike (it makes no kernel call) until the gate opens.
class Deaf : public Logged {
public:
	explicit Deaf(Log& log) : Logged(log, "deaf") {}

protected:
	int32 Execute() override
	{
		fLog.passes++;
		while (!fLog.gate.load()) {
		}
		return fLog.passes.load();
	}
};

// Deletes its own object from its body and leaves with 3.
class SelfDeleting : public Logged {
public:
	explicit SelfDeleting(Log& log) : Logged(log, "self-deleting") {}

protected:
	int32 Execute() override
	{
		delete this;
		return 3;
	}
};

// Reads a port the way a port manager does, until it is asked to stop and woken.
class PortReader : public TThread {
public:
	PortReader(port_id port, std::vector<std::string>& received)
	    : TThread("port reader", B_NORMAL_PRIORITY), fPort(port), fReceived(received)
	{
	}
	~PortReader() override
	{
		// Stopped here, while the members the body uses still exist.
		Terminate();
		write_port(fPort, 0, nullptr, 0);
		Wait();
	}

protected:
	int32 Execute() override
	{
		while (!mTerminateRequested) {
			ssize_t size = port_buffer_size(fPort);
			if (size < 0)
				return size;
			std::string text(size, '\0');
			int32 code;
			if (read_port(fPort, &code, text.data(), text.size()) > 0)
				fReceived.push_back(text);
		}
		return 0;
	}

	port_id fPort;
	std::vector<std::string>& fReceived;
};

// The same reader stopped by plain delete: its Terminate wakes the body with an empty message.
class WakingPortReader : public PortReader {
public:
	using PortReader::PortReader;

	status_t Terminate() override
	{
		wakeUps++;
		TThread::Terminate();
		write_port(fPort, 0, nullptr, 0);
		return B_OK;
	}

	static inline std::atomic<int> wakeUps{0};
};

} // namespace

TEST(TThread, ANeverResumedThreadStaysSuspendedAndIsKilledWithItsObject)
{
	Log log;
	thread_id thread;
	{
		Worker worker(log);
		thread = worker.ThreadID();
		ASSERT_GT(thread, 0);
		EXPECT_TRUE(worker.IsSuspended());
		EXPECT_FALSE(worker.IsTerminated());
		snooze(10000);
		EXPECT_EQ(log.passes.load(), 0);
	}
	EXPECT_TRUE(thread_gone(thread));
	EXPECT_EQ(log.passes.load(), 0);

	// Deleted rather than destroyed in place, likewise.
	auto* worker = new Worker(log);
	thread = worker->ThreadID();
	delete worker;
	EXPECT_TRUE(thread_gone(thread));
	EXPECT_TRUE(log.destroyed.load());
	EXPECT_EQ(log.passes.load(), 0);
}

TEST(TThread, RunsUntilAskedToTerminateAndReportsItsExitValue)
{
	Log log;
	Worker worker(log);
	ASSERT_EQ(worker.Resume(), B_OK);
	EXPECT_FALSE(worker.IsSuspended());
	ASSERT_TRUE(eventually([&] { return log.passes.load() > 2; }));
	EXPECT_FALSE(worker.IsTerminated());

	ASSERT_EQ(worker.Suspend(), B_OK);
	EXPECT_TRUE(worker.IsSuspended());
	ASSERT_EQ(worker.Resume(), B_OK);
	EXPECT_FALSE(worker.IsSuspended());

	EXPECT_EQ(worker.Terminate(), B_OK);
	EXPECT_TRUE(worker.IsTerminateRequested());
	status_t exitValue = 0;
	ASSERT_EQ(worker.Wait(&exitValue), B_OK);
	EXPECT_EQ(exitValue, 7);
	EXPECT_TRUE(worker.IsTerminated());
	EXPECT_FALSE(worker.IsSuspended());
}

TEST(TThread, WaitWithoutAPlaceForTheExitValue)
{
	Log log;
	Worker worker(log);
	worker.Terminate();
	ASSERT_EQ(worker.Resume(), B_OK);
	EXPECT_EQ(worker.Wait(), B_OK);
	EXPECT_TRUE(worker.IsTerminated());
	// The exit value was collected; waiting again reports the thread unknown.
	EXPECT_EQ(worker.Wait(), B_BAD_THREAD_ID);
}

TEST(TThread, NameAndPriority)
{
	Log log;
	Worker worker(log, "IAPPortManager", B_NORMAL_PRIORITY);
	thread_info info;
	ASSERT_EQ(get_thread_info(worker.ThreadID(), &info), B_OK);
	EXPECT_STREQ(info.name, "IAPPortManager");
	EXPECT_EQ(info.priority, B_NORMAL_PRIORITY);

	EXPECT_EQ(worker.SetName("renamed"), B_OK);
	EXPECT_EQ(worker.SetPriority(B_DISPLAY_PRIORITY), B_NORMAL_PRIORITY);
	ASSERT_EQ(get_thread_info(worker.ThreadID(), &info), B_OK);
	EXPECT_STREQ(info.name, "renamed");
	EXPECT_EQ(info.priority, B_DISPLAY_PRIORITY);
	EXPECT_EQ(worker.SetName(nullptr), B_BAD_VALUE);
}

TEST(TThread, ACopySpawnsASeparateThreadWithTheSameNameAndPriority)
{
	Log log;
	Worker original(log, "original", B_LOW_PRIORITY);
	original.SetName("copied name");
	Worker copy(original);
	EXPECT_NE(copy.ThreadID(), original.ThreadID());
	EXPECT_TRUE(copy.IsSuspended());
	thread_info info;
	ASSERT_EQ(get_thread_info(copy.ThreadID(), &info), B_OK);
	EXPECT_STREQ(info.name, "copied name");
	EXPECT_EQ(info.priority, B_LOW_PRIORITY);

	// The copy runs and ends on its own.
	copy.Terminate();
	ASSERT_EQ(copy.Resume(), B_OK);
	EXPECT_EQ(copy.Wait(), B_OK);
	EXPECT_TRUE(original.IsSuspended());

	// A copy of an object whose thread has gone still gets a thread of its own.
	Worker later(copy);
	ASSERT_GT(later.ThreadID(), 0);
	ASSERT_EQ(get_thread_info(later.ThreadID(), &info), B_OK);
	EXPECT_STREQ(info.name, "TThread");
	EXPECT_EQ(info.priority, B_NORMAL_PRIORITY);
}

TEST(TThread, AnObjectGoesWithItsThreadByAutoDeleteOrByItsOwnBody)
{
	// Once resumed, the object is not touched again: it goes by itself.
	auto expectGoneWithItsThread = [](TThread* thread, const Log& log, status_t expectedExit) {
		thread_id id = thread->ThreadID();
		ASSERT_EQ(thread->Resume(), B_OK);
		status_t exitValue = 0;
		ASSERT_EQ(wait_for_thread(id, &exitValue), B_OK);
		EXPECT_EQ(exitValue, expectedExit);
		EXPECT_TRUE(log.destroyed.load());
	};

	Log log;
	auto* worker = new Worker(log);
	worker->SetAutoDelete(true);
	worker->Terminate();
	expectGoneWithItsThread(worker, log, 7);

	// A body may delete its own object; with auto-delete set too, it is deleted once.
	for (bool autoDelete : {false, true}) {
		Log selfLog;
		auto* selfDeleting = new SelfDeleting(selfLog);
		selfDeleting->SetAutoDelete(autoDelete);
		expectGoneWithItsThread(selfDeleting, selfLog, 3);
	}
}

TEST(TThread, DestroyingTheObjectEndsARunningThreadBeforeTheMemoryGoes)
{
	Log log;
	thread_id thread;
	{
		Stubborn stubborn(log);
		thread = stubborn.ThreadID();
		ASSERT_TRUE(resume_into_body(stubborn, log));
	}
	// The destructor returned only after the thread had left, unwinding its stack.
	EXPECT_TRUE(log.unwound.load());
	EXPECT_TRUE(thread_gone(thread));

	// A body that never reaches a kernel call is stopped through its request instead.
	Log spinLog;
	{
		Spinner spinner(spinLog);
		thread = spinner.ThreadID();
		ASSERT_TRUE(resume_into_body(spinner, spinLog));
	}
	EXPECT_TRUE(thread_gone(thread));
}

TEST(TThread, APortReaderStopsWhenAskedAndWoken)
{
	port_id port = create_port(100, nullptr);
	ASSERT_GT(port, 0);
	std::vector<std::string> received;
	auto deliver = [&](TThread& reader, const char* text) {
		ASSERT_EQ(reader.Resume(), B_OK);
		ASSERT_EQ(write_port(port, 0, text, strlen(text)), B_OK);
		ASSERT_TRUE(eventually([&] { return port_count(port) == 0; }));
	};

	// Stopped by its own destructor...
	{
		PortReader reader(port, received);
		deliver(reader, "hello");
	}
	// ...or by plain delete, which wakes it through its Terminate.
	auto* waking = new WakingPortReader(port, received);
	thread_id thread = waking->ThreadID();
	deliver(*waking, "world");
	delete waking;
	EXPECT_GE(WakingPortReader::wakeUps.load(), 1);
	EXPECT_TRUE(thread_gone(thread));
	EXPECT_EQ(received, (std::vector<std::string>{"hello", "world"}));
	delete_port(port);
}

TEST(TThread, DeletingNeverDestroysAnObjectUnderItsRunningBody)
{
	// A body that polls its request, even one that never blocks, ends before any destructor.
	Log log;
	auto* cruncher = new Cruncher(log);
	thread_id thread = cruncher->ThreadID();
	ASSERT_TRUE(resume_into_body(*cruncher, log));
	delete cruncher;
	EXPECT_TRUE(log.destroyed.load());
	EXPECT_TRUE(log.endedBeforeDestruction.load()) << "the body outlived its members";
	EXPECT_TRUE(thread_gone(thread));

	// One that ignores everything keeps its whole object after the grace period, and its
	// thread destroys it as it ends.
	Log deafLog;
	auto* deaf = new Deaf(deafLog);
	thread = deaf->ThreadID();
	ASSERT_TRUE(resume_into_body(*deaf, deafLog));
	delete deaf;
	EXPECT_FALSE(deafLog.destroyed.load());
	EXPECT_FALSE(thread_gone(thread));
	deafLog.gate = true;
	status_t exitValue = 0;
	ASSERT_EQ(wait_for_thread(thread, &exitValue), B_OK);
	EXPECT_EQ(exitValue, 1);
	EXPECT_TRUE(deafLog.destroyed.load());
}
