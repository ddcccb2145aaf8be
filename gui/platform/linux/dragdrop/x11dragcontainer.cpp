#include "gui/platform/linux/dragdrop/x11dragcontainer.h"

#include <cstring>
#include <sstream>

namespace VSTGUI
{

namespace
{

int hexValue(char c)
{
	if (c >= '0' && c <= '9')
		return c - '0';
	if (c >= 'a' && c <= 'f')
		return c - 'a' + 10;
	if (c >= 'A' && c <= 'F')
		return c - 'A' + 10;
	return -1;
}

// Malformed escapes are kept as they stand rather than guessed at.
std::string percentDecode(const std::string& text)
{
	std::string result;
	for (size_t i = 0; i < text.size(); ++i)
	{
		int high = i + 2 < text.size() && text[i] == '%' ? hexValue(text[i + 1]) : -1;
		int low = high >= 0 ? hexValue(text[i + 2]) : -1;
		if (low >= 0)
		{
			result += static_cast<char>(high * 16 + low);
			i += 2;
		}
		else
			result += text[i];
	}
	return result;
}

std::string pathOfFileUri(const std::string& uri)
{
	constexpr const char* kScheme = "file://";
	if (uri.compare(0, std::strlen(kScheme), kScheme) != 0)
		return {};
	size_t slash = uri.find('/', std::strlen(kScheme));
	if (slash == std::string::npos)
		return {};
	std::string path = percentDecode(uri.substr(slash));
	// A NUL inside a path would cut it short for every consumer.
	return path.find('\0') == std::string::npos ? path : std::string();
}

} // namespace

X11DragContainer::X11DragContainer(Kind kind, std::vector<std::string> items) : kind(kind), items(std::move(items))
{
	// The text type offers exactly one item.
	if (kind == Kind::text && this->items.size() > 1)
		this->items.resize(1);
}

bool X11DragContainer::isTypeOf(const char* className) const
{
	return std::strcmp(className, "CDragContainer") == 0 || CBaseObject::isTypeOf(className);
}

int32 X11DragContainer::typeOfItems() const
{
	switch (kind)
	{
		case Kind::text: return kUnicodeText;
		case Kind::files: return kFile;
		default: return kUnknown;
	}
}

int32 X11DragContainer::getCount()
{
	return static_cast<int32>(items.size());
}

int32 X11DragContainer::getType(int32 index) const
{
	if (index >= 0 && static_cast<size_t>(index) < items.size())
		return typeOfItems();
	return kind == Kind::text ? kError : kUnknown;
}

void* X11DragContainer::first(int32& size, int32& type)
{
	position = -1;
	return next(size, type);
}

void* X11DragContainer::next(int32& size, int32& type)
{
	current.clear();
	if (position < static_cast<int32>(items.size()))
		++position;
	if (static_cast<size_t>(position) >= items.size())
	{
		size = 0;
		type = kError;
		return nullptr;
	}
	current = items[static_cast<size_t>(position)];
	size = static_cast<int32>(current.size());
	type = typeOfItems();
	return current.data();
}

std::vector<std::string> X11DragContainer::pathsFromUriList(const std::string& uriList)
{
	std::vector<std::string> paths;
	std::istringstream lines(uriList);
	std::string line;
	while (std::getline(lines, line))
	{
		if (!line.empty() && line.back() == '\r')
			line.pop_back();
		if (line.empty() || line[0] == '#')
			continue;
		if (std::string path = pathOfFileUri(line); !path.empty())
			paths.push_back(path);
	}
	return paths;
}

} // namespace VSTGUI
