// The translation kit's status codes, for code that includes them by this name.
#ifndef _TRANSLATION_ERRORS_H
#define _TRANSLATION_ERRORS_H

#include <Errors.h>

#endif
