#include "gui/drawing/cresourcedescription.h"

#include <cstdio>

namespace VSTGUI
{

std::vector<std::string> CResourceDescription::getFileNameCandidates() const
{
	if (type == kStringType)
		return {u.name};
	if (type != kIntegerType)
		return {};
	// "bmp%05d" of any 32-bit id fits easily.
	char stem[32];
	std::snprintf(stem, sizeof(stem), "bmp%05d", static_cast<int>(u.id));
	std::vector<std::string> names;
	for (const char* extension : {"png", "bmp", "jpg", "pict"})
		names.push_back(std::string(stem) + "." + extension);
	return names;
}

} // namespace VSTGUI
