// Drags started by a view: the frame's window is the XDND source. The drag
// runs modally inside the view's mouse call, so the user (XTEST on the test's
// own connection) and the drop target (a window of that connection) are
// played from a timer that fires inside the drag's loop.
#include "tests/support/x11testsupport.h"

#include "gui/base/cvstguitimer.h"
#include "gui/drawing/cbitmap.h"
#include "gui/drawing/coffscreencontext.h"
#include "gui/platform/linux/dragdrop/x11dragcontainer.h"
#include "gui/platform/linux/window/x11runloop.h"
#include "gui/views/cdropsource.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <xkbcommon/xkbcommon-keysyms.h>

using namespace corvane::test;

namespace
{

template <typename Reply> std::unique_ptr<Reply, decltype(&std::free)> owned(Reply* reply)
{
	return std::unique_ptr<Reply, decltype(&std::free)>(reply, &std::free);
}

// The receiving side of XDND, as another application would play it.
class XdndTarget
{
public:
	struct Options
	{
		bool aware{true};
		bool accept{true};
		const char* action{"XdndActionCopy"};
		// Converted one after the other once the drop arrives.
		std::vector<std::string> requests{"UTF8_STRING"};
		// False: the drop is never finished.
		bool finish{true};
		// The window stays unmapped and serves as the XDND proxy of others.
		bool proxy{false};
	};

	XdndTarget(TestClient& client, int x, int y, Options options) : client(client), c(client.get()), options(options)
	{
		window = xcb_generate_id(c);
		const uint32_t values[] = {xcb_setup_roots_iterator(xcb_get_setup(c)).data->black_pixel};
		xcb_create_window(c, XCB_COPY_FROM_PARENT, window, client.root(), static_cast<int16_t>(x),
		                  static_cast<int16_t>(y), kWidth, kHeight, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
		                  XCB_COPY_FROM_PARENT, XCB_CW_BACK_PIXEL, values);
		if (options.aware)
		{
			const uint32_t version = 5;
			xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, intern("XdndAware"), XCB_ATOM_ATOM, 32, 1, &version);
		}
		if (options.proxy)
			xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, intern("XdndProxy"), XCB_ATOM_WINDOW, 32, 1, &window);
		else
			xcb_map_window(c, window);
		client.sync();
	}
	~XdndTarget()
	{
		xcb_destroy_window(c, window);
		client.sync();
	}
	XdndTarget(const XdndTarget&) = delete;
	XdndTarget& operator=(const XdndTarget&) = delete;

	static constexpr uint16_t kWidth = 200;
	static constexpr uint16_t kHeight = 150;

	// Handles what arrived on the test's connection.
	void service()
	{
		while (xcb_generic_event_t* event = xcb_poll_for_event(c))
		{
			uint8_t kind = event->response_type & 0x7F;
			if (kind == XCB_CLIENT_MESSAGE)
				onMessage(*reinterpret_cast<xcb_client_message_event_t*>(event));
			else if (kind == XCB_SELECTION_NOTIFY)
				onData(*reinterpret_cast<xcb_selection_notify_event_t*>(event));
			std::free(event);
		}
	}

	// While held, positions get no status until releaseStatus().
	void holdStatus() { holding = true; }
	void releaseStatus()
	{
		holding = false;
		if (statusOwed)
			sendStatus();
	}

	int count(const std::string& kind) const { return static_cast<int>(std::count(log.begin(), log.end(), kind)); }
	std::string atomName(xcb_atom_t atom)
	{
		auto reply = owned(xcb_get_atom_name_reply(c, xcb_get_atom_name(c, atom), nullptr));
		return reply ? std::string(xcb_get_atom_name_name(reply.get()),
		                           static_cast<size_t>(xcb_get_atom_name_name_length(reply.get())))
		             : std::string();
	}

	xcb_window_t window{0};
	std::vector<std::string> log;
	std::vector<std::string> enterTypes;
	uint32_t enterVersion{0};
	xcb_window_t source{0};
	// The window that the enter message named.
	xcb_window_t addressed{0};
	std::vector<std::pair<int, int>> positions;
	std::vector<std::string> positionActions;
	// Per requested type the bytes received, "<refused>" when the source
	// had none.
	std::map<std::string, std::string> received;
	bool finished{false};

private:
	xcb_atom_t intern(const char* name)
	{
		auto reply = owned(
		    xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
		return reply ? reply->atom : 0;
	}

	void onMessage(const xcb_client_message_event_t& message)
	{
		std::string kind = atomName(message.type);
		const uint32_t* data = message.data.data32;
		if (kind == "XdndEnter")
		{
			log.push_back("enter");
			source = data[0];
			addressed = message.window;
			enterVersion = data[1] >> 24;
			for (int i = 2; i < 5; ++i)
				if (data[i] != 0)
					enterTypes.push_back(atomName(data[i]));
		}
		else if (kind == "XdndPosition")
		{
			log.push_back("position");
			positions.emplace_back(static_cast<int16_t>(data[2] >> 16), static_cast<int16_t>(data[2] & 0xFFFF));
			positionActions.push_back(atomName(data[4]));
			statusOwed = true;
			if (!holding)
				sendStatus();
		}
		else if (kind == "XdndLeave")
			log.push_back("leave");
		else if (kind == "XdndDrop")
		{
			log.push_back("drop");
			dropTime = data[2];
			requestNext();
		}
	}

	void sendStatus()
	{
		statusOwed = false;
		uint32_t flags = options.accept ? 3u : 2u;
		send(intern("XdndStatus"), {window, flags, 0, 0, options.accept ? intern(options.action) : 0u});
	}

	void requestNext()
	{
		if (nextRequest >= options.requests.size())
		{
			if (!options.finish)
				return;
			finished = true;
			send(intern("XdndFinished"),
			     {window, options.accept ? 1u : 0u, options.accept ? intern(options.action) : 0u, 0, 0});
			return;
		}
		const std::string& type = options.requests[nextRequest];
		xcb_convert_selection(c, window, intern("XdndSelection"), intern(type.c_str()), intern("CORVANE_TEST_DATA"),
		                      dropTime);
		client.sync();
	}

	void onData(const xcb_selection_notify_event_t& notify)
	{
		const std::string& type = options.requests[nextRequest++];
		if (notify.property == XCB_ATOM_NONE)
			received[type] = "<refused>";
		else
			received[type] = readProperty(notify.property);
		requestNext();
	}

	std::string readProperty(xcb_atom_t property)
	{
		auto reply = owned(xcb_get_property_reply(
		    c, xcb_get_property(c, 1, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1 << 20), nullptr));
		if (!reply)
			return "<unreadable>";
		const auto* bytes = static_cast<const char*>(xcb_get_property_value(reply.get()));
		auto length = static_cast<size_t>(xcb_get_property_value_length(reply.get()));
		if (reply->format != 32)
			return std::string(bytes, length);
		// A list of atoms (TARGETS): their names, comma-separated.
		std::string names;
		for (size_t i = 0; i < length / 4; ++i)
			names += (i ? "," : "") + atomName(reinterpret_cast<const xcb_atom_t*>(bytes)[i]);
		return names;
	}

	void send(xcb_atom_t type, std::array<uint32_t, 5> values)
	{
		xcb_client_message_event_t message{};
		message.response_type = XCB_CLIENT_MESSAGE;
		message.format = 32;
		message.window = source;
		message.type = type;
		std::memcpy(message.data.data32, values.data(), sizeof(message.data.data32));
		xcb_send_event(c, 0, source, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
		client.sync();
	}

	TestClient& client;
	xcb_connection_t* c;
	Options options;
	bool holding{false};
	bool statusOwed{false};
	uint32_t dropTime{0};
	size_t nextRequest{0};
};

// Steps run one after the other from a timer: each answers true when it is
// done, and the next one is tried at once. A step that waits too long gives
// the script up (giveUp), so that a drag that goes wrong ends the test
// instead of running on.
class Script : public CBaseObject
{
public:
	using Step = std::function<bool()>;

	Script(std::vector<Step> steps, std::function<void()> everyTick, std::function<void()> giveUp)
	: steps(std::move(steps)), everyTick(std::move(everyTick)), giveUp(std::move(giveUp))
	{
	}
	MessageResult notify(CBaseObject*, const char* message) override
	{
		if (message != CVSTGUITimer::kMsgTimer)
			return kMessageIgnored;
		if (everyTick)
			everyTick();
		size_t before = next;
		while (next < steps.size() && steps[next]())
			++next;
		auto now = std::chrono::steady_clock::now();
		if (next != before || next == steps.size())
			waitingSince = now;
		else if (!gaveUp && now - waitingSince > std::chrono::seconds(8))
		{
			gaveUp = true;
			if (giveUp)
				giveUp();
		}
		return kMessageHandled;
	}
	bool done() const { return next == steps.size(); }

private:
	std::vector<Step> steps;
	std::function<void()> everyTick;
	std::function<void()> giveUp;
	size_t next{0};
	std::chrono::steady_clock::time_point waitingSince{std::chrono::steady_clock::now()};
	bool gaveUp{false};
};

CDropSource* textSource(const std::string& text)
{
	return new CDropSource(text.c_str(), static_cast<uint32>(text.size() + 1), CDropSource::kText);
}

// Starts a drag from its mouse-down (or from a move with the left button)
// and keeps what doDrag answered.
class DragView : public CView
{
public:
	using CView::CView;
	~DragView() override
	{
		if (source)
			source->forget();
		if (bitmap)
			bitmap->forget();
	}

	MouseEventResult onMouseDown(CPoint&, const CButtonState&) override
	{
		if (!startOnMove)
			startDrag();
		return kMouseHandled;
	}
	MouseEventResult onMouseMoved(CPoint&, const CButtonState& buttons) override
	{
		if (startOnMove && buttons.isLeftButton() && !started)
			startDrag();
		return kMouseHandled;
	}
	void startDrag()
	{
		started = true;
		results.push_back(doDrag(source, offset, bitmap));
		ended = true;
	}

	CDropSource* source{nullptr};
	CBitmap* bitmap{nullptr};
	CPoint offset;
	bool startOnMove{false};
	bool started{false};
	bool ended{false};
	std::vector<int32> results;
};

class DropView : public CView
{
public:
	using CView::CView;
	void onDragEnter(CDragContainer*, const CPoint&) override { ++enters; }
	bool onDrop(CDragContainer* drag, const CPoint&) override
	{
		int32 size = 0;
		int32 type = 0;
		if (void* data = drag->first(size, type))
			dropped = std::string(static_cast<const char*>(data), static_cast<size_t>(size));
		return true;
	}
	int enters{0};
	std::string dropped;
};

class X11DragSources : public ::testing::Test
{
protected:
	void SetUp() override
	{
		ASSERT_NE(fx.platform(), nullptr);
		view = new DragView(CRect(20, 20, 100, 130));
		// The test's own reference: the view outlives a frame closed mid-drag.
		view->remember();
		fx.frame->addView(view);
		fx.paintNow();
	}
	void TearDown() override { view->forget(); }

	void offer(CDropSource* source)
	{
		if (view->source)
			view->source->forget();
		view->source = source;
	}

	// Presses the left button over the drag view and runs steps from inside
	// the drag until the view's doDrag has answered.
	bool drag(std::vector<Script::Step> steps, XdndTarget* target)
	{
		Script script(
		    std::move(steps),
		    [target]
		    {
			    if (target)
				    target->service();
		    },
		    [this]
		    {
			    ADD_FAILURE() << "a step of the drag waited in vain";
			    fx.client.tapKey(fx.client.keycodeOf(XKB_KEY_Escape));
			    fx.client.releaseButton(1);
		    });
		auto* timer = new CVSTGUITimer(&script, 5);
		timer->start();
		fx.client.movePointer(fx.rootX(50), fx.rootY(50));
		fx.client.pressButton(1);
		if (view->startOnMove)
			fx.client.movePointer(fx.rootX(55), fx.rootY(55));
		bool ended = pumpUntil([&] { return view->ended; }, 15000);
		// What the source sent last (a leave, say) reaches the target too.
		if (fx.frame && fx.platform())
			fx.platform()->sync();
		if (target)
			target->service();
		timer->forget();
		return ended && script.done();
	}

	Script::Step moveTo(int x, int y)
	{
		return [this, x, y]
		{
			fx.client.movePointer(x, y);
			return true;
		};
	}
	Script::Step release()
	{
		return [this]
		{
			fx.client.releaseButton(1);
			return true;
		};
	}
	static Script::Step until(std::function<bool()> condition) { return condition; }
	Script::Step whenStarted()
	{
		return [this] { return view->started; };
	}

	xcb_window_t selectionOwner()
	{
		xcb_connection_t* c = fx.client.get();
		const char* name = "XdndSelection";
		auto atom = owned(
		    xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
		auto owner = owned(xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atom->atom), nullptr));
		return owner ? owner->owner : static_cast<xcb_window_t>(XCB_WINDOW_NONE);
	}

	// True when the test's client can take pointer and keyboard: nothing of
	// the drag still holds them.
	bool inputIsFree()
	{
		xcb_connection_t* c = fx.client.get();
		auto pointer = owned(
		    xcb_grab_pointer_reply(c,
		                           xcb_grab_pointer(c, 0, fx.client.root(), 0, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC,
		                                            XCB_WINDOW_NONE, XCB_CURSOR_NONE, XCB_CURRENT_TIME),
		                           nullptr));
		auto keyboard = owned(xcb_grab_keyboard_reply(
		    c, xcb_grab_keyboard(c, 0, fx.client.root(), XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
		    nullptr));
		xcb_ungrab_pointer(c, XCB_CURRENT_TIME);
		xcb_ungrab_keyboard(c, XCB_CURRENT_TIME);
		fx.client.sync();
		return pointer && pointer->status == XCB_GRAB_STATUS_SUCCESS && keyboard &&
		       keyboard->status == XCB_GRAB_STATUS_SUCCESS;
	}

	struct Shown
	{
		xcb_window_t window{XCB_WINDOW_NONE};
		int x{0}, y{0}, width{0}, height{0};
	};

	// The mapped override-redirect top-level windows (the drag image).
	std::vector<Shown> overrideRedirectWindows()
	{
		xcb_connection_t* c = fx.client.get();
		std::vector<Shown> found;
		for (xcb_window_t window : fx.client.overrideRedirectWindows())
		{
			if (auto geometry = owned(xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr)))
				found.push_back({window, geometry->x, geometry->y, geometry->width, geometry->height});
		}
		return found;
	}

	// The centre of a target window at (kTargetX, kTargetY), and a point
	// beside it.
	static constexpr int kTargetX = 500;
	static constexpr int kTargetY = 400;
	static constexpr int kInsideX = kTargetX + 100;
	static constexpr int kInsideY = kTargetY + 75;

	FrameFixture fx;
	DragView* view{nullptr};
};

} // namespace

TEST_F(X11DragSources, TextDroppedOnAnAcceptingTargetArrivesAndAnswersCopy)
{
	offer(textSource("Grüße aus Corvane"));
	XdndTarget target(fx.client, kTargetX, kTargetY,
	                  {.requests = {"TARGETS", "UTF8_STRING", "text/plain", "image/png"}});
	ASSERT_TRUE(
	    drag({whenStarted(), moveTo(kInsideX, kInsideY), until([&] { return target.count("position") >= 1; }),
	          moveTo(kInsideX + 10, kInsideY + 5), until([&] { return target.count("position") >= 2; }), release()},
	         &target));
	ASSERT_EQ(view->results, (std::vector<int32>{2}));
	EXPECT_EQ(target.source, fx.platform()->getWindow());
	EXPECT_EQ(target.enterVersion, 5u);
	EXPECT_EQ(target.enterTypes, (std::vector<std::string>{"UTF8_STRING", "text/plain;charset=utf-8", "text/plain"}));
	EXPECT_EQ(target.log.front(), "enter");
	EXPECT_EQ(target.log.back(), "drop");
	EXPECT_EQ(target.count("leave"), 0);
	EXPECT_EQ(target.positions.front(), std::make_pair(kInsideX, kInsideY)) << "root coordinates";
	EXPECT_EQ(target.positions.back(), std::make_pair(kInsideX + 10, kInsideY + 5));
	EXPECT_EQ(target.positionActions.front(), "XdndActionCopy");
	EXPECT_EQ(target.received["TARGETS"], "TARGETS,UTF8_STRING,text/plain;charset=utf-8,text/plain");
	EXPECT_EQ(target.received["UTF8_STRING"], "Grüße aus Corvane");
	EXPECT_EQ(target.received["text/plain"], "Grüße aus Corvane");
	EXPECT_EQ(target.received["image/png"], "<refused>") << "types not offered are refused";
	EXPECT_TRUE(target.finished);
	EXPECT_EQ(selectionOwner(), static_cast<xcb_window_t>(XCB_WINDOW_NONE)) << "the selection is given up";
	EXPECT_TRUE(inputIsFree()) << "pointer and keyboard are released";
}

TEST_F(X11DragSources, AWindowWithAProxyIsServedThroughIt)
{
	offer(textSource("by proxy"));
	// The proxy belongs to another program than the window it stands for,
	// so only messages sent to the proxy reach it.
	TestClient proxyClient;
	ASSERT_TRUE(proxyClient.isConnected());
	XdndTarget proxy(proxyClient, 0, 0, {.proxy = true});
	xcb_window_t shown = fx.client.createParent(kTargetX, kTargetY, 200, 150);
	xcb_connection_t* c = fx.client.get();
	const char* name = "XdndProxy";
	auto atom =
	    owned(xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
	xcb_change_property(c, XCB_PROP_MODE_REPLACE, shown, atom->atom, XCB_ATOM_WINDOW, 32, 1, &proxy.window);
	fx.client.sync();
	ASSERT_TRUE(drag(
	    {whenStarted(), moveTo(kInsideX, kInsideY), until([&] { return proxy.count("position") >= 1; }), release()},
	    &proxy));
	EXPECT_EQ(view->results, (std::vector<int32>{2}));
	EXPECT_EQ(proxy.addressed, shown) << "the messages name the window the pointer is over";
	EXPECT_EQ(proxy.received["UTF8_STRING"], "by proxy");
}

TEST_F(X11DragSources, AProxyThatDoesNotNameItselfIsIgnored)
{
	offer(textSource("stale"));
	TestClient proxyClient;
	ASSERT_TRUE(proxyClient.isConnected());
	XdndTarget stale(proxyClient, 0, 0, {.proxy = true});
	xcb_connection_t* pc = proxyClient.get();
	const char* name = "XdndProxy";
	auto atom = owned(
	    xcb_intern_atom_reply(pc, xcb_intern_atom(pc, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
	xcb_delete_property(pc, stale.window, atom->atom);
	proxyClient.sync();
	// An aware window that still names the stale proxy gets the drag itself.
	XdndTarget target(fx.client, kTargetX, kTargetY, {});
	xcb_change_property(fx.client.get(), XCB_PROP_MODE_REPLACE, target.window, atom->atom, XCB_ATOM_WINDOW, 32, 1,
	                    &stale.window);
	fx.client.sync();
	ASSERT_TRUE(drag(
	    {whenStarted(), moveTo(kInsideX, kInsideY), until([&] { return target.count("position") >= 1; }), release()},
	    &target));
	stale.service();
	EXPECT_EQ(view->results, (std::vector<int32>{2}));
	EXPECT_EQ(target.received["UTF8_STRING"], "stale");
	EXPECT_TRUE(stale.log.empty());
}

TEST_F(X11DragSources, ATargetThatMovesTheDataAnswersOne)
{
	offer(textSource("moved"));
	XdndTarget target(fx.client, kTargetX, kTargetY, {.action = "XdndActionMove"});
	ASSERT_TRUE(drag(
	    {whenStarted(), moveTo(kInsideX, kInsideY), until([&] { return target.count("position") >= 1; }), release()},
	    &target));
	EXPECT_EQ(view->results, (std::vector<int32>{1}));
	EXPECT_EQ(target.received["UTF8_STRING"], "moved");
}

TEST_F(X11DragSources, FilesArriveAsAUriList)
{
	auto* files = new CDropSource;
	files->add("/tmp/a b.wav", 13, CDropSource::kFilePath);
	files->add("/srv/ü.txt", 12, CDropSource::kFilePath);
	offer(files);
	XdndTarget target(fx.client, kTargetX, kTargetY, {.requests = {"text/uri-list", "UTF8_STRING"}});
	ASSERT_TRUE(drag(
	    {whenStarted(), moveTo(kInsideX, kInsideY), until([&] { return target.count("position") >= 1; }), release()},
	    &target));
	EXPECT_EQ(view->results, (std::vector<int32>{2}));
	EXPECT_EQ(target.enterTypes, (std::vector<std::string>{"text/uri-list"}));
	EXPECT_EQ(target.received["text/uri-list"], "file:///tmp/a%20b.wav\r\nfile:///srv/%C3%BC.txt\r\n");
	EXPECT_EQ(target.received["UTF8_STRING"], "<refused>");
}

TEST_F(X11DragSources, BinaryDataArrivesUnderTheToolkitType)
{
	const char bytes[] = {'\x01', '\0', '\xFF', 'z'};
	offer(new CDropSource(bytes, 4, CDropSource::kBinary));
	XdndTarget target(fx.client, kTargetX, kTargetY, {.requests = {X11DragContainer::kBinaryType}});
	ASSERT_TRUE(drag(
	    {whenStarted(), moveTo(kInsideX, kInsideY), until([&] { return target.count("position") >= 1; }), release()},
	    &target));
	EXPECT_EQ(view->results, (std::vector<int32>{2}));
	EXPECT_EQ(target.received[X11DragContainer::kBinaryType], std::string(bytes, 4));
}

TEST_F(X11DragSources, ReleaseOverAWindowThatIsNotAwareDeliversNothing)
{
	offer(textSource("nobody"));
	XdndTarget passed(fx.client, kTargetX, kTargetY, {});
	XdndTarget unaware(fx.client, 100, 400, {.aware = false});
	ASSERT_TRUE(drag({whenStarted(), moveTo(kInsideX, kInsideY), until([&] { return passed.count("position") >= 1; }),
	                  moveTo(200, 475), release()},
	                 &passed));
	EXPECT_EQ(view->results, (std::vector<int32>{0}));
	EXPECT_EQ(passed.log, (std::vector<std::string>{"enter", "position", "leave"}))
	    << "the target the pointer left hears of it and gets no drop";
	EXPECT_TRUE(passed.received.empty());
	EXPECT_TRUE(inputIsFree());
}

TEST_F(X11DragSources, ATargetThatRefusesGetsALeaveInsteadOfTheDrop)
{
	offer(textSource("refused"));
	XdndTarget target(fx.client, kTargetX, kTargetY, {.accept = false});
	ASSERT_TRUE(drag(
	    {whenStarted(), moveTo(kInsideX, kInsideY), until([&] { return target.count("position") >= 1; }), release()},
	    &target));
	EXPECT_EQ(view->results, (std::vector<int32>{0}));
	EXPECT_EQ(target.log, (std::vector<std::string>{"enter", "position", "leave"}));
	EXPECT_TRUE(target.received.empty());
}

TEST_F(X11DragSources, EscapeCancelsTheDrag)
{
	offer(textSource("cancelled"));
	XdndTarget target(fx.client, kTargetX, kTargetY, {});
	xcb_keycode_t escape = fx.client.keycodeOf(XKB_KEY_Escape);
	ASSERT_NE(escape, 0);
	ASSERT_TRUE(drag({whenStarted(), moveTo(kInsideX, kInsideY), until([&] { return target.count("position") >= 1; }),
	                  [&]
	                  {
		                  fx.client.tapKey(escape);
		                  return true;
	                  }},
	                 &target));
	EXPECT_EQ(view->results, (std::vector<int32>{0}));
	EXPECT_EQ(target.log, (std::vector<std::string>{"enter", "position", "leave"}));
	fx.client.releaseButton(1);
	fx.paintNow();
	target.service();
	EXPECT_EQ(target.count("drop"), 0) << "the release after Escape drops nothing";
	EXPECT_TRUE(target.received.empty());
	EXPECT_TRUE(inputIsFree());
}

TEST_F(X11DragSources, PositionsWaitForTheStatusOfTheLastOne)
{
	offer(textSource("patient"));
	XdndTarget target(fx.client, kTargetX, kTargetY, {});
	target.holdStatus();
	int ticks = 0;
	ASSERT_TRUE(drag({whenStarted(), moveTo(kInsideX, kInsideY), until([&] { return target.count("position") >= 1; }),
	                  moveTo(kInsideX + 1, kInsideY), moveTo(kInsideX + 2, kInsideY), moveTo(kInsideX + 3, kInsideY),
	                  // Time for the source to see the moves (a slow source
	                  // only makes this test weaker, never wrong).
	                  until([&] { return ++ticks >= 10; }),
	                  [&]
	                  {
		                  EXPECT_EQ(target.count("position"), 1) << "no position before the status";
		                  target.releaseStatus();
		                  return true;
	                  },
	                  until([&] { return target.count("position") >= 2; }), release()},
	                 &target));
	EXPECT_EQ(view->results, (std::vector<int32>{2}));
	EXPECT_EQ(target.positions, (std::vector<std::pair<int, int>>{{kInsideX, kInsideY}, {kInsideX + 3, kInsideY}}))
	    << "after the status the latest position follows";
}

TEST_F(X11DragSources, ATargetThatNeverAnswersTheLastPositionGetsNoDrop)
{
	offer(textSource("unanswered"));
	XdndTarget target(fx.client, kTargetX, kTargetY, {});
	target.holdStatus();
	ASSERT_TRUE(drag(
	    {whenStarted(), moveTo(kInsideX, kInsideY), until([&] { return target.count("position") >= 1; }), release()},
	    &target));
	EXPECT_EQ(view->results, (std::vector<int32>{0}));
	EXPECT_EQ(target.log, (std::vector<std::string>{"enter", "position", "leave"}));
	EXPECT_TRUE(inputIsFree());
}

TEST_F(X11DragSources, ATargetThatNeverFinishesAnswersZeroInTheEnd)
{
	offer(textSource("unfinished"));
	XdndTarget target(fx.client, kTargetX, kTargetY, {.finish = false});
	ASSERT_TRUE(drag(
	    {whenStarted(), moveTo(kInsideX, kInsideY), until([&] { return target.count("position") >= 1; }), release()},
	    &target));
	EXPECT_EQ(view->results, (std::vector<int32>{0}));
	EXPECT_EQ(target.count("drop"), 1);
	EXPECT_EQ(target.received["UTF8_STRING"], "unfinished") << "the data is served while the source waits";
	EXPECT_EQ(selectionOwner(), static_cast<xcb_window_t>(XCB_WINDOW_NONE));
	EXPECT_TRUE(inputIsFree());
}

TEST_F(X11DragSources, ADragStartedByAMoveWithTheLeftButtonWorksToo)
{
	view->startOnMove = true;
	offer(textSource("from a move"));
	XdndTarget target(fx.client, kTargetX, kTargetY, {});
	ASSERT_TRUE(drag(
	    {whenStarted(), moveTo(kInsideX, kInsideY), until([&] { return target.count("position") >= 1; }), release()},
	    &target));
	EXPECT_EQ(view->results, (std::vector<int32>{2}));
	EXPECT_EQ(target.received["UTF8_STRING"], "from a move");
}

TEST_F(X11DragSources, TheBitmapFollowsThePointerWithoutHidingTheTarget)
{
	COffscreenContext* offscreen = fx.platform()->createOffscreenContext(24, 16);
	ASSERT_NE(offscreen, nullptr);
	offscreen->setFillColor(CColor(255, 0, 0, 255));
	offscreen->drawRect(CRect(0, 0, 24, 16), kShapeFilled);
	offscreen->endDraw();
	view->bitmap = offscreen->getBitmap();
	view->bitmap->remember();
	offscreen->forget();
	// The picture's top-left corner relative to the pointer, which lands
	// inside the picture.
	view->offset = CPoint(-12, -8);
	offer(textSource("with a picture"));
	XdndTarget target(fx.client, kTargetX, kTargetY, {});
	std::vector<Shown> during;
	std::vector<uint32_t> pixels;
	ASSERT_TRUE(drag({whenStarted(), moveTo(kInsideX, kInsideY), until([&] { return target.count("position") >= 1; }),
	                  [&]
	                  {
		                  during = overrideRedirectWindows();
		                  if (during.size() == 1)
			                  pixels = fx.client.readPixels(during[0].window, during[0].width, during[0].height);
		                  return true;
	                  },
	                  release()},
	                 &target));
	EXPECT_EQ(view->results, (std::vector<int32>{2})) << "the target beneath the picture took the drop";
	ASSERT_EQ(during.size(), 1u);
	EXPECT_EQ(during[0].x, kInsideX - 12);
	EXPECT_EQ(during[0].y, kInsideY - 8);
	EXPECT_EQ(during[0].width, 24);
	EXPECT_EQ(during[0].height, 16);
	ASSERT_EQ(pixels.size(), 24u * 16u);
	EXPECT_EQ(pixels[8 * 24 + 12], 0xFFFF0000u);
	EXPECT_TRUE(overrideRedirectWindows().empty()) << "the picture goes with the drag";
}

TEST_F(X11DragSources, DroppingOnAViewOfTheSameFrameDeliversToIt)
{
	auto* dropView = new DropView(CRect(110, 20, 190, 130));
	fx.frame->addView(dropView);
	offer(textSource("inside the editor"));
	ASSERT_TRUE(drag(
	    {whenStarted(), moveTo(fx.rootX(150), fx.rootY(60)), until([&] { return dropView->enters > 0; }), release()},
	    nullptr));
	EXPECT_EQ(view->results, (std::vector<int32>{2}));
	EXPECT_EQ(dropView->dropped, "inside the editor");
}

TEST_F(X11DragSources, ClosingTheFrameDuringTheDragEndsItCleanly)
{
	offer(textSource("orphan"));
	XdndTarget target(fx.client, kTargetX, kTargetY, {});
	ASSERT_TRUE(drag({whenStarted(), moveTo(kInsideX, kInsideY), until([&] { return target.count("position") >= 1; }),
	                  [&]
	                  {
		                  fx.close();
		                  return true;
	                  }},
	                 &target));
	EXPECT_EQ(view->results, (std::vector<int32>{0}));
	pumpUntil(
	    [&]
	    {
		    target.service();
		    return target.count("leave") > 0;
	    });
	EXPECT_EQ(target.log, (std::vector<std::string>{"enter", "position", "leave"}));
	fx.client.releaseButton(1);
	EXPECT_EQ(selectionOwner(), static_cast<xcb_window_t>(XCB_WINDOW_NONE));
	EXPECT_TRUE(inputIsFree());
}

TEST_F(X11DragSources, NothingHappensOutsideALeftButtonDelivery)
{
	CDropSource* source = textSource("not now");
	EXPECT_EQ(fx.platform()->doDrag(source, CPoint(), nullptr), 0) << "called from no event at all";
	source->forget();
	EXPECT_EQ(fx.platform()->doDrag(nullptr, CPoint(), nullptr), -1)
	    << "a source that can never be dragged comes first";

	offer(textSource("right button"));
	fx.client.movePointer(fx.rootX(50), fx.rootY(50));
	fx.client.pressButton(3);
	ASSERT_TRUE(pumpUntil([&] { return view->ended; }));
	fx.client.releaseButton(3);
	EXPECT_EQ(view->results, (std::vector<int32>{0}));
	EXPECT_EQ(selectionOwner(), static_cast<xcb_window_t>(XCB_WINDOW_NONE));
}

TEST_F(X11DragSources, SourcesWithNothingToDragAnswerMinusOne)
{
	class BadSourcesView : public DragView
	{
	public:
		using DragView::DragView;
		MouseEventResult onMouseDown(CPoint&, const CButtonState&) override
		{
			results.push_back(doDrag(nullptr));
			auto* empty = new CDropSource;
			results.push_back(doDrag(empty));
			empty->forget();
			auto* error = new CDropSource("x", 2, CDropSource::kError);
			error->add("text", 5, CDropSource::kText);
			results.push_back(doDrag(error));
			error->forget();
			ended = true;
			return kMouseHandled;
		}
	};
	auto* bad = new BadSourcesView(CRect(110, 20, 190, 130));
	fx.frame->addView(bad);
	fx.client.movePointer(fx.rootX(150), fx.rootY(60));
	fx.client.pressButton(1);
	ASSERT_TRUE(pumpUntil([&] { return bad->ended; }));
	fx.client.releaseButton(1);
	EXPECT_EQ(bad->results, (std::vector<int32>{-1, -1, -1}));
	EXPECT_EQ(fx.platform()->getLastDragResult(), -1);
	EXPECT_TRUE(inputIsFree());
}

TEST(X11DragSourceFaults, ServerThatGoesAwayDuringTheDragEndsIt)
{
	sharedServer();
	std::string sharedDisplay = std::getenv("DISPLAY");
	auto* doomed = new XvfbServer;
	requireRunning(*doomed);
	auto* view = new DragView(CRect(0, 0, 100, 100));
	view->remember();
	view->source = textSource("lost");
	CFrame* frame = nullptr;
	{
		TestClient client;
		ASSERT_TRUE(client.isConnected());
		xcb_window_t parent = client.createParent(0, 0, 200, 200);
		frame = new CFrame(CRect(0, 0, 100, 100), reinterpret_cast<void*>(static_cast<uintptr_t>(parent)), nullptr);
		ASSERT_NE(frame->getPlatformFrame(), nullptr);
		frame->addView(view);
		X11RunLoop::pump();
		Script script({[&] { return view->started; },
		               [&]
		               {
			               client.movePointer(150, 150);
			               doomed->kill();
			               return true;
		               }},
		              nullptr, nullptr);
		auto* timer = new CVSTGUITimer(&script, 5);
		timer->start();
		client.movePointer(50, 50);
		client.pressButton(1);
		EXPECT_TRUE(pumpUntil([&] { return view->ended; }, 15000));
		timer->forget();
	}
	EXPECT_EQ(view->results, (std::vector<int32>{0}));
	frame->close();
	view->forget();
	delete doomed;
	setenv("DISPLAY", sharedDisplay.c_str(), 1);
}
