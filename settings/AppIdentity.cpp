#include "AppIdentity.h"

const char gAppNameJaJp[] = "グロープレート Maker";
const char gAppNameEnUs[] = "Glowplate Maker";
const char gAppVer[] = "Ver 1.4";
const char gAppSignature[] = "application/x-vnd.Tamarack-GlowplateMaker";

const char gAppSettingsFolder[] = "Glowplate";
