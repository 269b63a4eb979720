// glowplate-render as scripts use it: run as its own process, with its exit status, its
// standard error and the PNG file it writes.
#include "RenderToolTesting.h"

TEST_F(RenderToolTest, JapaneseTextGivesATwentyFourRowSignAtTheDefaults)
{
	const Result result = Run({"--text", "各駅停車", "-o", fOutput});
	ASSERT_EQ(result.status, 0) << result.err;
	// The default family is not installed: the tool says which font it used instead.
	EXPECT_NE(result.err.find("\"Haru\""), std::string::npos) << result.err;
	EXPECT_EQ(result.Lines(), 1) << result.err;

	const graphics::PngImage image = Picture();
	EXPECT_EQ(image.height, 24 * 2 + 23);
	EXPECT_EQ((image.width + 1) % 3, 0);
	EXPECT_GT(image.width, 4 * 3 * 10);
	const rgb_color fg = {255, 255, 255, 255}, bg = {0, 128, 0, 255}, gap = {0, 0, 0, 255};
	int32 lit = 0;
	for (int32 y = 0; y < image.height; y++) {
		for (int32 x = 0; x < image.width; x++) {
			const rgb_color c = At(image, x, y);
			ASSERT_TRUE(c == fg || c == bg || c == gap) << x << "," << y;
			lit += c == fg;
		}
	}
	EXPECT_GT(lit, 0);
	EXPECT_EQ(At(image, 2, 0), gap);
}

TEST_F(RenderToolTest, EveryParameterHasAnOption)
{
	const Result result = Run({"--text=Ab",
	                           "--output",
	                           fOutput,
	                           "--font-family",
	                           "DejaVu Sans",
	                           "--font-style",
	                           "Bold",
	                           "--fg",
	                           "FF8000",
	                           "--bg=#102030",
	                           "--gap",
	                           "01020380",
	                           "--led-size",
	                           "3",
	                           "--led-gap",
	                           "2",
	                           "--rows",
	                           "10",
	                           "--margins",
	                           "1,2,3,4",
	                           "--margin-bottom",
	                           "1",
	                           "--font-size",
	                           "100",
	                           "--no-correct"});
	ASSERT_EQ(result.status, 0) << result.err;
	EXPECT_EQ(result.err, "");
	const graphics::PngImage image = Picture();
	// 2 + 10 + 1 rows of 3 pixels with 2 between them.
	EXPECT_EQ(image.height, 13 * 3 + 12 * 2);
	EXPECT_EQ((image.width + 2) % 5, 0);
	const rgb_color bg = {0x10, 0x20, 0x30, 255}, gap = {1, 2, 3, 0x80};
	EXPECT_EQ(At(image, 0, 0), bg);
	EXPECT_EQ(At(image, 3, 0), gap);
	EXPECT_EQ(At(image, 0, 3), gap);
	// The legs of the "A" cross text row 6, below the two margin rows.
	bool lit = false;
	for (int32 x = 0; x < image.width; x += 5)
		lit = lit || At(image, x, (2 + 6) * 5) == make_color(255, 128, 0, 255);
	EXPECT_TRUE(lit);
}

TEST_F(RenderToolTest, BadValuesAreRefusedOnOneLine)
{
	const std::vector<std::vector<std::string>> cases = {{"--led-size", "0"},
	                                                     {"--led-gap", "-1"},
	                                                     {"--rows", "0"},
	                                                     {"--rows", "2x"},
	                                                     {"--margin-left", "-1"},
	                                                     {"--margin-top", "1.5"},
	                                                     {"--font-size", "0"},
	                                                     {"--font-size", "10001"},
	                                                     {"--fg", "12345"},
	                                                     {"--bg", "GG0000"},
	                                                     {"--gap", "1234567"},
	                                                     {"--margins", "1,2,3"},
	                                                     {"--margins", "1,2,3,4,5"},
	                                                     {"--margins", "1,,3,4"},
	                                                     {"--rows", "99999999999"},
	                                                     {"--frobnicate"},
	                                                     {"--rows"},
	                                                     {"-x"},
	                                                     {"--help=yes"}};
	for (const std::vector<std::string>& bad : cases) {
		std::vector<std::string> arguments = {"--text", "x", "-o", fOutput};
		arguments.insert(arguments.end(), bad.begin(), bad.end());
		const Result result = Run(arguments);
		EXPECT_EQ(result.status, 2) << bad[0];
		EXPECT_EQ(result.Lines(), 1) << bad[0] << ": " << result.err;
		EXPECT_EQ(result.err.rfind("glowplate-render: ", 0), 0u) << result.err;
		EXPECT_FALSE(std::filesystem::exists(fOutput)) << bad[0];
	}
}

TEST_F(RenderToolTest, TextAndOutputAreRequired)
{
	for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
	         {"-o", fOutput}, {"--text", "", "-o", fOutput}, {"--text", "x"}}) {
		const Result result = Run(arguments);
		EXPECT_EQ(result.status, 2);
		EXPECT_EQ(result.Lines(), 1) << result.err;
	}
}

TEST_F(RenderToolTest, UnwritableOutputsFailOnOneLine)
{
	const std::string missing = fFolder.Path("no/such/folder/out.png");
	Result result = Run({"--text", "x", "-o", missing});
	EXPECT_EQ(result.status, 1);
	EXPECT_EQ(result.Lines(), 1) << result.err;
	EXPECT_NE(result.err.find(missing), std::string::npos) << result.err;

	// A folder in the output's place stays a folder.
	result = Run({"--text", "x", "-o", fFolder.Path()});
	EXPECT_EQ(result.status, 1);
	EXPECT_EQ(result.Lines(), 1) << result.err;
	EXPECT_TRUE(std::filesystem::is_directory(fFolder.Path()));
}

TEST_F(RenderToolTest, SignTooLargeFailsAndKeepsTheOldFile)
{
	fFolder.Write("out.png", "old");
	const Result result = Run({"--text", "x", "--rows", "100000000", "-o", fOutput});
	EXPECT_EQ(result.status, 1);
	EXPECT_EQ(result.Lines(), 1) << result.err;
	EXPECT_EQ(read_file(fOutput), "old");
}

TEST_F(RenderToolTest, UnknownFontSaysWhichFontIsUsed)
{
	const Result result = Run({"--text", "x", "--font-family", "No Such Font", "-o", fOutput});
	ASSERT_EQ(result.status, 0);
	EXPECT_EQ(result.Lines(), 1) << result.err;
	EXPECT_NE(result.err.find("No Such Font"), std::string::npos) << result.err;
	EXPECT_NE(result.err.find("using \""), std::string::npos) << result.err;
	EXPECT_TRUE(std::filesystem::exists(fOutput));
}

TEST_F(RenderToolTest, ListsFontsAndHelps)
{
	Result result = Run({"--list-fonts"});
	ASSERT_EQ(result.status, 0);
	// Each family on a line of its own, its styles indented below it. The list may begin with
	// any family, so every line is looked for after a line feed.
	const std::string list = "\n" + result.out;
	const size_t dejaVu = list.find("\nDejaVu Sans\n\t");
	ASSERT_NE(dejaVu, std::string::npos) << result.out;
	EXPECT_LT(list.find("\tBook\n", dejaVu), list.find("\nDejaVu Serif\n"));
	EXPECT_NE(list.find("\nVL Gothic\n\tregular\n"), std::string::npos);

	result = Run({"--help"});
	ASSERT_EQ(result.status, 0);
	for (const char* option :
	     {"--text",        "--output",     "--font-family",  "--font-style",    "--fg",
	      "--bg",          "--gap",        "--led-size",     "--led-gap",       "--rows",
	      "--margin-left", "--margin-top", "--margin-right", "--margin-bottom", "--margins",
	      "--font-size",   "--correct",    "--no-correct",   "--settings",      "--list-fonts"})
		EXPECT_NE(result.out.find(option), std::string::npos) << option;
}

TEST_F(RenderToolTest, SettingsStartFromTheSavedParameters)
{
	// The application's record, saved where the tool's settings folder is.
	const char* oldConfig = getenv("XDG_CONFIG_HOME");
	const std::string previous = oldConfig != nullptr ? oldConfig : "";
	setenv("XDG_CONFIG_HOME", fConfig.c_str(), 1);
	TProperty saved;
	saved.mResolutionY = 12;
	saved.mLEDGap = 0;
	saved.mFontFamily = "DejaVu Sans";
	saved.mFontStyle = "Book";
	const status_t status = saved.SaveToFile();
	if (oldConfig != nullptr)
		setenv("XDG_CONFIG_HOME", previous.c_str(), 1);
	else
		unsetenv("XDG_CONFIG_HOME");
	ASSERT_EQ(status, B_OK);

	Result result = Run({"--settings", "--text", "x", "-o", fOutput});
	ASSERT_EQ(result.status, 0) << result.err;
	EXPECT_EQ(result.err, "");
	EXPECT_EQ(Picture().height, 12 * 2);

	// Options given win over the saved values.
	result = Run({"--rows", "6", "--settings", "--text", "x", "-o", fOutput});
	ASSERT_EQ(result.status, 0) << result.err;
	EXPECT_EQ(Picture().height, 6 * 2);

	// Without --settings the saved file plays no part.
	result = Run({"--text", "x", "-o", fOutput});
	ASSERT_EQ(result.status, 0) << result.err;
	EXPECT_EQ(Picture().height, 24 * 2 + 23);
}
