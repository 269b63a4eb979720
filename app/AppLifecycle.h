// What the program does around its application object: the settings records loaded before it
// exists and the shared preferences registered, and the records saved after it is gone. The
// entry calls these; so do the tests, which run the application in a thread of their own.
#ifndef APP_LIFECYCLE_H
#define APP_LIFECYCLE_H

// The desktop's name for the program, which names its launcher, its icon and its windows'
// class, so that the desktop shows the windows under the launcher's icon.
extern const char kDesktopAppId[];

// Names the program's windows with kDesktopAppId before the display is opened (a value the
// user set is kept).
void prepare_display_identity();

// Loads the exit state, the preferences and the sign parameters (a missing or damaged file
// leaves a record at its defaults), registers the program with the shared preference store
// and reads the accelerator-key format from it.
void load_glowplate_records();

// Saves the sign parameters, then the exit state; the preferences are not written back.
void save_glowplate_records();

#endif
