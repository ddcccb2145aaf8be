// One entry of an option menu: a title with an optional check mark, icon,
// key equivalent and sub-menu, or a title line or separator.
//
// Ownership: a new item has a count of 1, owned by its creator, who usually
// hands it to a menu with COptionMenu::addEntry. The item holds one
// reference to its sub-menu and to its icon, taken by the setters and
// constructors and given back when replaced or by the destructor. Title and
// key code are private copies. User-interface thread only.
#pragma once

#include "gui/base/cbaseobject.h"

namespace VSTGUI
{

class CBitmap;
class COptionMenu;

class CMenuItem : public CBaseObject
{
public:
	enum Flags : int32
	{
		kNoFlags = 0,
		kItemDisabled = 1 << 0,
		kItemTitle = 1 << 1,
		kItemChecked = 1 << 2,
		kItemSeparator = 1 << 3
	};

	// keyModifiers are CButtonState modifier bits.
	explicit CMenuItem(const char* title, const char* keyCode = nullptr, int32 keyModifiers = 0,
	                   CBitmap* icon = nullptr, int32 itemFlags = kNoFlags);
	CMenuItem(const char* title, COptionMenu* submenu, CBitmap* icon = nullptr);
	CMenuItem(const char* title, int32 tag);
	CMenuItem(const CMenuItem&) = delete;
	CMenuItem& operator=(const CMenuItem&) = delete;
	~CMenuItem() override;

	// A copy of title; null leaves no title.
	virtual void setTitle(const char* title);
	// Remembers submenu (may be null) and forgets the old one.
	virtual void setSubmenu(COptionMenu* submenu);
	// A copy of keyCode (null: no key equivalent) and its modifiers.
	virtual void setKey(const char* keyCode, int32 keyModifiers = 0);
	virtual void setEnabled(bool state = true);
	virtual void setChecked(bool state = true);
	virtual void setIsTitle(bool state = true);
	virtual void setIsSeparator(bool state = true);
	// Remembers icon (may be null) and forgets the old one.
	virtual void setIcon(CBitmap* icon);
	virtual void setTag(int32 tag);

	// Null when unset; owned by the item.
	const char* getTitle() const { return title; }
	const char* getKeycode() const { return keyCode; }
	int32 getKeyModifiers() const { return keyModifiers; }
	// Not owned by the caller.
	COptionMenu* getSubmenu() const { return submenu; }
	CBitmap* getIcon() const { return icon; }
	int32 getTag() const { return tag; }
	int32 getFlags() const { return itemFlags; }
	bool isEnabled() const { return (itemFlags & kItemDisabled) == 0; }
	bool isChecked() const { return (itemFlags & kItemChecked) != 0; }
	bool isTitle() const { return (itemFlags & kItemTitle) != 0; }
	bool isSeparator() const { return (itemFlags & kItemSeparator) != 0; }

	bool isTypeOf(const char* className) const override;

protected:
	void setFlag(int32 flag, bool state);

private:
	char* title{nullptr};
	char* keyCode{nullptr};
	COptionMenu* submenu{nullptr};
	CBitmap* icon{nullptr};
	int32 itemFlags{kNoFlags};
	int32 keyModifiers{0};
	int32 tag{-1};
};

} // namespace VSTGUI
