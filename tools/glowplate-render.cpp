// glowplate-render: renders LED signs to picture files from the command line, for scripts and
// for machines without a desktop: one sign to PNG, or its board in motion to GIF or WebP, or
// one sign per line of a batch file. It makes the pictures with the same display view, the
// same lamp renderer and the same parameter records as the application.
//
// Exit status: 0 when every file was written, 1 when a sign could not be rendered or written,
// 2 for a bad command line (a preset that cannot be found or read included). Every failure is
// one line on the standard error; a file that fails is never left half-written.
#include <cstdio>
#include <string>
#include <sys/stat.h>

#include <Entry.h>
#include <Font.h>

#include <TBoardExport.h>
#include <TBoardProperty.h>
#include <TDisplayView.h>
#include <TProperty.h>

#include "TBatchFile.h"
#include "TPresetLibrary.h"
#include "TRenderOptions.h"

namespace {

const char kName[] = "glowplate-render";

// Words for the statuses that rendering and writing a file can end with.
const char* status_text(status_t status)
{
	switch (status) {
	case B_NO_MEMORY:
	case B_BUFFER_OVERFLOW:
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

void list_presets(const TPresetLibrary& library)
{
	for (const auto& [name, path] : library.List())
		printf("%s\t%s\n", name.c_str(), path.c_str());
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

// Loads the named preset into the records; false (after saying why) when it cannot be.
bool apply_preset(const char* name)
{
	TPresetLibrary library;
	BString text, path, error;
	const status_t status = library.Read(name, &text, &path);
	if (status == B_BAD_VALUE) {
		fprintf(stderr, "%s: '%s' cannot be the name of a preset\n", kName, name);
		return false;
	}
	if (status != B_OK) {
		fprintf(stderr, "%s: no preset '%s' can be read (see --list-presets): %s\n", kName, name,
		        status_text(status));
		return false;
	}
	TRenderOptions preset;
	if (preset.ParsePreset(text.String(), &error) != B_OK) {
		fprintf(stderr, "%s: preset %s: %s\n", kName, path.String(), error.String());
		return false;
	}
	preset.Apply(&gProperty);
	preset.Apply(&gBoardProperty);
	return true;
}

// Renders one sign and writes it in the format its file name asks for. `where` prefixes the
// error line (the batch's line number). 0 or 1 as the exit status.
int render_one(TDisplayView& view, const char* text, const char* output, const char* where)
{
	TBoardExport::Format format;
	const bool animation = TBoardExport::FormatForName(output, &format);
	status_t status = view.SetText(text);
	if (status != B_OK) {
		fprintf(stderr, "%s: %scannot render the sign: %s\n", kName, where, status_text(status));
		return 1;
	}
	if (animation) {
		status = TBoardExport::Write(view, gBoardProperty, format, output);
	} else {
		entry_ref ref;
		status = get_ref_for_path(output, &ref);
		if (status == B_OK)
			status = view.Save(ref);
	}
	if (status != B_OK) {
		fprintf(stderr, "%s: %scannot write %s: %s\n", kName, where, output, status_text(status));
		return 1;
	}
	return 0;
}

int run_batch(TDisplayView& view, const TRenderOptions& options)
{
	const char* folder = options.Output().String();
	struct stat info;
	if (stat(folder, &info) != 0 || !S_ISDIR(info.st_mode)) {
		fprintf(stderr, "%s: cannot write into %s: it is not a folder\n", kName, folder);
		return 1;
	}
	TBatchFile batch(options.Batch().String());
	if (batch.InitCheck() != B_OK) {
		fprintf(stderr, "%s: cannot read %s: %s\n", kName, options.Batch().String(),
		        status_text(batch.InitCheck()));
		return 1;
	}
	BString extension = options.Format();
	if (extension.IsEmpty())
		extension = options.Animated() ? "gif" : "png";
	const int digits = (int)std::to_string(batch.CountLines()).size();
	int result = 0;
	TBatchFile::Line line;
	while (batch.Next(&line)) {
		BString where;
		where.SetToFormat("line %d: ", (int)line.number);
		if (line.status != B_OK) {
			fprintf(stderr, "%s: %s%s\n", kName, where.String(), line.error.String());
			result = 1;
			continue;
		}
		// Empty lines make no picture but keep the numbering of the lines after them.
		if (line.text.IsEmpty())
			continue;
		BString path;
		if (line.name.IsEmpty())
			path.SetToFormat("%s/%0*d.%s", folder, digits, (int)line.number, extension.String());
		else
			path.SetToFormat("%s/%s.%s", folder, line.name.String(), extension.String());
		if (render_one(view, line.text.String(), path.String(), where.String()) != 0)
			result = 1;
	}
	return result;
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
	if (options.ListPresets()) {
		list_presets(TPresetLibrary());
		return 0;
	}

	// Like the application, a missing or partly unreadable settings file leaves the
	// defaults for whatever it does not hold. A preset comes next, the options given last.
	if (options.UseSettings()) {
		gProperty.LoadFromFile();
		gBoardProperty.LoadFromFile();
	}
	if (!options.Preset().IsEmpty() && !apply_preset(options.Preset().String()))
		return 2;
	options.Apply(&gProperty);
	options.Apply(&gBoardProperty);

	TDisplayView view(BRect(0, 0, 1, 1), nullptr);
	int result;
	if (!options.Batch().IsEmpty()) {
		result = run_batch(view, options);
	} else {
		TBoardExport::Format format;
		if (options.Animated() &&
		    !TBoardExport::FormatForName(options.Output().String(), &format)) {
			fprintf(stderr, "%s: an animation is written as .gif or .webp, not %s\n", kName,
			        options.Output().String());
			return 2;
		}
		result = render_one(view, options.Text().String(), options.Output().String(), "");
	}
	// Only a picture that was written has a font worth mentioning; a failure stays one line.
	if (result == 0)
		report_font_substitute();
	return result;
}
