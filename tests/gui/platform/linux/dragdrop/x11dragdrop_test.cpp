// Drops by XDND: a second X client (the test's own connection) acts as the
// drag source and serves the data; a view of the frame receives it.
#include "tests/support/x11testsupport.h"

#include "gui/platform/linux/dragdrop/x11dragcontainer.h"
#include "gui/platform/linux/window/x11runloop.h"

#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

using namespace corvane::test;

namespace
{

struct Item
{
	int32 type;
	std::string bytes;
};

// Reads everything a container offers, as a view would.
std::vector<Item> itemsOf(CDragContainer* drag)
{
	std::vector<Item> items;
	int32 size = 0;
	int32 type = 0;
	for (void* data = drag->first(size, type); data; data = drag->next(size, type))
		items.push_back({type, std::string(static_cast<const char*>(data), static_cast<size_t>(size))});
	return items;
}

class DropView : public CView
{
public:
	using CView::CView;
	void onDragEnter(CDragContainer* drag, const CPoint& where) override
	{
		log.push_back("enter");
		enterPoint = where;
		enterCount = drag->getCount();
	}
	void onDragMove(CDragContainer*, const CPoint&) override { log.push_back("move"); }
	void onDragLeave(CDragContainer*, const CPoint&) override { log.push_back("leave"); }
	bool onDrop(CDragContainer* drag, const CPoint& where) override
	{
		log.push_back("drop");
		dropPoint = where;
		count = drag->getCount();
		for (int32 i = 0; i < count + 1; ++i)
			types.push_back(drag->getType(i));
		items = itemsOf(drag);
		return true;
	}
	std::vector<std::string> log;
	CPoint enterPoint;
	CPoint dropPoint;
	int32 enterCount{-1};
	int32 count{-1};
	std::vector<int32> types;
	std::vector<Item> items;
};

// The source side of XDND on the test's connection.
class XdndSource
{
public:
	XdndSource(TestClient& client, const char* type, std::string data) : client(client), data(std::move(data))
	{
		c = client.get();
		for (const char* name : {"XdndSelection", "XdndEnter", "XdndPosition", "XdndStatus", "XdndDrop", "XdndFinished",
		                         "XdndLeave", "XdndActionCopy"})
			atoms.push_back(intern(name));
		typeAtom = intern(type);
		window = xcb_generate_id(c);
		xcb_create_window(c, 0, window, client.root(), 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT,
		                  0, nullptr);
		xcb_set_selection_owner(c, window, atoms[0], XCB_CURRENT_TIME);
		client.sync();
	}
	~XdndSource()
	{
		xcb_destroy_window(c, window);
		client.sync();
	}

	void enter(xcb_window_t target) { send(target, atoms[1], {window, 5u << 24, typeAtom, 0, 0}); }
	void position(xcb_window_t target, int rootX, int rootY)
	{
		send(target, atoms[2], {window, 0, static_cast<uint32_t>(rootX << 16 | rootY), XCB_CURRENT_TIME, atoms[7]});
	}
	void drop(xcb_window_t target) { send(target, atoms[4], {window, 0, XCB_CURRENT_TIME, 0, 0}); }
	void leave(xcb_window_t target) { send(target, atoms[6], {window, 0, 0, 0, 0}); }

	// Answers selection requests and notes status and finished messages.
	void service()
	{
		while (xcb_generic_event_t* event = xcb_poll_for_event(c))
		{
			uint8_t kind = event->response_type & 0x7F;
			if (kind == XCB_SELECTION_REQUEST)
				answer(*reinterpret_cast<xcb_selection_request_event_t*>(event));
			else if (kind == XCB_CLIENT_MESSAGE)
				note(*reinterpret_cast<xcb_client_message_event_t*>(event));
			std::free(event);
		}
	}

	bool pumpUntil(const std::function<bool()>& done)
	{
		return corvane::test::pumpUntil(
		    [&]
		    {
			    service();
			    return done();
		    });
	}

	int statusCount{0};
	bool accepted{false};
	bool finished{false};
	bool finishedAccepted{false};
	int requests{0};

private:
	xcb_atom_t intern(const char* name)
	{
		auto* reply =
		    xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
		xcb_atom_t atom = reply ? reply->atom : 0;
		std::free(reply);
		return atom;
	}

	void send(xcb_window_t target, xcb_atom_t type, std::array<uint32_t, 5> values)
	{
		xcb_client_message_event_t message{};
		message.response_type = XCB_CLIENT_MESSAGE;
		message.format = 32;
		message.window = target;
		message.type = type;
		std::memcpy(message.data.data32, values.data(), sizeof(message.data.data32));
		xcb_send_event(c, 0, target, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
		client.sync();
	}

	void answer(const xcb_selection_request_event_t& request)
	{
		++requests;
		xcb_selection_notify_event_t notify{};
		notify.response_type = XCB_SELECTION_NOTIFY;
		notify.time = request.time;
		notify.requestor = request.requestor;
		notify.selection = request.selection;
		notify.target = request.target;
		notify.property = XCB_ATOM_NONE;
		if (request.target == typeAtom)
		{
			xcb_change_property(c, XCB_PROP_MODE_REPLACE, request.requestor, request.property, typeAtom, 8,
			                    static_cast<uint32_t>(data.size()), data.data());
			notify.property = request.property;
		}
		xcb_send_event(c, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&notify));
		client.sync();
	}

	void note(const xcb_client_message_event_t& message)
	{
		if (message.type == atoms[3])
		{
			++statusCount;
			accepted = message.data.data32[1] & 1;
		}
		else if (message.type == atoms[5])
		{
			finished = true;
			finishedAccepted = message.data.data32[1] & 1;
		}
	}

	TestClient& client;
	xcb_connection_t* c;
	std::string data;
	std::vector<xcb_atom_t> atoms;
	xcb_atom_t typeAtom;
	xcb_window_t window;
};

class X11Drops : public ::testing::Test
{
protected:
	void SetUp() override
	{
		ASSERT_NE(fx.platform(), nullptr);
		view = new DropView(CRect(20, 20, 180, 130));
		fx.frame->addView(view);
		fx.paintNow();
	}

	// Enter, two positions and the drop at frame point (50, 60).
	void dragAndDrop(XdndSource& source)
	{
		xcb_window_t target = fx.platform()->getWindow();
		source.enter(target);
		source.position(target, fx.rootX(40), fx.rootY(50));
		ASSERT_TRUE(source.pumpUntil([&] { return !view->log.empty(); }));
		source.position(target, fx.rootX(50), fx.rootY(60));
		ASSERT_TRUE(source.pumpUntil([&] { return source.statusCount >= 2; }));
		source.drop(target);
		ASSERT_TRUE(source.pumpUntil([&] { return source.finished; }));
	}

	FrameFixture fx;
	DropView* view{nullptr};
};

} // namespace

TEST_F(X11Drops, DroppedTextArrivesAsOneUtf8Item)
{
	XdndSource source(fx.client, "UTF8_STRING", "Grüße, Corvane");
	dragAndDrop(source);
	EXPECT_TRUE(source.accepted);
	EXPECT_TRUE(source.finishedAccepted);
	ASSERT_GE(view->log.size(), 3u);
	EXPECT_EQ(std::vector<std::string>(view->log.begin(), view->log.begin() + 3),
	          (std::vector<std::string>{"enter", "move", "drop"}));
	EXPECT_EQ(view->enterCount, 1);
	EXPECT_EQ(view->count, 1);
	EXPECT_EQ(view->types, (std::vector<int32>{CDragContainer::kUnicodeText, CDragContainer::kError}));
	ASSERT_EQ(view->items.size(), 1u);
	EXPECT_EQ(view->items[0].type, CDragContainer::kUnicodeText);
	EXPECT_EQ(view->items[0].bytes, "Grüße, Corvane");
	EXPECT_EQ(view->enterPoint, CPoint(40, 50));
	EXPECT_EQ(view->dropPoint, CPoint(50, 60));
	EXPECT_EQ(source.requests, 1) << "the data is fetched once per drag";
}

TEST_F(X11Drops, DroppedUriListArrivesAsFilePaths)
{
	XdndSource source(
	    fx.client, "text/uri-list",
	    "# dragged from a file manager\r\nfile:///home/user/a%20b.wav\r\nfile://host/tmp/c.txt\r\nhttp://x/y\r\n");
	dragAndDrop(source);
	EXPECT_EQ(view->count, 2);
	EXPECT_EQ(view->types,
	          (std::vector<int32>{CDragContainer::kFile, CDragContainer::kFile, CDragContainer::kUnknown}));
	ASSERT_EQ(view->items.size(), 2u);
	EXPECT_EQ(view->items[0].bytes, "/home/user/a b.wav");
	EXPECT_EQ(view->items[1].bytes, "/tmp/c.txt");
	EXPECT_EQ(view->items[1].type, CDragContainer::kFile);
}

TEST_F(X11Drops, ToolkitBinaryDataArrivesByteForByte)
{
	std::string bytes("\x01\x00\xFF\x7Fpayload", 11);
	XdndSource source(fx.client, X11DragContainer::kBinaryType, bytes);
	dragAndDrop(source);
	ASSERT_EQ(view->items.size(), 1u);
	EXPECT_EQ(view->items[0].type, CDragContainer::kUnknown);
	EXPECT_EQ(view->items[0].bytes, bytes);
}

TEST_F(X11Drops, UnknownTypesAreRefusedAndNothingReachesTheViews)
{
	XdndSource source(fx.client, "image/png", "not offered");
	xcb_window_t target = fx.platform()->getWindow();
	source.enter(target);
	source.position(target, fx.rootX(50), fx.rootY(60));
	ASSERT_TRUE(source.pumpUntil([&] { return source.statusCount >= 1; }));
	EXPECT_FALSE(source.accepted);
	source.drop(target);
	ASSERT_TRUE(source.pumpUntil([&] { return source.finished; }));
	EXPECT_FALSE(source.finishedAccepted);
	EXPECT_TRUE(view->log.empty());
	EXPECT_EQ(source.requests, 0);
}

TEST_F(X11Drops, LeavingAfterEnteringTellsTheView)
{
	XdndSource source(fx.client, "UTF8_STRING", "text");
	xcb_window_t target = fx.platform()->getWindow();
	source.enter(target);
	source.position(target, fx.rootX(50), fx.rootY(60));
	ASSERT_TRUE(source.pumpUntil([&] { return !view->log.empty(); }));
	source.leave(target);
	ASSERT_TRUE(source.pumpUntil([&] { return view->log.back() == "leave"; }));
	EXPECT_EQ(view->log, (std::vector<std::string>{"enter", "leave"}));
}

TEST(X11DragContainer, IterationGivesPrivateTerminatedCopiesAndEndsWithError)
{
	auto* container = new X11DragContainer(X11DragContainer::Kind::files, {"/a", "/bb"});
	int32 size = -1;
	int32 type = -1;
	auto* first = static_cast<const char*>(container->first(size, type));
	ASSERT_NE(first, nullptr);
	EXPECT_STREQ(first, "/a");
	EXPECT_EQ(size, 2);
	EXPECT_EQ(type, CDragContainer::kFile);
	EXPECT_STREQ(static_cast<const char*>(container->next(size, type)), "/bb");
	EXPECT_EQ(container->next(size, type), nullptr);
	EXPECT_EQ(size, 0);
	EXPECT_EQ(type, CDragContainer::kError);
	EXPECT_EQ(container->next(size, type), nullptr) << "stays at the end";
	EXPECT_STREQ(static_cast<const char*>(container->first(size, type)), "/a") << "first restarts";
	container->forget();
}

TEST(X11DragContainer, TypesOutsideTheItemsFollowTheKindOfDrag)
{
	auto* text = new X11DragContainer(X11DragContainer::Kind::text, {"one", "two"});
	EXPECT_EQ(text->getCount(), 1) << "text offers exactly one item";
	EXPECT_EQ(text->getType(0), CDragContainer::kUnicodeText);
	EXPECT_EQ(text->getType(1), CDragContainer::kError);
	EXPECT_EQ(text->getType(-1), CDragContainer::kError);
	text->forget();
	auto* empty = new X11DragContainer(X11DragContainer::Kind::files, {});
	int32 size = 5;
	int32 type = 5;
	EXPECT_EQ(empty->getCount(), 0);
	EXPECT_EQ(empty->first(size, type), nullptr);
	EXPECT_EQ(size, 0);
	EXPECT_EQ(type, CDragContainer::kError);
	EXPECT_EQ(empty->getType(0), CDragContainer::kUnknown);
	empty->forget();
}

TEST(X11DragContainer, UriListKeepsOnlyDecodedFilePaths)
{
	EXPECT_EQ(X11DragContainer::pathsFromUriList("file:///x/%41%zz%4\nfile:///y\n#file:///no\nftp://a/b\nfile://\n"),
	          (std::vector<std::string>{"/x/A%zz%4", "/y"}));
	EXPECT_TRUE(X11DragContainer::pathsFromUriList("file:///bad%00name").empty()) << "no path with a NUL";
}
