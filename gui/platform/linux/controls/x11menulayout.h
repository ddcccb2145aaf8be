// Where the pop-up menu puts things, without a server: the entries of one
// (sub)menu as the pop-up shows them, their rectangles in rows and columns,
// which of them the user may highlight or choose, arrow-key stepping, and
// the placement of a menu window on the screen.
//
// Units: pixels. Entry rectangles are in the menu window's coordinates
// (origin top-left, y down); placement works in root-window coordinates.
//
// Ownership: X11MenuLayout remembers the icon and the sub-menu of every
// entry for its own life, so that a menu changed or released while the
// pop-up is open cannot pull them away. User-interface thread only.
#pragma once

#include "gui/base/crect.h"
#include "gui/base/vstguitypes.h"

#include <functional>
#include <string>
#include <vector>

namespace VSTGUI
{

class CBitmap;
class COptionMenu;

// One entry of a menu as the pop-up presents it.
struct X11MenuEntry
{
	enum class Kind
	{
		kItem,
		kSeparator,
		kTitle
	};
	Kind kind{Kind::kItem};
	// The title with its position number, when the menu asks for numbers.
	std::string label;
	// The key equivalent with its modifiers, e.g. "Ctrl+S"; empty for none.
	std::string keyText;
	bool enabled{true};
	bool checked{false};
	// Not owned here: X11MenuLayout holds the references.
	CBitmap* icon{nullptr};
	COptionMenu* submenu{nullptr};
};

namespace X11MenuText
{

// title preceded by position ("%1d ", "%02d ", "%03d " for 2, 3, 4 digits;
// any other value adds nothing). A null title counts as empty.
std::string prefixed(const char* title, int32 position, int32 prefixNumbers);
// "Ctrl+Alt+Shift+Super+" as far as modifiers (CButtonState bits) have
// them, then keyCode, a single lower-case letter shown in upper case.
// Empty for a null or empty keyCode.
std::string keyEquivalent(const char* keyCode, int32 modifiers);

} // namespace X11MenuText

class X11MenuLayout
{
public:
	// Fixed measures of the menu's look.
	static constexpr double kPadding = 4.;
	static constexpr double kRowHeight = 20.;
	static constexpr double kSeparatorHeight = 9.;
	static constexpr double kCheckColumn = 20.;
	static constexpr double kTitleIndent = 12.;
	static constexpr double kIconGap = 4.;
	static constexpr double kKeyGap = 24.;
	static constexpr double kArrowColumn = 18.;
	static constexpr double kRightMargin = 8.;

	using MeasureText = std::function<double(const std::string&)>;

	struct Options
	{
		// The menu's nbItemsPerColumn: a positive count starts a new column
		// after that many entries.
		int32 itemsPerColumn{-1};
		// No column grows taller than this (the screen): further entries go
		// into the next column.
		double maxHeight{1e9};
		// The menu is at least this wide (the control it opens from).
		double minWidth{0.};
	};

	X11MenuLayout(std::vector<X11MenuEntry> entries, const Options& options, const MeasureText& measure);
	~X11MenuLayout();
	X11MenuLayout(const X11MenuLayout&) = delete;
	X11MenuLayout& operator=(const X11MenuLayout&) = delete;

	// The entries of menu in order; check marks for toggleCheck (checked
	// entries) or for markCurrent (the entry at the menu's current value).
	// Labels carry the menu's position numbers, except on entries that open
	// a sub-menu.
	static std::vector<X11MenuEntry> entriesOf(COptionMenu* menu, bool toggleCheck, bool markCurrent);

	int32 getCount() const { return static_cast<int32>(entries.size()); }
	const X11MenuEntry& getEntry(int32 index) const { return entries[static_cast<size_t>(index)]; }
	double getWidth() const { return width; }
	double getHeight() const { return height; }
	int32 getColumnCount() const { return columns; }

	// The whole row of an entry; an empty rectangle outside the list.
	CRect entryRect(int32 index) const;
	// Parts of an entry's row.
	CRect checkRect(int32 index) const;
	CRect iconRect(int32 index) const;
	CRect labelRect(int32 index) const;
	CRect keyRect(int32 index) const;
	CRect arrowRect(int32 index) const;
	// The entry whose row holds where, or -1.
	int32 entryAt(const CPoint& where) const;

	// The user may highlight it: an enabled item (with or without sub-menu).
	bool isSelectable(int32 index) const;
	// Highlighting it opens a sub-menu.
	bool opensSubmenu(int32 index) const;
	// Choosing it ends the pop-up: selectable without a sub-menu.
	bool isChoosable(int32 index) const;
	// The next selectable entry from "from" in direction step (+1 down, -1
	// up), not wrapping; from -1 down gives the first, from -1 up the last.
	// Answers from when there is none.
	int32 nextSelectable(int32 from, int32 step) const;

private:
	void measure(const MeasureText& measureText, double minWidth);
	void arrange(const Options& options);

	std::vector<X11MenuEntry> entries;
	std::vector<CRect> rows;
	double iconWidth{0.};
	double labelWidth{0.};
	double keyWidth{0.};
	double width{0.};
	double height{0.};
	int32 columns{1};
};

namespace X11MenuPlacement
{

// Where a menu window of size goes for an anchor in root coordinates, kept
// inside screen (shifted, or flipped to the other side of the anchor when
// that side has room).
// Below the anchor (a pull-down); above it when there is no room below.
CRect below(const CPoint& size, const CRect& anchor, const CRect& screen);
// Over the anchor, with row (menu coordinates) centred vertically on the
// anchor and starting at its left edge (a pop-up over its control).
CRect over(const CPoint& size, const CRect& anchor, const CRect& row, const CRect& screen);
// Beside the anchor (a sub-menu next to its entry): to the right, or to
// the left of it when there is no room on the right; its first row level
// with the anchor's top. scale: device pixels per unit of the layout.
CRect beside(const CPoint& size, const CRect& anchor, const CRect& screen, double scale = 1.);
// rect moved (not resized) into screen as far as it fits; the top-left
// corner wins when it is larger than the screen.
CRect keepOnScreen(const CRect& rect, const CRect& screen);

} // namespace X11MenuPlacement
} // namespace VSTGUI
