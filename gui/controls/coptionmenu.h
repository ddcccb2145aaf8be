// A control that shows the title of its current entry like a parameter
// display and, when clicked or when Return is pressed while it has the
// focus, opens the platform's pop-up menu built from its entries. Its value
// is the position of the chosen entry; entries may carry sub-menus, which are
// option menus themselves.
//
// Ownership: every list position holds one reference to its item, the one
// handed over by addEntry and given back by removeEntry, removeAllEntry or
// the destructor. The click background is remembered while set. The menu of
// the last choice is not remembered: getLastItemMenu answers it only while it
// is still this menu or one of its sub-menus. User-interface thread only.
#pragma once

#include "gui/base/cbuttonstate.h"
#include "gui/controls/cparamdisplay.h"
#include "gui/controls/iplatformoptionmenu.h"

#include <vector>

namespace VSTGUI
{

class CMenuItem;

// Style bits of the option menu, beside those of the display.
enum COptionMenuStyle : int32
{
	// Choosing an entry toggles its check mark; check marks are shown.
	kOptionToggleCheck = 0x1,
	// The pop-up opens over the control with the current entry selected;
	// otherwise it pulls down below the control.
	kOptionPopupMode = 0x200,
	// Without kOptionToggleCheck the current entry is shown checked.
	kOptionMarkCurrent = 0x400
};

class COptionMenu : public CParamDisplay
{
public:
	COptionMenu(const CRect& size, CControlListener* listener, int32 tag, CBitmap* background = nullptr,
	            CBitmap* clickBackground = nullptr, int32 style = 0);
	// Empty, of zero size, without listener.
	COptionMenu();
	// Shares the entries (one more reference to each), the column hint and
	// the click background; nothing of the last pop-up is copied.
	COptionMenu(const COptionMenu& menu);
	~COptionMenu() override;

	// Takes over the caller's reference to item. index -1 (or any negative
	// index, or one past the end) appends; otherwise item goes before the
	// entry at index. Answers item; a null item adds nothing.
	virtual CMenuItem* addEntry(CMenuItem* item, int32 index = -1);
	// Appends an entry titled title that opens submenu.
	virtual CMenuItem* addEntry(COptionMenu* submenu, const char* title);
	// The title "-" adds a separator.
	virtual CMenuItem* addEntry(const char* title, int32 index = -1, int32 itemFlags = 0);
	virtual CMenuItem* addSeparator(int32 index = -1);
	virtual CMenuItem* getCurrent() const;
	// Without separators the separators up to the current entry are not
	// counted.
	virtual int32 getCurrentIndex(bool includeSeparators = false) const;
	// An index of 0 or less gives the first entry; null past the end.
	virtual CMenuItem* getEntry(int32 index) const;
	// Separators included.
	virtual int32 getNbEntries() const;
	// Without includeSeparators, index counts only the entries that are not
	// separators. false for a missing entry or a separator.
	virtual bool setCurrent(int32 index, bool includeSeparators = false);
	// Removes every position holding that entry's item; false without one.
	virtual bool removeEntry(int32 index);
	virtual bool removeAllEntry();
	virtual bool checkEntry(int32 index, bool state);
	// Checks the entry at index and unchecks every other one.
	virtual bool checkEntryAlone(int32 index);
	virtual bool isCheckEntry(int32 index) const;
	// A layout hint for the pop-up; -1 leaves it to the platform.
	virtual void setNbItemsPerColumn(int32 count);
	virtual int32 getNbItemsPerColumn() const;
	// 0 to 4; other values are ignored.
	virtual void setPrefixNumbers(int32 digits);

	int32 getPrefixNumbers() const { return prefixNumbers; }
	// Not owned by the caller; null without an entry or a sub-menu.
	COptionMenu* getSubMenu(int32 index) const;
	// The menu of the last choice (this menu or a sub-menu) with index set to
	// its value; null and -1 when there is none.
	COptionMenu* getLastItemMenu(int32& index) const;
	int32 getLastChoiceIndex() const { return lastChoiceIndex; }
	CButtonState getLastMouseButtons() const { return lastMouseButtons; }
	bool isMenuOpen() const { return menuOpen; }

	// Opens the pop-up modally in the menu's frame; true when a choice was
	// made. false when the menu is not in a frame.
	bool popup();
	// Opens the menu at where (frame coordinates) in frame, which it must
	// not be attached to, and restores the frame's focus afterwards. The
	// caller keeps its reference.
	bool popup(CFrame* frame, const CPoint& where);

	// CParamDisplay, CControl and CView
	void setValue(float value) override;
	void setMin(float value) override;
	float getMin() const override;
	void setMax(float value) override;
	// The number of entries minus one; 0 for an empty menu.
	float getMax() const override;
	void draw(CDrawContext* context) override;
	MouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
	int32 onKeyDown(VstKeyCode& keyCode) override;
	void takeFocus() override;
	void looseFocus() override;
	bool isTypeOf(const char* className) const override;
	CBaseObject* newCopy() const override { return new COptionMenu(*this); }

protected:
	// The entry at index, or null outside the list.
	CMenuItem* entryAt(int32 index) const;
	// The list position of the index-th entry that is not a separator, or -1.
	int32 positionOfNonSeparator(int32 index) const;
	// The nearest entry from start in direction step that arrow keys may
	// select, or -1.
	int32 findSelectable(int32 start, int32 step) const;
	bool selectByArrow(int32 start, int32 step);
	void toggleCheckOfCurrent();
	bool openAndRedraw();
	bool applyChoice(const OptionMenuChoice& choice);
	bool containsMenu(const COptionMenu* menu) const;
	void notifyLooseFocus();

	std::vector<CMenuItem*> menuItems;
	bool menuOpen{false};
	int32 currentIndex{-1};
	CButtonState lastMouseButtons;
	int32 nbItemsPerColumn{-1};
	int32 lastChoiceIndex{-1};
	int32 prefixNumbers{0};
	CBitmap* clickBackground{nullptr};
	COptionMenu* lastChoiceMenu{nullptr};
};

} // namespace VSTGUI
