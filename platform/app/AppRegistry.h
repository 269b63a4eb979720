// The registrations of running applications in the per-user runtime folder. Each running
// BApplication keeps two entries in its "apps" subfolder:
//
//   <team>.sock   the Unix stream socket on which it accepts messages (AppTransport)
//   <team>.app    a text file holding its signature and a line break; the application holds
//                 an exclusive lock (flock) on it for as long as it runs
//
// The socket is listening before the .app file appears (it is written under another name,
// locked, and renamed into place), so a visible registration can always be reached. When a
// process ends, however it ends, the kernel drops its lock; whoever lists the folder next and
// can take the lock knows the registration is stale and removes both entries.
//
// Private to the application kit.
#ifndef _APP_REGISTRY_H
#define _APP_REGISTRY_H

#include <string>
#include <vector>

#include <OS.h>

namespace BPrivate {

struct AppRegistration {
	team_id team;
	std::string signature;
};

class AppRegistry {
public:
	// The folder holding the registrations, created on demand.
	static status_t Folder(std::string* path);
	static std::string SocketPath(const std::string& folder, team_id team);

	// Publishes this process under signature; the socket must already listen at SocketPath.
	// Keeps the lock until Unregister.
	static status_t Register(const char* signature);
	static void Unregister();

	// The running applications in registration-file order, stale ones removed on the way.
	static status_t List(std::vector<AppRegistration>* apps);
	static bool IsRunning(team_id team);
};

} // namespace BPrivate

#endif
