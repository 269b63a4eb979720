// glowplate-common-prefs: opens the shared preferences window of the maker's applications, in
// which the user chooses how accelerator letters are shown in labels, whether tool bars are
// drawn flat, and the language code. Where another application of the family shows the window
// already, it brings that window to the front and adds its items there.
//
// Options:
//   --items=NAME,...  register only these items (AccKeyFormat2, FlatToolBar, Locale);
//                     all three without it
//   --at=LEFT,TOP     where the window opens, when this program makes it (100,100)
//   --report          write "ready" and a line per applied change to the standard output
//
// Exit status: 0, or 2 for a bad command line (with one line on the standard error).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <Globals.h>
#include <TIAPItemAccKeyFormat.h>
#include <TIAPItemFlatToolBar.h>
#include <TIAPItemLocale.h>

#include "TCommonPrefsApp.h"

namespace {

const char kName[] = "glowplate-common-prefs";

struct Options {
	bool format = true;
	bool flatToolBar = true;
	bool locale = true;
	float left = 100;
	float top = 100;
	bool report = false;
};

bool parse_items(const std::string& list, Options* options)
{
	options->format = options->flatToolBar = options->locale = false;
	size_t start = 0;
	while (start <= list.size()) {
		size_t comma = list.find(',', start);
		std::string name = list.substr(start, comma == std::string::npos ? comma : comma - start);
		if (name == IAP_NAME_ACC_KEY_FORMAT)
			options->format = true;
		else if (name == IAP_NAME_FLAT_TOOL_BAR)
			options->flatToolBar = true;
		else if (name == IAP_NAME_LOCALE)
			options->locale = true;
		else
			return false;
		if (comma == std::string::npos)
			break;
		start = comma + 1;
	}
	return true;
}

bool parse_options(int argc, char** argv, Options* options)
{
	for (int i = 1; i < argc; i++) {
		const char* argument = argv[i];
		if (strcmp(argument, "--report") == 0) {
			options->report = true;
		} else if (strncmp(argument, "--items=", 8) == 0) {
			if (!parse_items(argument + 8, options)) {
				fprintf(stderr, "%s: unknown item in %s\n", kName, argument);
				return false;
			}
		} else if (strncmp(argument, "--at=", 5) == 0) {
			char end = 0;
			if (sscanf(argument + 5, "%f,%f%c", &options->left, &options->top, &end) != 2) {
				fprintf(stderr, "%s: %s is not LEFT,TOP\n", kName, argument);
				return false;
			}
		} else {
			fprintf(stderr, "%s: unknown option %s\n", kName, argument);
			return false;
		}
	}
	return true;
}

} // namespace

int main(int argc, char** argv)
{
	Options options;
	if (!parse_options(argc, argv, &options))
		return 2;

	gIAPs.SetAppSignatureRef(TCommonPrefsApp::kSignature);
	if (options.format)
		gIAPs.AddItem(new TIAPItemAccKeyFormat);
	if (options.flatToolBar)
		gIAPs.AddItem(new TIAPItemFlatToolBar);
	if (options.locale)
		gIAPs.AddItem(new TIAPItemLocale);
	gAppPrivacy.UpdateAccFormat();

	BRect frame(options.left, options.top, options.left + 100, options.top + 50);
	TCommonPrefsApp* app = new TCommonPrefsApp(frame, options.report);
	app->Run();
	delete app;
	return 0;
}
