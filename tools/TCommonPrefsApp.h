// The application of glowplate-common-prefs: one of the maker's family that has the shared
// preference items and opens the shared preferences window for them. It applies the change
// messages that the window broadcasts as every application of the family does, and ends once
// its part is over: when the window it hosts is closed, or, while another application hosts
// the window, when that application has quit.
//
// With reporting on it writes a line to its standard output for scripts and tests: "ready"
// once its items are in the window, and for every change message
// "changed NAME STATUS format=FORMAT" with the store's answer and the accelerator format the
// program then follows (bytes outside printable ASCII as \xNN).
#ifndef T_COMMON_PREFS_APP_H
#define T_COMMON_PREFS_APP_H

#include <Application.h>
#include <Rect.h>
#include <String.h>

class BMessageRunner;

class TCommonPrefsApp : public BApplication {
public:
	// The program's signature; the items of the shared store carry it.
	static const char* const kSignature;

	TCommonPrefsApp(BRect frame, bool report);
	~TCommonPrefsApp() override;

	void ReadyToRun() override;
	void MessageReceived(BMessage* message) override;

	// The text with every byte outside printable ASCII, and the backslash, as \xNN.
	static BString Escaped(const BString& text);

private:
	void _CheckWindow();
	void _Report(const BString& line) const;

	BRect mFrame;
	bool mReport;
	BMessageRunner* mWatch;
};

#endif
