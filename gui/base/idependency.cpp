#include "gui/base/idependency.h"

#include <algorithm>

namespace VSTGUI
{

void IDependency::addDependency(CBaseObject* obj)
{
	dependents.push_back(obj);
}

void IDependency::removeDependency(CBaseObject* obj)
{
	// While a notification walks the list, erasing would shift the entries it
	// has yet to reach; nulling keeps every index stable.
	if (notifyDepth > 0)
		std::replace(dependents.begin(), dependents.end(), obj, static_cast<CBaseObject*>(nullptr));
	else
		std::erase(dependents, obj);
}

void IDependency::changed(const char* message)
{
	if (deferChangeCount > 0)
	{
		deferedChanges.insert(message);
		return;
	}
	auto* sender = dynamic_cast<CBaseObject*>(this);
	// A dependent may drop the last reference to the sender while it is told,
	// so the sender is held for the loop, unless it is already being
	// destroyed (count 0: its destructor is the caller).
	const bool alive = sender && sender->getNbReference() > 0;
	CBaseObjectGuard guard(alive ? sender : nullptr);
	++notifyDepth;
	// Dependents added during this notification are not told of this change.
	const auto count = dependents.size();
	for (std::size_t i = 0; i < count; ++i)
	{
		if (auto* dependent = dependents[i])
			dependent->notify(sender, message);
	}
	if (--notifyDepth == 0)
		compactDependents();
}

void IDependency::deferChanges(bool state)
{
	if (state)
	{
		++deferChangeCount;
		return;
	}
	if (deferChangeCount <= 0 || --deferChangeCount > 0)
		return;
	// Taken out first: a receiver may defer and change again while we send.
	auto pending = std::move(deferedChanges);
	deferedChanges.clear();
	for (auto* message : pending)
		changed(message);
}

std::size_t IDependency::getNbDependents() const
{
	return static_cast<std::size_t>(
	    std::count_if(dependents.begin(), dependents.end(), [](auto* d) { return d != nullptr; }));
}

void IDependency::compactDependents()
{
	std::erase(dependents, nullptr);
}

} // namespace VSTGUI
