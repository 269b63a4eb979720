#include "TThread.h"

#include <atomic>
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
};

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

// Ignores Terminate and sleeps in the kernel until it is killed.
class Stubborn : public TThread {
public:
	explicit Stubborn(Log& log) : TThread("stubborn", B_NORMAL_PRIORITY), fLog(log) {}

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

	Log& fLog;
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

TEST(TThread, AnAutoDeletedObjectGoesWithItsThread)
{
	Log log;
	auto* worker = new Worker(log);
	worker->SetAutoDelete(true);
	worker->Terminate();
	thread_id thread = worker->ThreadID();
	ASSERT_EQ(worker->Resume(), B_OK);
	// From here on the object is not touched: it deletes itself.
	status_t exitValue = 0;
	ASSERT_EQ(wait_for_thread(thread, &exitValue), B_OK);
	EXPECT_EQ(exitValue, 7);
	EXPECT_TRUE(log.destroyed.load());
}

TEST(TThread, DestroyingTheObjectEndsARunningThreadBeforeTheMemoryGoes)
{
	Log log;
	thread_id thread;
	{
		Stubborn stubborn(log);
		thread = stubborn.ThreadID();
		ASSERT_EQ(stubborn.Resume(), B_OK);
		ASSERT_TRUE(eventually([&] { return log.passes.load() == 1; }));
	}
	// The destructor returned only after the thread had left, unwinding its stack.
	EXPECT_TRUE(log.unwound.load());
	EXPECT_TRUE(thread_gone(thread));
}

TEST(TThread, APortReaderStopsWhenAskedAndWoken)
{
	port_id port = create_port(100, nullptr);
	ASSERT_GT(port, 0);
	std::vector<std::string> received;
	{
		PortReader reader(port, received);
		ASSERT_EQ(reader.Resume(), B_OK);
		ASSERT_EQ(write_port(port, 0, "hello", 5), B_OK);
		ASSERT_EQ(write_port(port, 0, "world", 5), B_OK);
		ASSERT_TRUE(eventually([&] { return port_count(port) == 0; }));
	}
	EXPECT_EQ(received, (std::vector<std::string>{"hello", "world"}));
	delete_port(port);
}
