// List views: the items and the selection as a model, then selection, invocation, keys, the
// wheel and the focus border through the backend's input path, and long lists.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

#include <Autolock.h>
#include <List.h>
#include <ListView.h>
#include <ScrollBar.h>
#include <ScrollView.h>
#include <Window.h>

#include <HeadlessBackend.h>

#include "TestApplication.h"
#include "TestDriver.h"
#include "WindowTestSupport.h"

namespace {

BListView* make_list(int32 count, list_view_type type = B_SINGLE_SELECTION_LIST)
{
	BListView* list = new BListView(BRect(0, 0, 149, 99), "List", type);
	for (int32 i = 0; i < count; i++)
		list->AddItem(new BStringItem(("Row " + std::to_string(i)).c_str()));
	return list;
}

std::vector<int32> selection(BListView* list)
{
	std::vector<int32> rows;
	for (int32 i = 0; list->CurrentSelection(i) >= 0; i++)
		rows.push_back(list->CurrentSelection(i));
	return rows;
}

void* source_of(const BMessage& message)
{
	void* source = nullptr;
	message.FindPointer("source", &source);
	return source;
}

std::vector<int32> indices(const BMessage& message)
{
	std::vector<int32> rows;
	for (int32 i = 0; message.HasInt32("index", i); i++)
		rows.push_back(message.GetInt32("index", i, -1));
	return rows;
}

} // namespace

TEST(ListViewModelTest, ItemsGoInAndOutAtTheirPlaces)
{
	BListView* list = make_list(3);
	BStringItem* first = new BStringItem("first");
	ASSERT_TRUE(list->AddItem(first, 0));
	EXPECT_EQ(list->CountItems(), 4);
	EXPECT_EQ(list->ItemAt(0), first);
	EXPECT_EQ(list->IndexOf(first), 0);
	EXPECT_STREQ(static_cast<BStringItem*>(list->ItemAt(3))->Text(), "Row 2");

	// Rows lie one under the other, each as high as a line of the font.
	float rowPixels = list->ItemFrame(0).Height() + 1;
	EXPECT_GT(rowPixels, 10);
	EXPECT_EQ(list->ItemFrame(3).top, 3 * rowPixels);
	EXPECT_EQ(list->IndexOf(BPoint(5, 2 * rowPixels + 1)), 2);
	EXPECT_EQ(list->IndexOf(BPoint(5, 4 * rowPixels)), -1);
	EXPECT_FALSE(list->ItemFrame(4).IsValid());

	// What cannot go in is refused, and the list stays as it was.
	EXPECT_FALSE(list->AddItem(first));
	EXPECT_FALSE(list->AddItem(nullptr));
	BStringItem stray("stray");
	EXPECT_FALSE(list->AddItem(&stray, 9));
	EXPECT_FALSE(list->AddItem(&stray, -1));
	EXPECT_EQ(list->IndexOf(&stray), -1);
	BList twice;
	BStringItem* again = new BStringItem("again");
	twice.AddItem(again);
	twice.AddItem(again);
	EXPECT_FALSE(list->AddList(&twice));
	EXPECT_EQ(list->CountItems(), 4);
	ASSERT_TRUE(list->AddItem(again));

	EXPECT_EQ(list->RemoveItem(17), nullptr);
	EXPECT_EQ(list->RemoveItem(-1), nullptr);
	EXPECT_FALSE(list->RemoveItem(&stray));
	EXPECT_EQ(list->RemoveItem((int32)0), first);
	EXPECT_EQ(list->IndexOf(first), -1);
	EXPECT_EQ(list->ItemFrame(0).top, 0);
	EXPECT_TRUE(list->RemoveItem(again));
	delete again;
	delete first;
	EXPECT_EQ(list->CountItems(), 3);
	list->MakeEmpty();
	EXPECT_TRUE(list->IsEmpty());
	EXPECT_EQ(list->CurrentSelection(), -1);
	delete list;
}

TEST(ListViewModelTest, TheSelectionFollowsItsRowsAndTheListsKind)
{
	BListView* list = make_list(10);
	list->Select(4);
	list->Select(6, true); // a single-selection list keeps one row
	EXPECT_EQ(selection(list), std::vector<int32>({6}));
	list->AddItem(new BStringItem("new"), 2);
	EXPECT_EQ(list->CurrentSelection(), 7);
	delete list->RemoveItem((int32)0);
	EXPECT_EQ(list->CurrentSelection(), 6);
	delete list->RemoveItem(6);
	EXPECT_EQ(list->CurrentSelection(), -1);
	list->Select(42);
	EXPECT_EQ(list->CurrentSelection(), -1);

	list->SetListType(B_MULTIPLE_SELECTION_LIST);
	list->Select(1, 3);
	list->Select(7, true);
	EXPECT_EQ(selection(list), std::vector<int32>({1, 2, 3, 7}));
	list->Deselect(2);
	EXPECT_EQ(selection(list), std::vector<int32>({1, 3, 7}));
	list->DeselectExcept(3, 7);
	EXPECT_EQ(selection(list), std::vector<int32>({3, 7}));
	// Removing rows hands them back; the selection keeps the rows that stay.
	std::vector<BListItem*> removed = {list->ItemAt(2), list->ItemAt(3), list->ItemAt(4)};
	EXPECT_TRUE(list->RemoveItems(2, 3));
	for (BListItem* item : removed)
		delete item;
	EXPECT_EQ(selection(list), std::vector<int32>({4}));
	list->Select(0, 1, true);
	list->SetListType(B_SINGLE_SELECTION_LIST);
	EXPECT_EQ(selection(list), std::vector<int32>({0}));
	list->DeselectAll();
	EXPECT_EQ(list->CurrentSelection(), -1);
	delete list;
}

namespace {

// A window at (100, 100) holding a list of 30 rows, nine of them visible, in a scroll view
// with a vertical bar at (10, 10); the list's messages go to "Target".
class ListViewWindowTest : public ::testing::Test {
protected:
	void Build(list_view_type type)
	{
		window = new BWindow(BRect(100, 100, 499, 399), "Lists", B_TITLED_WINDOW, 0);
		list = make_list(30, type);
		rowPixels = list->ItemFrame(0).Height() + 1;
		list->ResizeTo(149, 9 * rowPixels - 1);
		scroll = new BScrollView("Scroll", list, B_FOLLOW_LEFT_TOP, 0, false, true);
		scroll->MoveTo(10, 10);
		target = new RecordingView(BRect(300, 10, 389, 49), "Target");
		window->AddChild(scroll);
		window->AddChild(target);
		list->SetTarget(target);
		list->SetSelectionMessage(new BMessage('lsel'));
		list->SetInvocationMessage(new BMessage('linv'));
		window->Show();
		ASSERT_EQ(driver::Sync(window), B_OK);
	}

	void TearDown() override { app.Quit(); }

	BPoint RowOnScreen(int32 index)
	{
		BAutolock lock(window);
		BRect frame = list->ItemFrame(index);
		return list->ConvertToScreen(BPoint(40, std::floor((frame.top + frame.bottom) / 2)));
	}
	// A click with the modifiers held, which are let go of afterwards (the backend keeps
	// the modifiers of a press held until told otherwise).
	void ClickRow(int32 index, uint32 modifiers = 0)
	{
		driver::ClickAt(RowOnScreen(index), B_PRIMARY_MOUSE_BUTTON, modifiers);
		if (modifiers != 0)
			driver::Backend()->InjectModifiers(0);
	}
	// The list's reports are posted to the window as it handles the input, possibly behind
	// a first barrier; a second one comes after them.
	void Settle()
	{
		ASSERT_EQ(driver::Sync(window), B_OK);
		ASSERT_EQ(driver::Sync(window), B_OK);
	}
	std::vector<BMessage> Messages(uint32 what)
	{
		std::vector<BMessage> found;
		for (const InputRecord& record : target->Records("message")) {
			if (record.message.what == what)
				found.push_back(record.message);
		}
		return found;
	}
	std::vector<int32> Selection()
	{
		BAutolock lock(window);
		return selection(list);
	}
	bool RowVisible(int32 index)
	{
		BAutolock lock(window);
		BRect bounds = list->Bounds();
		BRect frame = list->ItemFrame(index);
		return frame.top >= bounds.top && frame.bottom <= bounds.bottom;
	}

	TestApplication app;
	BWindow* window = nullptr;
	BListView* list = nullptr;
	BScrollView* scroll = nullptr;
	RecordingView* target = nullptr;
	float rowPixels = 0;
};

} // namespace

TEST_F(ListViewWindowTest, ClicksSelectOneRowAndEachChangeIsReported)
{
	Build(B_SINGLE_SELECTION_LIST);
	ClickRow(2);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(Selection(), std::vector<int32>({2}));
	ClickRow(5);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(Selection(), std::vector<int32>({5}));
	{
		// Selecting what is selected already is no change, and reports nothing.
		BAutolock lock(window);
		list->Select(5);
	}
	ASSERT_EQ(driver::Sync(window), B_OK);

	Settle();
	std::vector<BMessage> messages = Messages('lsel');
	ASSERT_EQ(messages.size(), 2u);
	EXPECT_EQ(indices(messages[0]), std::vector<int32>({2}));
	EXPECT_EQ(indices(messages[1]), std::vector<int32>({5}));
	EXPECT_TRUE(messages[1].HasInt64("when"));
	EXPECT_EQ(source_of(messages[1]), list);
}

TEST_F(ListViewWindowTest, ShiftExtendsAndCommandTogglesInAMultipleSelectionList)
{
	Build(B_MULTIPLE_SELECTION_LIST);
	ClickRow(1);
	ClickRow(4, B_SHIFT_KEY);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(Selection(), std::vector<int32>({1, 2, 3, 4}));
	ClickRow(2, B_COMMAND_KEY);
	ClickRow(6, B_COMMAND_KEY);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(Selection(), std::vector<int32>({1, 3, 4, 6}));
	// Shift reaches from the row clicked last; a plain click starts over.
	ClickRow(8, B_SHIFT_KEY);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(Selection(), std::vector<int32>({6, 7, 8}));
	ClickRow(3);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(Selection(), std::vector<int32>({3}));

	Settle();
	std::vector<BMessage> messages = Messages('lsel');
	ASSERT_EQ(messages.size(), 6u);
	EXPECT_EQ(indices(messages[1]), std::vector<int32>({1, 2, 3, 4}));
	EXPECT_EQ(indices(messages[3]), std::vector<int32>({1, 3, 4, 6}));
}

TEST_F(ListViewWindowTest, ArrowKeysMoveTheSelectionAndKeepItInView)
{
	Build(B_SINGLE_SELECTION_LIST);
	ClickRow(0);
	for (int i = 0; i < 12; i++)
		driver::Key(B_DOWN_ARROW);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(Selection(), std::vector<int32>({12}));
	EXPECT_TRUE(RowVisible(12));
	{
		BAutolock lock(window);
		// Row 12 is the last visible one, and the bar shows where the list is.
		EXPECT_EQ(list->Bounds().bottom, list->ItemFrame(12).bottom);
		EXPECT_EQ(scroll->ScrollBar(B_VERTICAL)->Value(), list->Bounds().top);
	}
	driver::Key(B_END);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(Selection(), std::vector<int32>({29}));
	EXPECT_TRUE(RowVisible(29));
	driver::Key(B_UP_ARROW);
	driver::Key(B_HOME);
	driver::Key(B_UP_ARROW);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(Selection(), std::vector<int32>({0}));
	EXPECT_TRUE(RowVisible(0));
	// Shift does not extend a single-selection list.
	driver::Key(B_DOWN_ARROW, B_SHIFT_KEY);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(Selection(), std::vector<int32>({1}));
	// One report per change: the click, twelve steps, End, Up, Home, Shift+Down (the last
	// Up changed nothing).
	Settle();
	EXPECT_EQ(Messages('lsel').size(), 17u);
}

TEST_F(ListViewWindowTest, EnterAndADoubleClickInvokeWithTheIndex)
{
	Build(B_SINGLE_SELECTION_LIST);
	driver::Key(B_TAB); // the list takes the focus with nothing selected: Enter does nothing
	driver::Key(B_ENTER);
	ASSERT_TRUE(driver::Click(list, 1));
	driver::Key(B_ENTER);
	ASSERT_EQ(driver::Sync(window), B_OK);
	Settle();
	int32 middle = Selection().at(0);
	std::vector<BMessage> invoked = Messages('linv');
	ASSERT_EQ(invoked.size(), 1u);
	EXPECT_EQ(indices(invoked[0]), std::vector<int32>({middle}));

	driver::ClickAt(RowOnScreen(3));
	driver::ClickAt(RowOnScreen(3));
	Settle();
	invoked = Messages('linv');
	ASSERT_EQ(invoked.size(), 2u);
	EXPECT_EQ(indices(invoked[1]), std::vector<int32>({3}));
	EXPECT_EQ(source_of(invoked[1]), list);
}

TEST_F(ListViewWindowTest, TheWheelAndTheBarScrollByRowsAndTheFocusShowsOnTheBorder)
{
	Build(B_SINGLE_SELECTION_LIST);
	rgb_color border = driver::PixelAt(window, 10, 40);
	driver::MoveTo(driver::ScreenCentre(list));
	driver::Backend()->InjectWheel(0, 2);
	ASSERT_EQ(driver::Sync(window), B_OK);
	BPoint downArrow;
	{
		BAutolock lock(window);
		EXPECT_EQ(list->Bounds().top, 6 * rowPixels);
		EXPECT_EQ(scroll->ScrollBar(B_VERTICAL)->Value(), 6 * rowPixels);
		BScrollBar* bar = scroll->ScrollBar(B_VERTICAL);
		downArrow = bar->ConvertToScreen(BPoint(7, bar->Bounds().bottom - 7));
	}
	// The bar's arrow steps one row.
	driver::ClickAt(downArrow);
	ASSERT_EQ(driver::Sync(window), B_OK);
	{
		BAutolock lock(window);
		EXPECT_EQ(list->Bounds().top, 7 * rowPixels);
	}
	EXPECT_EQ(driver::PixelAt(window, 10, 40), border);

	ClickRow(9);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_NE(driver::PixelAt(window, 10, 40), border);
	EXPECT_TRUE(scroll->IsBorderHighlighted());
	driver::Key(B_TAB); // the focus leaves the list for the next navigable view
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(driver::PixelAt(window, 10, 40), border);
}

namespace {

// A row that notes which rows were drawn.
class CountingItem : public BListItem {
public:
	CountingItem(int32 index, std::vector<int32>* drawn) : fIndex(index), fDrawn(drawn) {}
	void DrawItem(BView* owner, BRect frame, bool complete) override { fDrawn->push_back(fIndex); }

private:
	int32 fIndex;
	std::vector<int32>* fDrawn;
};

} // namespace

TEST_F(ListViewWindowTest, AHundredThousandRowsDrawOnlyWhatIsVisible)
{
	Build(B_SINGLE_SELECTION_LIST);
	std::vector<int32> drawn;
	{
		BAutolock lock(window);
		list->MakeEmpty();
		for (int32 i = 0; i < 100000; i++)
			list->AddItem(new CountingItem(i, &drawn));
		float row = list->ItemFrame(0).Height() + 1;
		EXPECT_EQ(list->ItemFrame(99999).top, 99999 * row);
		EXPECT_EQ(list->IndexOf(BPoint(0, 50000 * row + 1)), 50000);
		drawn.clear();
	}
	ASSERT_EQ(driver::Sync(window), B_OK);
	{
		BAutolock lock(window);
		ASSERT_FALSE(drawn.empty());
		EXPECT_LE(drawn.size(), 20u);
		EXPECT_EQ(*std::min_element(drawn.begin(), drawn.end()), 0);
		drawn.clear();
		list->Select(70000);
		list->ScrollToSelection();
		EXPECT_TRUE(list->Bounds().Contains(list->ItemFrame(70000)));
	}
	ASSERT_EQ(driver::Sync(window), B_OK);
	BAutolock lock(window);
	ASSERT_FALSE(drawn.empty());
	EXPECT_LE(drawn.size(), 20u);
	EXPECT_GE(*std::min_element(drawn.begin(), drawn.end()), 69990);
	EXPECT_LE(*std::max_element(drawn.begin(), drawn.end()), 70000);
	float min, max;
	scroll->ScrollBar(B_VERTICAL)->GetRange(&min, &max);
	EXPECT_EQ(max, list->ItemFrame(99999).bottom + 1 - (list->Bounds().Height() + 1));
}
