#include "KernelTestSupport.h"

#include <cstdlib>
#include <filesystem>

const std::string& private_runtime_folder()
{
	static const std::string sFolder = [] {
		char pattern[] = "/tmp/glowplate-kernel-test-XXXXXX";
		const char* made = mkdtemp(pattern);
		std::string folder = made != nullptr ? made : "";
		setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
		// Removed when the test program ends. Helper processes inherit the folder through
		// the environment and never call this.
		static struct Remover {
			std::string folder;
			~Remover()
			{
				std::error_code ignored;
				std::filesystem::remove_all(folder, ignored);
			}
		} sRemover{folder};
		return folder;
	}();
	return sFolder;
}

int32 thread_state_of(thread_id thread)
{
	thread_info info;
	if (get_thread_info(thread, &info) != B_OK)
		return 0;
	return info.state;
}
