// A fresh folder under the system's temporary folder for one test, removed with everything in
// it when the test ends.
#ifndef TEMP_FOLDER_H
#define TEMP_FOLDER_H

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class TempFolder {
public:
	TempFolder()
	{
		std::string pattern =
		    (std::filesystem::temp_directory_path() / "glowplate-XXXXXX").string();
		if (mkdtemp(pattern.data()) != nullptr)
			fPath = pattern;
	}
	~TempFolder()
	{
		std::error_code ignored;
		if (!fPath.empty())
			std::filesystem::remove_all(fPath, ignored);
	}
	TempFolder(const TempFolder&) = delete;
	TempFolder& operator=(const TempFolder&) = delete;

	const std::string& Path() const { return fPath; }
	std::string Path(const std::string& relative) const { return fPath + "/" + relative; }

	// Writes bytes to a file below the folder, making the folders on the way.
	std::string Write(const std::string& relative, const std::string& bytes) const
	{
		const std::string path = Path(relative);
		std::filesystem::create_directories(std::filesystem::path(path).parent_path());
		std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
		return path;
	}

	std::string Read(const std::string& relative) const
	{
		std::ifstream in(Path(relative), std::ios::binary);
		return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
	}

private:
	std::string fPath;
};

#endif
