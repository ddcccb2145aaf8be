#include "gui/controls/cmenuitem.h"

#include "gui/controls/coptionmenu.h"
#include "gui/drawing/cbitmap.h"

#include <cstring>

namespace VSTGUI
{

namespace
{

// The old copy is freed only after the new one exists, so that text may
// point into the old copy.
void replaceText(char*& field, const char* text)
{
	char* copy = nullptr;
	if (text)
	{
		std::size_t length = std::strlen(text) + 1;
		copy = new char[length];
		std::memcpy(copy, text, length);
	}
	delete[] field;
	field = copy;
}

// The new object is remembered before the old one is forgotten: the two may
// be the same.
template <typename T> void replaceObject(T*& field, T* object)
{
	if (object)
		object->remember();
	if (field)
		field->forget();
	field = object;
}

} // namespace

CMenuItem::CMenuItem(const char* title, const char* keyCode, int32 keyModifiers, CBitmap* icon, int32 itemFlags)
: itemFlags(itemFlags)
{
	setTitle(title);
	setKey(keyCode, keyModifiers);
	setIcon(icon);
}

CMenuItem::CMenuItem(const char* title, COptionMenu* submenu, CBitmap* icon)
{
	setTitle(title);
	setSubmenu(submenu);
	setIcon(icon);
}

CMenuItem::CMenuItem(const char* title, int32 tag) : tag(tag)
{
	setTitle(title);
}

CMenuItem::~CMenuItem()
{
	setIcon(nullptr);
	setSubmenu(nullptr);
	replaceText(title, nullptr);
	replaceText(keyCode, nullptr);
}

void CMenuItem::setTitle(const char* newTitle)
{
	replaceText(title, newTitle);
}

void CMenuItem::setSubmenu(COptionMenu* newSubmenu)
{
	replaceObject(submenu, newSubmenu);
}

void CMenuItem::setKey(const char* newKeyCode, int32 newKeyModifiers)
{
	replaceText(keyCode, newKeyCode);
	keyModifiers = newKeyModifiers;
}

void CMenuItem::setEnabled(bool state)
{
	setFlag(kItemDisabled, !state);
}

void CMenuItem::setChecked(bool state)
{
	setFlag(kItemChecked, state);
}

void CMenuItem::setIsTitle(bool state)
{
	setFlag(kItemTitle, state);
}

void CMenuItem::setIsSeparator(bool state)
{
	setFlag(kItemSeparator, state);
}

void CMenuItem::setIcon(CBitmap* newIcon)
{
	replaceObject(icon, newIcon);
}

void CMenuItem::setTag(int32 newTag)
{
	tag = newTag;
}

void CMenuItem::setFlag(int32 flag, bool state)
{
	if (state)
		itemFlags |= flag;
	else
		itemFlags &= ~flag;
}

bool CMenuItem::isTypeOf(const char* className) const
{
	return (className && std::strcmp(className, "CMenuItem") == 0) || CBaseObject::isTypeOf(className);
}

} // namespace VSTGUI
