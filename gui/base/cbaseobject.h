// The reference-counted base of every toolkit object.
//
// Ownership: a new object has a count of 1, owned by its creator. Whoever
// stores a pointer calls remember(), whoever drops it calls forget(); the
// object deletes itself when the count reaches 0. The count is a plain
// integer: objects are touched only on the user-interface thread.
#pragma once

#include "gui/base/vstguitypes.h"

namespace VSTGUI
{

enum MessageResult
{
	kMessageIgnored = 0,
	kMessageHandled = 1
};

class CBaseObject
{
public:
	CBaseObject() = default;
	// A copy is a new object: it starts with its own count of 1.
	CBaseObject(const CBaseObject&) {}
	// The count belongs to the object, never to its value.
	CBaseObject& operator=(const CBaseObject&) { return *this; }

	virtual ~CBaseObject() = default;
	virtual void forget();
	virtual void remember();
	virtual int32 getNbReference() const;
	// message is compared by pointer identity with the global identifiers.
	virtual MessageResult notify(CBaseObject* sender, const char* message);
	// True for "CBaseObject"; subclasses add their own name and chain up.
	virtual bool isTypeOf(const char* className) const;
	// A new object owned by the caller, or null when the class cannot copy.
	virtual CBaseObject* newCopy() const;

private:
	int32 nbReference{1};
};

// Holds one extra reference for the guard's lifetime, so that an object stays
// alive while code calls out to something that might release it. Null is fine.
class CBaseObjectGuard
{
public:
	explicit CBaseObjectGuard(CBaseObject* object);
	~CBaseObjectGuard();
	CBaseObjectGuard(const CBaseObjectGuard&) = delete;
	CBaseObjectGuard& operator=(const CBaseObjectGuard&) = delete;

private:
	CBaseObject* object;
};

} // namespace VSTGUI
