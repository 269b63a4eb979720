#include "TLocale.h"

#include <cstring>
#include <utility>

#include <Autolock.h>
#include <Entry.h>
#include <Path.h>
#include <PathFunctions.h>
#include <TBasicFile.h>

namespace {

bool is_lower(char c)
{
	return c >= 'a' && c <= 'z';
}

} // namespace

TLocale::TLocale() : mLock("TLocale") {}

TLocale::~TLocale() = default;

const char* TLocale::_Intern(std::string_view text)
{
	auto found = mHandedOut.find(text);
	if (found == mHandedOut.end())
		found = mHandedOut.emplace(text).first;
	return found->c_str();
}

const char* TLocale::_Lookup(std::string_view key)
{
	BAutolock lock(mLock);
	const auto entry = mDictionary.find(key);
	return _Intern(entry == mDictionary.end() ? key : std::string_view(entry->second));
}

const char* TLocale::GetString(const char* key)
{
	return _Lookup(key == nullptr ? std::string_view() : std::string_view(key));
}

const char* TLocale::GetString(const BString& key)
{
	return _Lookup(key.View());
}

bool TLocale::IsValidLanguage(const BString& code)
{
	if (code.Length() != 4 || !is_lower(code[0]) || !is_lower(code[1]))
		return false;
	// The code becomes a file name extension, so a zero byte (which would cut the name) and
	// a "/" (which would reach into another folder) are refused along with lowercase letters.
	for (int32 i = 2; i < 4; i++) {
		if (is_lower(code[i]) || code[i] == '\0' || code[i] == '/')
			return false;
	}
	return true;
}

status_t TLocale::SetLanguage(const BString& code, bool reload)
{
	if (!IsValidLanguage(code))
		return B_ERROR;
	BString folder;
	BString fileName;
	{
		BAutolock lock(mLock);
		mLanguage = code;
		folder = mFolder;
		fileName = mFileName;
	}
	if (reload && !folder.IsEmpty() && !fileName.IsEmpty())
		LoadLanguageFile(folder, fileName, false);
	return B_OK;
}

BString TLocale::Language() const
{
	BAutolock lock(mLock);
	return mLanguage;
}

BString TLocale::ExtractWord(const BString& line, int32 position, int32& next)
{
	next = B_ERROR;
	const std::string_view text = line.View();
	if (position < 0 || position >= line.Length())
		return BString();

	std::string_view word;
	size_t after;
	if (text[(size_t)position] == '"') {
		// No escape character: a quoted word ends at the next quote, and without one it
		// runs to the end of the line and no word follows.
		const size_t close = text.find('"', (size_t)position + 1);
		if (close == std::string_view::npos)
			return BString(text.substr((size_t)position + 1));
		word = text.substr((size_t)position + 1, close - (size_t)position - 1);
		after = close + 1;
	} else {
		const size_t tab = text.find('\t', (size_t)position);
		if (tab == std::string_view::npos)
			return BString(text.substr((size_t)position));
		word = text.substr((size_t)position, tab - (size_t)position);
		after = tab;
	}
	after = text.find_first_not_of(" \t", after);
	if (after != std::string_view::npos)
		next = (int32)after;
	return BString(word);
}

void TLocale::_AddLine(const BString& rawLine, Dictionary& into)
{
	const BString line = trim(rawLine);
	if (line.IsEmpty() || line[0] == '#')
		return;
	int32 next;
	const BString key = ExtractWord(line, 0, next);
	BString text;
	if (next != B_ERROR) {
		int32 ignored;
		text = ExtractWord(line, next, ignored);
	}
	into.insert_or_assign(key.StdString(), text.IsEmpty() ? key.StdString() : text.StdString());
}

status_t TLocale::LoadLanguageFile(const BString& folder, const BString& fileName, bool append)
{
	if (folder.IsEmpty() || fileName.IsEmpty())
		return B_ERROR;
	BPath dictionaries(folder.String());
	dictionaries.Append("Language");
	dictionaries.Append("Dictionaries");
	if (dictionaries.InitCheck() != B_OK)
		return B_ERROR;

	const BString language = Language();
	BPath chosen;
	if (!language.IsEmpty()) {
		chosen.SetTo(dictionaries.Path(), reext(fileName, language).String());
		if (chosen.InitCheck() == B_OK && !BEntry(chosen.Path()).Exists())
			chosen.Unset();
	}
	if (chosen.InitCheck() != B_OK)
		chosen.SetTo(dictionaries.Path(), reext(fileName, LOCALE_DEFAULT_LANGUAGE).String());
	if (chosen.InitCheck() != B_OK)
		return B_ERROR;

	TBasicFile file(chosen.Path(), B_READ_ONLY);
	if (file.InitCheck() != B_OK)
		return B_ERROR;

	// The file is read into a dictionary of its own and put in place at once, so lookups in
	// other threads wait only for the exchange, and a file that cannot be read to its end
	// leaves the dictionary as it was instead of half replaced.
	Dictionary loaded;
	BString line;
	while (!file.Eof()) {
		file.ReadLine(line);
		_AddLine(line, loaded);
	}
	if (file.ReadError() != B_OK)
		return B_ERROR;

	BAutolock lock(mLock);
	mFolder = folder;
	mFileName = fileName;
	if (!append) {
		mDictionary.swap(loaded);
	} else {
		for (auto& [key, text] : loaded)
			mDictionary.insert_or_assign(key, std::move(text));
	}
	return B_OK;
}

status_t TLocale::RefreshDictionaries()
{
	BString folder;
	BString fileName;
	{
		BAutolock lock(mLock);
		if (mFileName.IsEmpty() || mFolder.IsEmpty() || mLanguage.IsEmpty())
			return B_ERROR;
		folder = mFolder;
		fileName = mFileName;
	}
	return LoadLanguageFile(folder, fileName, false);
}

int32 TLocale::CountEntries() const
{
	BAutolock lock(mLock);
	return (int32)mDictionary.size();
}

BString locale_text_with_default(TLocale& locale, const char* key, const char* defaultText)
{
	const char* found = locale.GetString(key);
	if (strcmp(found, key == nullptr ? "" : key) == 0)
		return BString(defaultText == nullptr ? "" : defaultText);
	return BString(found);
}
