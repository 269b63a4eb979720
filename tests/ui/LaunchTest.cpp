// Opening documents and addresses: a stand-in xdg-open, first on PATH, records the arguments
// it was started with, so the tests see exactly what the opener would get.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <sys/stat.h>

#include <Node.h>
#include <NodeInfo.h>
#include <OS.h>

#include "../platform/storage/StorageTestSupport.h"
#include "UIUtils.h"

namespace {

class LaunchTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		mkdir((fFolder / "bin").c_str(), 0755);
		// Writes its arguments, one per line after their count, and renames the record into
		// place only when it is complete, so the test never reads half of it.
		ASSERT_TRUE(write_text(fFolder / "bin/xdg-open",
		                       "#!/bin/sh\n"
		                       "{ echo \"$#\"; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } "
		                       "> \"$GLOWPLATE_OPENER_LOG.tmp\"\n"
		                       "mv \"$GLOWPLATE_OPENER_LOG.tmp\" \"$GLOWPLATE_OPENER_LOG\"\n"));
		chmod((fFolder / "bin/xdg-open").c_str(), 0755);
		const char* path = getenv("PATH");
		fOldPath = path != nullptr ? path : "";
		setenv("PATH", (fFolder / "bin:" + fOldPath).c_str(), 1);
		setenv("GLOWPLATE_OPENER_LOG", Log().c_str(), 1);
	}
	void TearDown() override
	{
		setenv("PATH", fOldPath.c_str(), 1);
		unsetenv("GLOWPLATE_OPENER_LOG");
	}

	std::string Log() const { return fFolder / "opened"; }

	// The arguments the opener was started with, once it has written them; empty when it did
	// not start within a generous deadline.
	std::vector<std::string> Opened()
	{
		bigtime_t deadline = system_time() + 30000000;
		while (!path_exists(Log()) && system_time() < deadline)
			snooze(1000);
		std::vector<std::string> lines;
		std::string text = read_text(Log());
		for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
		     start = end + 1)
			lines.push_back(text.substr(start, end - start));
		unlink(Log().c_str());
		return lines;
	}

	std::string Document(const std::string& name)
	{
		std::string path = fFolder / name;
		EXPECT_TRUE(write_text(path, "<html></html>"));
		return path;
	}

	ScratchFolder fFolder;
	std::string fOldPath;
};

TEST_F(LaunchTest, TheOpenerGetsThePathAsItsOneArgument)
{
	// No shell sees the path: quotes, blanks and command syntax reach the opener as they are.
	std::string odd = Document("it's a \"help\" $(touch pwned); file.html");
	ASSERT_EQ(show_core("text/html", odd.c_str()), 0);
	EXPECT_EQ(Opened(), (std::vector<std::string>{"1", odd}));
	EXPECT_FALSE(path_exists(fFolder / "pwned"));

	ASSERT_EQ(show_url("https://example.org/a b?x=1&y=2"), 0);
	EXPECT_EQ(Opened(), (std::vector<std::string>{"1", "https://example.org/a b?x=1&y=2"}));

	// A relative path that looks like an option stays a file.
	ASSERT_EQ(show_core("text/plain", "-help"), 0);
	EXPECT_EQ(Opened(), (std::vector<std::string>{"1", "./-help"}));
}

TEST_F(LaunchTest, HelpTakesTheTypeFromTheAttributeElseFromTheExtension)
{
	std::string typed = Document("manual.qqq");
	BNode node(typed.c_str());
	BNodeInfo info(&node);
	if (info.SetType("text/html") != B_OK)
		GTEST_SKIP() << "the file system has no user extended attributes";
	ASSERT_EQ(show_help(typed.c_str()), 0);
	EXPECT_EQ(Opened(), (std::vector<std::string>{"1", typed}));

	std::string byExtension = Document("Manual.HTML");
	ASSERT_EQ(show_help(byExtension.c_str()), 0);
	EXPECT_EQ(Opened(), (std::vector<std::string>{"1", byExtension}));

	// Without either there is no type, and nothing is started.
	EXPECT_EQ(show_help(Document("manual.qqq2").c_str()), -1);
	EXPECT_EQ(show_help(Document("README").c_str()), -1);
	EXPECT_EQ(show_help((fFolder / "missing.html").c_str()), -1);
	EXPECT_EQ(show_help(nullptr), -1);
	EXPECT_FALSE(path_exists(Log()));
}

TEST_F(LaunchTest, NothingUsableToStartIsMinusOne)
{
	EXPECT_EQ(show_core("not a type", "/tmp"), -1);
	EXPECT_EQ(show_core(nullptr, "/tmp"), -1);
	EXPECT_EQ(show_core("text/html", ""), -1);
	EXPECT_EQ(show_url(nullptr), -1);
	// Without an opener on the path the start fails, and says so.
	setenv("PATH", (fFolder / "nowhere").c_str(), 1);
	EXPECT_EQ(show_url("https://example.org/"), -1);
	EXPECT_FALSE(path_exists(Log()));
}

} // namespace
