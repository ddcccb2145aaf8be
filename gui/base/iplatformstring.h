// The platform's form of a text. Implemented by the platform library.
#pragma once

#include "gui/base/cbaseobject.h"

namespace VSTGUI
{

class IPlatformString : public CBaseObject
{
public:
	// A new platform string (count 1, owned by the caller) holding the text
	// converted from UTF-8; it holds nothing for null or undecodable text.
	// Implemented by the platform library.
	static IPlatformString* createWithUTF8String(const char* utf8String = nullptr);

	// Drops the held platform text and converts the new one (nothing for null).
	virtual void setUTF8String(const char* utf8String) = 0;
};

} // namespace VSTGUI
