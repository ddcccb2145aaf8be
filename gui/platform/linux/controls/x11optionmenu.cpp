#include "gui/platform/linux/controls/x11optionmenu.h"

#include "gui/base/runloop.h"
#include "gui/controls/cmenuitem.h"
#include "gui/controls/coptionmenu.h"
#include "gui/platform/linux/controls/x11menuwindow.h"
#include "gui/platform/linux/window/x11keyboard.h"
#include "gui/platform/linux/window/x11runloop.h"
#include "host/aeffectx.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <poll.h>

namespace VSTGUI
{

namespace
{

// Longest sleep between two pumps of the loop while the menu is open: other
// frames' connections are not waited on, only served at every pump.
constexpr int kMaxWaitMs = 20;
// Pixels the pointer must travel from where the menu opened before the
// release of the opening press may choose.
constexpr double kDragThreshold = 3.;
// Sub-menus nested deeper than this are not opened (a menu may list itself).
constexpr size_t kMaxLevels = 16;

bool isWheelButton(uint8_t detail)
{
	return detail >= 4 && detail <= 7;
}

bool isInputEvent(uint8_t type)
{
	return type == XCB_MOTION_NOTIFY || type == XCB_BUTTON_PRESS || type == XCB_BUTTON_RELEASE ||
	       type == XCB_KEY_PRESS || type == XCB_KEY_RELEASE;
}

bool connectionWorks(xcb_connection_t* connection)
{
	return connection != nullptr && !xcb_connection_has_error(connection);
}

// Whether target is still root or one of its sub-menus: a choice in a
// sub-menu that was taken out of the tree meanwhile is no choice.
bool reaches(COptionMenu* root, const COptionMenu* target, size_t depth = 0)
{
	if (root == target)
		return true;
	if (depth >= kMaxLevels)
		return false;
	for (int32 i = 0; i < root->getNbEntries(); ++i)
	{
		COptionMenu* sub = root->getEntry(i)->getSubmenu();
		if (sub && reaches(sub, target, depth + 1))
			return true;
	}
	return false;
}

} // namespace

X11OptionMenu::X11OptionMenu(X11Frame* frame)
: frame(frame), display(frame->getDisplay()), connection(display.getConnection())
{
	frame->rememberForModalLoop();
}

X11OptionMenu::~X11OptionMenu()
{
	frame->forgetAfterModalLoop();
}

OptionMenuChoice X11OptionMenu::popup(COptionMenu* menu)
{
	if (running || menu == nullptr || !frame->isConnected())
		return {};
	CBaseObjectGuard guard(menu);
	running = true;
	ended = false;
	choice = {};
	lookStyle = menu->getStyle();
	if (openRoot(menu))
	{
		display.addEventHandler(this);
		grabInput();
		runModalLoop();
		display.removeEventHandler(this);
	}
	releaseInput();
	if (choice.menu && !reaches(menu, choice.menu))
		choice = {};
	closeAll();
	running = false;
	return choice;
}

X11MenuWindow::Look X11OptionMenu::lookFor(COptionMenu* menu) const
{
	// Sub-menus are usually plain option menus: the root's style decides
	// for them as well as their own.
	int32 style = menu->getStyle() | lookStyle;
	X11MenuWindow::Look look;
	look.toggleCheck = (style & kOptionToggleCheck) != 0;
	look.markCurrent = !look.toggleCheck && (style & kOptionMarkCurrent) != 0;
	return look;
}

bool X11OptionMenu::openRoot(COptionMenu* menu)
{
	CRect control = controlRootRect(menu);
	CRect screen = screenRect();
	X11MenuWindow::Look look = lookFor(menu);
	const double scale = frame->getScaleFactor();
	look.minWidth = control.getWidth() / scale;
	auto window = std::make_unique<X11MenuWindow>(display, menu, look, screen, scale);
	const X11MenuLayout& layout = window->getLayout();
	auto current = static_cast<int32>(menu->getValue());
	CPoint size = window->getSize();
	bool popupMode = (menu->getStyle() & kOptionPopupMode) != 0;
	CRect where = X11MenuPlacement::below(size, control, screen);
	if (popupMode)
		where = X11MenuPlacement::over(size, control, window->entryRect(std::max(current, 0)), screen);
	if (!window->open(where))
		return false;
	if (popupMode && layout.isSelectable(current))
		window->setHighlight(current);
	levels.push_back(std::move(window));
	notePointerAtOpening();
	return true;
}

// A menu opened by a press must not take that press's release for a
// choice; one opened by a key or a timer may. The release of a quick click
// may already have reached the server (and wait in our queue) by now, so the
// pointer's state alone does not tell: the press being delivered does.
void X11OptionMenu::notePointerAtOpening()
{
	armed = !frame->isDeliveringLeftButtonEvent();
	auto* reply =
	    xcb_query_pointer_reply(connection, xcb_query_pointer(connection, display.getScreen()->root), nullptr);
	if (reply == nullptr)
		return;
	openedAt = CPoint(reply->root_x, reply->root_y);
	constexpr uint16_t kButtons =
	    XCB_BUTTON_MASK_1 | XCB_BUTTON_MASK_2 | XCB_BUTTON_MASK_3 | XCB_BUTTON_MASK_4 | XCB_BUTTON_MASK_5;
	if (reply->mask & kButtons)
		armed = false;
	std::free(reply);
}

CRect X11OptionMenu::controlRootRect(COptionMenu* menu) const
{
	const CRect& view = menu->getViewSize();
	CPoint topLeft = view.getTopLeft();
	menu->localToFrame(topLeft);
	CPoint global;
	frame->getGlobalPosition(global);
	CRect device = frame->toDevice(CRect(topLeft, view.getSize()));
	device.offset(global.x, global.y);
	return device;
}

CRect X11OptionMenu::screenRect() const
{
	xcb_screen_t* screen = display.getScreen();
	return CRect(0, 0, screen->width_in_pixels, screen->height_in_pixels);
}

bool X11OptionMenu::openSubmenu(size_t level, int32 index, bool highlightFirst)
{
	closeLevelsAbove(level);
	X11MenuWindow& parent = *levels[level];
	if (!parent.getLayout().opensSubmenu(index) || levels.size() >= kMaxLevels)
		return false;
	COptionMenu* submenu = parent.getLayout().getEntry(index).submenu;
	CRect screen = screenRect();
	auto window = std::make_unique<X11MenuWindow>(display, submenu, lookFor(submenu), screen, frame->getScaleFactor());
	const X11MenuLayout& layout = window->getLayout();
	CRect where =
	    X11MenuPlacement::beside(window->getSize(), parent.entryRootRect(index), screen, frame->getScaleFactor());
	if (!window->open(where))
		return false;
	if (highlightFirst)
		window->setHighlight(layout.nextSelectable(-1, 1));
	levels.push_back(std::move(window));
	return true;
}

void X11OptionMenu::closeLevelsAbove(size_t level)
{
	while (levels.size() > level + 1)
		levels.pop_back();
}

void X11OptionMenu::closeAll()
{
	while (!levels.empty())
		levels.pop_back();
}

// Grabs with the time of the event that opened the menu: a grab stamped
// later than a newer grab of somebody else's would fail, and one stamped
// CurrentTime could take the pointer from a menu the host opened since.
void X11OptionMenu::grabInput()
{
	xcb_window_t window = levels.front()->getWindow();
	xcb_timestamp_t time = display.getLastEventTime();
	auto pointerCookie =
	    xcb_grab_pointer(connection, 0, window,
	                     XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_POINTER_MOTION,
	                     XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC, XCB_WINDOW_NONE, XCB_CURSOR_NONE, time);
	auto keyboardCookie = xcb_grab_keyboard(connection, 0, window, time, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
	if (auto* reply = xcb_grab_pointer_reply(connection, pointerCookie, nullptr))
	{
		pointerGrabbed = reply->status == XCB_GRAB_STATUS_SUCCESS;
		std::free(reply);
	}
	if (auto* reply = xcb_grab_keyboard_reply(connection, keyboardCookie, nullptr))
	{
		keyboardGrabbed = reply->status == XCB_GRAB_STATUS_SUCCESS;
		std::free(reply);
	}
}

void X11OptionMenu::releaseInput()
{
	if (connectionWorks(connection) && (pointerGrabbed || keyboardGrabbed))
	{
		if (pointerGrabbed)
			xcb_ungrab_pointer(connection, XCB_CURRENT_TIME);
		if (keyboardGrabbed)
			xcb_ungrab_keyboard(connection, XCB_CURRENT_TIME);
		xcb_flush(connection);
	}
	pointerGrabbed = false;
	keyboardGrabbed = false;
}

void X11OptionMenu::runModalLoop()
{
	while (!ended && frame->isConnected())
	{
		X11RunLoop::pump();
		if (ended || !frame->isConnected())
			break;
		waitForInput();
	}
}

void X11OptionMenu::waitForInput() const
{
	int timeout = kMaxWaitMs;
	RunLoop& timers = RunLoop::get();
	if (auto due = timers.nextDueTime())
	{
		uint64_t now = timers.now();
		timeout = std::min<int>(timeout, *due > now ? static_cast<int>(std::min<uint64_t>(*due - now, kMaxWaitMs)) : 0);
	}
	pollfd fd{frame->getFileDescriptor(), POLLIN, 0};
	if (timeout > 0 && fd.fd >= 0)
		poll(&fd, 1, timeout);
}

void X11OptionMenu::finish(COptionMenu* menu, int32 index)
{
	choice.menu = menu;
	choice.index = menu ? index : -1;
	ended = true;
	releaseInput();
}

// ---------------------------------------------------------------------------
// Events

bool X11OptionMenu::handleX11Event(const xcb_generic_event_t& event)
{
	if (!running || levels.empty())
		return false;
	uint8_t type = event.response_type & 0x7F;
	if (type == XCB_EXPOSE)
		return onExpose(reinterpret_cast<const xcb_expose_event_t&>(event));
	// Modal: no pointer or key event reaches the frame while the menu is
	// open, not even the release of the click that dismissed it.
	if (ended)
		return isInputEvent(type);
	switch (type)
	{
		case XCB_MOTION_NOTIFY:
		{
			const auto& motion = reinterpret_cast<const xcb_motion_notify_event_t&>(event);
			onMotion(CPoint(motion.root_x, motion.root_y));
			return true;
		}
		case XCB_BUTTON_PRESS:
		case XCB_BUTTON_RELEASE:
		{
			const auto& button = reinterpret_cast<const xcb_button_press_event_t&>(event);
			if (isWheelButton(button.detail))
				return true;
			CPoint where(button.root_x, button.root_y);
			if (type == XCB_BUTTON_PRESS)
				onPress(where);
			else
				onRelease(where);
			return true;
		}
		case XCB_KEY_PRESS: onKey(reinterpret_cast<const xcb_key_press_event_t&>(event)); return true;
		case XCB_KEY_RELEASE: return true;
		default: return false;
	}
}

bool X11OptionMenu::onExpose(const xcb_expose_event_t& event)
{
	for (auto& level : levels)
	{
		if (level->getWindow() == event.window)
		{
			if (event.count == 0)
				level->refresh();
			return true;
		}
	}
	return false;
}

int X11OptionMenu::findLevel(const CPoint& rootPoint) const
{
	for (size_t i = levels.size(); i-- > 0;)
	{
		if (levels[i]->contains(rootPoint))
			return static_cast<int>(i);
	}
	return -1;
}

void X11OptionMenu::onMotion(const CPoint& rootPoint)
{
	int found = findLevel(rootPoint);
	if (found < 0)
		return;
	auto level = static_cast<size_t>(found);
	X11MenuWindow& window = *levels[level];
	const X11MenuLayout& layout = window.getLayout();
	int32 index = window.entryAtRoot(rootPoint);
	if (index < 0)
		return;
	double travelled = std::abs(rootPoint.x - openedAt.x) + std::abs(rootPoint.y - openedAt.y);
	if (travelled > kDragThreshold && layout.isSelectable(index))
		armed = true;
	bool childOfThisEntry = levels.size() > level + 1 && window.getHighlight() == index;
	if (!childOfThisEntry)
		closeLevelsAbove(level);
	window.setHighlight(layout.isSelectable(index) ? index : -1);
	if (layout.opensSubmenu(index) && levels.size() == level + 1)
		openSubmenu(level, index, false);
}

void X11OptionMenu::onPress(const CPoint& rootPoint)
{
	armed = true;
	int found = findLevel(rootPoint);
	if (found < 0)
	{
		finish(nullptr, -1);
		return;
	}
	auto level = static_cast<size_t>(found);
	int32 index = levels[level]->entryAtRoot(rootPoint);
	bool childOfThisEntry = levels.size() > level + 1 && levels[level]->getHighlight() == index;
	if (levels[level]->getLayout().opensSubmenu(index) && !childOfThisEntry)
	{
		levels[level]->setHighlight(index);
		openSubmenu(level, index, false);
	}
}

void X11OptionMenu::onRelease(const CPoint& rootPoint)
{
	if (!armed)
		return;
	int found = findLevel(rootPoint);
	if (found < 0)
		return;
	X11MenuWindow& window = *levels[static_cast<size_t>(found)];
	int32 index = window.entryAtRoot(rootPoint);
	if (window.getLayout().isChoosable(index))
		finish(window.getMenu(), index);
}

void X11OptionMenu::onKey(const xcb_key_press_event_t& event)
{
	auto key = display.getKeymap().lookUp(event.detail, event.state);
	if (!key)
		return;
	switch (X11Keyboard::translateKey(*key).virt)
	{
		case VKEY_UP: moveHighlight(-1); break;
		case VKEY_DOWN: moveHighlight(1); break;
		case VKEY_RIGHT:
			if (levels.back()->getLayout().opensSubmenu(levels.back()->getHighlight()))
				openSubmenu(levels.size() - 1, levels.back()->getHighlight(), true);
			break;
		case VKEY_LEFT:
			if (levels.size() > 1)
				closeLevelsAbove(levels.size() - 2);
			break;
		case VKEY_RETURN:
		case VKEY_ENTER:
		case VKEY_SPACE: enterHighlighted(); break;
		case VKEY_ESCAPE:
			if (levels.size() > 1)
				closeLevelsAbove(levels.size() - 2);
			else
				finish(nullptr, -1);
			break;
		default: break;
	}
}

void X11OptionMenu::moveHighlight(int32 step)
{
	X11MenuWindow& window = *levels.back();
	window.setHighlight(window.getLayout().nextSelectable(window.getHighlight(), step));
}

void X11OptionMenu::enterHighlighted()
{
	X11MenuWindow& window = *levels.back();
	int32 index = window.getHighlight();
	if (window.getLayout().isChoosable(index))
		finish(window.getMenu(), index);
	else if (window.getLayout().opensSubmenu(index))
		openSubmenu(levels.size() - 1, index, true);
}

} // namespace VSTGUI
