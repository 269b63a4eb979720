// The translators the program knows and the one call that converts data between formats.
// There are no add-ons here: the roster holds one built-in translator, "PNG images", which
// turns 'bits' streams into PNG files ('PNG ') and PNG files back into 'bits' streams,
// through the graphics kit's codec.
#ifndef _TRANSLATOR_ROSTER_H
#define _TRANSLATOR_ROSTER_H

#include <Archivable.h>
#include <TranslationDefs.h>
#include <TranslatorFormats.h>

class BMessage;
class BPositionIO;

class BTranslatorRoster : public BArchivable {
public:
	BTranslatorRoster();
	~BTranslatorRoster() override;

	// The process's roster, made on first use.
	static BTranslatorRoster* Default();

	// Finds the translator for the source's format. B_NO_TRANSLATOR when none reads it (or
	// none writes wantType, when given). The source is read from its current position, which
	// is restored.
	status_t Identify(BPositionIO* source, BMessage* ioExtension, translator_info* info,
	                  uint32 hintType = 0, const char* hintMIME = nullptr, uint32 wantType = 0);

	// Converts the source (from its current position) into wantOutType, written at the
	// destination's current position. With info null the roster picks the translator. The
	// status is honest: B_NO_TRANSLATOR for formats nobody converts, B_ILLEGAL_DATA for a
	// damaged source, and the destination's error (B_IO_ERROR, B_DEVICE_FULL, ...) when
	// writing fails; B_OK only when everything was written.
	status_t Translate(BPositionIO* source, const translator_info* info, BMessage* ioExtension,
	                   BPositionIO* destination, uint32 wantOutType, uint32 hintType = 0,
	                   const char* hintMIME = nullptr);
	// The same with a chosen translator.
	status_t Translate(translator_id translator, BPositionIO* source, BMessage* ioExtension,
	                   BPositionIO* destination, uint32 wantOutType);

	// A new[] array the caller delete[]s.
	status_t GetAllTranslators(translator_id** outList, int32* outCount);
	status_t GetTranslatorInfo(translator_id translator, const char** outName, const char** outInfo,
	                           int32* outVersion);
	// Pointers into the roster, valid for its life.
	status_t GetInputFormats(translator_id translator, const translation_format** outFormats,
	                         int32* outNumFormats);
	status_t GetOutputFormats(translator_id translator, const translation_format** outFormats,
	                          int32* outNumFormats);

	// The translators are built in; there is nothing to load.
	status_t AddTranslators(const char* loadPath = nullptr);
};

#endif
