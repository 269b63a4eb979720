#include "PlatformText.h"

#include <atomic>
#include <cstdlib>

namespace BPrivate {

namespace {

struct Texts {
	const char* english;
	const char* japanese;
};

// In the order of PlatformTextId. The Japanese texts are worded as a Japanese desktop words
// its own dialogs: full-width colons after labels, names in corner brackets.
const Texts kTexts[] = {
    {"Save", "保存"},
    {"Open", "開く"},
    {"Cancel", "キャンセル"},
    {"Folder:", "フォルダー："},
    {"Up", "上へ"},
    {"Name:", "名前："},
    {"Type a name for the file.", "ファイルの名前を入力してください。"},
    {"A name cannot contain \"/\".", "名前に「/」は使えません。"},
    {"Cannot open \"%1\": %2.", "「%1」を開けません：%2。"},
    {"Cannot save into \"%1\": %2.", "「%1」に保存できません：%2。"},
    {"you may not read it", "読み取る権限がありません"},
    {"there is no such folder", "そのようなフォルダーはありません"},
    {"it is not a folder", "フォルダーではありません"},
    {"it cannot be read", "読み取れません"},
    {"Replace", "置き換え"},
    {"\"%1\" already exists in this folder. Replace it?",
     "「%1」は既にこのフォルダーにあります。置き換えますか？"},
    {"Replace", "置き換える"},
    {"Red:", "赤："},
    {"Green:", "緑："},
    {"Blue:", "青："},
};
static_assert(sizeof(kTexts) / sizeof(kTexts[0]) == (size_t)PlatformTextId::kCount,
              "every text needs its line in the table");

// Not yet read from the environment.
constexpr int32 kUnknown = -1;
std::atomic<int32> sLanguage{kUnknown};

// Whether a locale or language name is of the language ("ja" but neither "jav" nor "jam"):
// the code may be followed by a territory, a character set or a modifier.
bool names_language(std::string_view name, std::string_view code)
{
	if (name.substr(0, code.size()) != code)
		return false;
	return name.size() == code.size() || name[code.size()] == '_' || name[code.size()] == '.' ||
	       name[code.size()] == '@';
}

// The C locale ("C", "C.UTF-8", "POSIX") asks for the untranslated texts, and gettext then
// ignores LANGUAGE too.
bool is_c_locale(std::string_view name)
{
	return name == "POSIX" || names_language(name, "C");
}

} // namespace

PlatformLanguage
language_from_environment(const std::function<const char*(const char* name)>& variable)
{
	const char* locale = nullptr;
	for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
		const char* value = variable(name);
		if (value != nullptr && *value != '\0') {
			locale = value;
			break;
		}
	}
	if (locale == nullptr || is_c_locale(locale))
		return PlatformLanguage::kEnglish;
	// The first entry of LANGUAGE in a language we have decides; entries in other languages are
	// passed over, and a list without ours leaves the choice to the locale.
	if (const char* list = variable("LANGUAGE"); list != nullptr) {
		std::string_view rest(list);
		while (!rest.empty()) {
			size_t colon = rest.find(':');
			std::string_view entry = rest.substr(0, colon);
			if (names_language(entry, "ja"))
				return PlatformLanguage::kJapanese;
			if (names_language(entry, "en"))
				return PlatformLanguage::kEnglish;
			rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
		}
	}
	return names_language(locale, "ja") ? PlatformLanguage::kJapanese : PlatformLanguage::kEnglish;
}

PlatformLanguage platform_language()
{
	int32 language = sLanguage.load(std::memory_order_acquire);
	if (language == kUnknown) {
		// Two threads asking at once read the same environment; either answer is stored.
		int32 chosen =
		    (int32)language_from_environment([](const char* name) { return getenv(name); });
		sLanguage.compare_exchange_strong(language, chosen, std::memory_order_acq_rel);
		language = sLanguage.load(std::memory_order_acquire);
	}
	return (PlatformLanguage)language;
}

void set_platform_language(PlatformLanguage language)
{
	sLanguage.store((int32)language, std::memory_order_release);
}

const char* platform_text(PlatformTextId id, PlatformLanguage language)
{
	size_t index = (size_t)id;
	if (index >= (size_t)PlatformTextId::kCount)
		return "";
	const Texts& texts = kTexts[index];
	return language == PlatformLanguage::kJapanese ? texts.japanese : texts.english;
}

const char* platform_text(PlatformTextId id)
{
	return platform_text(id, platform_language());
}

std::string platform_text(PlatformTextId id, std::initializer_list<std::string_view> arguments)
{
	// One pass, so that an argument holding "%2" (a file may be named so) stays as it is.
	std::string_view text = platform_text(id);
	std::string result;
	for (size_t i = 0; i < text.size(); i++) {
		if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
			size_t index = (size_t)(text[i + 1] - '1');
			if (index < arguments.size())
				result += *(arguments.begin() + index);
			i++;
			continue;
		}
		result += text[i];
	}
	return result;
}

} // namespace BPrivate
