#include <MessageFilter.h>

#include <Message.h>

BMessageFilter::BMessageFilter(uint32 what, filter_hook function)
    : fWhat(what), fFiltersAny(false), fDelivery(B_ANY_DELIVERY), fSource(B_ANY_SOURCE),
      fLooper(nullptr), fFilterFunction(function)
{
}

BMessageFilter::BMessageFilter(message_delivery delivery, message_source source,
                               filter_hook function)
    : fWhat(0), fFiltersAny(true), fDelivery(delivery), fSource(source), fLooper(nullptr),
      fFilterFunction(function)
{
}

BMessageFilter::BMessageFilter(message_delivery delivery, message_source source, uint32 what,
                               filter_hook function)
    : fWhat(what), fFiltersAny(false), fDelivery(delivery), fSource(source), fLooper(nullptr),
      fFilterFunction(function)
{
}

// A copy selects the same messages but is attached to nothing.
BMessageFilter::BMessageFilter(const BMessageFilter& filter)
    : fWhat(filter.fWhat), fFiltersAny(filter.fFiltersAny), fDelivery(filter.fDelivery),
      fSource(filter.fSource), fLooper(nullptr), fFilterFunction(filter.fFilterFunction)
{
}

BMessageFilter::BMessageFilter(const BMessageFilter* filter) : BMessageFilter(*filter) {}

BMessageFilter::~BMessageFilter() = default;

BMessageFilter& BMessageFilter::operator=(const BMessageFilter& from)
{
	fWhat = from.fWhat;
	fFiltersAny = from.fFiltersAny;
	fDelivery = from.fDelivery;
	fSource = from.fSource;
	fFilterFunction = from.fFilterFunction;
	return *this;
}

filter_result BMessageFilter::Filter(BMessage*, BHandler**)
{
	return B_DISPATCH_MESSAGE;
}

bool BMessageFilter::Selects(const BMessage* message) const
{
	if (!fFiltersAny && message->what != fWhat)
		return false;
	bool dropped = message->WasDropped();
	if ((fDelivery == B_DROPPED_DELIVERY && !dropped) ||
	    (fDelivery == B_PROGRAMMED_DELIVERY && dropped)) {
		return false;
	}
	bool remote = message->IsSourceRemote();
	return !((fSource == B_REMOTE_SOURCE && !remote) || (fSource == B_LOCAL_SOURCE && remote));
}

filter_result BMessageFilter::Apply(BMessage* message, BHandler** target)
{
	if (fFilterFunction != nullptr)
		return fFilterFunction(message, target, this);
	return Filter(message, target);
}
