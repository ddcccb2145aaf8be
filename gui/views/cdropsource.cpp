#include "gui/views/cdropsource.h"

#include <cstring>

namespace VSTGUI
{

CDropSource::CDropSource(const void* buffer, uint32 bufferSize, Type type)
{
	add(buffer, bufferSize, type);
}

bool CDropSource::add(const void* buffer, uint32 bufferSize, Type type)
{
	if (buffer == nullptr && bufferSize > 0)
		return false;
	Entry entry{std::vector<unsigned char>(bufferSize), type};
	if (bufferSize > 0)
		std::memcpy(entry.bytes.data(), buffer, bufferSize);
	entries.push_back(std::move(entry));
	return true;
}

int32 CDropSource::getEntry(int32 index, const void*& buffer, Type& type) const
{
	if (index < 0 || index >= getCount())
	{
		buffer = nullptr;
		type = kError;
		return -1;
	}
	const Entry& entry = entries[static_cast<size_t>(index)];
	buffer = entry.bytes.data();
	type = entry.type;
	return static_cast<int32>(entry.bytes.size());
}

bool CDropSource::isTypeOf(const char* className) const
{
	return std::strcmp(className, "CDropSource") == 0 || CBaseObject::isTypeOf(className);
}

} // namespace VSTGUI
