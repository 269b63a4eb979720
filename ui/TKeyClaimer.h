// A view that takes Enter and Escape itself when its text field has the focus (a completing
// text field, whose suggestions those keys choose or dismiss). Dialog views hand those keys to
// such a view's KeyDown instead of clicking buttons with them.
#ifndef T_KEY_CLAIMER_H
#define T_KEY_CLAIMER_H

class TKeyClaimer {
public:
	virtual ~TKeyClaimer() = default;
};

#endif
