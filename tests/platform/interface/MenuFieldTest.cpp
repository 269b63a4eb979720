// A menu field worked through the real input path: opening by click and by keyboard, choosing
// in radio mode with the field's text following the mark (or not), press-drag-release, and
// clicks outside the open menu.
#include <gtest/gtest.h>

#include <Autolock.h>
#include <MenuBar.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <PopUpMenu.h>
#include <Window.h>

#include <HeadlessBackend.h>

#include "MenuTestSupport.h"
#include "TestApplication.h"
#include "TestDriver.h"

namespace {

using namespace menutest;

const uint32 kColour = 'pcol';

// The field "Colour:" (divider 60) over three items.
class MenuFieldTest : public MenuFieldFixture {
protected:
	void SetUp() override
	{
		menu = new BPopUpMenu("Menu");
		const char* names[] = {"FG", "BG", "Gap"};
		for (int32 i = 0; i < 3; i++) {
			BMessage* message = new BMessage(kColour);
			message->AddInt32("Color", i);
			items[i] = new BMenuItem(names[i], message);
			menu->AddItem(items[i]);
		}
		ShowField(menu, BRect(10, 10, 200, 33), "MFieldColor", "Colour:", 60);
	}

	std::string FieldText()
	{
		BAutolock lock(window);
		return field->MenuItem()->Label();
	}

	bool Marked(int32 index)
	{
		BAutolock lock(window);
		return items[index]->IsMarked();
	}

	// The 'pcol' messages the target received, by their "Color".
	std::vector<int32> Chosen()
	{
		std::vector<int32> colours;
		for (const InputRecord& record : target->Records("message")) {
			if (record.message.what == kColour)
				colours.push_back(record.message.GetInt32("Color", -1));
		}
		return colours;
	}

	BPopUpMenu* menu = nullptr;
	BMenuItem* items[3] = {};
};

TEST_F(MenuFieldTest, AClickOpensTheMenuBelowTheFieldAndAClickOnAnItemChoosesIt)
{
	EXPECT_EQ(FieldText(), "Menu");
	ASSERT_TRUE(driver::Click(field->MenuBar()));
	BWindow* open = WaitOpen(menu);
	ASSERT_NE(open, nullptr);
	EXPECT_EQ(window->beginnings, 1);

	// The menu lies under the field's face, as wide as it at least, and the screen shows it
	// there: its border at the corner, an item's highlight under the pointer later.
	BRect face;
	{
		BAutolock lock(window);
		face = field->MenuBar()->ConvertToScreen(field->MenuBar()->Bounds());
	}
	EXPECT_EQ(face, BRect(170, 110, 300, 133));
	BRect frame = open->Frame();
	EXPECT_EQ(frame.LeftTop(), BPoint(face.left, face.bottom + 1));
	EXPECT_GE(frame.Width(), face.Width());
	BPrivate::HeadlessBackend::WindowState state;
	ASSERT_TRUE(driver::Backend()->GetWindow(BPrivate::WindowAccess::BackendId(open), &state));
	EXPECT_TRUE(state.visible);
	EXPECT_EQ(state.spec.left, 170);
	EXPECT_EQ(state.spec.top, 134);
	rgb_color border = driver::PixelAt(open, 0, 0);
	EXPECT_EQ(border, make_color(150, 150, 150));
	EXPECT_EQ(driver::PixelAt(open, (int32)frame.Width(), (int32)frame.Height()), border);

	driver::MoveTo(ItemCentre(items[1]));
	EXPECT_TRUE(IsSelected(items[1]));
	EXPECT_FALSE(IsSelected(items[0]));
	driver::ClickAt(ItemCentre(items[1]));
	ASSERT_TRUE(WaitEnded(window, 1));
	ASSERT_TRUE(driver::WaitFor([&] { return Chosen().size() == 1; }));
	EXPECT_EQ(Chosen()[0], 1);
	EXPECT_TRUE(Marked(1));
	EXPECT_EQ(FieldText(), "BG");
	EXPECT_EQ(window->endings, 1);

	// Radio mode: choosing another item moves the one mark.
	ASSERT_TRUE(driver::Click(field->MenuBar()));
	ASSERT_NE(WaitOpen(menu), nullptr);
	driver::ClickAt(ItemCentre(items[2]));
	ASSERT_TRUE(driver::WaitFor([&] { return Chosen().size() == 2; }));
	EXPECT_FALSE(Marked(1));
	EXPECT_TRUE(Marked(2));
	EXPECT_EQ(FieldText(), "Gap");
}

TEST_F(MenuFieldTest, WithoutTheLabelFromTheMarkTheProgramKeepsTheText)
{
	{
		BAutolock lock(window);
		menu->SetLabelFromMarked(false);
		field->MenuItem()->SetLabel("Haru (Regular)");
	}
	ASSERT_TRUE(driver::Click(field->MenuBar()));
	ASSERT_NE(WaitOpen(menu), nullptr);
	driver::ClickAt(ItemCentre(items[2]));
	ASSERT_TRUE(driver::WaitFor([&] { return Chosen().size() == 1; }));
	// Still radio mode: the item is marked, but the text is the program's.
	EXPECT_TRUE(Marked(2));
	EXPECT_EQ(FieldText(), "Haru (Regular)");
	// Marking from the program leaves it too; with the label following again it changes.
	{
		BAutolock lock(window);
		items[0]->SetMarked(true);
	}
	EXPECT_EQ(FieldText(), "Haru (Regular)");
	{
		BAutolock lock(window);
		menu->SetLabelFromMarked(true);
	}
	EXPECT_EQ(FieldText(), "FG");
	EXPECT_FALSE(Marked(2));
}

TEST_F(MenuFieldTest, APressDraggedOntoAnItemAndReleasedChoosesIt)
{
	BPoint face = driver::ScreenCentre(field->MenuBar());
	driver::Press(face);
	ASSERT_NE(WaitOpen(menu), nullptr);
	driver::MoveTo(ItemCentre(items[0]));
	driver::MoveTo(ItemCentre(items[2]));
	driver::Release(ItemCentre(items[2]));
	ASSERT_TRUE(WaitEnded(window, 1));
	ASSERT_TRUE(driver::WaitFor([&] { return Chosen().size() == 1; }));
	EXPECT_EQ(Chosen()[0], 2);

	// Dragged onto the menu and released outside it, nothing is chosen.
	driver::Press(face);
	ASSERT_NE(WaitOpen(menu), nullptr);
	driver::MoveTo(ItemCentre(items[1]));
	driver::MoveTo(BPoint(450, 350));
	driver::Release(BPoint(450, 350));
	ASSERT_TRUE(WaitEnded(window, 2));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(Chosen().size(), 1u);
	EXPECT_EQ(FieldText(), "Gap");
}

TEST_F(MenuFieldTest, AClickOutsideTheOpenMenuClosesItAndReachesNothing)
{
	ASSERT_TRUE(driver::Click(field->MenuBar()));
	ASSERT_NE(WaitOpen(menu), nullptr);
	target->Clear();
	ASSERT_TRUE(driver::Click(target));
	ASSERT_TRUE(WaitEnded(window, 1));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_TRUE(target->Records("down").empty());
	EXPECT_TRUE(target->Records("up").empty());
	EXPECT_TRUE(Chosen().empty());
	EXPECT_EQ(FieldText(), "Menu");
	EXPECT_EQ(window->endings, 1);

	// Clicking the field again while its menu is open closes it as well; afterwards the
	// window has its pointer back.
	ASSERT_TRUE(driver::Click(field->MenuBar()));
	ASSERT_NE(WaitOpen(menu), nullptr);
	driver::ClickAt(driver::ScreenCentre(field->MenuBar()));
	ASSERT_TRUE(WaitEnded(window, 2));
	ASSERT_TRUE(driver::Click(target));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(target->Records("down").size(), 1u);
}

TEST_F(MenuFieldTest, TheKeyboardOpensOnTheMarkedItemMovesChoosesAndCloses)
{
	{
		BAutolock lock(window);
		items[1]->SetMarked(true);
		field->MakeFocus(true);
	}
	driver::Key(B_SPACE);
	ASSERT_NE(WaitOpen(menu), nullptr);
	EXPECT_TRUE(IsSelected(items[1]));
	driver::Key(B_DOWN_ARROW);
	EXPECT_TRUE(IsSelected(items[2]));
	// Past the end the selection wraps to the top.
	driver::Key(B_DOWN_ARROW);
	EXPECT_TRUE(IsSelected(items[0]));
	driver::Key(B_ENTER);
	ASSERT_TRUE(WaitEnded(window, 1));
	ASSERT_TRUE(driver::WaitFor([&] { return Chosen().size() == 1; }));
	EXPECT_EQ(Chosen()[0], 0);
	EXPECT_EQ(FieldText(), "FG");

	// Escape closes without choosing, and the keys go to the window again.
	driver::Key(B_UP_ARROW);
	ASSERT_NE(WaitOpen(menu), nullptr);
	driver::Key(B_DOWN_ARROW);
	driver::Key(B_ESCAPE);
	ASSERT_TRUE(WaitEnded(window, 2));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(Chosen().size(), 1u);
	EXPECT_EQ(window->beginnings, 2);
	EXPECT_EQ(window->endings, 2);
}

TEST_F(MenuFieldTest, AFieldWithoutAFixedSizeWidensToShowItsText)
{
	BAutolock lock(window);
	float before = field->Frame().Width();
	field->MenuItem()->SetLabel("A text far longer than the field was made for");
	float wanted;
	field->MenuBar()->GetPreferredSize(&wanted, nullptr);
	EXPECT_EQ(field->Frame().Width(), field->Divider() + wanted);
	EXPECT_EQ(field->MenuBar()->Frame().right, field->Bounds().right);
	// No further than its parent reaches; a shorter text leaves the width as it is.
	field->MenuItem()->SetLabel(std::string(300, 'W').c_str());
	EXPECT_EQ(field->Frame().right, window->Bounds().right);
	field->MenuItem()->SetLabel("FG");
	EXPECT_GT(field->Frame().Width(), before);

	BMenuField* fixed = new BMenuField(BRect(10, 50, 200, 73), "Fixed", "Fixed:",
	                                   new BPopUpMenu("Menu"), true);
	window->AddChild(fixed);
	fixed->MenuItem()->SetLabel("A text far longer than the field was made for");
	EXPECT_EQ(fixed->Frame().Width(), 190);
}

TEST_F(MenuFieldTest, ADisabledFieldDoesNotOpen)
{
	{
		BAutolock lock(window);
		field->SetEnabled(false);
		EXPECT_FALSE(menu->IsEnabled());
		EXPECT_FALSE(items[0]->IsEnabled());
	}
	ASSERT_TRUE(driver::Click(field->MenuBar()));
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(OpenWindow(menu), nullptr);
	EXPECT_EQ(window->beginnings, 0);
	{
		BAutolock lock(window);
		field->SetEnabled(true);
	}
	ASSERT_TRUE(driver::Click(field->MenuBar()));
	EXPECT_NE(WaitOpen(menu), nullptr);
}

} // namespace
