// The test fixture of glowplate-render: runs the tool as its own process with a settings
// folder of the test's own, and reads back its exit status, its output and the PNG it wrote.
#ifndef RENDER_TOOL_TESTING_H
#define RENDER_TOOL_TESTING_H

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include <GraphicsDefs.h>
#include <PngCodec.h>

#include <TProperty.h>

#include "../support/TempFolder.h"

struct Result {
	int status = -1;
	std::string out;
	std::string err;

	int Lines() const
	{
		int lines = 0;
		for (char c : err)
			lines += c == '\n';
		return lines;
	}
};

inline std::string read_file(const std::string& path)
{
	std::ifstream in(path, std::ios::binary);
	return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class RenderToolTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		ASSERT_FALSE(fFolder.Path().empty());
		fOutput = fFolder.Path("out.png");
		fConfig = fFolder.Path("config");
	}

	// Runs the tool with the arguments; its settings folder is the test's own.
	Result Run(const std::vector<std::string>& arguments) const
	{
		const std::string outPath = fFolder.Path("stdout"), errPath = fFolder.Path("stderr");
		pid_t child = fork();
		if (child == 0) {
			int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
			int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
			dup2(out, STDOUT_FILENO);
			dup2(err, STDERR_FILENO);
			setenv("XDG_CONFIG_HOME", fConfig.c_str(), 1);
			std::vector<char*> argv;
			argv.push_back(const_cast<char*>(GLOWPLATE_RENDER));
			for (const std::string& argument : arguments)
				argv.push_back(const_cast<char*>(argument.c_str()));
			argv.push_back(nullptr);
			execv(GLOWPLATE_RENDER, argv.data());
			_exit(127);
		}
		Result result;
		int status = 0;
		if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status))
			result.status = WEXITSTATUS(status);
		result.out = read_file(outPath);
		result.err = read_file(errPath);
		return result;
	}

	// The written picture, pixels as red, green, blue, alpha.
	graphics::PngImage Picture() const
	{
		const std::string bytes = read_file(fOutput);
		graphics::PngImage image;
		EXPECT_EQ(graphics::PngCodec::Decode(bytes.data(), bytes.size(),
		                                     graphics::PixelLayout::Rgba, &image),
		          B_OK);
		return image;
	}

	static rgb_color At(const graphics::PngImage& image, int32 x, int32 y)
	{
		const uint8* p = image.pixels.data() + ((size_t)y * image.width + x) * 4;
		return make_color(p[0], p[1], p[2], p[3]);
	}

	TempFolder fFolder;
	std::string fOutput;
	std::string fConfig;
};

#endif
