#include "gui/base/cbaseobject.h"

#include <cstring>

namespace VSTGUI
{

void CBaseObject::forget()
{
	if (--nbReference == 0)
		delete this;
}

void CBaseObject::remember()
{
	++nbReference;
}

int32 CBaseObject::getNbReference() const
{
	return nbReference;
}

MessageResult CBaseObject::notify(CBaseObject*, const char*)
{
	return kMessageIgnored;
}

bool CBaseObject::isTypeOf(const char* className) const
{
	return className && std::strcmp(className, "CBaseObject") == 0;
}

CBaseObject* CBaseObject::newCopy() const
{
	return nullptr;
}

CBaseObjectGuard::CBaseObjectGuard(CBaseObject* object) : object(object)
{
	if (object)
		object->remember();
}

CBaseObjectGuard::~CBaseObjectGuard()
{
	if (object)
		object->forget();
}

} // namespace VSTGUI
