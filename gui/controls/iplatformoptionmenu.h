// The boundary between an option menu and the native pop-up menu.
//
// The platform frame makes the pop-up (IPlatformFrame::createPlatformOptionMenu).
// popup() builds the native menu from the option menu's entries (and, for an
// entry with a sub-menu, from that option menu), runs it modally and answers
// where the user chose. It must present: one native item per entry, in order;
// separators as separators; sub-menus as native sub-menus; titles prefixed by
// their 1-based position when the menu's prefix numbers are 2, 3 or 4
// ("%1d ", "%02d ", "%03d "); title entries indented; disabled and title
// entries not selectable; check marks with kOptionToggleCheck, or on the
// current entry with kOptionMarkCurrent; key equivalents and icons. With
// kOptionPopupMode it pops up over the control (frame coordinates) with the
// current entry selected, otherwise it pulls down below the control.
//
// Ownership: the option menu creates the pop-up, calls popup() once and
// forgets it; the pop-up holds no reference to the menus it shows. The menus
// stay alive for the whole call. User-interface thread only.
#pragma once

#include "gui/base/cbaseobject.h"

namespace VSTGUI
{

class COptionMenu;

// Where a pop-up ended: the menu (the root or one of its sub-menus, not
// owned) in which an entry was chosen and that entry's position in it,
// separators included. A null menu means the user dismissed the pop-up.
struct OptionMenuChoice
{
	COptionMenu* menu{nullptr};
	int32 index{-1};
};

class IPlatformOptionMenu : public CBaseObject
{
public:
	virtual OptionMenuChoice popup(COptionMenu* optionMenu) = 0;
};

} // namespace VSTGUI
