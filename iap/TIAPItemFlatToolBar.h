// The shared item "FlatToolBar": whether tool bars are drawn flat, true unless the user says
// otherwise. The value is a bool; it comes from a change message or from the archived check
// box of the configuration view.
#ifndef T_IAP_ITEM_FLAT_TOOL_BAR_H
#define T_IAP_ITEM_FLAT_TOOL_BAR_H

#include "TIAPItem.h"

#define IAP_NAME_FLAT_TOOL_BAR "FlatToolBar"

class TIAPItemFlatToolBar : public TIAPItem {
public:
	// Reads the value from the item's file.
	TIAPItemFlatToolBar();
	~TIAPItemFlatToolBar() override;

	// A check box, on when the value (or the default) is true.
	status_t MakeConfigurationView(BView** view, bool defaults) override;
	status_t GetValue(BMessage* message, bool defaults) const override;
	// Takes the bool under the item's name, else the "_val" of the archived check box (the
	// message's first "_views"; on when "_val" is there and not 0). -1 with neither. Writes
	// the file.
	status_t SetValue(const BMessage* message) override;
	status_t GetBool(bool* value, bool defaults) const override;
	// Stores the value in memory only; the file is written by SetValue.
	status_t SetBool(bool value) override;

private:
	bool mValue;
};

#endif
