#include "gui/platform/linux/dragdrop/x11dragoffer.h"

#include "gui/platform/linux/dragdrop/x11dragcontainer.h"
#include "gui/views/cdropsource.h"

namespace VSTGUI
{

namespace
{

struct Entry
{
	const char* bytes{nullptr};
	int32 size{-1};
	CDropSource::Type type{CDropSource::kError};
};

Entry entryOf(const CDropSource& source, int32 index)
{
	Entry entry;
	const void* buffer = nullptr;
	entry.size = source.getEntry(index, buffer, entry.type);
	entry.bytes = static_cast<const char*>(buffer);
	return entry;
}

// Texts and paths count only with their terminating NUL; what a C reader
// would see ends at the first NUL.
bool terminatedString(const Entry& entry, std::string& text)
{
	if (entry.size <= 0 || entry.bytes == nullptr || entry.bytes[entry.size - 1] != '\0')
		return false;
	text.assign(entry.bytes);
	return true;
}

bool isUnreserved(unsigned char c)
{
	return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
	       c == '_' || c == '~';
}

X11DragOffer offerFiles(const CDropSource& source)
{
	X11DragOffer offer;
	std::vector<std::string> paths;
	for (int32 i = 0; i < source.getCount(); ++i)
	{
		Entry entry = entryOf(source, i);
		std::string path;
		if (entry.type == CDropSource::kFilePath && terminatedString(entry, path) && !path.empty())
			paths.push_back(path);
	}
	offer.status = paths.empty() ? X11DragOffer::Status::empty : X11DragOffer::Status::ready;
	offer.types = {"text/uri-list"};
	offer.data = X11DragOffer::uriListFromPaths(paths);
	return offer;
}

X11DragOffer offerText(const Entry& entry)
{
	X11DragOffer offer;
	offer.status = terminatedString(entry, offer.data) ? X11DragOffer::Status::ready : X11DragOffer::Status::empty;
	offer.types = {"UTF8_STRING", "text/plain;charset=utf-8", "text/plain"};
	return offer;
}

X11DragOffer offerBinary(const Entry& entry)
{
	X11DragOffer offer;
	offer.status = X11DragOffer::Status::ready;
	offer.types = {X11DragContainer::kBinaryType};
	if (entry.bytes && entry.size > 0)
		offer.data.assign(entry.bytes, static_cast<size_t>(entry.size));
	return offer;
}

} // namespace

X11DragOffer X11DragOffer::fromSource(CDropSource* source)
{
	if (source == nullptr || source->getCount() == 0)
		return {};
	Entry first = entryOf(*source, 0);
	switch (first.type)
	{
		case CDropSource::kFilePath: return offerFiles(*source);
		case CDropSource::kText: return offerText(first);
		case CDropSource::kBinary: return offerBinary(first);
		default: return {};
	}
}

std::string X11DragOffer::fileUri(const std::string& path)
{
	static constexpr char kHex[] = "0123456789ABCDEF";
	std::string uri = "file://";
	for (char ch : path)
	{
		auto c = static_cast<unsigned char>(ch);
		if (isUnreserved(c) || c == '/')
			uri += ch;
		else
		{
			uri += '%';
			uri += kHex[c >> 4];
			uri += kHex[c & 0xF];
		}
	}
	return uri;
}

std::string X11DragOffer::uriListFromPaths(const std::vector<std::string>& paths)
{
	std::string list;
	for (const std::string& path : paths)
	{
		if (!path.empty())
			list += fileUri(path) + "\r\n";
	}
	return list;
}

} // namespace VSTGUI
