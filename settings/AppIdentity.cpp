#include "AppIdentity.h"

const char gAppNameJaJp[] = "グロープレート Maker";
const char gAppNameEnUs[] = "Glowplate Maker";
const char gAppVer[] = "Ver 1.4";
const char gAppSignature[] = "application/x-vnd.Tamarack-GlowplateMaker";
const char gCright[] = "Copyright © 2026 %AppAuthor%";
const char gAppAuthorJaJp[] = "グロープレート Maker 開発チーム";
const char gAppAuthorEnUs[] = "The Glowplate Maker developers";

const char gAppSettingsFolder[] = "Glowplate";
