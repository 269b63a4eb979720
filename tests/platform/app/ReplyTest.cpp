// Replies: synchronous sends with their timeouts, B_NO_REPLY for messages dropped unanswered,
// reply handlers, and the delivery information a received message carries.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include <Application.h>
#include <Handler.h>
#include <Looper.h>
#include <Message.h>
#include <Messenger.h>

#include "AppTestSupport.h"

namespace {

// Answers 'echo' with the same "value" plus one, ignores 'mute', keeps 'keep' for later, and
// sleeps on 'slow' before answering.
class Responder : public BLooper {
public:
	Responder() : BLooper("responder") {}

	void MessageReceived(BMessage* message) override
	{
		switch (message->what) {
		case 'echo': {
			waiting = message->IsSourceWaiting();
			delivered = message->WasDelivered();
			remote = message->IsSourceRemote();
			BMessage reply('ecko');
			reply.AddInt32("value", message->GetInt32("value", 0) + 1);
			replyStatus = message->SendReply(&reply);
			secondReplyStatus = message->SendReply('twic');
			break;
		}
		case 'slow':
			snooze(200000);
			message->SendReply('late');
			break;
		case 'keep':
			kept = DetachCurrentMessage();
			break;
		case 'mute':
			break;
		default:
			BLooper::MessageReceived(message);
		}
	}

	std::atomic<bool> waiting{false};
	std::atomic<bool> delivered{false};
	std::atomic<bool> remote{true};
	std::atomic<status_t> replyStatus{B_ERROR};
	std::atomic<status_t> secondReplyStatus{B_ERROR};
	std::atomic<BMessage*> kept{nullptr};
};

class RepliesTest : public testing::Test {
protected:
	void SetUp() override
	{
		responder = new Responder;
		responder->Run();
		target = BMessenger(nullptr, responder);
	}
	void TearDown() override { quit_looper(responder); }

	Responder* responder;
	BMessenger target;
};

} // namespace

TEST_F(RepliesTest, ASynchronousSendGetsTheReplyAndOnlyOne)
{
	BMessage message('echo');
	message.AddInt32("value", 41);
	BMessage reply;
	ASSERT_EQ(target.SendMessage(&message, &reply), B_OK);
	EXPECT_EQ(reply.what, (uint32)'ecko');
	EXPECT_EQ(reply.GetInt32("value", 0), 42);
	EXPECT_TRUE(reply.IsReply());
	// The reply may arrive before the responder is done with the message; a second round
	// trip waits for that.
	BMessage ignored;
	ASSERT_EQ(target.SendMessage('mute', &ignored), B_OK);
	EXPECT_TRUE(responder->waiting);
	EXPECT_TRUE(responder->delivered);
	EXPECT_FALSE(responder->remote);
	EXPECT_EQ(responder->replyStatus, B_OK);
	EXPECT_EQ(responder->secondReplyStatus, B_DUPLICATE_REPLY);
	// The sender's own message is untouched by the send.
	EXPECT_FALSE(message.WasDelivered());
	EXPECT_EQ(message.SendReply('nope'), B_BAD_REPLY);
}

TEST_F(RepliesTest, AMessageDroppedUnansweredRepliesNoReply)
{
	BMessage reply;
	ASSERT_EQ(target.SendMessage('mute', &reply), B_OK);
	EXPECT_EQ(reply.what, (uint32)B_NO_REPLY);
	// A handler that does not understand a message answers so as well.
	ASSERT_EQ(target.SendMessage('what', &reply), B_OK);
	EXPECT_EQ(reply.what, (uint32)B_MESSAGE_NOT_UNDERSTOOD);
}

TEST_F(RepliesTest, ADetachedMessageAnswersWhenItIsDeleted)
{
	BMessage reply('none');
	std::thread sender([&] { target.SendMessage('keep', &reply); });
	for (int i = 0; i < 20000 && responder->kept == nullptr; i++)
		snooze(1000);
	BMessage* kept = responder->kept;
	ASSERT_NE(kept, nullptr);
	EXPECT_TRUE(kept->IsSourceWaiting());
	// A copy can reply for the original, and then the original owes nothing more.
	BMessage copy(*kept);
	EXPECT_EQ(copy.SendReply('copy'), B_OK);
	delete kept;
	sender.join();
	EXPECT_EQ(reply.what, (uint32)'copy');
}

TEST_F(RepliesTest, ReplyTimeoutExpires)
{
	BMessage message('slow');
	BMessage reply;
	EXPECT_EQ(target.SendMessage(&message, &reply, B_INFINITE_TIMEOUT, 10000), B_TIMED_OUT);
	// A negative timeout, however large, has expired already.
	EXPECT_EQ(target.SendMessage(&message, &reply, B_INFINITE_TIMEOUT, INT64_MIN), B_TIMED_OUT);
	// The late answer goes nowhere and harms nobody.
	ASSERT_EQ(target.SendMessage('echo', &reply), B_OK);
	EXPECT_EQ(reply.what, (uint32)'ecko');
}

TEST_F(RepliesTest, DeliveryTimeoutExpiresOnAFullQueue)
{
	BLooper* small = new BLooper("small", B_NORMAL_PRIORITY, 1);
	BMessenger messenger(nullptr, small);
	ASSERT_EQ(small->PostMessage('full'), B_OK);
	BMessage message('more');
	BMessage reply;
	EXPECT_EQ(messenger.SendMessage(&message, &reply, 10000, B_INFINITE_TIMEOUT), B_TIMED_OUT);
	EXPECT_EQ(messenger.SendMessage(&message, &reply, 0, B_INFINITE_TIMEOUT), B_WOULD_BLOCK);
	small->Quit();
}

TEST_F(RepliesTest, AMessageStillQueuedWhenTheLooperQuitsRepliesNoReply)
{
	BLooper* idle = new BLooper("never runs");
	BMessenger messenger(nullptr, idle);
	BMessage reply('none');
	std::thread sender([&] { messenger.SendMessage('wait', &reply); });
	for (int i = 0; i < 20000 && !idle->IsMessageWaiting(); i++)
		snooze(1000);
	idle->Quit();
	sender.join();
	EXPECT_EQ(reply.what, (uint32)B_NO_REPLY);
}

TEST_F(RepliesTest, ASynchronousSendToItselfFailsInsteadOfHanging)
{
	struct SelfSender : BLooper {
		std::atomic<status_t> result{B_OK};
		std::atomic<bool> done{false};
		void MessageReceived(BMessage* message) override
		{
			if (message->what == 'self') {
				BMessage reply;
				result = BMessenger(this).SendMessage('echo', &reply);
				done = true;
			}
		}
	};
	SelfSender* looper = new SelfSender;
	looper->Run();
	looper->PostMessage('self');
	for (int i = 0; i < 20000 && !looper->done; i++)
		snooze(1000);
	EXPECT_EQ(looper->result, B_MESSAGE_TO_SELF);
	quit_looper(looper);
}

TEST_F(RepliesTest, RepliesGoToTheReplyHandler)
{
	RecordingLooper* home = new RecordingLooper("home");
	RecordingHandler* handler = new RecordingHandler;
	home->AddHandler(handler);
	home->Run();
	BMessage message('echo');
	message.AddInt32("value", 1);
	ASSERT_EQ(target.SendMessage(&message, handler), B_OK);
	ASSERT_TRUE(handler->recorder.WaitFor(1));
	std::vector<BMessage> replies = handler->recorder.Messages();
	EXPECT_EQ(replies[0].what, (uint32)'ecko');
	EXPECT_EQ(replies[0].GetInt32("value", 0), 2);
	EXPECT_TRUE(replies[0].IsReply());
	// The responder named no handler for replies to its reply.
	EXPECT_FALSE(replies[0].ReturnAddress().IsValid());

	// Posting with a reply handler works the same way.
	ASSERT_EQ(responder->PostMessage(&message, nullptr, handler), B_OK);
	ASSERT_TRUE(handler->recorder.WaitFor(2));
	ASSERT_TRUE(home->Lock());
	home->RemoveHandler(handler);
	home->Unlock();
	delete handler;
	quit_looper(home);
}

TEST_F(RepliesTest, WithoutAReplyHandlerRepliesGoToTheApplication)
{
	PrivateRuntimeFolder folder;
	struct App : BApplication {
		Recorder recorder;
		App() : BApplication("application/x-vnd.glowplate-reply-test") {}
		void MessageReceived(BMessage* message) override { recorder.Record(message); }
	};
	App* app = new App;
	std::thread runner([app] { app->Run(); });
	BMessage message('echo');
	message.AddInt32("value", 9);
	ASSERT_EQ(target.SendMessage(&message), B_OK);
	ASSERT_TRUE(app->recorder.WaitFor(1));
	EXPECT_EQ(app->recorder.Messages()[0].GetInt32("value", 0), 10);
	ASSERT_TRUE(app->Lock());
	app->Quit();
	app->Unlock();
	runner.join();
	delete app;
}

TEST_F(RepliesTest, MessengersCompareAndLeadToTheirTargets)
{
	RecordingHandler detached;
	status_t status;
	BMessenger nowhere(&detached, nullptr, &status);
	EXPECT_EQ(status, B_MISMATCHED_VALUES);
	EXPECT_FALSE(nowhere.IsValid());
	EXPECT_EQ(nowhere.SendMessage('none'), B_BAD_PORT_ID);

	BLooper* looper;
	EXPECT_EQ(target.Target(&looper), nullptr);
	EXPECT_EQ(looper, responder);
	BMessenger direct(responder, nullptr, &status);
	EXPECT_EQ(status, B_OK);
	EXPECT_EQ(direct.Target(nullptr), responder);
	EXPECT_TRUE(direct.IsTargetLocal());
	EXPECT_NE(direct, target);
	EXPECT_EQ(direct, BMessenger(responder));
	EXPECT_TRUE(BMessenger() < direct || direct < BMessenger());

	BMessage carrier;
	carrier.AddMessenger("to", direct);
	BMessenger back;
	ASSERT_EQ(carrier.FindMessenger("to", &back), B_OK);
	EXPECT_EQ(back, direct);
}
