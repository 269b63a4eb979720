// The store of shared preference items: routing by name, observers told of accepted changes
// only, and messages written to a port.
#include <gtest/gtest.h>

#include <vector>

#include <TIAPItemAccKeyFormat.h>
#include <TIAPItemFlatToolBar.h>
#include <TIAPItemLocale.h>
#include <TInterAppPrefs.h>

#include "../support/BStringPrinter.h"
#include "../ui/MessageRecorder.h"
#include "IAPTestSupport.h"

namespace {

class TInterAppPrefsTest : public SharedPrefsTest {
protected:
	void SetUp() override
	{
		SharedPrefsTest::SetUp();
		store.AddItem(new TIAPItemAccKeyFormat);
		store.AddItem(new TIAPItemLocale);
		store.SetAppSignatureRef(OWN_SIGNATURE);
		store.AddObserver(BMessenger(observer.Looper()));
	}

	TInterAppPrefs store;
	RunningRecorder observer;
};

TEST_F(TInterAppPrefsTest, UnknownNamesAreRefusedAndLeaveTheOutputsAlone)
{
	BString text("untouched");
	EXPECT_EQ(store.GetString("FlatToolBar", &text), -1);
	EXPECT_EQ(text, "untouched");
	EXPECT_EQ(store.GetString(nullptr, &text), -1);
	bool flag = true;
	EXPECT_EQ(store.GetBool("FlatToolBar", &flag), -1);
	EXPECT_TRUE(flag);
	EXPECT_EQ(store.SetBool("FlatToolBar", false), -1);
	EXPECT_EQ(store.SetString("Nothing", "x"), -1);

	BMessage noItem('_ipc');
	noItem.AddString("IAP:SrcApp", OTHER_SIGNATURE);
	EXPECT_EQ(store.SetValue(&noItem), -1);
	BMessage otherItem = Change("FlatToolBar", OTHER_SIGNATURE);
	otherItem.AddBool("FlatToolBar", false);
	EXPECT_EQ(store.SetValue(&otherItem), -1);
	EXPECT_EQ(store.SetValue(nullptr), -1);
	EXPECT_TRUE(observer->MessagesAfterBarrier().empty());

	// A kind of value that the item does not hold is the item's own refusal.
	EXPECT_EQ(store.GetBool("Locale", &flag), -1);
}

TEST_F(TInterAppPrefsTest, AcceptedChangesReachTheItemAndThenTheObservers)
{
	BMessage change = Change("Locale", OTHER_SIGNATURE);
	change.AddString("Locale", "frFR");
	ASSERT_EQ(store.SetValue(&change), B_OK);
	BString value;
	ASSERT_EQ(store.GetString("Locale", &value), B_OK);
	EXPECT_EQ(value, "frFR");

	BMessage refused = Change("Locale", OTHER_SIGNATURE);
	refused.AddString("Locale", "fr");
	EXPECT_EQ(store.SetValue(&refused), -1);
	BMessage formatChange = Change("AccKeyFormat2", OTHER_SIGNATURE);
	formatChange.AddString("AccKeyFormat2", "");
	ASSERT_EQ(store.SetValue(&formatChange), B_OK);

	std::vector<BMessage> told = observer->MessagesAfterBarrier();
	ASSERT_EQ(told.size(), 2u) << "the refused change is not passed on";
	EXPECT_EQ(told[0].what, (uint32)'_ipc');
	EXPECT_STREQ(told[0].GetString("Locale", ""), "frFR");
	EXPECT_STREQ(told[1].GetString("IAP:SrcIAPItem", ""), "AccKeyFormat2");

	// Reads and writes by name go to the item.
	ASSERT_EQ(store.SetString("AccKeyFormat2", "\001a・"), B_OK);
	ASSERT_EQ(store.GetString("AccKeyFormat2", &value), B_OK);
	EXPECT_EQ(value, "\001a・");
	EXPECT_EQ(store.SetString("Locale", "x"), -1);
}

TEST_F(TInterAppPrefsTest, TheSignatureReachesEveryItemAndNamesAreRegisteredOnce)
{
	TIAPItemFlatToolBar* late = new TIAPItemFlatToolBar;
	ASSERT_EQ(store.AddItem(late), B_OK);
	EXPECT_STREQ(late->AppSignatureRef(), OWN_SIGNATURE);

	// The second item of a name is refused (and, being handed over, destroyed).
	EXPECT_EQ(store.AddItem(new TIAPItemFlatToolBar), B_BAD_VALUE);
	EXPECT_EQ(store.AddItem(nullptr), B_BAD_VALUE);
	ASSERT_EQ(store.SetBool("FlatToolBar", false), B_OK);
	bool flat = true;
	late->GetBool(&flat, false);
	EXPECT_FALSE(flat) << "the first item is the one that answers";

	// Changes sent by this application are written by its items.
	BMessage change = Change("AccKeyFormat2", OWN_SIGNATURE);
	change.AddString("AccKeyFormat2", "\001a - ");
	ASSERT_EQ(store.SetValue(&change), B_OK);
	std::optional<BMessage> file = ItemFile("AccKeyFormat2");
	ASSERT_TRUE(file);
	EXPECT_STREQ(file->GetString("IAP:SrcApp", ""), OWN_SIGNATURE);
}

TEST_F(TInterAppPrefsTest, ObserversAreToldInTheOrderTheyCame)
{
	RunningRecorder second;
	store.AddObserver(BMessenger(second.Looper()));
	store.NotifyToObservers(BMessage('tell'));
	ASSERT_EQ(observer->MessagesAfterBarrier().size(), 1u);
	ASSERT_EQ(second->MessagesAfterBarrier().size(), 1u);
	EXPECT_EQ(second->Messages()[0].what, (uint32)'tell');
}

TEST_F(TInterAppPrefsTest, MessagesGoToAPortFlattened)
{
	port_id port = create_port(4, nullptr);
	ASSERT_GT(port, 0);
	BMessage message('iawr');
	message.AddString("text", "to the window");
	ASSERT_EQ(store.SendMessage(port, &message), B_OK);

	ssize_t size = port_buffer_size(port);
	ASSERT_GT(size, 0);
	std::vector<char> bytes((size_t)size);
	int32 code = -1;
	ASSERT_EQ(read_port(port, &code, bytes.data(), bytes.size()), size);
	EXPECT_EQ(code, 0);
	BMessage read;
	ASSERT_EQ(read.Unflatten(bytes.data(), size), B_OK);
	EXPECT_EQ(read.what, (uint32)'iawr');
	EXPECT_STREQ(read.GetString("text", ""), "to the window");

	delete_port(port);
	EXPECT_NE(store.SendMessage(port, &message), B_OK) << "a failed write says so";
}

} // namespace
