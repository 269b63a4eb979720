// The shared item "AccKeyFormat2": the format in which every application of the family shows
// accelerator letters in its labels (MergeAcceleratorKey.h). Its value is a string, and any
// string is accepted.
//
// Every application that has the item hears of a change, but only the application that sent
// it writes the file; the others follow in memory.
#ifndef T_IAP_ITEM_ACC_KEY_FORMAT_H
#define T_IAP_ITEM_ACC_KEY_FORMAT_H

#include "TIAPItem.h"

class BMenu;

#define IAP_NAME_ACC_KEY_FORMAT "AccKeyFormat2"

// The formats the configuration menu offers, in its order: "(a)" inserted (the default), then
// "a) ", "a・" and "a - " before the label, a separator, and no letter at all.
#define IAP_ACC_KEY_FORMAT_DEFAULT "\002(a)"
#define IAP_ACC_KEY_FORMAT_PAREN "\001a) "
#define IAP_ACC_KEY_FORMAT_DOT "\001a・"
#define IAP_ACC_KEY_FORMAT_DASH "\001a - "
#define IAP_ACC_KEY_FORMAT_NONE ""

class TIAPItemAccKeyFormat : public TIAPItem {
public:
	// Reads the value from the item's file.
	TIAPItemAccKeyFormat();
	~TIAPItemAccKeyFormat() override;

	// A pop-up menu field of the formats, with the value's (or the default's) entry marked.
	status_t MakeConfigurationView(BView** view, bool defaults) override;
	status_t GetValue(BMessage* message, bool defaults) const override;
	// Takes the string under the item's name (-1 without one) and writes the file when the
	// message comes from the item's own application.
	status_t SetValue(const BMessage* message) override;
	status_t GetString(BString* value, bool defaults) const override;
	// Stores the value and writes the file.
	status_t SetString(const BString& value) override;

	// Adds the menu entry of one format, marked when it is the value (or the default). Its
	// message is a control message with the entry's format under the item's name.
	status_t AddMItem(BMenu* menu, const BString& format, bool defaults) const;

private:
	BString mValue;
};

#endif
