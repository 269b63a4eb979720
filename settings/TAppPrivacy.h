// TAppPrivacy holds facts about the running program that are not kept between runs: the file
// name of its executable and the folder it lies in. Both are empty when the platform cannot
// tell the executable's path.
#ifndef T_APP_PRIVACY_H
#define T_APP_PRIVACY_H

#include <String.h>

class TAppPrivacy {
public:
	TAppPrivacy();
	virtual ~TAppPrivacy();

	BString ExeName() const { return mExeName; }
	// Ends in "/".
	BString ExePath() const { return mExePath; }

protected:
	BString mExeName;
	BString mExePath;
};

#endif
