#include "TGlowplateAppPrivacy.h"

TGlowplateAppPrivacy::TGlowplateAppPrivacy() = default;

TGlowplateAppPrivacy::~TGlowplateAppPrivacy() = default;
