#include <OS.h>

#include <atomic>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

#include "HelperProcess.h"
#include "KernelTestSupport.h"

namespace {

class CrossProcessPortTest : public testing::Test {
protected:
	static void SetUpTestSuite() { private_runtime_folder(); }

	// A name of this test program's own, so that parallel runs never meet.
	static std::string UniqueName(const char* what)
	{
		return std::string(what) + " " + std::to_string(getpid());
	}

	// Starts a helper that creates and serves a port of the given capacity, and finds it.
	static port_id ServedPort(HelperProcess& owner, const std::string& name, int capacity)
	{
		if (!owner.Start("serve", name, capacity) || owner.ReadLine().compare(0, 5, "ready") != 0)
			return B_ERROR;
		return find_port(name.c_str());
	}
};

status_t write_text(port_id port, const std::string& text, uint32 flags = 0, bigtime_t timeout = 0)
{
	return write_port_etc(port, 7, text.data(), text.size(), flags, timeout);
}

struct BlockedWrite {
	port_id port = -1;
	std::string text;
	std::atomic<status_t> result{1};
	thread_id thread = -1;

	void Start()
	{
		thread = spawn_thread(
		    [](void* data) -> int32 {
			    auto* write = static_cast<BlockedWrite*>(data);
			    write->result = write_text(write->port, write->text);
			    return 0;
		    },
		    "remote writer", B_NORMAL_PRIORITY, this);
		resume_thread(thread);
	}
	status_t Join()
	{
		wait_for_thread(thread, nullptr);
		return result;
	}
};

size_t socket_files()
{
	size_t count = 0;
	std::error_code ignored;
	for (const auto& entry :
	     std::filesystem::directory_iterator(private_runtime_folder() + "/glowplate", ignored)) {
		if (entry.path().filename().string()[0] == 'p')
			count++;
	}
	return count;
}

} // namespace

TEST_F(CrossProcessPortTest, AnotherProcessWritesToOurPortWhileWeWaitForMessages)
{
	const std::string name = UniqueName("shared window");
	port_id port = create_port(100, name.c_str());
	ASSERT_GT(port, 0);

	HelperProcess writer;
	ASSERT_TRUE(writer.Start("write", name, 5));
	// The way a port manager reads: wait for the size, then read that much.
	for (int i = 1; i <= 5; i++) {
		ssize_t size = port_buffer_size(port);
		std::string expected = "message " + std::to_string(i);
		ASSERT_EQ(size, (ssize_t)expected.size());
		std::string buffer(size, '\0');
		int32 code = 0;
		ASSERT_EQ(read_port(port, &code, buffer.data(), buffer.size()), size);
		EXPECT_EQ(code, i);
		EXPECT_EQ(buffer, expected);
	}
	// The helper's exit code tells which of its own checks failed, if any.
	EXPECT_EQ(writer.Wait(), 0);
	delete_port(port);
}

TEST_F(CrossProcessPortTest, WritingToAFullPortOfAnotherProcessBlocksUntilThereIsRoom)
{
	const std::string name = UniqueName("remote full");
	HelperProcess owner;

	port_id port = ServedPort(owner, name, 2);
	ASSERT_GT(port, 0);
	EXPECT_EQ(find_port(name.c_str()), port);
	port_info info;
	ASSERT_EQ(get_port_info(port, &info), B_OK);
	EXPECT_EQ(info.port, port);
	EXPECT_EQ(info.team, owner.Pid());
	EXPECT_EQ(info.capacity, 2);
	EXPECT_EQ(info.name, name);

	ASSERT_EQ(write_text(port, "first"), B_OK);
	ASSERT_EQ(write_text(port, "second"), B_OK);
	EXPECT_EQ(port_count(port), 2);
	EXPECT_EQ(write_text(port, "not now", B_RELATIVE_TIMEOUT, 0), B_WOULD_BLOCK);
	EXPECT_EQ(write_text(port, "not in time", B_RELATIVE_TIMEOUT, 30000), B_TIMED_OUT);

	BlockedWrite late;
	late.port = port;
	late.text = "third";
	late.Start();
	snooze(50000);
	EXPECT_EQ(late.result.load(), 1) << "the write went through a full port";

	ASSERT_TRUE(owner.Send("read"));
	EXPECT_EQ(owner.ReadLine(), "7 first");
	EXPECT_EQ(late.Join(), B_OK);
	ASSERT_TRUE(owner.Send("read"));
	EXPECT_EQ(owner.ReadLine(), "7 second");
	ASSERT_TRUE(owner.Send("read"));
	EXPECT_EQ(owner.ReadLine(), "7 third");
	// The writes that gave up were never delivered.
	ASSERT_TRUE(owner.Send("count"));
	EXPECT_EQ(owner.ReadLine(), "0 3");

	int32 code;
	char buffer[8];
	EXPECT_EQ(read_port(port, &code, buffer, sizeof(buffer)), B_NOT_SUPPORTED);

	// Deleting the port in its process wakes a writer blocked here.
	ASSERT_EQ(write_text(port, "a"), B_OK);
	ASSERT_EQ(write_text(port, "b"), B_OK);
	BlockedWrite doomed;
	doomed.port = port;
	doomed.text = "never";
	doomed.Start();
	snooze(20000);
	ASSERT_TRUE(owner.Send("delete"));
	EXPECT_EQ(owner.ReadLine(), "deleted 0");
	EXPECT_EQ(doomed.Join(), B_BAD_PORT_ID);
	EXPECT_EQ(write_text(port, "after"), B_BAD_PORT_ID);
	EXPECT_EQ(find_port(name.c_str()), B_NAME_NOT_FOUND);

	owner.Send("exit");
	EXPECT_EQ(owner.Wait(), 0);
}

TEST_F(CrossProcessPortTest, DeletingAPortOfAnotherProcessThroughItsHandle)
{
	const std::string name = UniqueName("remote delete");
	HelperProcess owner;
	port_id port = ServedPort(owner, name, 4);
	ASSERT_GT(port, 0);

	ASSERT_EQ(delete_port(port), B_OK);
	EXPECT_EQ(port_count(port), B_BAD_PORT_ID);
	EXPECT_EQ(find_port(name.c_str()), B_NAME_NOT_FOUND);
	ASSERT_TRUE(owner.Send("read"));
	EXPECT_EQ(owner.ReadLine(), "error " + std::to_string(B_BAD_PORT_ID));
	owner.Send("exit");
	EXPECT_EQ(owner.Wait(), 0);
}

TEST_F(CrossProcessPortTest, APortWhoseProcessDiedIsGone)
{
	const std::string name = UniqueName("dies");
	HelperProcess owner;
	ASSERT_TRUE(owner.Start("wait", name));
	ASSERT_EQ(owner.ReadLine(), "ready");
	port_id port = find_port(name.c_str());
	ASSERT_GT(port, 0);
	size_t socketsWhileAlive = socket_files();
	EXPECT_GE(socketsWhileAlive, 1u);

	// Killed, the process leaves its socket file behind; find_port must not be fooled by
	// it, and clears it away.
	owner.Kill();
	owner.Wait();
	EXPECT_EQ(find_port(name.c_str()), B_NAME_NOT_FOUND);
	EXPECT_EQ(socket_files(), socketsWhileAlive - 1);

	// The handle found before stops working too.
	EXPECT_EQ(write_text(port, "to nobody"), B_BAD_PORT_ID);
	port_info info;
	EXPECT_EQ(get_port_info(port, &info), B_BAD_PORT_ID);
}

TEST_F(CrossProcessPortTest, KillsAndSuspensionsReachAWriterBlockedOnAPortOfAnotherProcess)
{
	const std::string name = UniqueName("remote blocked writer");
	HelperProcess owner;
	port_id port = ServedPort(owner, name, 1);
	ASSERT_GT(port, 0);
	ASSERT_EQ(write_text(port, "fills"), B_OK);

	// Suspended while it waits, the writer does not go on when room comes...
	BlockedWrite paused;
	paused.port = port;
	paused.text = "after resume";
	paused.Start();
	snooze(20000);
	ASSERT_EQ(suspend_thread(paused.thread), B_OK);
	snooze(100000);
	ASSERT_TRUE(owner.Send("read"));
	EXPECT_EQ(owner.ReadLine(), "7 fills");
	snooze(100000);
	EXPECT_EQ(paused.result.load(), 1);
	// ...until it is resumed.
	ASSERT_EQ(resume_thread(paused.thread), B_OK);
	EXPECT_EQ(paused.Join(), B_OK);

	// A killed writer leaves without delivering anything.
	BlockedWrite victim;
	victim.port = port;
	victim.text = "never delivered";
	victim.Start();
	snooze(20000);
	ASSERT_EQ(kill_thread(victim.thread), B_OK);
	EXPECT_EQ(wait_for_thread(victim.thread, nullptr), B_OK);
	EXPECT_EQ(victim.result.load(), 1);
	ASSERT_TRUE(owner.Send("read"));
	EXPECT_EQ(owner.ReadLine(), "7 after resume");
	ASSERT_TRUE(owner.Send("count"));
	EXPECT_EQ(owner.ReadLine(), "0 2");

	owner.Send("exit");
	EXPECT_EQ(owner.Wait(), 0);
}
