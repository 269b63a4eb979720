// The text view driven as a user drives it, through the headless backend: keys, clicks, the
// clipboard, undo, the input method, scrolling, and what the screen shows.
#include <gtest/gtest.h>

#include <cmath>

#include <Autolock.h>
#include <Clipboard.h>
#include <Message.h>
#include <TextView.h>
#include <Window.h>

#include <HeadlessBackend.h>

#include "StylePainter.h"
#include "TestApplication.h"
#include "TestDriver.h"
#include "TextTestSupport.h"
#include "WindowTestSupport.h"

using BPrivate::StylePainter;

namespace {

// A window at (100, 100) with a multi-line text view E (10, 10)-(309, 109) whose text starts
// 2 pixels in, a narrow one N (10, 120)-(69, 139), and a view O that can take the focus.
class TextViewTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		window = new BWindow(BRect(100, 100, 499, 299), "Text", B_TITLED_WINDOW, 0);
		view = new BTextView(BRect(10, 10, 309, 109), "E", BRect(2, 2, 297, 97), B_FOLLOW_LEFT_TOP,
		                     B_WILL_DRAW | B_NAVIGABLE);
		narrow = new BTextView(BRect(10, 120, 69, 139), "N", BRect(2, 2, 57, 17), B_FOLLOW_LEFT_TOP,
		                       B_WILL_DRAW | B_NAVIGABLE);
		other = new RecordingView(BRect(320, 10, 389, 59), "O");
		window->AddChild(view);
		window->AddChild(narrow);
		window->AddChild(other);
		window->Show();
		ASSERT_EQ(driver::Sync(window), B_OK);
		ASSERT_TRUE(driver::WaitFor([this] { return window->IsActive(); }));
	}

	void TearDown() override { app.Quit(); }

	void Focus(BView* target)
	{
		BAutolock lock(window);
		target->MakeFocus(true);
	}
	void SetText(BTextView* target, const char* text)
	{
		BAutolock lock(window);
		target->SetText(text);
	}
	std::string Text(BTextView* target = nullptr)
	{
		BAutolock lock(window);
		return (target != nullptr ? target : view)->Text();
	}
	Selection Selected(BTextView* target = nullptr)
	{
		return selection_of(window, target != nullptr ? target : view);
	}
	// The screen point of a point of the view.
	BPoint Screen(BTextView* target, BPoint point)
	{
		BAutolock lock(window);
		return target->ConvertToScreen(point);
	}
	void Settle() { settle(window); }

	TestApplication app;
	BWindow* window = nullptr;
	BTextView* view = nullptr;
	BTextView* narrow = nullptr;
	RecordingView* other = nullptr;
};

} // namespace

TEST_F(TextViewTest, ArrowsBackspaceAndDeleteMoveOverWholeCharacters)
{
	Focus(view);
	driver::Type("日本語ab");
	Settle();
	EXPECT_EQ(Text(), "日本語ab");
	EXPECT_EQ(Selected(), Selection(11, 11));

	std::vector<int32> carets;
	for (int i = 0; i < 4; i++) {
		driver::Key(B_LEFT_ARROW);
		Settle();
		carets.push_back(Selected().first);
	}
	EXPECT_EQ(carets, (std::vector<int32>{10, 9, 6, 3}));
	driver::Key(B_BACKSPACE);
	Settle();
	EXPECT_EQ(Text(), "本語ab");
	EXPECT_EQ(Selected(), Selection(0, 0));
	driver::Key(B_DELETE);
	Settle();
	EXPECT_EQ(Text(), "語ab");

	// Shift extends from where the caret was; an arrow without it collapses the selection.
	driver::Key(B_END);
	driver::Key(B_LEFT_ARROW, B_SHIFT_KEY);
	driver::Key(B_LEFT_ARROW, B_SHIFT_KEY);
	driver::Key(B_LEFT_ARROW, B_SHIFT_KEY);
	Settle();
	EXPECT_EQ(Selected(), Selection(0, 5));
	driver::Key(B_RIGHT_ARROW);
	Settle();
	EXPECT_EQ(Selected(), Selection(5, 5));
	driver::Key(B_HOME, B_SHIFT_KEY);
	driver::Key(B_BACKSPACE);
	Settle();
	EXPECT_EQ(Text(), "");
}

TEST_F(TextViewTest, CtrlArrowsMoveByWordsInLatinAndJapanese)
{
	SetText(view, "hello world 東京駅です");
	Focus(view);
	std::vector<int32> stops;
	for (int i = 0; i < 5; i++) {
		driver::Key(B_RIGHT_ARROW, B_COMMAND_KEY);
		Settle();
		stops.push_back(Selected().second);
	}
	EXPECT_EQ(stops, (std::vector<int32>{5, 11, 21, 27, 27}));
	driver::Key(B_LEFT_ARROW, B_COMMAND_KEY | B_SHIFT_KEY);
	driver::Key(B_LEFT_ARROW, B_COMMAND_KEY | B_SHIFT_KEY);
	Settle();
	EXPECT_EQ(Selected(), Selection(12, 27));
	// Ctrl+Backspace takes the word before the caret.
	driver::Key(B_END);
	driver::Key(B_BACKSPACE, B_COMMAND_KEY);
	Settle();
	EXPECT_EQ(Text(), "hello world 東京駅");
}

TEST_F(TextViewTest, LinesBreakOnEnterAndUpAndDownKeepTheColumn)
{
	Focus(view);
	driver::Type("abcdefghijkl");
	driver::Key(B_ENTER);
	driver::Type("日本語");
	Settle();
	EXPECT_EQ(Text(), "abcdefghijkl\n日本語");
	{
		BAutolock lock(window);
		EXPECT_EQ(view->CountLines(), 2);
		EXPECT_EQ(view->CurrentLine(), 1);
		EXPECT_EQ(view->OffsetAt(1), 13);
	}
	// Up lands in the middle of the longer line, and Down comes back to the same column.
	driver::Key(B_UP_ARROW);
	Settle();
	int32 above = Selected().first;
	EXPECT_GT(above, 0);
	EXPECT_LT(above, 12);
	driver::Key(B_DOWN_ARROW);
	Settle();
	EXPECT_EQ(Selected().first, 22);
	driver::Key(B_DOWN_ARROW);
	driver::Key(B_UP_ARROW, B_SHIFT_KEY);
	driver::Key(B_UP_ARROW, B_SHIFT_KEY);
	Settle();
	EXPECT_EQ(Selected(), Selection(0, 22));
}

TEST_F(TextViewTest, AClickGoesToTheNearestBoundaryNeverIntoACharacter)
{
	SetText(view, "日本語");
	BPoint first, second;
	float height;
	{
		BAutolock lock(window);
		first = view->PointAt(3, &height);
		second = view->PointAt(6);
	}
	float width = second.x - first.x;
	ASSERT_GT(width, 8);
	float y = first.y + height / 2;
	// Left of the middle of 本, right of it, and its very middle pixel.
	driver::ClickAt(Screen(view, BPoint(first.x + width * 0.3f, y)));
	Settle();
	EXPECT_EQ(Selected(), Selection(3, 3));
	driver::ClickAt(Screen(view, BPoint(first.x + width * 0.8f, y)));
	Settle();
	EXPECT_EQ(Selected(), Selection(6, 6));
	driver::ClickAt(Screen(view, BPoint(first.x + width * 0.3f, y)));
	driver::ClickAt(Screen(view, BPoint(250, 80)));
	driver::ClickAt(Screen(view, BPoint(std::floor(first.x + width / 2), y)));
	Settle();
	int32 middle = Selected().first;
	EXPECT_TRUE(middle == 3 || middle == 6) << middle;
	// Shift and a click extend the selection; past the end of the line is its end.
	driver::ClickAt(Screen(view, BPoint(first.x - width * 0.8f, y)));
	driver::ClickAt(Screen(view, BPoint(250, 80)), B_PRIMARY_MOUSE_BUTTON, B_SHIFT_KEY);
	Settle();
	EXPECT_EQ(Selected(), Selection(0, 9));
}

TEST_F(TextViewTest, DoubleClicksSelectWordsTripleClicksEverythingDragsARange)
{
	SetText(view, "東京駅から hello world");
	BPoint kyo, hello, world;
	float height = 0;
	{
		BAutolock lock(window);
		// The height is read only once PointAt has set it.
		kyo = view->PointAt(3, &height);
		kyo += BPoint(4, height / 2);
		hello = view->PointAt(17) + BPoint(1, height / 2);
		world = view->PointAt(22) + BPoint(4, height / 2);
	}
	driver::ClickAt(Screen(view, kyo));
	driver::ClickAt(Screen(view, kyo));
	Settle();
	EXPECT_EQ(Selected(), Selection(0, 9));
	driver::ClickAt(Screen(view, world));
	driver::ClickAt(Screen(view, world));
	Settle();
	EXPECT_EQ(Selected(), Selection(22, 27));
	driver::ClickAt(Screen(view, world));
	Settle();
	EXPECT_EQ(Selected(), Selection(0, 27));

	// Pressing in 京, dragging to hello: the characters between, whole.
	driver::ClickAt(Screen(view, BPoint(250, 80)));
	driver::Press(Screen(view, kyo - BPoint(3, 0)));
	driver::MoveTo(Screen(view, hello));
	driver::Release(Screen(view, hello));
	Settle();
	EXPECT_EQ(Selected(), Selection(3, 17));
}

TEST_F(TextViewTest, CopyCutAndPasteGoThroughTheClipboard)
{
	SetText(view, "日本語テキスト");
	Focus(view);
	{
		BAutolock lock(window);
		view->Select(0, 6);
	}
	driver::Shortcut('c');
	Settle();
	EXPECT_EQ(driver::Backend()->ClipboardText(), "日本");
	{
		BAutolock lock(window);
		view->Select(6, 9);
	}
	driver::Shortcut('x');
	Settle();
	EXPECT_EQ(Text(), "日本テキスト");
	EXPECT_EQ(driver::Backend()->ClipboardText(), "語");

	// Another program's text, with line breaks of every kind; a multi-line view keeps them.
	driver::Backend()->InjectClipboard("外\r\nline\rend");
	driver::Key(B_HOME);
	driver::Shortcut('v');
	Settle();
	EXPECT_EQ(Text(), "外\nline\nend日本テキスト");
	EXPECT_EQ(Selected(), Selection(12, 12));
	// Ctrl+A selects everything.
	driver::Shortcut('a');
	Settle();
	EXPECT_EQ(Selected(), Selection(0, (int32)Text().size()));
}

TEST_F(TextViewTest, UndoTakesBackContinuedTypingAsOneStepAndRedoMakesItAgain)
{
	Focus(view);
	driver::Type("abc");
	driver::Key(B_LEFT_ARROW);
	driver::Type("XY");
	driver::Key(B_END);
	driver::Key(B_BACKSPACE);
	driver::Key(B_BACKSPACE);
	Settle();
	EXPECT_EQ(Text(), "abX");

	std::vector<std::string> texts;
	for (int i = 0; i < 4; i++) {
		driver::Shortcut('z');
		Settle();
		texts.push_back(Text());
	}
	EXPECT_EQ(texts, (std::vector<std::string>{"abXYc", "abc", "", ""}));
	driver::Shortcut('z', B_COMMAND_KEY | B_SHIFT_KEY);
	driver::Shortcut('z', B_COMMAND_KEY | B_SHIFT_KEY);
	Settle();
	EXPECT_EQ(Text(), "abXYc");
	EXPECT_EQ(Selected(), Selection(4, 4));
	// A change made by the program cannot be undone and forgets the history.
	SetText(view, "new");
	driver::Shortcut('z');
	Settle();
	EXPECT_EQ(Text(), "new");
}

TEST_F(TextViewTest, ShortcutLettersAndControlKeysTypeNothing)
{
	Focus(view);
	driver::Shortcut('b');
	driver::Key('s', B_CONTROL_KEY);
	driver::Key(B_ESCAPE);
	driver::Type("ok");
	Settle();
	EXPECT_EQ(Text(), "ok");
	// Tab is the keyboard navigation's.
	driver::Key(B_TAB);
	Settle();
	BAutolock lock(window);
	EXPECT_TRUE(narrow->IsFocus());
	EXPECT_EQ(view->Text(), std::string("ok"));
}

TEST_F(TextViewTest, APreeditShowsAtTheCaretAndItsCommitIsOneInsertAndOneStep)
{
	Focus(view);
	driver::Type("a");
	driver::Preedit("にほん", 3, 9);
	// Keys and editing commands wait while the pre-edit is shown.
	driver::Type("z");
	driver::Key(B_BACKSPACE);
	driver::Shortcut('z');
	Settle();
	EXPECT_EQ(Text(), "a");

	// The pre-edit is drawn underlined after the "a".
	BPoint start;
	float height;
	float width;
	BRect frame;
	{
		BAutolock lock(window);
		start = view->PointAt(1, &height);
		width = view->StringWidth("にほん");
		frame = view->Frame();
	}
	int32 underlined = 0;
	for (int32 y = (int32)start.y; y < (int32)(start.y + height) + 4; y++) {
		int32 dark = 0;
		for (int32 x = (int32)start.x + 1; x < (int32)(start.x + width) - 1; x++) {
			rgb_color pixel = driver::PixelAt(window, (int32)frame.left + x, (int32)frame.top + y);
			dark += pixel.red < 100;
		}
		underlined += dark >= (int32)width - 3;
	}
	EXPECT_GE(underlined, 1);

	driver::Preedit("日本", 0, 6);
	driver::Commit("日本");
	Settle();
	EXPECT_EQ(Text(), "a日本");
	EXPECT_EQ(Selected(), Selection(7, 7));
	driver::Type("b");
	Settle();
	// The commit is a step of its own between the typing before and after it.
	driver::Shortcut('z');
	Settle();
	EXPECT_EQ(Text(), "a日本");
	driver::Shortcut('z');
	Settle();
	EXPECT_EQ(Text(), "a");

	// A cancelled pre-edit leaves nothing; one left standing is committed when the focus
	// goes.
	driver::Preedit("かな", 0, 6);
	driver::Preedit("", 0, 0);
	Settle();
	EXPECT_EQ(Text(), "a");
	driver::Preedit("かな", 0, 6);
	Settle();
	Focus(other);
	Settle();
	EXPECT_EQ(Text(), "aかな");
}

TEST_F(TextViewTest, TheProgramsTextIsCleanedAndCutToTheLimit)
{
	// Malformed bytes become U+FFFD, so every step of the caret lands on a character.
	SetText(view, "a\xe6\x97"
	              "b");
	EXPECT_EQ(Text(), "a\xef\xbf\xbd\xef\xbf\xbd"
	                  "b");
	Focus(view);
	driver::Key(B_HOME);
	std::vector<int32> carets;
	for (int i = 0; i < 4; i++) {
		driver::Key(B_RIGHT_ARROW);
		Settle();
		carets.push_back(Selected().first);
	}
	EXPECT_EQ(carets, (std::vector<int32>{1, 4, 7, 8}));

	SetText(view, "日本語");
	{
		BAutolock lock(window);
		view->SetMaxBytes(7);
		EXPECT_EQ(std::string(view->Text()), "日本");
		view->DisallowChar('x');
	}
	driver::Key(B_END);
	driver::Type("語");
	driver::Type("x");
	driver::Type("ab");
	Settle();
	EXPECT_EQ(Text(), "日本a");
	{
		BAutolock lock(window);
		view->SetMaxBytes(100);
	}
	driver::Backend()->InjectClipboard("xyxz");
	driver::Shortcut('v');
	Settle();
	EXPECT_EQ(Text(), "日本ayz");
	{
		BAutolock lock(window);
		view->Insert(2, "語", 3);
		EXPECT_EQ(std::string(view->Text()), "語日本ayz");
		view->Delete(1, 4);
		EXPECT_EQ(std::string(view->Text()), "本ayz");
	}
}

TEST_F(TextViewTest, ANarrowViewScrollsToKeepTheCaretInSight)
{
	Focus(narrow);
	driver::Type("the quick brown fox jumps");
	Settle();
	{
		BAutolock lock(window);
		BRect bounds = narrow->Bounds();
		EXPECT_GT(bounds.left, 0);
		BPoint caret = narrow->PointAt(narrow->TextLength());
		EXPECT_GE(caret.x, bounds.left);
		EXPECT_LE(caret.x, bounds.right);
		EXPECT_EQ(bounds.top, 0);
		// The input method's candidate box follows the caret on the screen.
		graphics::IntRect box;
		ASSERT_TRUE(driver::Backend()->TextInputActive(&box));
		EXPECT_EQ(box.left, (int32)std::floor(narrow->ConvertToScreen(caret).x));
	}
	driver::Key(B_HOME);
	Settle();
	{
		BAutolock lock(window);
		EXPECT_EQ(narrow->Bounds().left, 0);
		narrow->Select(20, 20);
		narrow->ScrollToSelection();
		BPoint caret = narrow->PointAt(20);
		EXPECT_GE(caret.x, narrow->Bounds().left);
		EXPECT_LE(caret.x, narrow->Bounds().right);
		graphics::IntRect box;
		ASSERT_TRUE(driver::Backend()->TextInputActive(&box));
		EXPECT_EQ(box.left, (int32)std::floor(narrow->ConvertToScreen(caret).x));
		// A shorter text pulls the view back so that no empty room is scrolled in.
		narrow->SetText("ab");
		EXPECT_EQ(narrow->Bounds().left, 0);
	}
}

TEST_F(TextViewTest, TheTextAndABlinkingCaretShowOnlyWhileFocusedInTheActiveWindow)
{
	SetText(narrow, " WW");
	BRect frame;
	BPoint start, end;
	float height;
	{
		BAutolock lock(window);
		frame = narrow->Frame();
		start = narrow->PointAt(0, &height);
		end = narrow->PointAt(3);
	}
	ASSERT_EQ(driver::Sync(window), B_OK);
	rgb_color field = StylePainter::FieldColor(0);
	// The text is drawn: dark pixels left of the end of the "WW".
	int32 dark = 0;
	for (int32 y = (int32)frame.top; y <= (int32)frame.bottom; y++) {
		for (int32 x = (int32)frame.left; x < (int32)(frame.left + end.x); x++)
			dark += driver::PixelAt(window, x, y).red < 100;
	}
	EXPECT_GT(dark, 10);

	// The caret goes before the space, clear of the glyphs.
	int32 caretX = (int32)(frame.left + start.x);
	int32 caretY = (int32)(frame.top + start.y + height / 2);
	auto caretShown = [&] { return driver::PixelAt(window, caretX, caretY) != field; };
	EXPECT_FALSE(caretShown());
	Focus(narrow);
	{
		BAutolock lock(window);
		narrow->Select(0, 0);
	}
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_TRUE(caretShown());
	// It blinks: off, then on again.
	EXPECT_TRUE(driver::WaitFor([&] { return !caretShown(); }));
	EXPECT_TRUE(driver::WaitFor([&] { return caretShown(); }));

	// Another window becomes active: the caret goes and stays away.
	BWindow* second = new BWindow(BRect(600, 100, 699, 199), "Second", B_TITLED_WINDOW, 0);
	second->Show();
	ASSERT_TRUE(driver::WaitFor([&] { return !window->IsActive(); }));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_FALSE(caretShown());
}

TEST_F(TextViewTest, AnArchiveKeepsTheTextAndItsSettingsAndSurvivesBadFields)
{
	BMessage archive;
	{
		BAutolock lock(window);
		view->SetText("日本語");
		view->SetAlignment(B_ALIGN_RIGHT);
		view->SetMaxBytes(20);
		view->DisallowChar('q');
		view->MakeSelectable(false);
		view->MakeEditable(false);
		view->Select(3, 6);
		ASSERT_EQ(view->Archive(&archive), B_OK);
	}
	EXPECT_STREQ(archive.GetString("_text", ""), "日本語");
	BTextView* copy = dynamic_cast<BTextView*>(instantiate_object(&archive));
	ASSERT_NE(copy, nullptr);
	EXPECT_STREQ(copy->Text(), "日本語");
	EXPECT_EQ(copy->Alignment(), B_ALIGN_RIGHT);
	EXPECT_EQ(copy->MaxBytes(), 20);
	EXPECT_FALSE(copy->IsSelectable());
	EXPECT_FALSE(copy->IsEditable());
	EXPECT_EQ((copy->Flags() & B_INPUT_METHOD_AWARE), 0u);
	EXPECT_EQ(selection_of(nullptr, copy), Selection(3, 6));
	delete copy;

	// Fields of the wrong type, values out of range, text that is not UTF-8.
	BMessage bad;
	bad.AddString("class", "BTextView");
	bad.AddInt32("_text", 5);
	bad.AddString("_align", "right");
	bad.AddFloat("_tab", -3);
	bad.AddInt32("_maxlen", -8);
	bad.AddInt32("_sel", 100);
	copy = dynamic_cast<BTextView*>(instantiate_object(&bad));
	ASSERT_NE(copy, nullptr);
	EXPECT_STREQ(copy->Text(), "");
	EXPECT_EQ(copy->Alignment(), B_ALIGN_LEFT);
	EXPECT_GT(copy->TabWidth(), 0);
	EXPECT_EQ(copy->MaxBytes(), 0);
	EXPECT_TRUE(copy->IsEditable());
	delete copy;

	BMessage odd;
	odd.AddString("class", "BTextView");
	odd.AddString("_text", "x\xff\xfey");
	odd.AddInt32("_sel", 2);
	odd.AddInt32("_sel", 3);
	copy = dynamic_cast<BTextView*>(instantiate_object(&odd));
	ASSERT_NE(copy, nullptr);
	EXPECT_STREQ(copy->Text(), "x\xef\xbf\xbd\xef\xbf\xbdy");
	EXPECT_EQ(selection_of(nullptr, copy), Selection(1, 4));
	delete copy;
}
