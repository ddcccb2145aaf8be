#include "gui/controls/coptionmenu.h"

#include "gui/base/messageids.h"
#include "gui/controls/cmenuitem.h"
#include "gui/drawing/cbitmap.h"
#include "gui/views/cframe.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace VSTGUI
{

namespace
{

// The buttons and modifier that open the pop-up.
constexpr int32 kPopupButtons = kButtonLeft | kButtonRight | kModifierCommand;

bool isSeparatorItem(const CMenuItem* item)
{
	return item && item->isSeparator();
}

} // namespace

COptionMenu::COptionMenu(const CRect& size, CControlListener* listener, int32 tag, CBitmap* background,
                         CBitmap* newClickBackground, int32 style)
: CParamDisplay(size, background, style), lastMouseButtons(kButtonRight), clickBackground(newClickBackground)
{
	this->listener = listener;
	this->tag = tag;
	if (clickBackground)
		clickBackground->remember();
	setWantsFocus(true);
}

COptionMenu::COptionMenu() : CParamDisplay(CRect(0, 0, 0, 0), nullptr, 0)
{
	setWantsFocus(true);
}

COptionMenu::COptionMenu(const COptionMenu& menu)
: CParamDisplay(menu), menuItems(menu.menuItems), nbItemsPerColumn(menu.nbItemsPerColumn),
  clickBackground(menu.clickBackground)
{
	for (CMenuItem* item : menuItems)
		item->remember();
	if (clickBackground)
		clickBackground->remember();
}

COptionMenu::~COptionMenu()
{
	COptionMenu::removeAllEntry();
	if (clickBackground)
		clickBackground->forget();
}

// ---------------------------------------------------------------------------
// Entries

CMenuItem* COptionMenu::addEntry(CMenuItem* item, int32 index)
{
	if (!item)
		return nullptr;
	if (index < 0 || index >= getNbEntries())
		menuItems.push_back(item);
	else
		menuItems.insert(menuItems.begin() + index, item);
	return item;
}

CMenuItem* COptionMenu::addEntry(COptionMenu* submenu, const char* title)
{
	return addEntry(new CMenuItem(title, submenu), -1);
}

CMenuItem* COptionMenu::addEntry(const char* title, int32 index, int32 itemFlags)
{
	if (title && std::strcmp(title, "-") == 0)
		return addSeparator(index);
	return addEntry(new CMenuItem(title, nullptr, 0, nullptr, itemFlags), index);
}

CMenuItem* COptionMenu::addSeparator(int32 index)
{
	return addEntry(new CMenuItem("", nullptr, 0, nullptr, CMenuItem::kItemSeparator), index);
}

CMenuItem* COptionMenu::getCurrent() const
{
	return getEntry(currentIndex);
}

int32 COptionMenu::getCurrentIndex(bool includeSeparators) const
{
	if (includeSeparators)
		return currentIndex;
	int32 last = std::min(currentIndex, getNbEntries() - 1);
	int32 separators = 0;
	for (int32 i = 0; i <= last; ++i)
		separators += isSeparatorItem(menuItems[static_cast<std::size_t>(i)]) ? 1 : 0;
	return currentIndex - separators;
}

CMenuItem* COptionMenu::getEntry(int32 index) const
{
	return entryAt(std::max(index, 0));
}

CMenuItem* COptionMenu::entryAt(int32 index) const
{
	if (index < 0 || index >= getNbEntries())
		return nullptr;
	return menuItems[static_cast<std::size_t>(index)];
}

int32 COptionMenu::getNbEntries() const
{
	return static_cast<int32>(menuItems.size());
}

int32 COptionMenu::positionOfNonSeparator(int32 index) const
{
	if (index < 0)
		return -1;
	for (int32 position = 0; position < getNbEntries(); ++position)
	{
		if (isSeparatorItem(entryAt(position)))
			continue;
		if (index-- == 0)
			return position;
	}
	return -1;
}

bool COptionMenu::setCurrent(int32 index, bool includeSeparators)
{
	int32 position = includeSeparators ? index : positionOfNonSeparator(index);
	CMenuItem* item = entryAt(position);
	if (!item || item->isSeparator())
		return false;
	currentIndex = position;
	if (style & kOptionToggleCheck)
		toggleCheckOfCurrent();
	setDirty(true);
	return true;
}

void COptionMenu::toggleCheckOfCurrent()
{
	if (CMenuItem* item = entryAt(currentIndex))
		item->setChecked(!item->isChecked());
}

// An item listed at several positions holds one reference per position.
bool COptionMenu::removeEntry(int32 index)
{
	CMenuItem* item = entryAt(index);
	if (!item)
		return false;
	auto removed = std::remove(menuItems.begin(), menuItems.end(), item);
	auto count = std::distance(removed, menuItems.end());
	menuItems.erase(removed, menuItems.end());
	while (count-- > 0)
		item->forget();
	return true;
}

// The list is emptied before any item goes, so that a sub-menu that dies
// with its item never finds this menu half cleared.
bool COptionMenu::removeAllEntry()
{
	std::vector<CMenuItem*> items;
	items.swap(menuItems);
	for (CMenuItem* item : items)
		item->forget();
	return true;
}

bool COptionMenu::checkEntry(int32 index, bool state)
{
	CMenuItem* item = entryAt(index);
	if (!item)
		return false;
	item->setChecked(state);
	return true;
}

bool COptionMenu::checkEntryAlone(int32 index)
{
	for (int32 i = 0; i < getNbEntries(); ++i)
		entryAt(i)->setChecked(i == index);
	return true;
}

bool COptionMenu::isCheckEntry(int32 index) const
{
	CMenuItem* item = entryAt(index);
	return item && item->isChecked();
}

void COptionMenu::setNbItemsPerColumn(int32 count)
{
	nbItemsPerColumn = count;
}

int32 COptionMenu::getNbItemsPerColumn() const
{
	return nbItemsPerColumn;
}

void COptionMenu::setPrefixNumbers(int32 digits)
{
	if (digits >= 0 && digits <= 4)
		prefixNumbers = digits;
}

COptionMenu* COptionMenu::getSubMenu(int32 index) const
{
	CMenuItem* item = entryAt(index);
	return item ? item->getSubmenu() : nullptr;
}

COptionMenu* COptionMenu::getLastItemMenu(int32& index) const
{
	if (!lastChoiceMenu || !containsMenu(lastChoiceMenu))
	{
		index = -1;
		return nullptr;
	}
	index = static_cast<int32>(lastChoiceMenu->getValue());
	return lastChoiceMenu;
}

// The last choice is not remembered, so it is trusted only while it can
// still be reached from here.
bool COptionMenu::containsMenu(const COptionMenu* menu) const
{
	if (menu == this)
		return true;
	for (CMenuItem* item : menuItems)
	{
		COptionMenu* submenu = item->getSubmenu();
		if (submenu && submenu != this && submenu->containsMenu(menu))
			return true;
	}
	return false;
}

// ---------------------------------------------------------------------------
// Value and range: the value is the position of the current entry.

void COptionMenu::setValue(float newValue)
{
	if (!(newValue > -1.f) || newValue >= static_cast<float>(getNbEntries()))
		return;
	currentIndex = static_cast<int32>(newValue);
	if (style & kOptionToggleCheck)
		toggleCheckOfCurrent();
	CParamDisplay::setValue(static_cast<float>(currentIndex));
	setDirty(true);
}

void COptionMenu::setMin(float) {}

float COptionMenu::getMin() const
{
	return 0.f;
}

void COptionMenu::setMax(float) {}

float COptionMenu::getMax() const
{
	return static_cast<float>(std::max(getNbEntries() - 1, 0));
}

// ---------------------------------------------------------------------------
// Drawing, mouse, keys and focus

void COptionMenu::draw(CDrawContext* context)
{
	drawBack(context, menuOpen ? clickBackground : nullptr);
	CMenuItem* item = getEntry(currentIndex);
	if (item)
		drawText(context, item->getTitle());
	setDirty(false);
}

MouseEventResult COptionMenu::onMouseDown(CPoint&, const CButtonState& buttons)
{
	lastMouseButtons = buttons;
	if ((buttons & kPopupButtons) == 0)
		return kMouseNotHandled;
	CBaseObjectGuard guard(this);
	if (clickBackground)
		invalid();
	if (CFrame* frame = getFrame())
		frame->setFocusView(this);
	popup();
	if (clickBackground)
		invalid();
	return kMouseHandledNoFollowUp;
}

// The click background is shown only while the pop-up is open.
bool COptionMenu::openAndRedraw()
{
	if (clickBackground)
		invalid();
	bool chosen = popup();
	if (clickBackground)
		invalid();
	return chosen;
}

int32 COptionMenu::onKeyDown(VstKeyCode& keyCode)
{
	if (keyCode.modifier != 0 || keyCode.character != 0)
		return -1;
	if (keyCode.virt == VKEY_RETURN)
	{
		CBaseObjectGuard guard(this);
		openAndRedraw();
		return 1;
	}
	if (style & kOptionToggleCheck)
		return -1;
	const int32 current = static_cast<int32>(getValue());
	if (keyCode.virt == VKEY_UP)
		selectByArrow(current - 1, -1);
	else if (keyCode.virt == VKEY_DOWN)
		selectByArrow(current + 1, 1);
	else
		return -1;
	return 1;
}

int32 COptionMenu::findSelectable(int32 start, int32 step) const
{
	for (int32 i = start; i >= 0 && i < getNbEntries(); i += step)
	{
		const CMenuItem* item = entryAt(i);
		if (!item->isSeparator() && !item->isTitle() && item->isEnabled() && !item->getSubmenu())
			return i;
	}
	return -1;
}

// An arrow key is a complete user edit of one step.
bool COptionMenu::selectByArrow(int32 start, int32 step)
{
	int32 index = findSelectable(start, step);
	if (index < 0)
		return false;
	CBaseObjectGuard guard(this);
	beginEdit();
	setValue(static_cast<float>(index));
	lastChoiceIndex = static_cast<int32>(getValue());
	valueChanged();
	endEdit();
	invalid();
	return true;
}

void COptionMenu::takeFocus() {}

void COptionMenu::looseFocus()
{
	notifyLooseFocus();
}

void COptionMenu::notifyLooseFocus()
{
	CView* receiver = getParentView();
	if (!receiver)
		receiver = getFrame();
	for (; receiver; receiver = receiver->getParentView())
	{
		if (receiver->notify(this, kMsgLooseFocus) == kMessageHandled)
			break;
	}
}

// ---------------------------------------------------------------------------
// The pop-up

bool COptionMenu::popup()
{
	CFrame* frame = getFrame();
	if (!frame)
		return false;
	CBaseObjectGuard guard(this);
	menuOpen = true;
	beginEdit();
	lastChoiceIndex = -1;
	lastChoiceMenu = nullptr;
	bool chosen = false;
	IPlatformFrame* platformFrame = frame->getPlatformFrame();
	if (IPlatformOptionMenu* platformMenu = platformFrame ? platformFrame->createPlatformOptionMenu() : nullptr)
	{
		chosen = applyChoice(platformMenu->popup(this));
		platformMenu->forget();
	}
	endEdit();
	menuOpen = false;
	return chosen;
}

// The root's listener hears of every choice, also of one in a sub-menu.
bool COptionMenu::applyChoice(const OptionMenuChoice& choice)
{
	if (!choice.menu)
		return false;
	CBaseObjectGuard guard(choice.menu);
	deferChanges(true);
	lastChoiceMenu = choice.menu;
	lastChoiceIndex = choice.index;
	choice.menu->setValue(static_cast<float>(choice.index));
	valueChanged();
	invalid();
	deferChanges(false);
	return true;
}

bool COptionMenu::popup(CFrame* frame, const CPoint& where)
{
	if (!frame || isAttached())
		return false;
	CView* savedFocus = frame->getFocusView();
	CBaseObjectGuard focusGuard(savedFocus);
	CBaseObjectGuard frameGuard(frame);
	CRect rect(where.x, where.y, where.x, where.y);
	setViewSize(rect, false);
	setMouseableArea(rect);
	frame->addView(this);
	bool chosen = popup();
	frame->removeView(this, false);
	frame->setFocusView(savedFocus);
	return chosen;
}

bool COptionMenu::isTypeOf(const char* className) const
{
	return (className && std::strcmp(className, "COptionMenu") == 0) || CParamDisplay::isTypeOf(className);
}

} // namespace VSTGUI
