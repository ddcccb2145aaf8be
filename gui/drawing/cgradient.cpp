#include "gui/drawing/cgradient.h"

#include <cstring>

namespace VSTGUI
{

bool CGradient::isTypeOf(const char* className) const
{
	return (className && std::strcmp(className, "CGradient") == 0) || CBaseObject::isTypeOf(className);
}

} // namespace VSTGUI
