#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <sys/resource.h>
#include <vector>

#include <Directory.h>
#include <Entry.h>
#include <TBasicFile.h>

#include "BStringPrinter.h"
#include "TempFolder.h"

namespace {

// Every line of a file as ReadLine(BString&) gives them while !Eof().
std::vector<BString> read_lines(const std::string& path)
{
	TBasicFile file(path.c_str(), B_READ_ONLY);
	EXPECT_EQ(file.InitCheck(), B_OK) << path;
	std::vector<BString> lines;
	BString line;
	while (!file.Eof()) {
		const int32 length = file.ReadLine(line);
		EXPECT_EQ(length, line.Length());
		lines.push_back(line);
	}
	return lines;
}

std::vector<BString> lines_of(const std::string& bytes)
{
	TempFolder folder;
	return read_lines(folder.Write("lines.txt", bytes));
}

using Lines = std::vector<BString>;

TEST(TBasicFileTest, ReadsEveryLineEnding)
{
	EXPECT_EQ(lines_of("x\r\ny\nz"), (Lines{"x", "y", "z"}));
	EXPECT_EQ(lines_of("a\nb\n"), (Lines{"a", "b"}));
	EXPECT_EQ(lines_of("a\n\nb"), (Lines{"a", "", "b"}));
	EXPECT_EQ(lines_of("a\rb\r\n"), (Lines{"a\rb"}));
	EXPECT_EQ(lines_of("last\r"), (Lines{"last"}));
	EXPECT_EQ(lines_of("two\r\r\n"), (Lines{"two\r"}));
	EXPECT_EQ(lines_of("\n"), (Lines{""}));
	EXPECT_EQ(lines_of(""), (Lines{}));
	const std::string nul("a\0b\nc", 5);
	EXPECT_EQ(lines_of(nul), (Lines{BString(std::string_view("a\0b", 3)), "c"}));
}

TEST(TBasicFileTest, LongLinesAndThePositionAfterALine)
{
	TempFolder folder;
	const std::string longLine(1000, 'q');
	const std::string path = folder.Write("long.txt", longLine + "\r\nrest");
	TBasicFile file(path.c_str(), B_READ_ONLY);
	BString line;
	EXPECT_EQ(file.ReadLine(line), 1000);
	EXPECT_EQ(line, BString(longLine.c_str()));
	// The position is just past the line feed, so plain reads go on from there.
	EXPECT_EQ(file.Position(), 1002);
	char next[4] = {};
	EXPECT_EQ(file.Read(next, 4), 4);
	EXPECT_EQ(std::string(next, 4), "rest");
	EXPECT_TRUE(file.Eof());
	EXPECT_EQ(file.ReadLine(line), 0);
	EXPECT_EQ(line, "");
}

TEST(TBasicFileTest, SmallBuffersGiveLinesInPieces)
{
	TempFolder folder;
	const std::string path = folder.Write("pieces.txt", "abcdef\nxy\r\n\nz");
	TBasicFile file(path.c_str(), B_READ_ONLY);
	char buffer[4];
	std::vector<std::string> pieces;
	while (!file.Eof()) {
		const int32 kept = file.ReadLine(buffer, sizeof(buffer));
		ASSERT_GE(kept, 0);
		EXPECT_EQ(buffer[kept], '\0');
		pieces.emplace_back(buffer, (size_t)kept);
	}
	// "xy\r" fills the buffer and loses its carriage return; the line feed then comes alone.
	EXPECT_EQ(pieces, (std::vector<std::string>{"abc", "def", "", "xy", "", "", "z"}));

	// A buffer of one byte holds the terminator alone; none at all is refused.
	file.Seek(0, SEEK_SET);
	buffer[0] = 'x';
	EXPECT_EQ(file.ReadLine(buffer, 1), 0);
	EXPECT_EQ(buffer[0], '\0');
	EXPECT_EQ(file.Position(), 0);
	EXPECT_EQ(file.ReadLine(buffer, 0), B_BAD_VALUE);
	EXPECT_EQ(file.ReadLine(nullptr, 4), B_BAD_VALUE);
}

TEST(TBasicFileTest, AFailedReadEndsTheFile)
{
	TempFolder folder;
	const std::string path = folder.Write("data.txt", "one\ntwo\n");
	// Reading a file opened for writing only fails; Eof() must then stop the loop.
	TBasicFile file(path.c_str(), B_WRITE_ONLY);
	ASSERT_EQ(file.InitCheck(), B_OK);
	EXPECT_FALSE(file.Eof());
	BString line("stale");
	EXPECT_EQ(file.ReadLine(line), 0);
	EXPECT_EQ(line, "");
	EXPECT_NE(file.ReadError(), B_OK);
	EXPECT_TRUE(file.Eof());

	TBasicFile unopened;
	EXPECT_TRUE(unopened.Eof());
	EXPECT_EQ(unopened.ReadLine(line), 0);
}

// A file whose size drops between the end-of-file check and the read, as when another
// program truncates it meanwhile: every second size asked for is below the position.
class ShrinkingFile : public TBasicFile {
public:
	using TBasicFile::TBasicFile;
	status_t GetSize(off_t* size) const override
	{
		const status_t status = TBasicFile::GetSize(size);
		if (status == B_OK && ++mCalls % 2 == 0)
			*size = 1;
		return status;
	}

private:
	mutable int mCalls = 0;
};

TEST(TBasicFileTest, AFileThatShrinksWhileReadEndsTheLine)
{
	TempFolder folder;
	const std::string path = folder.Write("data.txt", "ab\n" + std::string(4000, 'x'));
	ShrinkingFile file(path.c_str(), B_READ_ONLY);
	ASSERT_EQ(file.InitCheck(), B_OK);
	ASSERT_EQ(file.Seek(3, SEEK_SET), 3);
	// The file has ended where it was cut: an empty line, no read error, nothing read.
	BString line("stale");
	EXPECT_EQ(file.ReadLine(line), 0);
	EXPECT_EQ(line, "");
	EXPECT_EQ(file.ReadError(), B_OK);
	EXPECT_EQ(file.Position(), 3);
	char buffer[8];
	EXPECT_EQ(file.ReadLine(buffer, sizeof(buffer)), 0);
	EXPECT_STREQ(buffer, "");
	EXPECT_EQ(file.ReadError(), B_OK);
}

TEST(TBasicFileTest, WritesLinesWithALineFeed)
{
	TempFolder folder;
	const std::string path = folder.Path("out.txt");
	{
		TBasicFile file(path.c_str(), B_WRITE_ONLY | B_CREATE_FILE | B_ERASE_FILE);
		ASSERT_EQ(file.InitCheck(), B_OK);
		EXPECT_EQ(file.WriteLine(BString()), 1);
		EXPECT_EQ(file.WriteLine(BString("key\tvalue")), 10);
		EXPECT_EQ(file.WriteLine("text"), 5);
		EXPECT_EQ(file.WriteLine((const char*)nullptr), 1);
	}
	EXPECT_EQ(folder.Read("out.txt"), "\nkey\tvalue\ntext\n\n");
	EXPECT_EQ(read_lines(path), (Lines{"", "key\tvalue", "text", ""}));
}

TEST(TBasicFileTest, AFailedWriteIsReturnedAsTheError)
{
	TempFolder folder;
	const std::string path = folder.Write("ro.txt", "x\n");
	TBasicFile readOnly(path.c_str(), B_READ_ONLY);
	EXPECT_LT(readOnly.WriteLine("line"), 0);
	EXPECT_LT(readOnly.WriteLine(""), 0);

	// A file size limit of four bytes lets the text through and stops the line feed: the
	// count of the first write must not hide the failure of the second.
	struct rlimit saved;
	ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
	void (*previous)(int) = signal(SIGXFSZ, SIG_IGN);
	ssize_t result;
	ssize_t direct;
	{
		TBasicFile file(folder.Path("limited.txt").c_str(),
		                B_WRITE_ONLY | B_CREATE_FILE | B_ERASE_FILE);
		ASSERT_EQ(file.InitCheck(), B_OK);
		struct rlimit limit = saved;
		limit.rlim_cur = 4;
		ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
		result = file.WriteLine("abcd");
		// The status a write past the limit gives by itself, to compare with.
		direct = file.Write("\n", 1);
		setrlimit(RLIMIT_FSIZE, &saved);
	}
	signal(SIGXFSZ, previous);
	EXPECT_LT(direct, 0);
	EXPECT_EQ(result, direct);
	EXPECT_EQ(folder.Read("limited.txt"), "abcd");
}

TEST(TBasicFileTest, EveryConstructorOpensTheFileGiven)
{
	TempFolder folder;
	const std::string path = folder.Write("open.txt", "first\nsecond\n");
	BString line;

	entry_ref ref;
	ASSERT_EQ(get_ref_for_path(path.c_str(), &ref), B_OK);
	TBasicFile byRef(&ref, B_READ_ONLY);
	ASSERT_EQ(byRef.InitCheck(), B_OK);
	byRef.ReadLine(line);
	EXPECT_EQ(line, "first");

	BEntry entry(path.c_str());
	TBasicFile byEntry(&entry, B_READ_ONLY);
	ASSERT_EQ(byEntry.InitCheck(), B_OK);
	byEntry.ReadLine(line);
	EXPECT_EQ(line, "first");

	BDirectory dir(folder.Path().c_str());
	TBasicFile byDir(&dir, "open.txt", B_READ_ONLY);
	ASSERT_EQ(byDir.InitCheck(), B_OK);
	byDir.ReadLine(line);
	EXPECT_EQ(line, "first");

	// A copy shares the open file, its position included.
	TBasicFile copy(static_cast<const BFile&>(byDir));
	ASSERT_EQ(copy.InitCheck(), B_OK);
	copy.ReadLine(line);
	EXPECT_EQ(line, "second");

	TBasicFile missing(folder.Path("absent.txt").c_str(), B_READ_ONLY);
	EXPECT_NE(missing.InitCheck(), B_OK);
}

} // namespace
