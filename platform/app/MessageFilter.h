// A message filter looks at messages before their handler does. It is attached to a looper
// (a common filter, for every message the looper dispatches) or to one handler, and selects
// messages by delivery (dropped or programmed), source (local or remote) and command. For a
// selected message its hook function, or else its Filter method, decides whether the message
// goes on (B_DISPATCH_MESSAGE) or stops (B_SKIP_MESSAGE), and may change the handler that will
// receive it.
#ifndef _MESSAGE_FILTER_H
#define _MESSAGE_FILTER_H

#include <SupportDefs.h>

class BHandler;
class BLooper;
class BMessage;
class BMessageFilter;

enum filter_result {
	B_SKIP_MESSAGE,
	B_DISPATCH_MESSAGE,
};

typedef filter_result (*filter_hook)(BMessage* message, BHandler** target, BMessageFilter* filter);

enum message_delivery {
	B_ANY_DELIVERY,
	B_DROPPED_DELIVERY,
	B_PROGRAMMED_DELIVERY,
};

enum message_source {
	B_ANY_SOURCE,
	B_REMOTE_SOURCE,
	B_LOCAL_SOURCE,
};

class BMessageFilter {
public:
	explicit BMessageFilter(uint32 what, filter_hook function = nullptr);
	BMessageFilter(message_delivery delivery, message_source source,
	               filter_hook function = nullptr);
	BMessageFilter(message_delivery delivery, message_source source, uint32 what,
	               filter_hook function = nullptr);
	BMessageFilter(const BMessageFilter& filter);
	BMessageFilter(const BMessageFilter* filter);
	virtual ~BMessageFilter();

	BMessageFilter& operator=(const BMessageFilter& from);

	// Called for selected messages that have no hook function. *target may be replaced by
	// another handler of the same looper.
	virtual filter_result Filter(BMessage* message, BHandler** target);

	message_delivery MessageDelivery() const { return fDelivery; }
	message_source MessageSource() const { return fSource; }
	uint32 Command() const { return fWhat; }
	bool FiltersAnyCommand() const { return fFiltersAny; }
	// The looper of the handler or looper the filter is attached to, or null.
	BLooper* Looper() const { return fLooper; }

	// Whether the filter selects message (delivery, source and command all match).
	bool Selects(const BMessage* message) const;
	// Runs the hook function or Filter on a selected message.
	filter_result Apply(BMessage* message, BHandler** target);

private:
	friend class BHandler;
	friend class BLooper;

	void SetLooper(BLooper* looper) { fLooper = looper; }
	filter_hook FilterFunction() const { return fFilterFunction; }

	uint32 fWhat;
	bool fFiltersAny;
	message_delivery fDelivery;
	message_source fSource;
	BLooper* fLooper;
	filter_hook fFilterFunction;
};

#endif
