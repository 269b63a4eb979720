#include <OS.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

int32 sleep_until_killed(void*)
{
	snooze(B_INFINITE_TIMEOUT);
	return 0;
}

} // namespace

TEST(Team, TheCurrentTeamIsThisProcess)
{
	thread_id extra = spawn_thread(sleep_until_killed, "extra", B_NORMAL_PRIORITY, nullptr);
	ASSERT_GT(extra, 0);

	team_info info;
	ASSERT_EQ(get_team_info(B_CURRENT_TEAM, &info), B_OK);
	EXPECT_EQ(info.team, getpid());
	// The main thread and the spawned one at least.
	EXPECT_GE(info.thread_count, 2);
	EXPECT_GE(info.image_count, 2);
	EXPECT_GT(info.area_count, info.image_count);
	EXPECT_GE(info.argc, 1);
	EXPECT_GT(strlen(info.args), 0u);
	EXPECT_EQ(info.uid, geteuid());

	team_info byId;
	ASSERT_EQ(get_team_info(getpid(), &byId), B_OK);
	EXPECT_EQ(byId.team, info.team);
	EXPECT_EQ(byId.argc, info.argc);
	EXPECT_STREQ(byId.args, info.args);

	EXPECT_EQ(get_team_info(B_CURRENT_TEAM, nullptr), B_BAD_VALUE);
	EXPECT_EQ(get_team_info(-5, &info), B_BAD_TEAM_ID);
	EXPECT_EQ(get_team_info(INT_MAX, &info), B_BAD_TEAM_ID);

	kill_thread(extra);
	wait_for_thread(extra, nullptr);
}

TEST(Team, TheFirstImageIsTheRunningExecutable)
{
	char* executable = realpath("/proc/self/exe", nullptr);
	ASSERT_NE(executable, nullptr);

	int32 cookie = 0;
	image_info image;
	ASSERT_EQ(get_next_image_info(B_CURRENT_TEAM, &cookie, &image), B_OK);
	EXPECT_EQ(image.type, B_APP_IMAGE);
	EXPECT_STREQ(image.name, executable);
	free(executable);
	// The code of this very test lies in the executable's text.
	auto here = reinterpret_cast<const char*>(&sleep_until_killed);
	auto text = static_cast<const char*>(image.text);
	EXPECT_TRUE(here >= text && here < text + image.text_size);

	// The rest are the shared objects, and the walk ends.
	bool sawLibc = false;
	int32 count = 1;
	while (get_next_image_info(0, &cookie, &image) == B_OK) {
		EXPECT_EQ(image.type, B_LIBRARY_IMAGE);
		EXPECT_EQ(image.name[0], '/');
		sawLibc |= strstr(image.name, "libc.so") != nullptr;
		count++;
	}
	EXPECT_TRUE(sawLibc);
	EXPECT_EQ(get_next_image_info(0, &cookie, &image), B_ENTRY_NOT_FOUND);

	team_info team;
	ASSERT_EQ(get_team_info(B_CURRENT_TEAM, &team), B_OK);
	EXPECT_EQ(team.image_count, count);

	cookie = -1;
	EXPECT_EQ(get_next_image_info(0, &cookie, &image), B_BAD_VALUE);
	EXPECT_EQ(get_next_image_info(0, nullptr, &image), B_BAD_VALUE);
	cookie = 0;
	EXPECT_EQ(get_next_image_info(-3, &cookie, &image), B_BAD_TEAM_ID);
}
