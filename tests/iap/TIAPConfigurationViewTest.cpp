// The configuration views of the three items (what the window shows of them), the values the
// items take back from those views once archived, and the messages the store sends to the
// window's port.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <CheckBox.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <PopUpMenu.h>
#include <TextControl.h>
#include <TextView.h>

#include <TIAPItemAccKeyFormat.h>
#include <TIAPItemFlatToolBar.h>
#include <TIAPItemLocale.h>
#include <TInterAppPrefs.h>

#include "../support/BStringPrinter.h"
#include "IAPTestSupport.h"

namespace {

class TIAPConfigurationViewTest : public SharedPrefsTest {
protected:
	// The item's view, checked to be a container named after the item with one control.
	template <class Control>
	static Control* Make(TIAPItem& item, bool defaults, std::unique_ptr<BView>* container)
	{
		BView* view = nullptr;
		EXPECT_EQ(item.MakeConfigurationView(&view, defaults), B_OK);
		container->reset(view);
		if (view == nullptr)
			return nullptr;
		EXPECT_EQ(item.Name(), view->Name());
		EXPECT_EQ(view->CountChildren(), 1);
		Control* control = dynamic_cast<Control*>(view->ChildAt(0));
		EXPECT_NE(control, nullptr);
		return control;
	}

	// A control message with the container archived into it, as the window sends it.
	static BMessage Sent(const BMessage* controlMessage, BView* container)
	{
		BMessage message(*controlMessage);
		EXPECT_EQ(container->Archive(&message, true), B_OK);
		message.what = '_ipc';
		return message;
	}

	static void ExpectControlMessage(const BMessage* message, const char* item)
	{
		ASSERT_NE(message, nullptr);
		EXPECT_EQ(message->what, (uint32)'ictc');
		EXPECT_STREQ(message->GetString("IAP:SrcApp", ""), OWN_SIGNATURE);
		EXPECT_STREQ(message->GetString("IAP:SrcIAPItem", ""), item);
	}
};

TEST_F(TIAPConfigurationViewTest, TheFormatMenuOffersTheSixEntriesWithTheValueMarked)
{
	TIAPItemAccKeyFormat item;
	item.SetAppSignatureRef(OWN_SIGNATURE);
	ASSERT_EQ(item.SetString("\001a・"), B_OK);
	std::unique_ptr<BView> container;
	BMenuField* field = Make<BMenuField>(item, false, &container);
	ASSERT_NE(field, nullptr);
	EXPECT_EQ(container->Frame(), BRect(0, 0, 250, 19));
	EXPECT_EQ(container->ResizingMode(), (uint32)B_FOLLOW_LEFT_RIGHT);
	EXPECT_STREQ(field->Name(), "AAccelerator Format: ");
	EXPECT_EQ(field->Frame(), BRect(0, 0, 250, 16));
	EXPECT_EQ(field->ResizingMode(), (uint32)(B_FOLLOW_LEFT | B_FOLLOW_TOP));
	EXPECT_TRUE(field->Label() == nullptr || field->Label()[0] == '\0');

	BMenu* menu = field->Menu();
	ASSERT_NE(dynamic_cast<BPopUpMenu*>(menu), nullptr);
	EXPECT_STREQ(menu->Name(), "Select...");
	EXPECT_TRUE(menu->IsRadioMode());
	EXPECT_TRUE(menu->IsLabelFromMarked());
	ASSERT_EQ(menu->CountItems(), 6);
	const char* labels[] = {"(a)", "a) ", "a・", "a - ", nullptr, "(None)"};
	const char* formats[] = {"\002(a)", "\001a) ", "\001a・", "\001a - ", nullptr, ""};
	for (int32 i = 0; i < 6; i++) {
		BMenuItem* entry = menu->ItemAt(i);
		if (labels[i] == nullptr) {
			EXPECT_EQ(entry->Message(), nullptr) << "the separator before the empty format";
			continue;
		}
		EXPECT_STREQ(entry->Label(), labels[i]);
		ExpectControlMessage(entry->Message(), "AccKeyFormat2");
		EXPECT_STREQ(entry->Message()->GetString("AccKeyFormat2", "?"), formats[i]);
		EXPECT_EQ(entry->IsMarked(), i == 2) << i;
	}
	EXPECT_STREQ(field->MenuItem()->Label(), "a・");

	// With the defaults the default is marked; a format the menu does not offer marks none.
	Make<BMenuField>(item, true, &container);
	EXPECT_TRUE(static_cast<BMenuField*>(container->ChildAt(0))->Menu()->ItemAt(0)->IsMarked());
	ASSERT_EQ(item.SetString("\001[a]"), B_OK);
	field = Make<BMenuField>(item, false, &container);
	EXPECT_EQ(field->Menu()->FindMarked(), nullptr);
	EXPECT_STREQ(field->MenuItem()->Label(), "Select...");
}

TEST_F(TIAPConfigurationViewTest, TheCheckBoxAndTheTextControlShowTheValueOrTheDefault)
{
	TIAPItemFlatToolBar flat;
	flat.SetAppSignatureRef(OWN_SIGNATURE);
	flat.SetBool(false);
	std::unique_ptr<BView> container;
	BCheckBox* checkBox = Make<BCheckBox>(flat, false, &container);
	ASSERT_NE(checkBox, nullptr);
	EXPECT_STREQ(checkBox->Name(), "FFlat Tool Bar");
	EXPECT_EQ(checkBox->Frame(), BRect(0, 0, 250, 25));
	EXPECT_EQ(container->Frame(), checkBox->Bounds());
	EXPECT_EQ(checkBox->Value(), B_CONTROL_OFF);
	ExpectControlMessage(checkBox->Message(), "FlatToolBar");
	EXPECT_EQ(Make<BCheckBox>(flat, true, &container)->Value(), B_CONTROL_ON);

	TIAPItemLocale locale;
	locale.SetAppSignatureRef(OWN_SIGNATURE);
	ASSERT_EQ(locale.SetString("jaJP"), B_OK);
	BTextControl* text = Make<BTextControl>(locale, false, &container);
	ASSERT_NE(text, nullptr);
	EXPECT_STREQ(text->Name(), "LLocale: ");
	EXPECT_EQ(text->Frame(), BRect(0, 0, 200, 25));
	EXPECT_EQ(container->Frame(), text->Bounds());
	EXPECT_STREQ(text->Text(), "jaJP");
	EXPECT_EQ(text->Message(), nullptr);
	ExpectControlMessage(text->ModificationMessage(), "Locale");
	EXPECT_EQ(text->Divider(), 5) << "fitted to the empty label";
	EXPECT_STREQ(Make<BTextControl>(locale, true, &container)->Text(), "enUS");
}

TEST_F(TIAPConfigurationViewTest, ItemsTakeTheirValuesFromTheArchivedViews)
{
	// The flat tool bar, from the check box's state.
	TIAPItemFlatToolBar flat;
	flat.SetAppSignatureRef(OWN_SIGNATURE);
	std::unique_ptr<BView> container;
	BCheckBox* checkBox = Make<BCheckBox>(flat, false, &container);
	checkBox->SetValue(B_CONTROL_OFF);
	TIAPItemFlatToolBar other;
	BMessage sent = Sent(checkBox->Message(), container.get());
	ASSERT_EQ(other.SetValue(&sent), B_OK);
	bool value = true;
	other.GetBool(&value, false);
	EXPECT_FALSE(value);

	// The locale, from the text control's text; a code it would refuse changes nothing.
	TIAPItemLocale locale;
	locale.SetAppSignatureRef(OWN_SIGNATURE);
	BTextControl* text = Make<BTextControl>(locale, false, &container);
	text->SetText("fr");
	sent = Sent(text->ModificationMessage(), container.get());
	EXPECT_EQ(locale.SetValue(&sent), -1);
	text->SetText("frFR");
	sent = Sent(text->ModificationMessage(), container.get());
	ASSERT_EQ(locale.SetValue(&sent), B_OK);
	BString code;
	locale.GetString(&code, false);
	EXPECT_EQ(code, "frFR");

	// The format, from the chosen entry's message; only the owner writes the file.
	TIAPItemAccKeyFormat format;
	format.SetAppSignatureRef(OWN_SIGNATURE);
	BMenuField* field = Make<BMenuField>(format, false, &container);
	sent = Sent(field->Menu()->ItemAt(3)->Message(), container.get());
	TIAPItemAccKeyFormat follower;
	follower.SetAppSignatureRef(OTHER_SIGNATURE);
	ASSERT_EQ(follower.SetValue(&sent), B_OK);
	EXPECT_FALSE(ItemFile("AccKeyFormat2"));
	ASSERT_EQ(format.SetValue(&sent), B_OK);
	std::optional<BMessage> file = ItemFile("AccKeyFormat2");
	ASSERT_TRUE(file);
	EXPECT_STREQ(file->GetString("AccKeyFormat2", ""), "\001a - ");
}

TEST_F(TIAPConfigurationViewTest, TheStoreSendsItsComponentsInNameOrderAndClosesOnlyItsWindow)
{
	port_id port = create_port(4, nullptr);
	ASSERT_GT(port, 0);
	TInterAppPrefs store;
	store.SetAppSignatureRef(OWN_SIGNATURE);
	store.AddItem(new TIAPItemLocale);
	store.AddItem(new TIAPItemAccKeyFormat);
	ASSERT_EQ(store.SetString("Locale", "deDE"), B_OK);
	ASSERT_EQ(store.AddComponents(port), B_OK);
	TInterAppPrefs empty;
	ASSERT_EQ(empty.AddComponents(port), B_OK);

	auto read = [&] {
		BMessage message;
		std::vector<char> bytes((size_t)port_buffer_size(port));
		int32 code = -1;
		EXPECT_EQ(read_port(port, &code, bytes.data(), bytes.size()), (ssize_t)bytes.size());
		EXPECT_EQ(message.Unflatten(bytes.data(), (ssize_t)bytes.size()), B_OK);
		return message;
	};
	BMessage components = read();
	EXPECT_EQ(components.what, (uint32)'iacr');
	const char* name = nullptr;
	type_code type;
	int32 count = 0;
	ASSERT_EQ(components.GetInfo(B_ANY_TYPE, 0, &name, &type, &count), B_OK);
	EXPECT_STREQ(name, "AccKeyFormat2");
	EXPECT_EQ(count, 3);
	ASSERT_EQ(components.GetInfo(B_ANY_TYPE, 1, &name, &type, &count), B_OK);
	EXPECT_STREQ(name, "Locale");
	EXPECT_EQ(count, 3);
	EXPECT_EQ(components.CountNames(B_ANY_TYPE), 2);
	const char* expected[] = {"deDE", "deDE", "enUS"};
	for (int32 i = 0; i < 3; i++) {
		BMessage archive;
		ASSERT_EQ(components.FindMessage("Locale", i, &archive), B_OK);
		EXPECT_EQ(archive.what, (uint32)'_ipc');
		EXPECT_STREQ(archive.GetString("_name", ""), "Locale");
		EXPECT_STREQ(archive.GetString("IAP:SrcApp", ""), OWN_SIGNATURE);
		EXPECT_STREQ(archive.GetString("IAP:SrcIAPItem", ""), "Locale");
		EXPECT_STREQ(archive.GetString("Locale", ""), expected[i]) << i;
	}
	BMessage nothing = read();
	EXPECT_EQ(nothing.what, (uint32)'iacr');
	EXPECT_EQ(nothing.CountNames(B_ANY_TYPE), 0) << "a store without items sends no fields";

	// No window anywhere: closing is nothing to do.
	PrivateRuntimeFolder folder;
	EXPECT_EQ(store.CloseWindow(false), B_OK);
	EXPECT_EQ(port_count(port), 0);
	delete_port(port);
}

} // namespace
