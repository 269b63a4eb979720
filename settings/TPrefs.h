// TPrefs is the application's own preferences record. It holds nothing beyond its class name
// yet; the program loads it at start and never writes it back.
#ifndef T_PREFS_H
#define T_PREFS_H

#include "TTamarackArchivable.h"

class TPrefs : public TTamarackArchivable {
public:
	TPrefs();
	~TPrefs() override;

	status_t LoadFromFile();
	status_t SaveToFile() const;
};

extern TPrefs gPrefs;

#endif
