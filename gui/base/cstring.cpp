#include "gui/base/cstring.h"

#include "gui/base/iplatformstring.h"

namespace VSTGUI
{

CString::CString(const char* utf8String)
: utf8String(utf8String), platformString(IPlatformString::createWithUTF8String(utf8String))
{
}

CString::CString(const CString& other) : CString(other.utf8String) {}

CString& CString::operator=(const CString& other)
{
	setUTF8String(other.utf8String);
	return *this;
}

CString::~CString()
{
	if (platformString)
		platformString->forget();
}

void CString::setUTF8String(const char* newString)
{
	utf8String = newString;
	if (platformString)
		platformString->setUTF8String(newString);
}

} // namespace VSTGUI
