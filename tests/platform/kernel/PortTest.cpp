#include <OS.h>

#include <atomic>
#include <cstring>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

#include "KernelTestSupport.h"

namespace {

class PortTest : public testing::Test {
protected:
	static void SetUpTestSuite() { private_runtime_folder(); }
};

status_t write_text(port_id port, int32 code, const std::string& text, uint32 flags = 0,
                    bigtime_t timeout = 0)
{
	return write_port_etc(port, code, text.data(), text.size(), flags, timeout);
}

std::string read_text(port_id port, int32* code)
{
	char buffer[256];
	ssize_t size = read_port(port, code, buffer, sizeof(buffer));
	return size >= 0 ? std::string(buffer, (size_t)size) : "error " + std::to_string(size);
}

// A thread that makes one blocking port call and keeps its result.
struct BlockedCall {
	port_id port = -1;
	std::atomic<ssize_t> result{1};
	std::atomic<bool> done{false};
	thread_id thread = -1;

	void Start(thread_func body, const char* name)
	{
		thread = spawn_thread(body, name, B_NORMAL_PRIORITY, this);
		ASSERT_EQ(resume_thread(thread), B_OK);
	}
	void Finish(ssize_t value)
	{
		result = value;
		done = true;
	}
	ssize_t Join()
	{
		EXPECT_EQ(wait_for_thread(thread, nullptr), B_OK);
		return result;
	}
};

int32 blocked_read(void* data)
{
	auto* call = static_cast<BlockedCall*>(data);
	int32 code;
	char buffer[64];
	call->Finish(read_port(call->port, &code, buffer, sizeof(buffer)));
	return 0;
}

int32 blocked_buffer_size(void* data)
{
	auto* call = static_cast<BlockedCall*>(data);
	call->Finish(port_buffer_size(call->port));
	return 0;
}

int32 blocked_write(void* data)
{
	auto* call = static_cast<BlockedCall*>(data);
	call->Finish(write_text(call->port, 3, "late"));
	return 0;
}

} // namespace

TEST_F(PortTest, MessagesComeOutInOrderWithTheirCodesAndSizes)
{
	port_id port = create_port(10, "order");
	ASSERT_GT(port, 0);
	ASSERT_EQ(write_text(port, 1, "one"), B_OK);
	ASSERT_EQ(write_port(port, 2, nullptr, 0), B_OK);
	ASSERT_EQ(write_text(port, 3, "three!"), B_OK);

	EXPECT_EQ(port_count(port), 3);
	port_info info;
	ASSERT_EQ(get_port_info(port, &info), B_OK);
	EXPECT_EQ(info.port, port);
	EXPECT_EQ(info.team, getpid());
	EXPECT_STREQ(info.name, "order");
	EXPECT_EQ(info.capacity, 10);
	EXPECT_EQ(info.queue_count, 3);
	EXPECT_EQ(info.total_count, 3);

	int32 code = 0;
	EXPECT_EQ(port_buffer_size(port), 3);
	EXPECT_EQ(read_text(port, &code), "one");
	EXPECT_EQ(code, 1);
	EXPECT_EQ(port_buffer_size(port), 0);
	EXPECT_EQ(read_text(port, &code), "");
	EXPECT_EQ(code, 2);

	// A buffer too small takes the beginning of the message, which is consumed whole.
	char small[3];
	EXPECT_EQ(read_port(port, &code, small, sizeof(small)), 3);
	EXPECT_EQ(std::string(small, 3), "thr");
	EXPECT_EQ(port_count(port), 0);
	ASSERT_EQ(get_port_info(port, &info), B_OK);
	EXPECT_EQ(info.total_count, 3);
	EXPECT_EQ(delete_port(port), B_OK);
}

TEST_F(PortTest, BadArgumentsAndUnknownPortsAreRefused)
{
	EXPECT_EQ(create_port(0, "zero"), B_BAD_VALUE);
	EXPECT_EQ(create_port(-3, "negative"), B_BAD_VALUE);
	EXPECT_EQ(create_port(1 << 20, "huge"), B_BAD_VALUE);
	EXPECT_EQ(find_port(nullptr), B_BAD_VALUE);
	EXPECT_EQ(find_port("no such port anywhere"), B_NAME_NOT_FOUND);

	port_id port = create_port(1, nullptr);
	ASSERT_GT(port, 0);
	int32 code;
	char buffer[4];
	EXPECT_EQ(write_port(port, 0, nullptr, 5), B_BAD_VALUE);
	EXPECT_EQ(write_port(port, 0, buffer, 64 * 1024 * 1024), B_BAD_VALUE);
	EXPECT_EQ(read_port(port, nullptr, buffer, sizeof(buffer)), B_BAD_VALUE);
	EXPECT_EQ(read_port(port, &code, nullptr, 4), B_BAD_VALUE);
	EXPECT_EQ(get_port_info(port, nullptr), B_BAD_VALUE);
	ASSERT_EQ(delete_port(port), B_OK);

	// A deleted port is unknown to every call.
	port_info info;
	EXPECT_EQ(delete_port(port), B_BAD_PORT_ID);
	EXPECT_EQ(write_port(port, 0, buffer, 1), B_BAD_PORT_ID);
	EXPECT_EQ(read_port(port, &code, buffer, sizeof(buffer)), B_BAD_PORT_ID);
	EXPECT_EQ(port_buffer_size(port), B_BAD_PORT_ID);
	EXPECT_EQ(port_count(port), B_BAD_PORT_ID);
	EXPECT_EQ(get_port_info(port, &info), B_BAD_PORT_ID);
	EXPECT_EQ(close_port(port), B_BAD_PORT_ID);
	EXPECT_EQ(port_count(-1), B_BAD_PORT_ID);
}

TEST_F(PortTest, TimeoutsOfReadsAndWrites)
{
	port_id port = create_port(1, "timeouts");
	int32 code;
	char buffer[8];
	// A zero timeout does not wait at all; a positive one waits, then gives up.
	EXPECT_EQ(read_port_etc(port, &code, buffer, sizeof(buffer), B_RELATIVE_TIMEOUT, 0),
	          B_WOULD_BLOCK);
	EXPECT_EQ(port_buffer_size_etc(port, B_RELATIVE_TIMEOUT, 0), B_WOULD_BLOCK);
	bigtime_t start = system_time();
	EXPECT_EQ(read_port_etc(port, &code, buffer, sizeof(buffer), B_RELATIVE_TIMEOUT, 20000),
	          B_TIMED_OUT);
	EXPECT_GE(system_time() - start, 20000);
	EXPECT_EQ(port_buffer_size_etc(port, B_ABSOLUTE_TIMEOUT, system_time() + 5000), B_TIMED_OUT);

	ASSERT_EQ(write_text(port, 1, "fills"), B_OK);
	EXPECT_EQ(write_text(port, 2, "zero", B_RELATIVE_TIMEOUT, 0), B_WOULD_BLOCK);
	start = system_time();
	EXPECT_EQ(write_text(port, 2, "relative", B_RELATIVE_TIMEOUT, 20000), B_TIMED_OUT);
	EXPECT_GE(system_time() - start, 20000);
	EXPECT_EQ(write_text(port, 2, "absolute", B_ABSOLUTE_TIMEOUT, system_time() + 5000),
	          B_TIMED_OUT);
	// None of the writes that gave up left anything behind.
	EXPECT_EQ(port_count(port), 1);
	EXPECT_EQ(read_text(port, &code), "fills");
	delete_port(port);
}

TEST_F(PortTest, AWriterBlocksWhileThePortIsFullAndGoesOnWhenThereIsRoom)
{
	port_id port = create_port(2, "full");
	ASSERT_EQ(write_text(port, 1, "first"), B_OK);
	ASSERT_EQ(write_text(port, 2, "second"), B_OK);

	BlockedCall writer;
	writer.port = port;
	writer.Start(blocked_write, "writer");
	ASSERT_TRUE(eventually([&] { return thread_state_of(writer.thread) == B_THREAD_WAITING; }));
	EXPECT_FALSE(writer.done);
	EXPECT_EQ(port_count(port), 2);

	int32 code;
	EXPECT_EQ(read_text(port, &code), "first");
	EXPECT_EQ(writer.Join(), B_OK);
	EXPECT_EQ(read_text(port, &code), "second");
	EXPECT_EQ(read_text(port, &code), "late");
	EXPECT_EQ(code, 3);
	delete_port(port);
}

TEST_F(PortTest, PortBufferSizeWaitsForAMessageWithoutTakingIt)
{
	port_id port = create_port(4, "peek");
	BlockedCall peeker;
	peeker.port = port;
	peeker.Start(blocked_buffer_size, "peeker");
	ASSERT_TRUE(eventually([&] { return thread_state_of(peeker.thread) == B_THREAD_RECEIVING; }));
	EXPECT_FALSE(peeker.done);

	ASSERT_EQ(write_text(port, 9, "12345"), B_OK);
	EXPECT_EQ(peeker.Join(), 5);
	EXPECT_EQ(port_count(port), 1);
	delete_port(port);
}

TEST_F(PortTest, DeletingAPortWakesEveryoneBlockedOnIt)
{
	port_id port = create_port(1, "doomed");
	port_id full = create_port(1, "doomed full");
	ASSERT_EQ(write_text(full, 0, "x"), B_OK);

	BlockedCall reader, peeker, writer;
	reader.port = port;
	peeker.port = port;
	writer.port = full;
	reader.Start(blocked_read, "reader");
	peeker.Start(blocked_buffer_size, "peeker");
	writer.Start(blocked_write, "writer");
	ASSERT_TRUE(eventually([&] {
		return thread_state_of(reader.thread) == B_THREAD_RECEIVING &&
		       thread_state_of(peeker.thread) == B_THREAD_RECEIVING &&
		       thread_state_of(writer.thread) == B_THREAD_WAITING;
	}));

	ASSERT_EQ(delete_port(port), B_OK);
	ASSERT_EQ(delete_port(full), B_OK);
	EXPECT_EQ(reader.Join(), B_BAD_PORT_ID);
	EXPECT_EQ(peeker.Join(), B_BAD_PORT_ID);
	EXPECT_EQ(writer.Join(), B_BAD_PORT_ID);
	EXPECT_EQ(find_port("doomed"), B_NAME_NOT_FOUND);
}

TEST_F(PortTest, AClosedPortTakesNoMoreButIsReadToTheEnd)
{
	port_id port = create_port(4, "closing");
	ASSERT_EQ(write_text(port, 1, "kept"), B_OK);
	ASSERT_EQ(close_port(port), B_OK);
	EXPECT_EQ(write_text(port, 2, "refused"), B_BAD_PORT_ID);
	EXPECT_EQ(find_port("closing"), B_NAME_NOT_FOUND);

	int32 code;
	EXPECT_EQ(read_text(port, &code), "kept");
	char buffer[8];
	EXPECT_EQ(read_port(port, &code, buffer, sizeof(buffer)), B_BAD_PORT_ID);
	EXPECT_EQ(close_port(port), B_BAD_PORT_ID);
	EXPECT_EQ(delete_port(port), B_OK);
}

TEST_F(PortTest, FindPortFindsOwnPortsByName)
{
	port_id port = create_port(3, "findable own port");
	ASSERT_GT(port, 0);
	EXPECT_EQ(find_port("findable own port"), port);
	// Names are kept to 31 bytes, and found by the same cut.
	std::string longName(40, 'n');
	port_id cut = create_port(1, longName.c_str());
	port_info info;
	ASSERT_EQ(get_port_info(cut, &info), B_OK);
	EXPECT_EQ(strlen(info.name), 31u);
	EXPECT_EQ(find_port(longName.c_str()), cut);

	ASSERT_EQ(delete_port(port), B_OK);
	EXPECT_EQ(find_port("findable own port"), B_NAME_NOT_FOUND);
	delete_port(cut);
}

TEST_F(PortTest, KillsAndSuspensionsReachAThreadBlockedOnAPort)
{
	port_id port = create_port(4, "blocked thread");
	BlockedCall reader;
	reader.port = port;
	reader.Start(blocked_read, "reader");
	ASSERT_TRUE(eventually([&] { return thread_state_of(reader.thread) == B_THREAD_RECEIVING; }));

	// A suspended reader leaves a message that arrives meanwhile in the queue.
	ASSERT_EQ(suspend_thread(reader.thread), B_OK);
	ASSERT_EQ(write_text(port, 1, "while suspended"), B_OK);
	snooze(20000);
	EXPECT_EQ(port_count(port), 1);
	EXPECT_FALSE(reader.done);
	ASSERT_EQ(resume_thread(reader.thread), B_OK);
	EXPECT_EQ(reader.Join(), (ssize_t)strlen("while suspended"));
	EXPECT_EQ(port_count(port), 0);

	// A killed reader leaves without reading.
	BlockedCall victim;
	victim.port = port;
	victim.Start(blocked_read, "victim");
	ASSERT_TRUE(eventually([&] { return thread_state_of(victim.thread) == B_THREAD_RECEIVING; }));
	ASSERT_EQ(kill_thread(victim.thread), B_OK);
	EXPECT_EQ(wait_for_thread(victim.thread, nullptr), B_OK);
	EXPECT_FALSE(victim.done);
	delete_port(port);
}
