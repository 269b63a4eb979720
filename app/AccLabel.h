// Labels with their accelerator letter shown in the format that the maker's applications
// share (the shared item "AccKeyFormat2", read into gAppPrivacy).
#ifndef ACC_LABEL_H
#define ACC_LABEL_H

#include <String.h>

// The label with the key marked in the user's format: acc_label("S", "Save") gives "Save(S)"
// with the default format. Note the order: the key comes first, as in merge_accelerator_key.
BString acc_label(const BString& key, const BString& label);

#endif
