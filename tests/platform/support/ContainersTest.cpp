#include <Autolock.h>
#include <DataIO.h>
#include <List.h>
#include <Locker.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

#include <gtest/gtest.h>

TEST(ListTest, IndicesOutsideTheListAreRefused)
{
	int a = 1, b = 2, c = 3;
	BList list;
	EXPECT_TRUE(list.AddItem(&a));
	EXPECT_TRUE(list.AddItem(&c));
	EXPECT_TRUE(list.AddItem(&b, 1));
	EXPECT_FALSE(list.AddItem(&b, 5));
	EXPECT_EQ(list.CountItems(), 3);
	EXPECT_EQ(list.ItemAt(1), &b);
	EXPECT_EQ(list.ItemAt(3), nullptr);
	EXPECT_EQ(list.ItemAt(-1), nullptr);
	EXPECT_EQ(list.IndexOf(&c), 2);
	EXPECT_EQ(list.RemoveItem((int32)7), nullptr);
	EXPECT_TRUE(list.RemoveItem(&a));
	EXPECT_EQ(list.FirstItem(), &b);
	list.AddList(&list);
	EXPECT_EQ(list.CountItems(), 4);
	list.SortItems([](const void* x, const void* y) {
		return **(int* const*)x - **(int* const*)y;
	});
	EXPECT_EQ(list.ItemAt(0), &b);
	EXPECT_EQ(list.LastItem(), &c);
	// Removing "everything from here on" with the largest count must not overflow.
	EXPECT_TRUE(list.RemoveItems(1, INT32_MAX));
	EXPECT_EQ(list.CountItems(), 1);
	EXPECT_FALSE(list.RemoveItems(2, 1));
}

TEST(LockerTest, RecursiveAndExclusive)
{
	BLocker locker("test");
	ASSERT_TRUE(locker.Lock());
	ASSERT_TRUE(locker.Lock());
	EXPECT_TRUE(locker.IsLocked());
	EXPECT_EQ(locker.CountLocks(), 2);

	std::atomic<status_t> other{B_OK};
	std::thread([&] { other = locker.LockWithTimeout(20000); }).join();
	EXPECT_EQ(other.load(), B_TIMED_OUT);
	std::thread([&] { other = locker.LockWithTimeout(0); }).join();
	EXPECT_EQ(other.load(), B_WOULD_BLOCK);

	locker.Unlock();
	locker.Unlock();
	EXPECT_FALSE(locker.IsLocked());
	std::thread([&] {
		other = locker.LockWithTimeout(0);
		if (other == B_OK)
			locker.Unlock();
	}).join();
	EXPECT_EQ(other.load(), B_OK);
}

TEST(LockerTest, AVeryLongTimeoutWaitsForTheRelease)
{
	// Timeouts of centuries mean "until released"; they must neither overflow the clock nor
	// give up at once.
	BLocker locker;
	ASSERT_TRUE(locker.Lock());
	std::atomic<status_t> other{B_ERROR};
	std::atomic<bool> started{false};
	std::thread waiter([&] {
		started = true;
		other = locker.LockWithTimeout(INT64_MAX - 1);
		if (other == B_OK)
			locker.Unlock();
	});
	while (!started)
		std::this_thread::yield();
	std::this_thread::sleep_for(std::chrono::milliseconds(20));
	EXPECT_EQ(other.load(), B_ERROR);
	locker.Unlock();
	waiter.join();
	EXPECT_EQ(other.load(), B_OK);
}

TEST(LockerTest, AutolockReleasesAtScopeEnd)
{
	BLocker locker;
	{
		BAutolock lock(locker);
		EXPECT_TRUE(lock.IsLocked());
		EXPECT_TRUE(locker.IsLocked());
	}
	EXPECT_FALSE(locker.IsLocked());
	EXPECT_EQ(locker.LockingThread(), -1);
}

TEST(DataIOTest, MallocIOGrowsAndReadsBack)
{
	BMallocIO io;
	const char text[] = "0123456789";
	for (int i = 0; i < 100; i++)
		ASSERT_EQ(io.Write(text, 10), 10);
	EXPECT_EQ(io.BufferLength(), 1000u);
	EXPECT_EQ(io.Seek(995, SEEK_SET), 995);
	char back[16] = {};
	EXPECT_EQ(io.Read(back, sizeof(back)), 5);
	EXPECT_STREQ(back, "56789");
	EXPECT_EQ(io.Read(back, 1), 0);
	EXPECT_LT(io.Seek(-1, SEEK_SET), 0);
	// Writing past the end fills the hole with zeros.
	io.WriteAt(1010, "x", 1);
	EXPECT_EQ(io.BufferLength(), 1011u);
	EXPECT_EQ(((const char*)io.Buffer())[1005], 0);
	off_t size = 0;
	EXPECT_EQ(io.GetSize(&size), B_OK);
	EXPECT_EQ(size, 1011);

	// Empty writes into a stream that holds nothing yet have no buffer to copy into.
	BMallocIO empty;
	EXPECT_EQ(empty.Write(text, 0), 0);
	EXPECT_EQ(empty.WriteAt(0, text, 0), 0);
	EXPECT_EQ(empty.BufferLength(), 0u);
}

TEST(DataIOTest, MemoryIONeverWritesPastItsBuffer)
{
	char buffer[8];
	memset(buffer, '.', sizeof(buffer));
	BMemoryIO io(buffer, 4);
	EXPECT_EQ(io.Write("abcdef", 6), 4);
	EXPECT_EQ(buffer[4], '.');
	EXPECT_EQ(io.Write("x", 1), 0);
	const char constant[] = "ro";
	BMemoryIO readOnly(constant, 2);
	EXPECT_EQ(readOnly.Write("x", 1), B_NOT_ALLOWED);
	char out[4] = {};
	EXPECT_EQ(readOnly.ReadExactly(out, 2), B_OK);
	EXPECT_STREQ(out, "ro");
	EXPECT_EQ(readOnly.ReadExactly(out, 1), B_IO_ERROR);
}
