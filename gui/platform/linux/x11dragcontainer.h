// What a drop offers to the views: a count of items and an iteration over
// them, each item with a byte size and a type code.
//
// CDragContainer is the toolkit's abstract container (no platform type
// appears here). X11DragContainer holds the items that an XDND drop
// delivered: one UTF-8 text, a list of file paths, or one block of the
// toolkit's own binary drag data.
//
// Ownership: containers are reference counted; the platform frame holds one
// for the length of a drag and views borrow it during their drag calls. The
// memory first and next return belongs to the container and stays valid
// until the next call of first or next, or the container's end.
// Threads: user-interface thread only.
#pragma once

#include "gui/base/cbaseobject.h"

#include <string>
#include <vector>

namespace VSTGUI {

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

class X11DragContainer : public CDragContainer
{
public:
	// The reverse-domain name of the toolkit's own binary drag data.
	static constexpr const char* kBinaryType = "com.halvenor.corvane.binary";

	enum class Kind
	{
		text,
		files,
		binary
	};

	X11DragContainer(Kind kind, std::vector<std::string> items);

	void* first(int32& size, int32& type) override;
	void* next(int32& size, int32& type) override;
	int32 getType(int32 index) const override;
	int32 getCount() override;

	bool isTypeOf(const char* className) const override;
	CBaseObject* newCopy() const override { return nullptr; }

	// The paths of a text/uri-list: file URIs only, percent-decoded, the
	// host part dropped; comment lines and other schemes are skipped.
	static std::vector<std::string> pathsFromUriList(const std::string& uriList);

private:
	int32 typeOfItems() const;

	Kind kind;
	std::vector<std::string> items;
	// Index of the item the last call answered; -1 before the first.
	int32 position {-1};
	std::string current;
};

} // namespace VSTGUI
