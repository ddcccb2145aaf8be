// The platform form of a toolkit text: a validated private copy of the UTF-8
// bytes, which is what Pango takes.
#pragma once

#include "gui/base/iplatformstring.h"

#include <string>

namespace VSTGUI
{

class PangoString : public IPlatformString
{
public:
	// text may be null; invalid UTF-8 is held as no text at all, like null.
	explicit PangoString(const char* text);
	// The platform's string factory: count 1, owned by the caller.
	static IPlatformString* create(const char* utf8String);

	void setUTF8String(const char* text) override;

	// False for a null or invalid text; the painter then draws nothing and
	// measures 0.
	bool hasText() const { return valid; }
	const std::string& getText() const { return text; }

private:
	std::string text;
	bool valid{false};
};

} // namespace VSTGUI
