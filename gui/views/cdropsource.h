// What a view offers when it starts a drag (CView::doDrag): an ordered list
// of entries, each a private copy of bytes with the kind of data they are.
// The platform layer decides from the first entry how the drag is offered to
// other applications: as files, as text or as the toolkit's own binary type.
// Texts and file paths are expected to carry their terminating NUL in the
// bytes given; an entry without one is not offered.
//
// Threads: user-interface thread only.
#pragma once

#include "gui/base/cbaseobject.h"

#include <vector>

namespace VSTGUI
{

class CDropSource : public CBaseObject
{
public:
	enum Type : int32
	{
		kFilePath = 0,
		kText = 1,
		kBinary = 2,
		kError = -1
	};

	CDropSource() = default;
	// One entry.
	CDropSource(const void* buffer, uint32 bufferSize, Type type);

	// Appends a copy of bufferSize bytes; false (nothing added) for a null
	// buffer with a non-zero size.
	bool add(const void* buffer, uint32 bufferSize, Type type);
	int32 getCount() const { return static_cast<int32>(entries.size()); }
	// The size of entry index with its bytes and type; -1 (buffer null, type
	// kError) when there is no such entry. The bytes stay valid as long as
	// the source.
	int32 getEntry(int32 index, const void*& buffer, Type& type) const;

	bool isTypeOf(const char* className) const override;

private:
	struct Entry
	{
		std::vector<unsigned char> bytes;
		Type type;
	};
	std::vector<Entry> entries;
};

} // namespace VSTGUI
