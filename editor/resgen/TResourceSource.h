// TResourceSource collects the application's resources and writes them as a C++ source file
// that compiles them into the executable (B_DEFINE_APP_RESOURCES, see Resources.h).
#ifndef T_RESOURCE_SOURCE_H
#define T_RESOURCE_SOURCE_H

#include <string>
#include <vector>

#include <SupportDefs.h>

class TResourceSource {
public:
	void Add(type_code type, int32 id, const std::string& name, std::vector<uint8> data);

	// Writes the source to `path`, through a temporary file beside it, so that a failed run
	// never leaves a half-written source for the build to compile. B_OK or the reason.
	status_t Write(const std::string& path) const;

	// The source text itself.
	std::string Text() const;

private:
	struct Record {
		type_code type;
		int32 id;
		std::string name;
		std::vector<uint8> data;
	};
	std::vector<Record> mRecords;
};

#endif
