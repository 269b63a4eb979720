// The dictionary lookup that every user-visible text passes through. The caller hands over the
// text in the program's built-in language and gets the translation from the loaded dictionary,
// or the text itself when there is none. Dictionaries are text files of one key and one
// translation per line, kept per language as <folder>/Language/Dictionaries/<name>.<code>,
// where the code is a four-character language code such as "enUS".
//
// Every text that GetString hands out stays valid until the locale is destroyed, also across
// loads in other threads: each one is interned in a store that never shrinks during the
// locale's life. The price is memory for each distinct text that was ever handed out (keys
// included), which is bounded by the program's set of texts plus the translations that were
// actually shown; a locale that is reloaded with the same dictionaries stores nothing new.
#ifndef T_LOCALE_H
#define T_LOCALE_H

#include <map>
#include <set>
#include <string>
#include <string_view>

#include <Locker.h>
#include <String.h>

#define LOCALE_DEFAULT_LANGUAGE "enUS"

class TLocale {
public:
	TLocale();
	~TLocale();

	// The translation of key, or key itself without an entry ("" for null). The result stays
	// valid until this locale is destroyed.
	const char* GetString(const char* key);
	const char* GetString(const BString& key);

	// B_ERROR for a code that is not valid (IsValidLanguage), leaving the language as it was.
	// With reload, a dictionary loaded before is loaded again in the new language; whether
	// that load succeeds is not reported.
	status_t SetLanguage(const BString& code, bool reload);
	BString Language() const;
	static bool IsValidLanguage(const BString& code);

	// Loads <folder>/Language/Dictionaries/<fileName with the language as extension>, or the
	// LOCALE_DEFAULT_LANGUAGE file when that does not exist. Without append the new dictionary
	// replaces the old one; with append its entries override those of the same keys. Returns
	// B_ERROR, changing nothing, when the file cannot be opened or read to its end.
	status_t LoadLanguageFile(const BString& folder, const BString& fileName, bool append);
	// Loads the last successfully loaded dictionary again in the current language; B_ERROR
	// when there is none or no language is set.
	status_t RefreshDictionaries();

	// Reads the word that starts at position in a dictionary line: up to the closing double
	// quote when it starts with one, else up to the next TAB. next receives the offset of the
	// following word, or B_ERROR when there is none (also for a position outside the line).
	static BString ExtractWord(const BString& line, int32 position, int32& next);

	// The number of dictionary entries, for callers that want to know whether a load
	// brought anything.
	int32 CountEntries() const;

	TLocale(const TLocale&) = delete;
	TLocale& operator=(const TLocale&) = delete;

private:
	using Dictionary = std::map<std::string, std::string, std::less<>>;

	const char* _Lookup(std::string_view key);
	// The lasting copy of text; the caller holds the lock.
	const char* _Intern(std::string_view text);
	static void _AddLine(const BString& line, Dictionary& into);

	mutable BLocker mLock;
	Dictionary mDictionary;
	// Every text handed out; a node-based set, so stored strings never move.
	std::set<std::string, std::less<>> mHandedOut;
	BString mFileName;
	BString mFolder;
	BString mLanguage;
};

// The program's one locale; where it is defined decides its place in the order of the global
// records.
extern TLocale gLocale;

// The text that key has in locale, or defaultText when the key has no entry or maps to
// itself. It serves for keys that are identifiers rather than display texts.
BString locale_text_with_default(TLocale& locale, const char* key, const char* defaultText);

inline BString locale_text_with_default(const char* key, const char* defaultText)
{
	return locale_text_with_default(gLocale, key, defaultText);
}

#endif
