// glowplate-render: renders one LED sign to a PNG file from the command line, for scripts and
// for machines without a desktop. It makes the picture with the same display view and the
// same export as the application, from the same parameter record.
//
// Exit status: 0 when the file was written, 1 when the sign could not be rendered or
// written, 2 for a bad command line. Every failure is one line on the standard error.
#include <cstdio>

#include <Entry.h>
#include <Font.h>

#include <TDisplayView.h>
#include <TProperty.h>

#include "TRenderOptions.h"

namespace {

const char kName[] = "glowplate-render";

// Words for the statuses that rendering and writing a file can end with.
const char* status_text(status_t status)
{
	switch (status) {
	case B_NO_MEMORY:
		return "the picture would be too large";
	case B_PERMISSION_DENIED:
		return "permission denied";
	case B_ENTRY_NOT_FOUND:
	case B_FILE_NOT_FOUND:
		return "no such file or folder";
	case B_NOT_A_DIRECTORY:
		return "a part of the path is not a folder";
	case B_IS_A_DIRECTORY:
		return "it is a folder";
	case B_NAME_TOO_LONG:
		return "the name is too long";
	case B_READ_ONLY_DEVICE:
		return "the file system is read-only";
	case B_DEVICE_FULL:
		return "the disk is full";
	case B_BAD_VALUE:
		return "a value is out of range";
	case B_NO_TRANSLATOR:
		return "no PNG encoder is available";
	default:
		return "input/output error";
	}
}

void list_fonts()
{
	const int32 families = count_font_families();
	for (int32 i = 0; i < families; i++) {
		font_family family;
		if (get_font_family(i, &family) != B_OK)
			continue;
		printf("%s\n", family);
		const int32 styles = count_font_styles(family);
		for (int32 j = 0; j < styles; j++) {
			font_style style;
			if (get_font_style(family, j, &style) == B_OK)
				printf("\t%s\n", style);
		}
	}
}

// Says which font draws the sign when the requested one is not installed.
void report_font_substitute()
{
	BFont font;
	if (TDisplayView::ApplySourceFont(&font) == B_OK)
		return;
	font_family family;
	font_style style;
	font.GetFamilyAndStyle(&family, &style);
	fprintf(stderr, "%s: font \"%s\" \"%s\" is not installed; using \"%s\" \"%s\" instead\n", kName,
	        gProperty.mFontFamily.String(), gProperty.mFontStyle.String(), family, style);
}

} // namespace

int main(int argc, char** argv)
{
	TRenderOptions options;
	BString error;
	if (options.Parse(argc, argv, &error) != B_OK) {
		fprintf(stderr, "%s: %s\n", kName, error.String());
		return 2;
	}
	if (options.Help()) {
		fputs(TRenderOptions::Usage(), stdout);
		return 0;
	}
	if (options.ListFonts()) {
		list_fonts();
		return 0;
	}

	// Like the application, a missing or partly unreadable settings file leaves the
	// defaults for whatever it does not hold.
	if (options.UseSettings())
		gProperty.LoadFromFile();
	options.Apply(&gProperty);

	const char* output = options.Output().String();
	entry_ref ref;
	status_t status = get_ref_for_path(output, &ref);
	if (status != B_OK) {
		fprintf(stderr, "%s: cannot write %s: %s\n", kName, output, status_text(status));
		return 1;
	}

	TDisplayView view(BRect(0, 0, 1, 1), nullptr);
	status = view.SetText(options.Text().String());
	if (status != B_OK) {
		fprintf(stderr, "%s: cannot render the sign: %s\n", kName, status_text(status));
		return 1;
	}
	status = view.Save(ref);
	if (status != B_OK) {
		fprintf(stderr, "%s: cannot write %s: %s\n", kName, output, status_text(status));
		return 1;
	}
	// Only a picture that was written has a font worth mentioning; a failure stays one line.
	report_font_substitute();
	return 0;
}
