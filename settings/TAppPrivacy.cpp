#include "TAppPrivacy.h"

#include <OS.h>

#include <PathFunctions.h>

TAppPrivacy::TAppPrivacy()
{
	// The first image of the team is the executable itself, named with its full path.
	team_info team;
	if (get_team_info(B_CURRENT_TEAM, &team) != B_OK)
		return;
	int32 cookie = 0;
	image_info image;
	if (get_next_image_info(team.team, &cookie, &image) != B_OK)
		return;

	// The name buffer is not trusted to be terminated.
	image.name[sizeof(image.name) - 1] = '\0';
	BString path(image.name);
	mExeName = extract_file_name(path);
	mExePath = extract_file_folder_path_kernel(path, 1);
}

TAppPrivacy::~TAppPrivacy() = default;
