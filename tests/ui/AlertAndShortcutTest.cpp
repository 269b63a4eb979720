// The shortcut letter of a label, and alerts whose buttons answer to those letters and to
// Escape, driven through the headless display as a user would press them.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include <Alert.h>
#include <Button.h>

#include "TestApplication.h"
#include "TestDriver.h"
#include "UIUtils.h"

namespace {

TEST(ShortCutFromLabelTest, FindsTheMarkedLetterByEveryRule)
{
	// A letter in parentheses at the end, the last pair counting.
	EXPECT_EQ(short_cut_from_label("Save (S)"), 's');
	EXPECT_EQ(short_cut_from_label("保存(S)"), 's');
	EXPECT_EQ(short_cut_from_label("Open (x) file (O)"), 'o');
	EXPECT_EQ(short_cut_from_label("Open(O)..."), 'o') << "text may follow the parentheses";
	// A letter first, followed by ")", a blank or "・".
	EXPECT_EQ(short_cut_from_label("A) About"), 'a');
	EXPECT_EQ(short_cut_from_label("Q Quit"), 'q');
	EXPECT_EQ(short_cut_from_label("F・ファイル"), 'f');
	EXPECT_EQ(short_cut_from_label("7 Seven"), '7') << "only letters change case";
	// Nothing marked.
	EXPECT_EQ(short_cut_from_label("OK"), 0);
	EXPECT_EQ(short_cut_from_label(""), 0);
	EXPECT_EQ(short_cut_from_label("Save (SS)"), 0) << "two bytes are no letter";
	EXPECT_EQ(short_cut_from_label("Close) (W"), 0) << "the last ( comes after the last )";
	EXPECT_EQ(short_cut_from_label("No  blank"), 0) << "the first blank is not at byte 1";
	EXPECT_EQ(short_cut_from_label("了解"), 0) << "a multibyte first character marks nothing";
}

class ShowAlert3Test : public ::testing::Test {
protected:
	void TearDown() override { app.Quit(); }

	// Runs show_alert3 in a thread of its own (it waits for the answer), lets `press` work the
	// alert once it is on the screen, and returns the answer.
	int32 Answer(const std::function<int32()>& show, const std::function<void(BAlert*)>& press)
	{
		std::atomic<int32> answer{-100};
		std::thread asking([&] { answer = show(); });
		BAlert* alert = nullptr;
		EXPECT_TRUE(driver::WaitFor([&] {
			alert = dynamic_cast<BAlert*>(driver::FindWindow("Question"));
			return alert != nullptr && alert->Thread() >= 0 && driver::Sync(alert) == B_OK;
		}));
		if (alert != nullptr)
			press(alert);
		asking.join();
		return answer;
	}

	TestApplication app;
};

TEST_F(ShowAlert3Test, TheEscapeButtonAnswersEscapeInsteadOfItsLetter)
{
	auto show = [] {
		return show_alert3("Question", "Discard the changes?", "OK", "Cancel (C)", "", 1,
		                   B_WARNING_ALERT);
	};
	EXPECT_EQ(Answer(show,
	                 [](BAlert* alert) {
		                 EXPECT_EQ(alert->CountButtons(), 2)
		                     << "an empty third label has no button";
		                 EXPECT_STREQ(alert->Text(), "Question\n\nDiscard the changes?");
		                 EXPECT_STREQ(alert->Title(), "Question");
		                 EXPECT_EQ(alert->Type(), B_WARNING_ALERT);
		                 // The letter of "Cancel (C)" gave way to Escape.
		                 driver::Type("c");
		                 ASSERT_EQ(driver::Sync(alert), B_OK);
		                 EXPECT_FALSE(alert->IsHidden());
		                 driver::Key(B_ESCAPE);
	                 }),
	          1);
}

TEST_F(ShowAlert3Test, EveryOtherButtonAnswersTheLetterItsLabelMarks)
{
	auto show = [] {
		return show_alert3("Question", "Save the sign?", "Save (S)", "Don't save (D)", "Cancel", 2,
		                   B_INFO_ALERT);
	};
	EXPECT_EQ(Answer(show, [](BAlert* alert) { driver::Type("d"); }), 1);
	EXPECT_EQ(Answer(show, [](BAlert* alert) { driver::Shortcut('s', B_CONTROL_KEY); }), 0);
	EXPECT_EQ(Answer(show, [](BAlert* alert) { driver::Key(B_ESCAPE); }), 2);
	EXPECT_EQ(Answer(show, [](BAlert* alert) { driver::Click(alert->ButtonAt(1)); }), 1);
}

TEST_F(ShowAlert3Test, AnEmptySecondLabelLeavesOnlyTheFirstButton)
{
	auto show = [] {
		return show_alert3("Question", "Cannot show the window.", "", "", "Ignored (I)", -1,
		                   B_STOP_ALERT);
	};
	EXPECT_EQ(Answer(show,
	                 [](BAlert* alert) {
		                 EXPECT_EQ(alert->CountButtons(), 1);
		                 EXPECT_STREQ(alert->ButtonAt(0)->Label(), "");
		                 driver::Key(B_ENTER);
	                 }),
	          0);
}

} // namespace
