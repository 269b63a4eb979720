// Accelerator-key formats: how the letter that selects a control from the keyboard is shown in
// its label. A format is a mode byte and a template in which the first "a" stands for the
// letter:
// - mode IAP_ACC_KEY_MODE_PREFIX puts the marked letter before the label ("a) " gives
//   "S) Save");
// - mode IAP_ACC_KEY_MODE_INSERT (or any other byte) puts it before the first marker of the
//   label, "...", "[", "：", ":", ">>", "<<", "→" or "←" in that order of preference, and after
//   the label when it has none ("(a)" gives "Open(O)..." and "Save(S)");
// - the empty format shows no letter.
#ifndef MERGE_ACCELERATOR_KEY_H
#define MERGE_ACCELERATOR_KEY_H

#include <String.h>

#define IAP_ACC_KEY_MODE_PREFIX '\001'
#define IAP_ACC_KEY_MODE_INSERT '\002'

// The label with the letter marked in the format. Blanks that stood right before the marker
// stand after the mark ("Save ..." gives "Save(S) ...").
BString merge_accelerator_key(const BString& format, const BString& letter, const BString& label);

#endif
