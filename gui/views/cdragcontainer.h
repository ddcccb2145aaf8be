// What a drop offers to the views: a count of items and an iteration over
// them, each item with a byte size and a type code.
//
// The platform layer derives the container of a drag from this; views only
// ever see this interface in their drag calls, so they need no platform
// header to read what is dropped on them.
//
// Ownership: containers are reference counted; the platform frame holds one
// for the length of a drag and views borrow it during their drag calls. The
// memory first and next return belongs to the container and stays valid
// until the next call of first or next, or the container's end.
// Threads: user-interface thread only.
#pragma once

#include "gui/base/cbaseobject.h"

namespace VSTGUI
{

class CDragContainer : public CBaseObject
{
public:
	enum Type : int32
	{
		kFile = 0,
		kUnicodeText = 2,
		kUnknown = -1,
		kError = -2
	};

	// Restarts the iteration and answers its first item.
	virtual void* first(int32& size, int32& type) = 0;
	// The next item: a NUL-terminated private copy; size is its length in
	// bytes without the terminator. Past the end: null, size 0, kError.
	virtual void* next(int32& size, int32& type) = 0;
	virtual int32 getType(int32 index) const = 0;
	virtual int32 getCount() = 0;
};

} // namespace VSTGUI
