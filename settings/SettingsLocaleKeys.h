// The built-in texts of the settings records, which are also their dictionary keys.
#ifndef SETTINGS_LOCALE_KEYS_H
#define SETTINGS_LOCALE_KEYS_H

// The caption of every alert window; "%AppName%" stands for the English application name.
#define LKK_ALERT_CAPTION "* %AppName% *"

#endif
