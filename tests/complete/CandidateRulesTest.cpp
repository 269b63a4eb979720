// How a completing field learns, orders, limits and finds its candidates, and how its storage
// file is read and written: a damaged or hostile file gives an empty list, and a save that
// fails leaves the previous file whole.
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

#include <Message.h>

#include "../support/TempFolder.h"
#include "TACCandidateList.h"
#include "TACStorageFile.h"
#include "TACTextControl.h"

namespace {

typedef std::vector<BString> Strings;

Strings numbered(int count, const char* prefix = "/s")
{
	Strings strings;
	for (int i = 0; i < count; i++)
		strings.push_back(BString(prefix) << i);
	return strings;
}

std::string flatten(const BMessage& message)
{
	std::string bytes((size_t)message.FlattenedSize(), '\0');
	message.Flatten(bytes.data(), (ssize_t)bytes.size());
	return bytes;
}

TEST(CandidateRulesTest, LearningPutsANewFinalSegmentFirstAndNothingNoLongerThanTheTrigger)
{
	TACCandidateList list;
	list.SetTrigger("/");
	EXPECT_TRUE(list.Learn("Tokyo/Shinjuku"));
	EXPECT_EQ(list.Items(), (Strings{"/Shinjuku"}));
	EXPECT_FALSE(list.Learn("Tokyo/")) << "the trigger alone is never stored";
	EXPECT_FALSE(list.Learn("no trigger at all"));
	EXPECT_FALSE(list.Add("/"));
	EXPECT_FALSE(list.Add(BString("/") << std::string(2000, 'x').c_str())) << "a pasted page";
	EXPECT_FALSE(list.Add("/\xff\xfe")) << "not UTF-8";
	EXPECT_EQ(list.CountItems(), 1);
}

TEST(CandidateRulesTest, AFullListDropsItsOldestAndARepeatMovesToTheFront)
{
	TACCandidateList list;
	list.SetTrigger("/");
	Strings eighteen = numbered(18);
	list.Assign(eighteen);
	EXPECT_TRUE(list.Add("/new"));
	EXPECT_EQ(list.CountItems(), 18);
	EXPECT_EQ(list.Items().front(), "/new");
	EXPECT_FALSE(list.Contains("/s17"));
	EXPECT_TRUE(list.Add("/s10"));
	EXPECT_EQ(list.CountItems(), 18);
	EXPECT_EQ(list.Items()[0], "/s10");
	EXPECT_EQ(list.Items()[1], "/new");

	EXPECT_EQ(list.SetMaxCandidates(0), -1);
	EXPECT_EQ(list.MaxCandidates(), 18u);
	EXPECT_EQ(list.SetMaxCandidates(5), B_OK);
	EXPECT_EQ(list.Items(), (Strings{"/s10", "/new", "/s0", "/s1", "/s2"}));
}

TEST(CandidateRulesTest, AKnownCandidateMovesToTheSeventhPlaceUnlessItIsAmongTheSixNewest)
{
	TACCandidateList list;
	list.SetTrigger("/");
	list.Assign(numbered(10));
	EXPECT_FALSE(list.Insert("/s5")) << "sixth place stays";
	EXPECT_EQ(list.Items(), numbered(10));
	EXPECT_TRUE(list.Insert("/s9"));
	EXPECT_EQ(list.Items()[6], "/s9");
	EXPECT_EQ(list.Items()[7], "/s6");
	EXPECT_EQ(list.CountItems(), 10);
	EXPECT_TRUE(list.Insert("/other"));
	EXPECT_EQ(list.Items()[6], "/other");
	EXPECT_EQ(list.CountItems(), 11) << "the list may outgrow its limit until the next add";

	TACCandidateList few;
	few.SetTrigger("/");
	few.Assign(numbered(3));
	EXPECT_TRUE(few.Insert("/late"));
	EXPECT_EQ(few.Items().back(), "/late") << "with fewer than six it goes last";
}

TEST(CandidateRulesTest, LearningAKnownTailLiftsTheLongerKnownTailsAndTheFirstUnknownOne)
{
	TACCandidateList list;
	list.SetTrigger("/");
	Strings start = numbered(8);
	start.push_back("/b/c");
	start.push_back("/c");
	list.Assign(start);
	EXPECT_TRUE(list.Learn("x/a/b/c"));
	// "/c" and "/b/c" are known and move to the seventh place, one after the other; "/a/b/c"
	// is new, joins there and ends the walk.
	Strings items = list.Items();
	ASSERT_EQ(items.size(), 11u);
	EXPECT_EQ(items[6], "/a/b/c");
	EXPECT_EQ(items[7], "/b/c");
	EXPECT_EQ(items[8], "/c");
	EXPECT_FALSE(list.Contains("x/a/b/c"));
}

TEST(CandidateRulesTest, MatchesAreLongerEntriesThatBeginWithTheKeyByteForByte)
{
	TACCandidateList list;
	list.SetTrigger("/");
	list.Assign({"/Shi", "/Shinjuku", "/shibuya", "/Shinagawa", "/新宿", "/新橋"});
	BString best;
	Strings all;
	EXPECT_EQ(list.Match("Tokyo/Shi", &best, nullptr), B_OK);
	EXPECT_EQ(best, "/Shinjuku") << "the most recent; an equal entry is no match";
	EXPECT_EQ(list.Match("Tokyo/Shi", nullptr, &all), B_OK);
	EXPECT_EQ(all, (Strings{"/Shinjuku", "/Shinagawa"})) << "case counts";
	all.clear();
	EXPECT_EQ(list.Match("/新", nullptr, &all), B_OK);
	EXPECT_EQ(all, (Strings{"/新宿", "/新橋"}));
	EXPECT_EQ(list.Match("/x/Shi", &best, nullptr), B_OK) << "the last trigger starts the key";
	EXPECT_EQ(list.Match("no key", &best, nullptr), -1);
	EXPECT_EQ(list.Match("/Shinjuku", &best, nullptr), -1);
}

TEST(CandidateRulesTest, WithAnEmptyTriggerTheWholeTextIsTheKey)
{
	TACCandidateList list;
	EXPECT_TRUE(list.Learn("Shinjuku"));
	EXPECT_FALSE(list.Learn(""));
	BString best;
	EXPECT_EQ(list.Match("Shin", &best, nullptr), B_OK);
	EXPECT_EQ(best, "Shinjuku");
	EXPECT_EQ(list.Match("", &best, nullptr), -1) << "an empty field suggests nothing";
}

TEST(StorageFileTest, WhatIsWrittenReadsBackAndDamagedFilesGiveNothing)
{
	TempFolder folder;
	Strings candidates = {"/Tokyo", "/東京", "/Kyoto"};
	BMessage message;
	TACStorageFile::MakeMessage(candidates, &message);
	EXPECT_EQ(message.what, 0u);
	std::string path = folder.Path("Completion.arc");
	ASSERT_EQ(TACStorageFile::Write(path.c_str(), message), B_OK);
	Strings read;
	ASSERT_EQ(TACStorageFile::Read(path.c_str(), &read), B_OK);
	EXPECT_EQ(read, candidates);

	BMessage empty;
	EXPECT_EQ(TACStorageFile::Read(folder.Write("empty.arc", flatten(empty)).c_str(), &read), B_OK)
	    << "a list saved empty";
	EXPECT_TRUE(read.empty());

	auto refused = [&](const std::string& bytes) {
		Strings got = {"stale"};
		status_t status = TACStorageFile::Read(folder.Write("bad.arc", bytes).c_str(), &got);
		return status == -1 && got.empty();
	};
	EXPECT_TRUE(refused("not a message"));
	EXPECT_TRUE(refused(flatten(message).substr(0, 20))) << "cut short";
	BMessage wrongType;
	wrongType.AddInt32("_Cdd", 5);
	EXPECT_TRUE(refused(flatten(wrongType)));
	BMessage tooMany;
	for (int32 i = 0; i <= TACStorageFile::kMaxCandidates; i++)
		tooMany.AddString("_Cdd", "/x");
	EXPECT_TRUE(refused(flatten(tooMany)));
	BMessage tooLong;
	tooLong.AddString("_Cdd", std::string(TACStorageFile::kMaxLength + 1, 'x').c_str());
	EXPECT_TRUE(refused(flatten(tooLong)));
	BMessage notText;
	notText.AddString("_Cdd", "/\xc0\xaf");
	EXPECT_TRUE(refused(flatten(notText))) << "an overlong form";
	std::string huge = flatten(message);
	huge.resize((size_t)TACStorageFile::kMaxFileSize + 1, '\0');
	EXPECT_TRUE(refused(huge));

	EXPECT_EQ(TACStorageFile::Read(folder.Path().c_str(), &read), -1) << "a folder";
	std::string fifo = folder.Path("fifo.arc");
	ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
	EXPECT_EQ(TACStorageFile::Read(fifo.c_str(), &read), -1) << "a pipe is not waited on";
}

TEST(StorageFileTest, TheLargestListTheFieldWritesIsOneItReadsBack)
{
	TempFolder folder;
	Strings candidates;
	for (int32 i = 0; i < TACStorageFile::kMaxCandidates + 5; i++) {
		std::string text(TACStorageFile::kMaxLength, 'a' + i % 26);
		text[0] = '/';
		candidates.push_back(BString(text.c_str()));
	}
	BMessage message;
	TACStorageFile::MakeMessage(candidates, &message);
	std::string path = folder.Path("full.arc");
	ASSERT_EQ(TACStorageFile::Write(path.c_str(), message), B_OK);
	Strings read;
	ASSERT_EQ(TACStorageFile::Read(path.c_str(), &read), B_OK);
	EXPECT_EQ(read.size(), (size_t)TACStorageFile::kMaxCandidates) << "the newest are kept";
	EXPECT_EQ(read.front(), candidates.front());
}

// A field that is in no window, as a program may keep one while it builds a dialog.
class StoredFieldTest : public ::testing::Test {
protected:
	void SetUp() override { field.SetTrigger("/"); }

	TempFolder folder;
	std::string path = folder.Path("Completion.arc");
	TACTextControl field{BRect(0, 0, 199, 19), "Field", "Label", "", nullptr};
};

TEST_F(StoredFieldTest, EveryChangeIsSavedButALimitAloneIsNot)
{
	EXPECT_EQ(field.Save(), -1) << "no storage file named yet";
	EXPECT_EQ(field.SetTo(path.c_str()), -1) << "none there yet";
	for (const BString& candidate : numbered(18))
		field.AddCandidate(candidate);
	std::string saved = folder.Read("Completion.arc");
	EXPECT_EQ(field.SetMaxCandidates(5), B_OK);
	EXPECT_EQ(field.Candidates().size(), 5u);
	EXPECT_EQ(folder.Read("Completion.arc"), saved) << "the file still has all eighteen";

	field.SetText("Tokyo/Shinjuku");
	field.Learn();
	saved = folder.Read("Completion.arc");
	TACTextControl reader(BRect(0, 0, 9, 9), "Reader", "", "", nullptr);
	ASSERT_EQ(reader.SetTo(path.c_str()), B_OK);
	EXPECT_EQ(reader.Candidates().front(), "/Shinjuku");
	field.Learn();
	EXPECT_EQ(folder.Read("Completion.arc"), saved) << "the same text is learned once";
}

TEST_F(StoredFieldTest, AFieldWithoutAWindowSharesTheListDirectly)
{
	TACTextControl mate(BRect(0, 0, 9, 9), "Mate", "", "", nullptr);
	mate.SetTrigger("/");
	field.SetTo(path.c_str());
	mate.SetTo(path.c_str());
	field.AddCandidate("/Kyoto");
	EXPECT_EQ(mate.Candidates(), (Strings{"/Kyoto"}));
}

TEST_F(StoredFieldTest, ASaveThatFailsLeavesThePreviousFileWhole)
{
	field.SetTo(path.c_str());
	for (const BString& candidate : numbered(18, "/a long station name "))
		field.AddCandidate(candidate);
	std::string before = folder.Read("Completion.arc");
	ASSERT_GT(before.size(), 200u);

	// The disk takes no more than 100 bytes of any file now (the signal for going past that
	// is ignored, so the write just fails).
	struct rlimit old;
	ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
	struct rlimit tight = old;
	tight.rlim_cur = 100;
	sighandler_t oldHandler = signal(SIGXFSZ, SIG_IGN);
	ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
	field.AddCandidate("/one more");
	status_t status = field.Save();
	setrlimit(RLIMIT_FSIZE, &old);
	signal(SIGXFSZ, oldHandler);

	EXPECT_NE(status, B_OK);
	EXPECT_EQ(folder.Read("Completion.arc"), before);
	EXPECT_EQ(field.Candidates().front(), "/one more") << "the list itself is kept";
}

} // namespace
