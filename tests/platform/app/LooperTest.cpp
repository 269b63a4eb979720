// Loopers: dispatching to handlers, the order of common and handler filters and the target
// they may replace, locking from other threads, and quitting.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include <Handler.h>
#include <Looper.h>
#include <Message.h>
#include <MessageFilter.h>
#include <MessageQueue.h>

#include "AppTestSupport.h"

namespace {

// A filter that writes its name into a shared log and answers as told, optionally handing
// the message to another handler.
class LoggingFilter : public BMessageFilter {
public:
	LoggingFilter(std::vector<std::string>* log, std::string name,
	              filter_result result = B_DISPATCH_MESSAGE, BHandler* redirect = nullptr)
	    : BMessageFilter(B_ANY_DELIVERY, B_ANY_SOURCE), fLog(log), fName(std::move(name)),
	      fResult(result), fRedirect(redirect)
	{
	}

	filter_result Filter(BMessage*, BHandler** target) override
	{
		fLog->push_back(fName);
		if (fRedirect != nullptr)
			*target = fRedirect;
		return fResult;
	}

private:
	std::vector<std::string>* fLog;
	std::string fName;
	filter_result fResult;
	BHandler* fRedirect;
};

// Waits until the looper has recorded `expected` messages.
void drain(RecordingLooper* looper, size_t expected)
{
	ASSERT_TRUE(looper->recorder.WaitFor(expected));
}

} // namespace

TEST(Looper, DispatchesToTheTargetHandlerInOrder)
{
	RecordingLooper* looper = new RecordingLooper;
	RecordingHandler* handler = new RecordingHandler;
	looper->AddHandler(handler);
	EXPECT_EQ(handler->Looper(), looper);
	EXPECT_EQ(handler->NextHandler(), looper);
	looper->Run();

	for (uint32 i = 0; i < 50; i++)
		ASSERT_EQ(looper->PostMessage('sq00' + i), B_OK);
	ASSERT_EQ(looper->PostMessage('hndl', handler), B_OK);
	drain(looper, 50);
	ASSERT_TRUE(handler->recorder.WaitFor(1));
	std::vector<uint32> codes = looper->recorder.Codes();
	for (uint32 i = 0; i < 50; i++)
		EXPECT_EQ(codes[i], 'sq00' + i);
	EXPECT_EQ(handler->recorder.Codes(), std::vector<uint32>{'hndl'});

	// Messages reach the handler's looper only for handlers of that looper.
	RecordingHandler stranger;
	EXPECT_EQ(looper->PostMessage('strn', &stranger), B_MISMATCHED_VALUES);

	ASSERT_TRUE(looper->Lock());
	looper->RemoveHandler(handler);
	looper->Unlock();
	delete handler;
	quit_looper(looper);
}

TEST(Looper, AMessageForARemovedHandlerIsDropped)
{
	RecordingLooper* looper = new RecordingLooper;
	RecordingHandler* handler = new RecordingHandler;
	looper->AddHandler(handler);
	// Queued while the looper does not run yet, then the handler goes away.
	ASSERT_EQ(looper->PostMessage('gone', handler), B_OK);
	delete handler;
	ASSERT_EQ(looper->PostMessage('here'), B_OK);
	looper->Run();
	drain(looper, 1);
	EXPECT_EQ(looper->recorder.Codes(), std::vector<uint32>{'here'});
	quit_looper(looper);
}

TEST(Looper, CommonFiltersRunBeforeHandlerFiltersAndMayRedirect)
{
	std::vector<std::string> log;
	RecordingLooper* looper = new RecordingLooper;
	RecordingHandler* first = new RecordingHandler("first");
	RecordingHandler* second = new RecordingHandler("second");
	looper->AddHandler(first);
	looper->AddHandler(second);

	looper->AddCommonFilter(new LoggingFilter(&log, "common 1"));
	looper->AddCommonFilter(
	    new LoggingFilter(&log, "common 2 -> first", B_DISPATCH_MESSAGE, first));
	first->AddFilter(new LoggingFilter(&log, "first 1"));
	first->AddFilter(new LoggingFilter(&log, "first 2 -> second", B_DISPATCH_MESSAGE, second));
	second->AddFilter(new LoggingFilter(&log, "second 1"));
	looper->Run();

	// Aimed at the looper; the common filters send it to first, whose filters send it on to
	// second, whose filters keep it.
	ASSERT_EQ(looper->PostMessage('rdir'), B_OK);
	ASSERT_TRUE(second->recorder.WaitFor(1));
	ASSERT_TRUE(looper->Lock());
	EXPECT_EQ(log, (std::vector<std::string>{"common 1", "common 2 -> first", "first 1",
	                                         "first 2 -> second", "second 1"}));
	EXPECT_TRUE(first->recorder.Messages().empty());
	EXPECT_TRUE(looper->recorder.Messages().empty());
	looper->RemoveHandler(first);
	looper->RemoveHandler(second);
	looper->Unlock();
	delete first;
	delete second;
	quit_looper(looper);
}

TEST(Looper, SkippingStopsTheMessageAndTheFiltersAfter)
{
	std::vector<std::string> log;
	RecordingLooper* looper = new RecordingLooper;
	looper->AddCommonFilter(new LoggingFilter(&log, "skip", B_SKIP_MESSAGE));
	looper->AddCommonFilter(new LoggingFilter(&log, "never"));
	// Only for one command: the marker below passes untouched.
	looper->AddCommonFilter(new BMessageFilter(
	    'mark', [](BMessage*, BHandler**, BMessageFilter*) { return B_DISPATCH_MESSAGE; }));
	looper->Run();
	// A synchronous send learns when the message was dropped: its sender gets B_NO_REPLY.
	BMessenger messenger(nullptr, looper);
	BMessage reply;
	ASSERT_EQ(messenger.SendMessage('skip', &reply), B_OK);
	EXPECT_EQ(reply.what, (uint32)B_NO_REPLY);
	ASSERT_TRUE(looper->Lock());
	// Replace the skipping filter by one that only handles another command.
	BList* filters = looper->CommonFilterList();
	BMessageFilter* skipper = (BMessageFilter*)filters->ItemAt(0);
	looper->RemoveCommonFilter(skipper);
	delete skipper;
	BMessageFilter* never = (BMessageFilter*)looper->CommonFilterList()->ItemAt(0);
	looper->RemoveCommonFilter(never);
	delete never;
	looper->Unlock();
	ASSERT_EQ(looper->PostMessage('mark'), B_OK);
	drain(looper, 1);
	EXPECT_EQ(log, std::vector<std::string>{"skip"});
	EXPECT_EQ(looper->recorder.Codes(), std::vector<uint32>{'mark'});
	quit_looper(looper);
}

TEST(Looper, AFilterThatNamesAHandlerOfAnotherLooperDropsTheMessage)
{
	std::vector<std::string> log;
	RecordingLooper* looper = new RecordingLooper;
	RecordingLooper* other = new RecordingLooper("other");
	RecordingHandler* foreign = new RecordingHandler;
	other->AddHandler(foreign);
	looper->AddCommonFilter(new LoggingFilter(&log, "away", B_DISPATCH_MESSAGE, foreign));
	looper->Run();
	other->Run();
	BMessage reply;
	ASSERT_EQ(BMessenger(nullptr, looper).SendMessage('away', &reply), B_OK);
	EXPECT_EQ(reply.what, (uint32)B_NO_REPLY);
	ASSERT_TRUE(looper->Lock());
	looper->SetCommonFilterList(nullptr);
	looper->Unlock();
	ASSERT_EQ(looper->PostMessage('mark'), B_OK);
	drain(looper, 1);
	EXPECT_EQ(looper->recorder.Codes(), std::vector<uint32>{'mark'});
	EXPECT_TRUE(foreign->recorder.Messages().empty());
	ASSERT_TRUE(other->Lock());
	other->RemoveHandler(foreign);
	other->Unlock();
	delete foreign;
	quit_looper(looper);
	quit_looper(other);
}

TEST(Looper, FiltersSelectByDeliveryAndSource)
{
	BMessage local('locl');
	BMessageFilter any(B_ANY_DELIVERY, B_ANY_SOURCE);
	BMessageFilter dropped(B_DROPPED_DELIVERY, B_ANY_SOURCE);
	BMessageFilter programmed(B_PROGRAMMED_DELIVERY, B_LOCAL_SOURCE, 'locl');
	BMessageFilter remote(B_ANY_DELIVERY, B_REMOTE_SOURCE);
	BMessageFilter otherCommand('othr');
	EXPECT_TRUE(any.Selects(&local));
	EXPECT_FALSE(dropped.Selects(&local));
	EXPECT_TRUE(programmed.Selects(&local));
	EXPECT_FALSE(remote.Selects(&local));
	EXPECT_FALSE(otherCommand.Selects(&local));
	EXPECT_TRUE(any.FiltersAnyCommand());
	EXPECT_FALSE(programmed.FiltersAnyCommand());
	EXPECT_EQ(programmed.Command(), (uint32)'locl');
}

TEST(Looper, CurrentMessageCanBeDetached)
{
	struct Keeper : BLooper {
		std::atomic<BMessage*> kept{nullptr};
		void MessageReceived(BMessage* message) override
		{
			if (CurrentMessage() == message)
				kept = DetachCurrentMessage();
		}
	};
	Keeper* looper = new Keeper;
	looper->Run();
	BMessage message('keep');
	message.AddInt32("value", 5);
	ASSERT_EQ(looper->PostMessage(&message), B_OK);
	for (int i = 0; i < 20000 && looper->kept == nullptr; i++)
		snooze(1000);
	BMessage* kept = looper->kept;
	ASSERT_NE(kept, nullptr);
	EXPECT_EQ(kept->GetInt32("value", 0), 5);
	EXPECT_TRUE(kept->WasDelivered());
	delete kept;
	quit_looper(looper);
}

TEST(Looper, LockIsRecursiveAndTimesOutForOtherThreads)
{
	BLooper* looper = new BLooper("lock test");
	// The constructing thread holds the lock until Run.
	EXPECT_TRUE(looper->IsLocked());
	EXPECT_EQ(looper->LockingThread(), find_thread(nullptr));
	looper->Run();
	EXPECT_FALSE(looper->IsLocked());

	ASSERT_TRUE(looper->Lock());
	ASSERT_TRUE(looper->Lock());
	EXPECT_EQ(looper->CountLocks(), 2);
	status_t other = B_OK;
	std::thread([&] { other = looper->LockWithTimeout(20000); }).join();
	EXPECT_EQ(other, B_TIMED_OUT);
	std::thread([&] { other = looper->LockWithTimeout(0); }).join();
	EXPECT_EQ(other, B_WOULD_BLOCK);
	looper->Unlock();
	looper->Unlock();
	std::thread([&] {
		other = looper->LockWithTimeout(1000000);
		if (other == B_OK)
			looper->Unlock();
	}).join();
	EXPECT_EQ(other, B_OK);
	quit_looper(looper);
}

TEST(Looper, QuitFromAnotherThreadWaitsForTheLooperToGo)
{
	struct Watched : RecordingLooper {
		std::atomic<bool>* deleted;
		explicit Watched(std::atomic<bool>* flag) : deleted(flag) {}
		~Watched() override { *deleted = true; }
	};
	std::atomic<bool> deleted{false};
	Watched* looper = new Watched(&deleted);
	thread_id thread = looper->Run();
	EXPECT_EQ(BLooper::LooperForThread(thread), looper);
	BMessenger messenger(nullptr, looper);
	EXPECT_TRUE(messenger.IsValid());
	quit_looper(looper);
	EXPECT_TRUE(deleted);
	EXPECT_FALSE(messenger.IsValid());
	EXPECT_EQ(messenger.SendMessage('late'), B_BAD_PORT_ID);
	EXPECT_EQ(BLooper::LooperForThread(thread), nullptr);
}

TEST(Looper, QuitRequestedDecidesAndQuitFromItsOwnThreadEndsIt)
{
	struct Reluctant : BLooper {
		std::atomic<bool> agree{false};
		std::atomic<bool>* deleted;
		explicit Reluctant(std::atomic<bool>* flag) : deleted(flag) {}
		~Reluctant() override { *deleted = true; }
		bool QuitRequested() override { return agree; }
	};
	std::atomic<bool> deleted{false};
	Reluctant* looper = new Reluctant(&deleted);
	thread_id thread = looper->Run();
	BMessenger messenger(nullptr, looper);

	BMessage reply;
	ASSERT_EQ(messenger.SendMessage(B_QUIT_REQUESTED, &reply), B_OK);
	EXPECT_EQ(reply.what, (uint32)B_REPLY);
	EXPECT_FALSE(reply.GetBool("result", true));
	EXPECT_TRUE(messenger.IsValid());

	looper->agree = true;
	ASSERT_EQ(messenger.SendMessage(B_QUIT_REQUESTED, &reply), B_OK);
	EXPECT_TRUE(reply.GetBool("result", false));
	status_t exitValue;
	wait_for_thread(thread, &exitValue);
	EXPECT_TRUE(deleted);
}

TEST(Looper, ALooperThatNeverRanIsDeletedByQuit)
{
	std::atomic<bool> deleted{false};
	struct Unrun : BLooper {
		std::atomic<bool>* deleted;
		explicit Unrun(std::atomic<bool>* flag) : deleted(flag) {}
		~Unrun() override { *deleted = true; }
	};
	Unrun* looper = new Unrun(&deleted);
	looper->PostMessage('lost');
	looper->Quit();
	EXPECT_TRUE(deleted);
}

TEST(Looper, LockingADeletedLooperFailsInsteadOfTouchingIt)
{
	// Never run, so this thread keeps the construction lock and Quit deletes it at once.
	BLooper* looper = new BLooper("short lived");
	BMessenger messenger(nullptr, looper);
	std::atomic<int> result{-1};
	std::thread waiter([&] {
		bool locked = messenger.LockTarget();
		result = locked ? 1 : 0;
	});
	snooze(20000);
	looper->Quit();
	waiter.join();
	EXPECT_EQ(result, 0);
	EXPECT_EQ(messenger.LockTargetWithTimeout(0), B_BAD_VALUE);
	EXPECT_EQ(messenger.Target(nullptr), nullptr);
}

TEST(Looper, HandlersAreCountedAndPreferred)
{
	RecordingLooper* looper = new RecordingLooper;
	RecordingHandler* handler = new RecordingHandler;
	EXPECT_EQ(looper->CountHandlers(), 1);
	EXPECT_EQ(looper->HandlerAt(0), looper);
	looper->AddHandler(handler);
	EXPECT_EQ(looper->CountHandlers(), 2);
	EXPECT_EQ(looper->IndexOf(handler), 1);
	looper->SetPreferredHandler(handler);
	looper->Run();
	ASSERT_EQ(looper->PostMessage('pref', nullptr), B_OK);
	ASSERT_TRUE(handler->recorder.WaitFor(1));
	EXPECT_TRUE(looper->recorder.Messages().empty());
	// Without a handler argument the looper itself is the target.
	ASSERT_EQ(looper->PostMessage('self'), B_OK);
	ASSERT_TRUE(looper->recorder.WaitFor(1));
	EXPECT_EQ(handler->recorder.Messages().size(), 1u);

	ASSERT_TRUE(looper->Lock());
	EXPECT_TRUE(looper->RemoveHandler(handler));
	EXPECT_FALSE(looper->RemoveHandler(handler));
	EXPECT_EQ(looper->PreferredHandler(), nullptr);
	EXPECT_EQ(handler->Looper(), nullptr);
	looper->Unlock();
	delete handler;
	quit_looper(looper);
}

TEST(Looper, APortThatIsFullRefusesPostsWithoutWaiting)
{
	BLooper* looper = new BLooper("small", B_NORMAL_PRIORITY, 3);
	for (int i = 0; i < 3; i++)
		EXPECT_EQ(looper->PostMessage('fill'), B_OK);
	EXPECT_EQ(looper->PostMessage('over'), B_WOULD_BLOCK);
	BMessenger messenger(nullptr, looper);
	BMessage message('wait');
	EXPECT_EQ(messenger.SendMessage(&message, (BHandler*)nullptr, 10000), B_TIMED_OUT);
	EXPECT_TRUE(looper->IsMessageWaiting());
	looper->Quit();
}
