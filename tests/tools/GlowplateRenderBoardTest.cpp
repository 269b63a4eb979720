// glowplate-render's looks, boards, animations, presets and batch files, run as scripts run
// it: what it writes, and a one-line error with an exit status for every kind of bad input,
// with no file left half-written.
#include <filesystem>

#include "RenderToolTesting.h"

namespace {

class BoardToolTest : public RenderToolTest {
protected:
	// The names in the test's output folder.
	std::vector<std::string> Written(const std::string& folder) const
	{
		std::vector<std::string> names;
		for (const auto& entry : std::filesystem::directory_iterator(folder))
			names.push_back(entry.path().filename().string());
		std::sort(names.begin(), names.end());
		return names;
	}

	void WritePreset(const std::string& name, const std::string& text) const
	{
		fFolder.Write("config/Tamarack/Glowplate/Presets/" + name + ".preset", text);
	}

	static bool HasColor(const graphics::PngImage& image, rgb_color color)
	{
		for (int32 y = 0; y < image.height; y++) {
			for (int32 x = 0; x < image.width; x++) {
				if (At(image, x, y) == color)
					return true;
			}
		}
		return false;
	}
};

} // namespace

TEST_F(BoardToolTest, AnimationsAreWrittenAsGifOrWebP)
{
	const std::string gif = fFolder.Path("sign.gif"), webp = fFolder.Path("sign.webp");
	Result result = Run({"--text", "Local", "--animate", "scroll", "--board-width", "20", "--fps",
	                     "20", "--speed", "40", "--lamp", "round", "--glow", "2", "-o", gif});
	ASSERT_EQ(result.status, 0) << result.err;
	EXPECT_EQ(read_file(gif).substr(0, 6), "GIF89a");
	result = Run({"--text", "Local", "--animate=page", "--board-width=8", "-o", webp});
	ASSERT_EQ(result.status, 0) << result.err;
	const std::string bytes = read_file(webp);
	EXPECT_EQ(bytes.substr(0, 4), "RIFF");
	EXPECT_EQ(bytes.substr(8, 4), "WEBP");

	// A still board may be a GIF too, but an animation cannot be a PNG.
	result = Run({"--text", "Local", "--animate", "scroll", "-o", fOutput});
	EXPECT_EQ(result.status, 2);
	EXPECT_EQ(result.Lines(), 1) << result.err;
	EXPECT_FALSE(std::filesystem::exists(fOutput));
}

TEST_F(BoardToolTest, BadBoardValuesAreRefusedOnOneLine)
{
	const std::vector<std::vector<std::string>> cases = {
	    {"--glow", "100000"},       {"--glow", "-1"},
	    {"--glow-strength", "nan"}, {"--glow-strength", "1e9"},
	    {"--board-width", "0"},     {"--board-width", "1000000"},
	    {"--lamp", "hexagon"},      {"--align", "middle"},
	    {"--animate", "spin"},      {"--fps", "0"},
	    {"--fps", "1000"},          {"--speed", "0"},
	    {"--hold-start", "-1"},     {"--hold-end", "1e3"},
	    {"--loop", "70000"},        {"--corner-radius", "9999"},
	    {"--format", "bmp"},        {"--preset", "../amber"},
	    {"--preset", "no such"},    {"--batch", "list.txt"}};
	for (const std::vector<std::string>& bad : cases) {
		std::vector<std::string> arguments = {"--text", "x", "-o", fOutput};
		arguments.insert(arguments.end(), bad.begin(), bad.end());
		const Result result = Run(arguments);
		EXPECT_EQ(result.status, 2) << bad[0] << " " << bad[1];
		EXPECT_EQ(result.Lines(), 1) << bad[0] << ": " << result.err;
		EXPECT_FALSE(std::filesystem::exists(fOutput)) << bad[0];
	}

	// A frame count beyond the limit fails when the motion is planned, as does a picture
	// wider than the format allows; the old file stays.
	const std::string gif = fFolder.Write("old.gif", "old");
	Result result = Run({"--text", "Local", "--animate", "scroll", "--board-width", "10000",
	                     "--speed", "0.1", "--fps", "100", "-o", gif});
	EXPECT_EQ(result.status, 1);
	EXPECT_EQ(result.Lines(), 1) << result.err;
	result = Run({"--text", "Local", "--animate", "scroll", "--board-width", "10000", "--led-size",
	              "7", "-o", gif});
	EXPECT_EQ(result.status, 1);
	EXPECT_EQ(result.Lines(), 1) << result.err;
	EXPECT_EQ(read_file(gif), "old");
	EXPECT_EQ(Written(fFolder.Path()), (std::vector<std::string>{"old.gif", "stderr", "stdout"}))
	    << "no temporary file stays";
}

TEST_F(BoardToolTest, PresetsAreNamedLooksThatOptionsOverride)
{
	Result result = Run({"--list-presets"});
	ASSERT_EQ(result.status, 0);
	for (const char* name : {"amber\t", "flip-dot\t", "white on green\t"})
		EXPECT_NE(result.out.find(name), std::string::npos) << result.out;

	result = Run({"--text", "x", "--preset", "white on green", "--font-family", "DejaVu Sans", "-o",
	              fOutput});
	ASSERT_EQ(result.status, 0) << result.err;
	EXPECT_TRUE(HasColor(Picture(), make_color(0, 128, 0, 255)));

	// The user's own preset, with a name that has spaces, and an option that wins over it.
	WritePreset("my look", "# blue lamps\nfg = 0000FF\nled-size = 1\nled-gap=0\nno-correct\n");
	result =
	    Run({"--preset", "my look", "--text", "I", "--font-family", "DejaVu Sans", "-o", fOutput});
	ASSERT_EQ(result.status, 0) << result.err;
	EXPECT_EQ(Picture().height, 24);
	EXPECT_TRUE(HasColor(Picture(), make_color(0, 0, 255, 255)));
	result = Run({"--text", "I", "--fg", "FF0000", "--preset", "my look", "--font-family",
	              "DejaVu Sans", "-o", fOutput});
	ASSERT_EQ(result.status, 0) << result.err;
	EXPECT_TRUE(HasColor(Picture(), make_color(255, 0, 0, 255)));

	// A preset may set the look only, and each bad line is named.
	for (const std::string& text :
	     {std::string("fg = 00FF00\ntext = hello\n"), std::string("\n\nglow = 500\n"),
	      std::string("smooth = 1\n"), std::string("bogus\n")}) {
		WritePreset("broken", text);
		result = Run({"--preset", "broken", "--text", "x", "-o", fOutput});
		EXPECT_EQ(result.status, 2) << text;
		EXPECT_EQ(result.Lines(), 1) << result.err;
		EXPECT_NE(result.err.find("line "), std::string::npos) << result.err;
	}
}

TEST_F(BoardToolTest, BatchFilesMakeOnePicturePerLine)
{
	const std::string folder = fFolder.Path("pictures");
	std::filesystem::create_directories(folder);
	std::string batch = "Local\nRapid\tfast one\n\n";
	batch += std::string(100000, 'A') + "\n";
	batch += "bad \xff\xfe bytes\n";
	batch += "Express\t../escape\n";
	batch += "Terminal\r\n";
	const std::string file = fFolder.Write("batch.txt", batch);

	const Result result = Run({"--batch", file, "-o", folder, "--font-family", "DejaVu Sans"});
	EXPECT_EQ(result.status, 1);
	EXPECT_EQ(result.Lines(), 3) << result.err;
	for (const char* line : {"line 4: ", "line 5: ", "line 6: "})
		EXPECT_NE(result.err.find(line), std::string::npos) << result.err;
	EXPECT_EQ(Written(folder), (std::vector<std::string>{"1.png", "7.png", "fast one.png"}));
	EXPECT_FALSE(std::filesystem::exists(fFolder.Path("escape.png")));

	// The batch's format and an output that is no folder.
	const Result gifs = Run({"--batch", file, "-o", folder, "--format", "gif"});
	EXPECT_EQ(gifs.status, 1);
	EXPECT_TRUE(std::filesystem::exists(folder + "/fast one.gif"));
	const Result noFolder = Run({"--batch", file, "-o", fFolder.Path("nowhere")});
	EXPECT_EQ(noFolder.status, 1);
	EXPECT_EQ(noFolder.Lines(), 1) << noFolder.err;
	const Result noFile = Run({"--batch", fFolder.Path("missing.txt"), "-o", folder});
	EXPECT_EQ(noFile.status, 1);
	EXPECT_EQ(noFile.Lines(), 1) << noFile.err;
}
