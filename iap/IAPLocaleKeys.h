// The built-in texts of the shared preferences, which are also their dictionary keys. The
// labels of the items are the keys of their controls' names too.
#ifndef IAP_LOCALE_KEYS_H
#define IAP_LOCALE_KEYS_H

// Item labels.
#define LKK_IAP_ACC_KEY_FORMAT "Accelerator Format: "
#define LKK_IAP_FLAT_TOOL_BAR "Flat Tool Bar"
#define LKK_IAP_LOCALE "Locale: "
// The entry of the accelerator format menu that shows no letter.
#define LKK_IAP_ACC_KEY_NONE "(None)"

// The shared preferences window.
#define LKK_IAP_WIN_TITLE "KESTRA Common Preferences"
#define LKK_IAP_BUTTON_DEFAULTS "Defaults"
#define LKK_IAP_BUTTON_CANCEL "Cancel"
#define LKK_IAP_BUTTON_OK "OK"

#endif
