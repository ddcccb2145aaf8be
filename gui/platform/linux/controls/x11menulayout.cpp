#include "gui/platform/linux/controls/x11menulayout.h"

#include "gui/base/cbuttonstate.h"
#include "gui/controls/cmenuitem.h"
#include "gui/controls/coptionmenu.h"
#include "gui/drawing/cbitmap.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace VSTGUI
{

namespace X11MenuText
{

std::string prefixed(const char* title, int32 position, int32 prefixNumbers)
{
	const char* format = nullptr;
	switch (prefixNumbers)
	{
		case 2: format = "%1d "; break;
		case 3: format = "%02d "; break;
		case 4: format = "%03d "; break;
		default: break;
	}
	std::string text;
	if (format)
	{
		char number[16];
		std::snprintf(number, sizeof(number), format, static_cast<int>(position));
		text = number;
	}
	return text + (title ? title : "");
}

std::string keyEquivalent(const char* keyCode, int32 modifiers)
{
	if (keyCode == nullptr || *keyCode == 0)
		return {};
	// Control is the primary shortcut modifier on a PC keyboard and comes
	// first, as in every Linux desktop's menus.
	std::string text;
	if (modifiers & kModifierControl)
		text += "Ctrl+";
	if (modifiers & kModifierAlt)
		text += "Alt+";
	if (modifiers & kModifierShift)
		text += "Shift+";
	if (modifiers & kModifierCommand)
		text += "Super+";
	if (std::strlen(keyCode) == 1 && *keyCode >= 'a' && *keyCode <= 'z')
		text += static_cast<char>(*keyCode - 'a' + 'A');
	else
		text += keyCode;
	return text;
}

} // namespace X11MenuText

X11MenuLayout::X11MenuLayout(std::vector<X11MenuEntry> list, const Options& options, const MeasureText& measureText)
: entries(std::move(list))
{
	for (X11MenuEntry& entry : entries)
	{
		if (entry.icon)
			entry.icon->remember();
		if (entry.submenu)
			entry.submenu->remember();
	}
	measure(measureText, options.minWidth);
	arrange(options);
}

X11MenuLayout::~X11MenuLayout()
{
	for (X11MenuEntry& entry : entries)
	{
		if (entry.icon)
			entry.icon->forget();
		if (entry.submenu)
			entry.submenu->forget();
	}
}

std::vector<X11MenuEntry> X11MenuLayout::entriesOf(COptionMenu* menu, bool toggleCheck, bool markCurrent)
{
	std::vector<X11MenuEntry> list;
	auto current = static_cast<int32>(menu->getValue());
	for (int32 i = 0; i < menu->getNbEntries(); ++i)
	{
		CMenuItem* item = menu->getEntry(i);
		X11MenuEntry entry;
		if (item->isSeparator())
			entry.kind = X11MenuEntry::Kind::kSeparator;
		else if (item->isTitle())
			entry.kind = X11MenuEntry::Kind::kTitle;
		if (entry.kind != X11MenuEntry::Kind::kSeparator)
		{
			// Entries that open a sub-menu carry their plain title; only
			// the entries one can choose (and titles) are numbered.
			entry.submenu = item->getSubmenu();
			int32 numbers = entry.submenu ? 0 : menu->getPrefixNumbers();
			entry.label = X11MenuText::prefixed(item->getTitle(), i + 1, numbers);
			entry.keyText = X11MenuText::keyEquivalent(item->getKeycode(), item->getKeyModifiers());
			entry.icon = item->getIcon();
		}
		entry.enabled = item->isEnabled();
		entry.checked = toggleCheck ? item->isChecked() : markCurrent && i == current;
		list.push_back(std::move(entry));
	}
	return list;
}

void X11MenuLayout::measure(const MeasureText& measureText, double minWidth)
{
	for (const X11MenuEntry& entry : entries)
	{
		if (entry.kind == X11MenuEntry::Kind::kSeparator)
			continue;
		if (entry.icon)
			iconWidth = std::max(iconWidth, std::ceil(entry.icon->getWidth()) + kIconGap);
		double indent = entry.kind == X11MenuEntry::Kind::kTitle ? kTitleIndent : 0.;
		labelWidth = std::max(labelWidth, indent + std::ceil(measureText(entry.label)));
		if (!entry.keyText.empty())
			keyWidth = std::max(keyWidth, kKeyGap + std::ceil(measureText(entry.keyText)));
	}
	width = std::max(kCheckColumn + iconWidth + labelWidth + keyWidth + kArrowColumn + kRightMargin, minWidth);
}

// Rows go down a column until the column holds itemsPerColumn entries or
// the next row would pass maxHeight; then a new column starts. A menu taller
// than the screen thereby spreads over columns instead of running off it.
void X11MenuLayout::arrange(const Options& options)
{
	double columnWidth = width;
	double x = 0.;
	double y = kPadding;
	int32 inColumn = 0;
	double bottom = kPadding;
	for (const X11MenuEntry& entry : entries)
	{
		double rowHeight = kRowHeight;
		if (entry.kind == X11MenuEntry::Kind::kSeparator)
			rowHeight = kSeparatorHeight;
		else if (entry.icon)
			rowHeight = std::max(kRowHeight, std::ceil(entry.icon->getHeight()) + 4.);
		bool full = options.itemsPerColumn > 0 && inColumn >= options.itemsPerColumn;
		bool tooTall = inColumn > 0 && y + rowHeight + kPadding > options.maxHeight;
		if (full || tooTall)
		{
			x += columnWidth;
			y = kPadding;
			inColumn = 0;
			++columns;
		}
		rows.emplace_back(x, y, x + columnWidth, y + rowHeight);
		y += rowHeight;
		bottom = std::max(bottom, y);
		++inColumn;
	}
	width = columnWidth * columns;
	height = bottom + kPadding;
}

CRect X11MenuLayout::entryRect(int32 index) const
{
	if (index < 0 || index >= getCount())
		return {};
	return rows[static_cast<size_t>(index)];
}

CRect X11MenuLayout::checkRect(int32 index) const
{
	CRect row = entryRect(index);
	return CRect(row.left, row.top, row.left + kCheckColumn, row.bottom);
}

CRect X11MenuLayout::iconRect(int32 index) const
{
	CRect row = entryRect(index);
	const X11MenuEntry* entry = index >= 0 && index < getCount() ? &getEntry(index) : nullptr;
	if (entry == nullptr || entry->icon == nullptr)
		return CRect(row.left + kCheckColumn, row.top, row.left + kCheckColumn, row.bottom);
	double left = row.left + kCheckColumn;
	double top = row.top + std::floor((row.getHeight() - entry->icon->getHeight()) / 2.);
	return CRect(left, top, left + entry->icon->getWidth(), top + entry->icon->getHeight());
}

CRect X11MenuLayout::labelRect(int32 index) const
{
	CRect row = entryRect(index);
	double left = row.left + kCheckColumn + iconWidth;
	if (index >= 0 && index < getCount() && getEntry(index).kind == X11MenuEntry::Kind::kTitle)
		left += kTitleIndent;
	return CRect(left, row.top, row.right - kArrowColumn - kRightMargin - keyWidth, row.bottom);
}

CRect X11MenuLayout::keyRect(int32 index) const
{
	CRect row = entryRect(index);
	double right = row.right - kArrowColumn - kRightMargin;
	return CRect(right - keyWidth, row.top, right, row.bottom);
}

CRect X11MenuLayout::arrowRect(int32 index) const
{
	CRect row = entryRect(index);
	return CRect(row.right - kArrowColumn - kRightMargin, row.top, row.right - kRightMargin, row.bottom);
}

int32 X11MenuLayout::entryAt(const CPoint& where) const
{
	for (int32 i = 0; i < getCount(); ++i)
	{
		if (rows[static_cast<size_t>(i)].pointInside(where))
			return i;
	}
	return -1;
}

bool X11MenuLayout::isSelectable(int32 index) const
{
	if (index < 0 || index >= getCount())
		return false;
	const X11MenuEntry& entry = getEntry(index);
	return entry.kind == X11MenuEntry::Kind::kItem && entry.enabled;
}

bool X11MenuLayout::opensSubmenu(int32 index) const
{
	return isSelectable(index) && getEntry(index).submenu != nullptr;
}

bool X11MenuLayout::isChoosable(int32 index) const
{
	return isSelectable(index) && getEntry(index).submenu == nullptr;
}

int32 X11MenuLayout::nextSelectable(int32 from, int32 step) const
{
	int32 i = from < 0 ? (step > 0 ? 0 : getCount() - 1) : from + step;
	for (; i >= 0 && i < getCount(); i += step)
	{
		if (isSelectable(i))
			return i;
	}
	return from;
}

namespace X11MenuPlacement
{

CRect keepOnScreen(const CRect& rect, const CRect& screen)
{
	CRect r(rect);
	r.offset(std::min(0., screen.right - r.right), std::min(0., screen.bottom - r.bottom));
	r.offset(std::max(0., screen.left - r.left), std::max(0., screen.top - r.top));
	return r;
}

CRect below(const CPoint& size, const CRect& anchor, const CRect& screen)
{
	CRect r(CPoint(anchor.left, anchor.bottom), size);
	if (r.bottom > screen.bottom && anchor.top - size.y >= screen.top)
		r.moveTo(anchor.left, anchor.top - size.y);
	return keepOnScreen(r, screen);
}

CRect over(const CPoint& size, const CRect& anchor, const CRect& row, const CRect& screen)
{
	double middle = anchor.top + anchor.getHeight() / 2.;
	double top = std::round(middle - (row.top + row.bottom) / 2.);
	return keepOnScreen(CRect(CPoint(anchor.left - row.left, top), size), screen);
}

CRect beside(const CPoint& size, const CRect& anchor, const CRect& screen, double scale)
{
	CRect r(CPoint(anchor.right, anchor.top - X11MenuLayout::kPadding * scale), size);
	if (r.right > screen.right && anchor.left - size.x >= screen.left)
		r.moveTo(anchor.left - size.x, r.top);
	return keepOnScreen(r, screen);
}

} // namespace X11MenuPlacement
} // namespace VSTGUI
