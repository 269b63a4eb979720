#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include <TLocale.h>

#include "../support/TempFolder.h"

namespace {

// One thread looks texts up and reads them, also long after it got them, while another
// replaces the dictionary again and again. Texts handed out must stay readable through every
// reload: the address sanitizer reports any read of a text that a reload freed.
TEST(TLocaleThreadTest, ReadersKeepTheirTextsWhileAnotherThreadReloads)
{
	TempFolder folder;
	const int kKeys = 40;
	std::string first;
	std::string second;
	for (int i = 0; i < kKeys; i++) {
		const std::string key = "key" + std::to_string(i);
		first += key + "\t" + "first translation of " + key + "\n";
		second += key + "\t" + "second translation of " + key + ", a longer one\n";
	}
	folder.Write("one/Language/Dictionaries/app.enUS", first);
	folder.Write("two/Language/Dictionaries/app.enUS", second);

	TLocale locale;
	ASSERT_EQ(locale.LoadLanguageFile(folder.Path("one").c_str(), "app", false), B_OK);

	std::atomic<bool> done = false;
	std::atomic<int> badTexts = 0;
	std::thread reader([&] {
		std::vector<const char*> kept;
		for (int round = 0; !done.load() || round < 200; round++) {
			const std::string key = "key" + std::to_string(round % kKeys);
			const char* text = locale.GetString(key.c_str());
			// Copy the whole text, as a caller would, and check it is one whole translation.
			const std::string copy(text);
			if (copy.rfind("first translation of " + key, 0) != 0 &&
			    copy.rfind("second translation of " + key, 0) != 0)
				badTexts++;
			if (round % 7 == 0)
				kept.push_back(text);
			for (const char* old : kept) {
				if (strstr(old, "translation of key") == nullptr)
					badTexts++;
			}
			if (kept.size() > 30)
				kept.erase(kept.begin());
		}
	});
	for (int i = 0; i < 150; i++) {
		const char* which = i % 2 == 0 ? "two" : "one";
		EXPECT_EQ(locale.LoadLanguageFile(folder.Path(which).c_str(), "app", false), B_OK);
	}
	done = true;
	reader.join();
	EXPECT_EQ(badTexts.load(), 0);
}

} // namespace
