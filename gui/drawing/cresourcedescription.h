// Names a bitmap resource: a numeric id or a file name.
#pragma once

#include "gui/base/vstguitypes.h"

#include <string>
#include <vector>

namespace VSTGUI
{

class CResourceDescription
{
public:
	enum Type : int32
	{
		kIntegerType = 0,
		kStringType = 1,
		kUnknownType = 2
	};

	constexpr CResourceDescription() = default;
	constexpr CResourceDescription(int32 id) : type(kIntegerType) { u.id = id; }
	// The name is not copied: the caller keeps it alive. Null names no
	// resource (kUnknownType).
	constexpr CResourceDescription(const char* name) : type(name ? kStringType : kUnknownType) { u.name = name; }

	// The file names to try, in order: a name as it stands, extension
	// included; an id as "bmp%05d" with png, bmp, jpg and pict; none otherwise.
	std::vector<std::string> getFileNameCandidates() const;

	Type type{kUnknownType};
	union
	{
		int32 id;
		const char* name;
	} u{0};
};

} // namespace VSTGUI
