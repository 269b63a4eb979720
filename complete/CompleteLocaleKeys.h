// The built-in texts of the completing text field's windows, which are also their dictionary
// keys.
#ifndef COMPLETE_LOCALE_KEYS_H
#define COMPLETE_LOCALE_KEYS_H

// The sort buttons of the list of candidates: most recently used first, or by their bytes.
#define LKK_ACC_VIEW_TBUTTON_SORT_LRU "LRU"
#define LKK_ACC_VIEW_TBUTTON_SORT_ALPHA "Alphabetical"

#endif
