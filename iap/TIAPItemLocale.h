// The shared item "Locale": the language code the applications of the family show their texts
// in, "enUS" unless the user says otherwise. Only codes that the locale accepts are taken
// (TLocale::IsValidLanguage); a refused code changes nothing, in memory or on disk.
#ifndef T_IAP_ITEM_LOCALE_H
#define T_IAP_ITEM_LOCALE_H

#include "TIAPItem.h"

#define IAP_NAME_LOCALE "Locale"

class TIAPItemLocale : public TIAPItem {
public:
	// Reads the value from the item's file; a file that holds no valid code gives the default.
	TIAPItemLocale();
	~TIAPItemLocale() override;

	// A text control showing the value (or the default) that reports every edit.
	status_t MakeConfigurationView(BView** view, bool defaults) override;
	status_t GetValue(BMessage* message, bool defaults) const override;
	// Takes the string under the item's name, else the text of the archived text control
	// (the message's first "_views", its first "_views", that one's "_text"). -1 when none is
	// there or the code is not valid; otherwise stores it and writes the file.
	status_t SetValue(const BMessage* message) override;
	status_t GetString(BString* value, bool defaults) const override;
	// -1 for a code that is not valid; otherwise stores it and writes the file.
	status_t SetString(const BString& value) override;

	bool IsValidValue(const BString& value) const;

private:
	BString mValue;
};

#endif
