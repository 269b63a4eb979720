// Submenus of a menu field laid out as the font menu is: each family item holds a submenu of
// its styles and can itself be chosen. Hovering opens a submenu beside its item, choosing a
// style or the family item sends the right message, and the keys go in and out of submenus.
#include <gtest/gtest.h>

#include <Autolock.h>
#include <HeadlessBackend.h>
#include <MenuBar.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <PopUpMenu.h>
#include <Window.h>

#include "MenuTestSupport.h"
#include "TestApplication.h"
#include "TestDriver.h"

namespace {

using namespace menutest;

const uint32 kFont = 'pffm';

BMessage* font_message(const char* family, const char* style)
{
	BMessage* message = new BMessage(kFont);
	message->AddString("FontFamily", family);
	message->AddString("FontStyle", style);
	return message;
}

class MenuSubmenuTest : public MenuFieldFixture {
protected:
	void SetUp() override
	{
		menu = new BPopUpMenu("Menu");
		const char* families[] = {"Alpha", "Beta", "Gamma"};
		const char* styles[] = {"Regular", "Bold", "Italic"};
		for (int32 f = 0; f < 3; f++) {
			BMenu* submenu = new BMenu(families[f]);
			for (int32 s = 0; s < 3; s++) {
				styleItems[f][s] = new BMenuItem(styles[s], font_message(families[f], styles[s]));
				submenu->AddItem(styleItems[f][s]);
			}
			submenu->SetRadioMode(true);
			familyItems[f] = new BMenuItem(submenu, font_message(families[f], ""));
			menu->AddItem(familyItems[f]);
			submenus[f] = submenu;
		}
		ShowField(menu, BRect(10, 10, 250, 33), "MFieldFontFamily", "Font:");
	}

	// "family/style" of every 'pffm' message the target received.
	std::vector<std::string> Chosen()
	{
		std::vector<std::string> chosen;
		for (const InputRecord& record : target->Records("message")) {
			if (record.message.what == kFont) {
				chosen.push_back(std::string(record.message.GetString("FontFamily", "?")) + "/" +
				                 record.message.GetString("FontStyle", "?"));
			}
		}
		return chosen;
	}

	BWindow* OpenField()
	{
		if (!driver::Click(field->MenuBar()))
			return nullptr;
		return WaitOpen(menu);
	}

	BPopUpMenu* menu = nullptr;
	BMenu* submenus[3] = {};
	BMenuItem* familyItems[3] = {};
	BMenuItem* styleItems[3][3] = {};
};

TEST_F(MenuSubmenuTest, HoveringAFamilyOpensItsStylesBesideItAndAStyleIsChosen)
{
	BWindow* open = OpenField();
	ASSERT_NE(open, nullptr);
	driver::MoveTo(ItemCentre(familyItems[1]));
	BWindow* styles = WaitOpen(submenus[1]);
	ASSERT_NE(styles, nullptr);
	// To the right of the menu, its first style level with the family.
	EXPECT_EQ(styles->Frame().left, open->Frame().right + 1);
	EXPECT_EQ(ItemScreenFrame(styleItems[1][0]).top, ItemScreenFrame(familyItems[1]).top);
	EXPECT_TRUE(IsSelected(familyItems[1]));

	// Another family takes over at once when the pointer goes straight to it.
	driver::MoveTo(ItemCentre(familyItems[2]));
	ASSERT_NE(WaitOpen(submenus[2]), nullptr);
	EXPECT_EQ(OpenWindow(submenus[1]), nullptr);

	// Across into the submenu along the family's row, then down to a style.
	BPoint row = ItemCentre(styleItems[2][0]);
	driver::MoveTo(row);
	driver::MoveTo(ItemCentre(styleItems[2][1]));
	EXPECT_TRUE(IsSelected(styleItems[2][1]));
	EXPECT_TRUE(IsSelected(familyItems[2]));
	driver::ClickAt(ItemCentre(styleItems[2][1]));
	ASSERT_TRUE(WaitEnded(window, 1));
	ASSERT_TRUE(driver::WaitFor([&] { return Chosen().size() == 1; }));
	EXPECT_EQ(Chosen()[0], "Gamma/Bold");
	BAutolock lock(window);
	// The style is marked in its radio-mode submenu; the family's own mark is the
	// program's business.
	EXPECT_TRUE(styleItems[2][1]->IsMarked());
	EXPECT_FALSE(familyItems[2]->IsMarked());
	EXPECT_EQ(OpenWindow(submenus[2]), nullptr);
}

TEST_F(MenuSubmenuTest, ClickingTheFamilyItemItselfChoosesTheFamily)
{
	ASSERT_NE(OpenField(), nullptr);
	driver::ClickAt(ItemCentre(familyItems[0]));
	ASSERT_TRUE(WaitEnded(window, 1));
	ASSERT_TRUE(driver::WaitFor([&] { return Chosen().size() == 1; }));
	EXPECT_EQ(Chosen()[0], "Alpha/");
	BAutolock lock(window);
	// The top menu is in radio mode: the family is marked and the field shows it.
	EXPECT_TRUE(familyItems[0]->IsMarked());
	EXPECT_STREQ(field->MenuItem()->Label(), "Alpha");
}

TEST_F(MenuSubmenuTest, OnItsWayToTheOpenSubmenuThePointerMayCrossOtherItems)
{
	ASSERT_NE(OpenField(), nullptr);
	BPoint start = ItemCentre(familyItems[0]);
	driver::MoveTo(start);
	BWindow* styles = WaitOpen(submenus[0]);
	ASSERT_NE(styles, nullptr);
	// Heading right and down towards the submenu's third style, the pointer passes over
	// the second family; the first family's submenu stays open meanwhile.
	BRect beta = ItemScreenFrame(familyItems[1]);
	driver::MoveTo(BPoint(beta.right - 3, beta.top + 2));
	ASSERT_EQ(driver::Sync(styles), B_OK);
	EXPECT_EQ(OpenWindow(submenus[1]), nullptr);
	EXPECT_NE(OpenWindow(submenus[0]), nullptr);
	driver::MoveTo(ItemCentre(styleItems[0][2]));
	EXPECT_TRUE(IsSelected(styleItems[0][2]));

	// Resting on another family lets it take over after a moment.
	driver::MoveTo(ItemCentre(familyItems[0]));
	driver::MoveTo(BPoint(beta.right - 3, beta.top + 2));
	EXPECT_NE(WaitOpen(submenus[1]), nullptr);
}

TEST_F(MenuSubmenuTest, NearTheScreensEdgesMenusOpenAboveAndSubmenusToTheLeft)
{
	driver::Backend()->SetScreenSize(800, 600);
	BRect face;
	{
		BAutolock lock(window);
		window->MoveTo(500, 536);
		window->ResizeTo(299, 63);
		face = field->MenuBar()->ConvertToScreen(field->MenuBar()->Bounds());
	}
	ASSERT_EQ(driver::Sync(window), B_OK);
	BWindow* open = OpenField();
	ASSERT_NE(open, nullptr);
	BRect frame = open->Frame();
	EXPECT_EQ(frame.bottom, face.top - 1);
	EXPECT_EQ(frame.left, face.left);
	EXPECT_GE(frame.top, 0);
	driver::MoveTo(ItemCentre(familyItems[2]));
	BWindow* styles = WaitOpen(submenus[2]);
	ASSERT_NE(styles, nullptr);
	BRect side = styles->Frame();
	EXPECT_EQ(side.right, frame.left - 1);
	// Level with its family where the screen allows, else pushed up to fit.
	float level = ItemScreenFrame(familyItems[2]).top - 3;
	EXPECT_EQ(side.top, std::min(level, 599 - side.Height()));
	driver::MoveTo(ItemCentre(styleItems[2][0]));
	EXPECT_TRUE(IsSelected(styleItems[2][0]));
}

TEST_F(MenuSubmenuTest, KeysGoIntoAndOutOfSubmenus)
{
	{
		BAutolock lock(window);
		field->MakeFocus(true);
	}
	driver::Key(B_DOWN_ARROW);
	ASSERT_NE(WaitOpen(menu), nullptr);
	// Nothing is marked: the first family is selected.
	EXPECT_TRUE(IsSelected(familyItems[0]));
	driver::Key(B_DOWN_ARROW);
	driver::Key(B_RIGHT_ARROW);
	ASSERT_NE(WaitOpen(submenus[1]), nullptr);
	EXPECT_TRUE(IsSelected(styleItems[1][0]));
	driver::Key(B_END);
	EXPECT_TRUE(IsSelected(styleItems[1][2]));
	// Left closes the submenu and leaves its family selected; Escape there closes only it.
	driver::Key(B_LEFT_ARROW);
	ASSERT_TRUE(WaitClosed(submenus[1]));
	EXPECT_TRUE(IsSelected(familyItems[1]));
	driver::Key(B_RIGHT_ARROW);
	ASSERT_NE(WaitOpen(submenus[1]), nullptr);
	driver::Key(B_ESCAPE);
	ASSERT_TRUE(WaitClosed(submenus[1]));
	EXPECT_NE(OpenWindow(menu), nullptr);
	driver::Key(B_RIGHT_ARROW);
	ASSERT_NE(WaitOpen(submenus[1]), nullptr);
	driver::Key(B_DOWN_ARROW);
	driver::Key(B_ENTER);
	ASSERT_TRUE(WaitEnded(window, 1));
	ASSERT_TRUE(driver::WaitFor([&] { return Chosen().size() == 1; }));
	EXPECT_EQ(Chosen()[0], "Beta/Bold");
}

} // namespace
