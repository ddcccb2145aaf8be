#include "gui/platform/linux/text/pangostring.h"

#include <glib.h>

namespace VSTGUI
{

IPlatformString* PangoString::create(const char* utf8String)
{
	return new PangoString(utf8String);
}

PangoString::PangoString(const char* text)
{
	setUTF8String(text);
}

void PangoString::setUTF8String(const char* newText)
{
	valid = newText && g_utf8_validate(newText, -1, nullptr);
	text = valid ? newText : "";
}

} // namespace VSTGUI
