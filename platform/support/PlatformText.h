// The texts that the platform itself shows (the file panel's labels, buttons and status lines,
// the colour control's field labels), in English and in Japanese, all in one table. A desktop's
// own dialogs speak the user's language, which the environment names as the C library and
// gettext read it: LANGUAGE (a colon list, unless the locale is C), then the first of LC_ALL,
// LC_MESSAGES and LANG that is set and not empty. The application's own texts do not come
// from here; they pass through the application's dictionary.
#ifndef _PLATFORM_TEXT_H
#define _PLATFORM_TEXT_H

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

#include <SupportDefs.h>

namespace BPrivate {

enum class PlatformLanguage : int32 { kEnglish, kJapanese };

enum class PlatformTextId : int32 {
	kSave,
	kOpen,
	kCancel,
	kFolderLabel,
	kParentFolder,
	kNameLabel,
	kTypeAName,
	kNoSlashInName,
	// "%1" is the folder, "%2" one of the reasons below.
	kCannotOpenFolder,
	kCannotSaveInto,
	kReasonNotAllowed,
	kReasonNoSuchFolder,
	kReasonNotAFolder,
	kReasonUnreadable,
	kReplaceTitle,
	// "%1" is the file's name.
	kReplaceQuestion,
	kReplace,
	kRedLabel,
	kGreenLabel,
	kBlueLabel,
	kCount
};

// The text in the platform's language.
const char* platform_text(PlatformTextId id);
// The text in the language given.
const char* platform_text(PlatformTextId id, PlatformLanguage language);
// The text with "%1", "%2", ... replaced by the arguments in that order. The languages place
// them differently in a sentence, so they are numbered rather than positional.
std::string platform_text(PlatformTextId id, std::initializer_list<std::string_view> arguments);

// The language chosen from the environment the first time it is asked for, or the one a test
// set.
PlatformLanguage platform_language();
// For tests, which must not depend on the machine's locale. Not for programs: the user chooses
// the language through the environment.
void set_platform_language(PlatformLanguage language);

// The language that the variables name; variable(name) answers a variable's value or null.
PlatformLanguage
language_from_environment(const std::function<const char*(const char* name)>& variable);

} // namespace BPrivate

#endif
