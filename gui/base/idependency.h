// Change propagation for objects that also derive from CBaseObject.
//
// Dependents are held without references: a dependent must remove itself
// before it dies. Delivery is synchronous, on the user-interface thread.
#pragma once

#include "gui/base/cbaseobject.h"

#include <cstddef>
#include <set>
#include <vector>

namespace VSTGUI
{

class IDependency
{
public:
	// Appends obj (duplicates allowed; each entry is notified).
	virtual void addDependency(CBaseObject* obj);
	// Removes every entry equal to obj; safe during a notification.
	virtual void removeDependency(CBaseObject* obj);
	// Sends notify(this as CBaseObject, message) to every dependent in
	// registration order, or records message while changes are deferred.
	virtual void changed(const char* message);
	// true defers; the false that balances the outermost true sends every
	// deferred identifier once, in ascending order of identifier address.
	virtual void deferChanges(bool state);
	virtual ~IDependency() = default;

	std::size_t getNbDependents() const;

protected:
	IDependency() = default;
	IDependency(const IDependency&) {}
	IDependency& operator=(const IDependency&) { return *this; }

private:
	void compactDependents();

	int32 deferChangeCount{0};
	int32 notifyDepth{0};
	std::set<const char*> deferedChanges;
	// Entries removed during a notification are nulled and compacted after it.
	std::vector<CBaseObject*> dependents;
};

} // namespace VSTGUI
