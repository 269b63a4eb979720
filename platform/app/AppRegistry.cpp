#include "AppRegistry.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <RuntimeDir.h>

namespace BPrivate {

namespace {

std::mutex sLock;
int sRegistrationFd = -1;
std::string sRegistrationPath;

std::string info_path(const std::string& folder, team_id team)
{
	return folder + "/" + std::to_string(team) + ".app";
}

// Whether the registration file at path belongs to a process that still runs. A stale file
// is removed together with its socket.
bool check_registration(const std::string& folder, team_id team, std::string* signature)
{
	std::string path = info_path(folder, team);
	int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
	if (fd < 0)
		return false;
	bool alive = flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
	if (alive && signature != nullptr) {
		char buffer[512];
		ssize_t length = read(fd, buffer, sizeof(buffer) - 1);
		buffer[length > 0 ? length : 0] = '\0';
		char* end = strchr(buffer, '\n');
		if (end != nullptr)
			*end = '\0';
		*signature = buffer;
	}
	if (!alive) {
		// Remove it only if the name still refers to the file checked: a new process with
		// the same id may have just put its own registration in place.
		struct stat opened, named;
		if (fstat(fd, &opened) == 0 && stat(path.c_str(), &named) == 0 &&
		    opened.st_ino == named.st_ino && opened.st_dev == named.st_dev) {
			unlink(path.c_str());
			unlink(AppRegistry::SocketPath(folder, team).c_str());
		}
	}
	close(fd);
	return alive;
}

} // namespace

status_t AppRegistry::Folder(std::string* path)
{
	std::string runtime;
	status_t status = runtime_directory(runtime);
	if (status != B_OK)
		return status;
	std::string folder = runtime + "/apps";
	if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
		return status_from_errno(errno);
	*path = folder;
	return B_OK;
}

std::string AppRegistry::SocketPath(const std::string& folder, team_id team)
{
	return folder + "/" + std::to_string(team) + ".sock";
}

status_t AppRegistry::Register(const char* signature)
{
	std::string folder;
	status_t status = Folder(&folder);
	if (status != B_OK)
		return status;
	team_id team = getpid();
	std::string path = info_path(folder, team);
	std::string temporary = path + ".new";

	int fd = open(temporary.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
	if (fd < 0)
		return status_from_errno(errno);
	std::string content = std::string(signature) + "\n";
	if (flock(fd, LOCK_EX | LOCK_NB) != 0 ||
	    write(fd, content.data(), content.size()) != (ssize_t)content.size() ||
	    rename(temporary.c_str(), path.c_str()) != 0) {
		status = status_from_errno(errno);
		close(fd);
		unlink(temporary.c_str());
		return status != B_OK ? status : B_ERROR;
	}

	std::lock_guard<std::mutex> guard(sLock);
	if (sRegistrationFd >= 0)
		close(sRegistrationFd);
	sRegistrationFd = fd;
	sRegistrationPath = path;
	return B_OK;
}

void AppRegistry::Unregister()
{
	std::lock_guard<std::mutex> guard(sLock);
	if (sRegistrationFd < 0)
		return;
	unlink(sRegistrationPath.c_str());
	close(sRegistrationFd);
	sRegistrationFd = -1;
	sRegistrationPath.clear();
}

status_t AppRegistry::List(std::vector<AppRegistration>* apps)
{
	apps->clear();
	std::string folder;
	status_t status = Folder(&folder);
	if (status != B_OK)
		return status;
	DIR* dir = opendir(folder.c_str());
	if (dir == nullptr)
		return status_from_errno(errno);
	std::vector<team_id> teams;
	while (dirent* entry = readdir(dir)) {
		const char* name = entry->d_name;
		const char* dot = strrchr(name, '.');
		if (dot == nullptr || strcmp(dot, ".app") != 0 || dot == name)
			continue;
		char* end;
		long team = strtol(name, &end, 10);
		if (end == dot && team > 0 && team <= INT32_MAX)
			teams.push_back((team_id)team);
	}
	closedir(dir);
	std::sort(teams.begin(), teams.end());

	for (team_id team : teams) {
		AppRegistration app;
		app.team = team;
		if (team == getpid()) {
			// Our own lock cannot be tested with flock from another descriptor of this
			// process reliably, and we know whether we are registered.
			std::lock_guard<std::mutex> guard(sLock);
			if (sRegistrationFd < 0)
				continue;
			char buffer[512];
			ssize_t length = pread(sRegistrationFd, buffer, sizeof(buffer) - 1, 0);
			buffer[length > 0 ? length : 0] = '\0';
			if (char* line = strchr(buffer, '\n'))
				*line = '\0';
			app.signature = buffer;
		} else if (!check_registration(folder, team, &app.signature)) {
			continue;
		}
		apps->push_back(app);
	}
	return B_OK;
}

bool AppRegistry::IsRunning(team_id team)
{
	if (team == getpid()) {
		std::lock_guard<std::mutex> guard(sLock);
		return sRegistrationFd >= 0;
	}
	std::string folder;
	if (Folder(&folder) != B_OK)
		return false;
	return check_registration(folder, team, nullptr);
}

} // namespace BPrivate
