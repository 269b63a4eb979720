// Message runners: how many copies they send, to whom replies go, and that changing or
// deleting a runner takes effect.
#include <gtest/gtest.h>

#include <Message.h>
#include <MessageRunner.h>

#include "AppTestSupport.h"

namespace {

class RunnerTest : public testing::Test {
protected:
	void SetUp() override
	{
		looper = new RecordingLooper;
		looper->Run();
		target = BMessenger(nullptr, looper);
	}
	void TearDown() override { quit_looper(looper); }

	size_t Received() { return looper->recorder.Messages().size(); }

	RecordingLooper* looper;
	BMessenger target;
};

} // namespace

TEST_F(RunnerTest, ACountedRunnerSendsExactlyThatManyCopies)
{
	BMessage message('tick');
	message.AddInt32("n", 3);
	BMessageRunner runner(target, message, 2000, 3);
	ASSERT_EQ(runner.InitCheck(), B_OK);
	ASSERT_TRUE(looper->recorder.WaitFor(3));
	// Well past the time a fourth would have come.
	snooze(50000);
	EXPECT_EQ(Received(), 3u);
	for (const BMessage& copy : looper->recorder.Messages())
		EXPECT_EQ(copy.GetInt32("n", 0), 3);
	// Spent: it no longer reports, and cannot be changed.
	EXPECT_EQ(runner.GetInfo(nullptr, nullptr), B_BAD_VALUE);
	EXPECT_EQ(runner.SetInterval(1000), B_BAD_VALUE);
}

TEST_F(RunnerTest, APeriodicRunnerStopsWhenDeleted)
{
	BMessage message('tick');
	auto* runner = new BMessageRunner(target, &message, 1000);
	bigtime_t interval;
	int32 count;
	ASSERT_EQ(runner->GetInfo(&interval, &count), B_OK);
	EXPECT_EQ(interval, 1000);
	EXPECT_EQ(count, -1);
	ASSERT_TRUE(looper->recorder.WaitFor(5));
	delete runner;
	// Nothing is sent after the destructor returned; let the queue empty first.
	BMessage reply;
	target.SendMessage('sync', &reply);
	size_t seen = Received();
	snooze(30000);
	target.SendMessage('sync', &reply);
	EXPECT_EQ(Received(), seen + 1);
}

TEST_F(RunnerTest, SetCountAndSetIntervalChangeARunningRunner)
{
	BMessage message('tick');
	BMessageRunner runner(target, &message, 10000000);
	// Ten seconds between copies; a shorter interval makes them come now.
	ASSERT_EQ(runner.SetInterval(1000), B_OK);
	ASSERT_EQ(runner.SetCount(2), B_OK);
	int32 count;
	ASSERT_EQ(runner.GetInfo(nullptr, &count), B_OK);
	EXPECT_EQ(count, 2);
	ASSERT_TRUE(looper->recorder.WaitFor(2));
	snooze(30000);
	EXPECT_EQ(Received(), 2u);

	BMessageRunner stopped(target, &message, 1000);
	EXPECT_EQ(stopped.SetCount(0), B_OK);
	EXPECT_EQ(stopped.GetInfo(nullptr, nullptr), B_BAD_VALUE);
	EXPECT_EQ(runner.SetInterval(0), B_BAD_VALUE);
}

TEST_F(RunnerTest, BadArgumentsAreRefused)
{
	BMessage message('tick');
	EXPECT_EQ(BMessageRunner(target, nullptr, 1000).InitCheck(), B_BAD_VALUE);
	EXPECT_EQ(BMessageRunner(target, &message, 0).InitCheck(), B_BAD_VALUE);
	EXPECT_EQ(BMessageRunner(target, &message, 1000, 0).InitCheck(), B_BAD_VALUE);
	EXPECT_EQ(BMessageRunner(target, &message, 1000, -2).InitCheck(), B_BAD_VALUE);
	EXPECT_EQ(BMessageRunner::StartSending(target, &message, 1000, -1), B_BAD_VALUE);
}

TEST_F(RunnerTest, FireAndForgetRunnersAndReplyTargets)
{
	RecordingLooper* replies = new RecordingLooper("replies");
	replies->Run();
	struct Echo : BLooper {
		void MessageReceived(BMessage* message) override { message->SendReply('pong'); }
	};
	Echo* echo = new Echo;
	echo->Run();
	BMessage message('ping');
	ASSERT_EQ(BMessageRunner::StartSending(BMessenger(nullptr, echo), &message, 1000, 2,
	                                       BMessenger(nullptr, replies)),
	          B_OK);
	ASSERT_TRUE(replies->recorder.WaitFor(2));
	EXPECT_EQ(replies->recorder.Codes(), (std::vector<uint32>{'pong', 'pong'}));
	quit_looper(echo);
	quit_looper(replies);
}

TEST_F(RunnerTest, AnIntervalOfForeverNeverFires)
{
	// The time of the next copy saturates instead of wrapping into the past, where the
	// runner would fire at once and then without pause.
	BMessage message('tick');
	BMessageRunner runner(target, message, B_INFINITE_TIMEOUT, -1);
	ASSERT_EQ(runner.InitCheck(), B_OK);
	BMessageRunner paused(target, message, 1000, -1);
	ASSERT_EQ(paused.SetInterval(B_INFINITE_TIMEOUT), B_OK);
	snooze(30000);
	EXPECT_EQ(Received(), 0u);
}
