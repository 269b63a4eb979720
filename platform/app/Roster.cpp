#include <Roster.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <strings.h>
#include <unistd.h>
#include <vector>

#include <Application.h>
#include <Message.h>

#include "AppRegistry.h"
#include "AppTransport.h"
#include "MessengerPrivate.h"

namespace {

// How long a broadcast waits for room at one receiver before it moves on.
constexpr bigtime_t kBroadcastTimeout = 1000000;

std::vector<BPrivate::AppRegistration> running_apps()
{
	std::vector<BPrivate::AppRegistration> apps;
	BPrivate::AppRegistry::List(&apps);
	return apps;
}

bool same_signature(const std::string& a, const char* b)
{
	return b != nullptr && strcasecmp(a.c_str(), b) == 0;
}

} // namespace

app_info::app_info() : thread(-1), team(-1), port(-1), flags(B_MULTIPLE_LAUNCH), ref(), signature()
{
}

app_info::~app_info() = default;

static const BRoster sRoster;
const BRoster* be_roster = &sRoster;

BRoster::BRoster() = default;

BRoster::~BRoster() = default;

bool BRoster::IsRunning(const char* signature) const
{
	return TeamFor(signature) >= 0;
}

team_id BRoster::TeamFor(const char* signature) const
{
	for (const auto& app : running_apps()) {
		if (same_signature(app.signature, signature))
			return app.team;
	}
	return B_ERROR;
}

void BRoster::GetAppList(BList* teamIDList) const
{
	if (teamIDList == nullptr)
		return;
	for (const auto& app : running_apps())
		teamIDList->AddItem((void*)(intptr_t)app.team);
}

void BRoster::GetAppList(const char* signature, BList* teamIDList) const
{
	if (teamIDList == nullptr)
		return;
	for (const auto& app : running_apps()) {
		if (same_signature(app.signature, signature))
			teamIDList->AddItem((void*)(intptr_t)app.team);
	}
}

status_t BRoster::GetAppInfo(const char* signature, app_info* info) const
{
	if (signature == nullptr || info == nullptr)
		return B_BAD_VALUE;
	team_id team = TeamFor(signature);
	return team >= 0 ? GetRunningAppInfo(team, info) : B_ERROR;
}

status_t BRoster::GetRunningAppInfo(team_id team, app_info* info) const
{
	if (info == nullptr)
		return B_BAD_VALUE;
	for (const auto& app : running_apps()) {
		if (app.team != team)
			continue;
		info->team = team;
		info->thread = team == getpid() && be_app != nullptr ? be_app->Thread() : -1;
		info->port = -1;
		info->flags = B_MULTIPLE_LAUNCH;
		snprintf(info->signature, sizeof(info->signature), "%s", app.signature.c_str());
		char path[PATH_MAX];
		std::string link = "/proc/" + std::to_string(team) + "/exe";
		ssize_t length = readlink(link.c_str(), path, sizeof(path) - 1);
		if (length > 0) {
			path[length] = '\0';
			get_ref_for_path(path, &info->ref);
		}
		return B_OK;
	}
	return B_BAD_TEAM_ID;
}

status_t BRoster::Broadcast(BMessage* message) const
{
	BMessenger replyTo = be_app != nullptr ? be_app_messenger : BMessenger();
	return Broadcast(message, replyTo);
}

status_t BRoster::Broadcast(BMessage* message, BMessenger replyTo) const
{
	if (message == nullptr)
		return B_BAD_VALUE;
	for (const auto& app : running_apps()) {
		BMessenger target;
		if (app.team == getpid()) {
			if (be_app == nullptr)
				continue;
			target = be_app_messenger;
		} else {
			BMessenger::Private(target).SetTo(app.team, B_APP_LOOPER_TOKEN, B_PREFERRED_TOKEN);
		}
		// The application's own thread must not wait for room in its own queue.
		bigtime_t timeout =
		    be_app != nullptr && find_thread(nullptr) == be_app->Thread() && app.team == getpid()
		        ? 0
		        : kBroadcastTimeout;
		target.SendMessage(message, replyTo, timeout);
	}
	return B_OK;
}
