// The text control as the application uses it: one modification message per change of the
// text (also for a text set by the program), its message on Enter and when the focus leaves
// a changed text, its label and field on the screen, and archives that come back whole.
#include <gtest/gtest.h>

#include <algorithm>

#include <Autolock.h>
#include <Button.h>
#include <Message.h>
#include <TextControl.h>
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

const uint32 kModified = 'tmod';
const uint32 kInvoked = 'invk';
const uint32 kDefault = 'dflt';

// A window at (100, 100) holding the field F (10, 10)-(310, 32) with a label, a message and a
// modification message, the field N (10, 50)-(160, 72) with only a modification message, and
// a default button; every message goes to the view T.
class TextControlTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		window = new BWindow(BRect(100, 100, 499, 299), "Fields", B_TITLED_WINDOW, 0);
		target = new RecordingView(BRect(380, 180, 389, 189), "T", B_FOLLOW_LEFT_TOP, 0);
		field =
		    new BTextControl(BRect(10, 10, 310, 32), "F", "テキスト：", "", new BMessage(kInvoked));
		field->SetModificationMessage(new BMessage(kModified));
		number = new BTextControl(BRect(10, 50, 160, 72), "N", "LED", "", nullptr);
		number->SetModificationMessage(new BMessage(kModified));
		number->SetDivider(90);
		number->SetAlignment(B_ALIGN_LEFT, B_ALIGN_RIGHT);
		button = new BButton(BRect(200, 100, 280, 125), "B", "OK", new BMessage(kDefault));
		window->AddChild(target);
		window->AddChild(field);
		window->AddChild(number);
		window->AddChild(button);
		field->SetTarget(target);
		number->SetTarget(target);
		button->SetTarget(target);
		button->MakeDefault(true);
		window->Show();
		ASSERT_EQ(driver::Sync(window), B_OK);
		ASSERT_TRUE(driver::WaitFor([this] { return window->IsActive(); }));
	}

	void TearDown() override { app.Quit(); }

	// Messages of the kind that reached the target so far, from this control (or any).
	int32 Count(uint32 what, const void* from = nullptr)
	{
		int32 count = 0;
		for (const InputRecord& record : target->Records("message")) {
			void* source = nullptr;
			record.message.FindPointer("source", &source);
			count += record.message.what == what && (from == nullptr || source == from);
		}
		return count;
	}
	// Clicks the control's text, after a click elsewhere so that two clicks on the same
	// field never make a double click.
	void ClickText(BTextControl* control)
	{
		driver::ClickAt(BPoint(100 + 395, 100 + 195));
		ASSERT_TRUE(driver::Click(control->TextView()));
	}
	std::string Text(BTextControl* control)
	{
		BAutolock lock(window);
		return control->Text();
	}
	BPoint Screen(BView* view, BPoint point)
	{
		BAutolock lock(window);
		return view->ConvertToScreen(point);
	}
	void Settle() { settle(window); }

	TestApplication app;
	BWindow* window = nullptr;
	RecordingView* target = nullptr;
	BTextControl* field = nullptr;
	BTextControl* number = nullptr;
	BButton* button = nullptr;
};

// The rows of the window that hold dark pixels between the two columns.
std::pair<int32, int32> ink_rows(BWindow* window, int32 left, int32 right, int32 top, int32 bottom)
{
	int32 first = -1, last = -1;
	for (int32 y = top; y <= bottom; y++) {
		for (int32 x = left; x <= right; x++) {
			if (driver::PixelAt(window, x, y).red < 128) {
				if (first < 0)
					first = y;
				last = y;
				break;
			}
		}
	}
	return {first, last};
}

} // namespace

TEST_F(TextControlTest, EveryChangeOfTheTextSendsOneModificationMessage)
{
	// The program's text counts: the application's first picture is drawn from it.
	{
		BAutolock lock(window);
		field->SetText("各駅停車");
	}
	Settle();
	EXPECT_EQ(Count(kModified, field), 1);

	ASSERT_TRUE(driver::Click(field->TextView()));
	driver::Key(B_END);
	driver::Type("ab");
	Settle();
	EXPECT_EQ(Count(kModified, field), 3);
	driver::Key(B_BACKSPACE);
	Settle();
	EXPECT_EQ(Count(kModified, field), 4);
	// Typing over a selection is one change.
	driver::Shortcut('a');
	driver::Type("x");
	Settle();
	EXPECT_EQ(Text(field), "x");
	EXPECT_EQ(Count(kModified, field), 5);
	driver::Shortcut('a');
	driver::Shortcut('x');
	Settle();
	EXPECT_EQ(Count(kModified, field), 6);
	driver::Shortcut('v');
	driver::Shortcut('v');
	Settle();
	EXPECT_EQ(Text(field), "xx");
	EXPECT_EQ(Count(kModified, field), 8);
	driver::Shortcut('z');
	Settle();
	EXPECT_EQ(Text(field), "x");
	EXPECT_EQ(Count(kModified, field), 9);
	// A pre-edit is no change of the text until its commit, which is one.
	driver::Preedit("にほん", 0, 9);
	driver::Preedit("日本", 0, 6);
	Settle();
	EXPECT_EQ(Count(kModified, field), 9);
	driver::Commit("日本");
	Settle();
	EXPECT_EQ(Text(field), "x日本");
	EXPECT_EQ(Count(kModified, field), 10);
	// Moving, selecting and copying change nothing.
	driver::Key(B_LEFT_ARROW);
	driver::Shortcut('a');
	driver::Shortcut('c');
	Settle();
	EXPECT_EQ(Count(kModified, field), 10);
	EXPECT_EQ(Count(kModified, number), 0);

	// The message is the control's, with the control as its source.
	std::vector<InputRecord> records = target->Records("message");
	ASSERT_FALSE(records.empty());
	EXPECT_EQ(records.back().message.what, kModified);
	EXPECT_TRUE(records.back().message.HasInt64("when"));
}

TEST_F(TextControlTest, EnterAndLeavingAChangedTextInvokeTheMessageOnce)
{
	ClickText(field);
	driver::Type("a");
	driver::Key(B_ENTER);
	Settle();
	EXPECT_EQ(Count(kInvoked, field), 1);
	// Nothing changed since Enter: leaving sends nothing.
	driver::Key(B_TAB);
	Settle();
	EXPECT_EQ(Count(kInvoked, field), 1);
	{
		BAutolock lock(window);
		EXPECT_TRUE(number->TextView()->IsFocus());
	}

	ClickText(field);
	driver::Type("b");
	driver::Key(B_TAB);
	Settle();
	EXPECT_EQ(Text(field), "ab");
	EXPECT_EQ(Count(kInvoked, field), 2);
	// Typing and taking it back is no change.
	ClickText(field);
	driver::Type("c");
	driver::Key(B_BACKSPACE);
	driver::Key(B_TAB);
	Settle();
	EXPECT_EQ(Count(kInvoked, field), 2);
	EXPECT_EQ(Count(kDefault), 0);

	// A field without a message leaves Enter to the default button.
	driver::Key(B_ENTER);
	Settle();
	EXPECT_EQ(Count(kDefault), 1);
}

TEST_F(TextControlTest, PastedLineBreaksBecomeSpaces)
{
	ASSERT_TRUE(driver::Click(field->TextView()));
	driver::Backend()->InjectClipboard("東京\r\n大阪\n名古屋\r");
	driver::Shortcut('v');
	Settle();
	EXPECT_EQ(Text(field), "東京 大阪 名古屋 ");
	EXPECT_EQ(Count(kModified, field), 1);
	BAutolock lock(window);
	EXPECT_EQ(field->TextView()->CountLines(), 1);
}

TEST_F(TextControlTest, TheLabelLeadsToTheTextAndTabSelectsIt)
{
	{
		BAutolock lock(window);
		field->SetText("abc");
		number->SetText("12");
	}
	// A click on the label gives the text the focus, with all of it selected.
	driver::ClickAt(Screen(field, BPoint(5, 11)));
	Settle();
	{
		BAutolock lock(window);
		EXPECT_TRUE(field->TextView()->IsFocus());
	}
	EXPECT_EQ(selection_of(window, field->TextView()), Selection(0, 3));
	driver::Key(B_TAB);
	Settle();
	EXPECT_EQ(selection_of(window, number->TextView()), Selection(0, 2));
	driver::Type("7");
	Settle();
	EXPECT_EQ(Text(number), "7");

	// A disabled field takes neither clicks nor keys, and the navigation passes it by.
	{
		BAutolock lock(window);
		field->SetEnabled(false);
	}
	driver::ClickAt(Screen(field, BPoint(150, 11)));
	driver::Type("z");
	Settle();
	EXPECT_EQ(Text(field), "abc");
	{
		BAutolock lock(window);
		EXPECT_FALSE(field->TextView()->IsFocus());
		field->SetEnabled(true);
	}
	ASSERT_TRUE(driver::Click(field->TextView()));
	driver::Type("d");
	Settle();
	EXPECT_NE(Text(field).find('d'), std::string::npos);
}

TEST_F(TextControlTest, TheTextSitsInTheMiddleOfA22PixelFieldLevelWithItsLabel)
{
	float preferred;
	{
		BAutolock lock(window);
		number->SetText("LED");
		field->GetPreferredSize(nullptr, &preferred);
	}
	EXPECT_EQ(preferred, 22);
	ASSERT_EQ(driver::Sync(window), B_OK);
	// N lies at (10, 50)-(160, 72); its field starts at the divider, 90.
	int32 top = 50, bottom = 72;
	std::pair<int32, int32> text = ink_rows(window, 10 + 93, 10 + 147, top + 2, bottom - 2);
	std::pair<int32, int32> label = ink_rows(window, 10, 10 + 80, top, bottom);
	ASSERT_GE(text.first, 0);
	// The same letters in the same font: label and text on the same rows.
	EXPECT_EQ(label, text);
	// Clear of the field's border and focus ring, and as far from its top as from its
	// bottom, give or take a pixel.
	EXPECT_GT(text.first, top + 2);
	EXPECT_LT(text.second, bottom - 2);
	EXPECT_LE(std::abs((text.first - top) - (bottom - text.second)), 2);

	// Right-aligned, the text ends at the field's inset.
	{
		BAutolock lock(window);
		BTextView* view = number->TextView();
		BPoint end = view->ConvertToParent(view->PointAt(view->TextLength()));
		EXPECT_NEAR(end.x, number->Bounds().right - StylePainter::kTextInset, 1);
	}

	// Japanese text with descenders around it stays inside the field as well.
	{
		BAutolock lock(window);
		number->SetText("漢字Ågy");
	}
	ASSERT_EQ(driver::Sync(window), B_OK);
	text = ink_rows(window, 10 + 93, 10 + 147, top, bottom);
	std::pair<int32, int32> inside = ink_rows(window, 10 + 93, 10 + 147, top + 3, bottom - 3);
	ASSERT_GE(text.first, 0);
	EXPECT_EQ(text, inside);
}

TEST_F(TextControlTest, AnArchiveComesBackWithOneFieldAndAllItsSettings)
{
	BMessage archive;
	{
		BAutolock lock(window);
		number->SetLabel("LED サイズ：");
		number->SetText("12");
		number->SetAlignment(B_ALIGN_RIGHT, B_ALIGN_RIGHT);
		number->SetMessage(new BMessage(kInvoked));
		ASSERT_EQ(number->Archive(&archive), B_OK);
	}
	// The field is the first child, and its archive holds the text.
	BMessage child;
	ASSERT_EQ(archive.FindMessage("_views", 0, &child), B_OK);
	EXPECT_STREQ(child.GetString("class", ""), "BTextView");
	EXPECT_STREQ(child.GetString("_name", ""), "_input_");
	EXPECT_STREQ(child.GetString("_text", ""), "12");
	EXPECT_EQ(archive.GetFloat("_divide", 0), 90);

	BTextControl* copy = dynamic_cast<BTextControl*>(instantiate_object(&archive));
	ASSERT_NE(copy, nullptr);
	EXPECT_EQ(copy->CountChildren(), 1);
	EXPECT_EQ(copy->TextView(), copy->FindView("_input_"));
	EXPECT_STREQ(copy->Text(), "12");
	EXPECT_STREQ(copy->Label(), "LED サイズ：");
	EXPECT_EQ(copy->Divider(), 90);
	alignment label, text;
	copy->GetAlignment(&label, &text);
	EXPECT_EQ(label, B_ALIGN_RIGHT);
	EXPECT_EQ(text, B_ALIGN_RIGHT);
	ASSERT_NE(copy->ModificationMessage(), nullptr);
	EXPECT_EQ(copy->ModificationMessage()->what, kModified);
	ASSERT_NE(copy->Message(), nullptr);
	EXPECT_EQ(copy->Message()->what, kInvoked);

	// Archived again, it gives the same tree; in a window it works as the first did.
	BMessage again;
	ASSERT_EQ(copy->Archive(&again), B_OK);
	EXPECT_EQ(again.CountNames(B_ANY_TYPE), archive.CountNames(B_ANY_TYPE));
	{
		BAutolock lock(window);
		copy->MoveTo(10, 140);
		window->AddChild(copy);
		copy->SetTarget(target);
	}
	ASSERT_TRUE(driver::Click(copy->TextView()));
	driver::Key(B_END);
	driver::Type("3");
	driver::Key(B_ENTER);
	Settle();
	EXPECT_EQ(Text(copy), "123");
	EXPECT_EQ(Count(kModified, copy), 1);
	EXPECT_EQ(Count(kInvoked, copy), 1);
}

TEST_F(TextControlTest, ABrokenArchiveGivesAWorkingControl)
{
	BMessage archive;
	archive.AddString("class", "BTextControl");
	archive.AddString("_name", "Broken");
	archive.AddRect("_frame", BRect(0, 0, 200, 22));
	archive.AddString("_label", "L:");
	archive.AddString("_divide", "wide");
	archive.AddInt32("_mod_msg", 3);
	archive.AddInt32("_align", 77);
	// A child that takes the field's name but is no text view.
	BMessage impostor;
	BView("_input_", 0).Archive(&impostor);
	archive.AddMessage("_views", &impostor);

	BTextControl* control = dynamic_cast<BTextControl*>(instantiate_object(&archive));
	ASSERT_NE(control, nullptr);
	ASSERT_NE(control->TextView(), nullptr);
	EXPECT_EQ(control->CountChildren(), 2);
	EXPECT_EQ(control->ModificationMessage(), nullptr);
	EXPECT_GT(control->Divider(), 0);
	alignment label, text;
	control->GetAlignment(&label, &text);
	EXPECT_EQ(label, B_ALIGN_LEFT);
	control->SetText("works");
	EXPECT_STREQ(control->Text(), "works");
	delete control;
}

TEST_F(TextControlTest, AMegabytePastedIntoAFieldStaysUsable)
{
	std::string big;
	while (big.size() < 1000000)
		big += "日本語abc ";
	driver::Backend()->InjectClipboard(big);
	ASSERT_TRUE(driver::Click(field->TextView()));
	driver::Shortcut('v');
	driver::Type("!");
	Settle();
	EXPECT_EQ(Count(kModified, field), 2);
	BTextView* view = field->TextView();
	{
		BAutolock lock(window);
		ASSERT_EQ(view->TextLength(), (int32)big.size() + 1);
		// The caret at the end is in sight.
		BPoint caret = view->PointAt(view->TextLength());
		EXPECT_GE(caret.x, view->Bounds().left);
		EXPECT_LE(caret.x, view->Bounds().right);
	}
	driver::Key(B_HOME);
	driver::Type("^");
	Settle();
	{
		BAutolock lock(window);
		EXPECT_EQ(view->Bounds().left, 0);
	}
	driver::Shortcut('z');
	driver::Shortcut('z');
	Settle();
	BAutolock lock(window);
	EXPECT_EQ(std::string(view->Text()), big);
}
