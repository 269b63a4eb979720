// Team and image information. A team is a process; its images are the executable and the
// shared objects mapped into it, read from the process's entries under /proc.

#include <OS.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Image {
	std::string path;
	void* text = nullptr;
	size_t textSize = 0;
	void* data = nullptr;
	size_t dataSize = 0;
};

// The process id a team id stands for, or -1 when no such process can be seen.
pid_t process_of(team_id team)
{
	pid_t pid = team == B_CURRENT_TEAM ? getpid() : team;
	if (pid <= 0)
		return -1;
	struct stat info;
	std::string folder = "/proc/" + std::to_string(pid);
	return stat(folder.c_str(), &info) == 0 ? pid : -1;
}

std::string proc_path(pid_t pid, const char* entry)
{
	return "/proc/" + std::to_string(pid) + "/" + entry;
}

int32 clamp_size(size_t size)
{
	return size > (size_t)INT32_MAX ? INT32_MAX : (int32)size;
}

// The executable first, then every other mapped file in the order of its first mapping.
// Empty when the process's mappings cannot be read (a process of another user, say).
std::vector<Image> images_of(pid_t pid)
{
	std::vector<Image> images;
	char executable[B_PATH_NAME_LENGTH];
	ssize_t length = readlink(proc_path(pid, "exe").c_str(), executable, sizeof(executable) - 1);
	if (length <= 0)
		return images;
	images.push_back(Image{std::string(executable, (size_t)length)});

	FILE* maps = fopen(proc_path(pid, "maps").c_str(), "re");
	if (maps == nullptr)
		return images;
	char line[B_PATH_NAME_LENGTH + 128];
	while (fgets(line, sizeof(line), maps) != nullptr) {
		unsigned long start, end;
		char permissions[8];
		int pathStart = 0;
		if (sscanf(line, "%lx-%lx %7s %*s %*s %*s %n", &start, &end, permissions, &pathStart) < 3 ||
		    pathStart == 0 || line[pathStart] != '/')
			continue;
		std::string path(line + pathStart);
		while (!path.empty() && (path.back() == '\n' || path.back() == ' '))
			path.pop_back();

		Image* image = nullptr;
		for (Image& known : images) {
			if (known.path == path)
				image = &known;
		}
		if (image == nullptr) {
			images.push_back(Image{path});
			image = &images.back();
		}
		if (permissions[2] == 'x' && image->text == nullptr) {
			image->text = reinterpret_cast<void*>(start);
			image->textSize = end - start;
		} else if (permissions[1] == 'w' && image->data == nullptr) {
			image->data = reinterpret_cast<void*>(start);
			image->dataSize = end - start;
		}
	}
	fclose(maps);
	return images;
}

int32 count_entries(const std::string& folder)
{
	DIR* directory = opendir(folder.c_str());
	if (directory == nullptr)
		return 0;
	int32 count = 0;
	while (struct dirent* entry = readdir(directory)) {
		if (entry->d_name[0] != '.')
			count++;
	}
	closedir(directory);
	return count;
}

int32 count_lines(const std::string& path)
{
	FILE* file = fopen(path.c_str(), "re");
	if (file == nullptr)
		return 0;
	int32 count = 0;
	for (int c; (c = fgetc(file)) != EOF;) {
		if (c == '\n')
			count++;
	}
	fclose(file);
	return count;
}

} // namespace

status_t get_team_info(team_id team, team_info* info)
{
	if (info == nullptr)
		return B_BAD_VALUE;
	pid_t pid = process_of(team);
	if (pid < 0)
		return B_BAD_TEAM_ID;

	*info = team_info{};
	info->team = pid;
	info->thread_count = count_entries(proc_path(pid, "task"));
	info->image_count = (int32)images_of(pid).size();
	info->area_count = count_lines(proc_path(pid, "maps"));

	// The arguments are NUL-separated in cmdline; args shows them separated by spaces, as
	// far as they fit.
	FILE* commandLine = fopen(proc_path(pid, "cmdline").c_str(), "re");
	if (commandLine != nullptr) {
		size_t used = 0;
		bool inArgument = false;
		for (int c; (c = fgetc(commandLine)) != EOF;) {
			if (c == '\0') {
				info->argc++;
				inArgument = false;
				c = ' ';
			} else {
				inArgument = true;
			}
			if (used < sizeof(info->args) - 1)
				info->args[used++] = (char)c;
		}
		if (inArgument)
			info->argc++;
		while (used > 0 && info->args[used - 1] == ' ')
			used--;
		info->args[used] = '\0';
		fclose(commandLine);
	}

	struct stat owner;
	if (stat(proc_path(pid, "").c_str(), &owner) == 0) {
		info->uid = owner.st_uid;
		info->gid = owner.st_gid;
	}
	return B_OK;
}

status_t get_next_image_info(team_id team, int32* cookie, image_info* info)
{
	if (cookie == nullptr || info == nullptr || *cookie < 0)
		return B_BAD_VALUE;
	pid_t pid = process_of(team);
	if (pid < 0)
		return B_BAD_TEAM_ID;

	std::vector<Image> images = images_of(pid);
	if ((size_t)*cookie >= images.size())
		return B_ENTRY_NOT_FOUND;
	const int32 index = *cookie;
	const Image& image = images[index];

	*info = image_info{};
	info->id = index + 1;
	info->type = index == 0 ? B_APP_IMAGE : B_LIBRARY_IMAGE;
	info->sequence = index;
	info->init_order = index;
	snprintf(info->name, sizeof(info->name), "%s", image.path.c_str());
	info->text = image.text;
	info->text_size = clamp_size(image.textSize);
	info->data = image.data;
	info->data_size = clamp_size(image.dataSize);
	*cookie = index + 1;
	return B_OK;
}
