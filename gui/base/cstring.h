// A UTF-8 text handed to the platform. The text is NOT copied: the caller
// keeps it alive while the CString refers to it. The platform form is
// created by the platform library's IPlatformString factory.
#pragma once

#include "gui/base/cbaseobject.h"

namespace VSTGUI
{

class IPlatformString;

class CString : public CBaseObject
{
public:
	// utf8String may be null.
	explicit CString(const char* utf8String = nullptr);
	// Refers to the same text with a platform string of its own.
	CString(const CString& other);
	CString& operator=(const CString& other);
	~CString() override;

	// Replaces the pointer and rebuilds the platform form (empty for null).
	void setUTF8String(const char* utf8String);
	const char* getUTF8String() const { return utf8String; }
	// Owned by this object; null only when the platform could not create one.
	IPlatformString* getPlatformString() const { return platformString; }

private:
	const char* utf8String{nullptr};
	IPlatformString* platformString{nullptr};
};

} // namespace VSTGUI
