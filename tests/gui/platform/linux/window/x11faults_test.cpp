// The faults that must never take the host down: no display, a parent that
// does not exist, a server that goes away; and open/close cycles that leave
// nothing behind.
#include "tests/support/x11testsupport.h"

#include "gui/base/runloop.h"
#include "gui/platform/linux/window/x11runloop.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

using namespace corvane::test;

namespace
{

size_t openFileDescriptors()
{
	size_t count = 0;
	for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
		++count;
	return count;
}

class NullCallback : public IPlatformFrameCallback
{
public:
	bool platformDrawRect(CDrawContext*, const CRect&) override { return true; }
	MouseEventResult platformOnMouseDown(CPoint&, const CButtonState&) override { return kMouseHandled; }
	MouseEventResult platformOnMouseMoved(CPoint&, const CButtonState&) override { return kMouseHandled; }
	MouseEventResult platformOnMouseUp(CPoint&, const CButtonState&) override { return kMouseHandled; }
	MouseEventResult platformOnMouseExited(CPoint&, const CButtonState&) override { return kMouseHandled; }
	bool platformOnMouseWheel(const CPoint&, const CMouseWheelAxis&, const float&, const CButtonState&) override
	{
		return false;
	}
	bool platformOnDrop(CDragContainer*, const CPoint&) override { return false; }
	void platformOnDragEnter(CDragContainer*, const CPoint&) override {}
	void platformOnDragLeave(CDragContainer*, const CPoint&) override {}
	void platformOnDragMove(CDragContainer*, const CPoint&) override {}
	bool platformOnKeyDown(VstKeyCode&) override { return false; }
	bool platformOnKeyUp(VstKeyCode&) override { return false; }
	void platformOnActivate(bool) override {}
};

void* windowHandle(xcb_window_t window)
{
	return reinterpret_cast<void*>(static_cast<uintptr_t>(window));
}

} // namespace

TEST(X11FrameFaults, NoDisplayAnswersNullAndLeavesNothingOpen)
{
	TestClient client;
	ASSERT_TRUE(client.isConnected());
	xcb_window_t parent = client.createParent(0, 0, 100, 100);
	std::string display = std::getenv("DISPLAY");
	size_t fds = openFileDescriptors();
	NullCallback callback;
	unsetenv("DISPLAY");
	IPlatformFrame* frame = IPlatformFrame::createPlatformFrame(&callback, CRect(0, 0, 50, 50), windowHandle(parent));
	setenv("DISPLAY", ":32760", 1);
	IPlatformFrame* unreachable =
	    IPlatformFrame::createPlatformFrame(&callback, CRect(0, 0, 50, 50), windowHandle(parent));
	setenv("DISPLAY", display.c_str(), 1);
	EXPECT_EQ(frame, nullptr);
	EXPECT_EQ(unreachable, nullptr);
	EXPECT_EQ(openFileDescriptors(), fds);
	EXPECT_EQ(X11RunLoop::getSourceCount(), 0);
}

TEST(X11FrameFaults, UnknownOrNullParentAnswersNullAndCreatesNoWindow)
{
	TestClient client;
	ASSERT_TRUE(client.isConnected());
	size_t windows = client.descendantsOf(client.root()).size();
	size_t fds = openFileDescriptors();
	NullCallback callback;
	// An id in our own client's range that was never created.
	xcb_window_t unknown = xcb_generate_id(client.get());
	EXPECT_EQ(IPlatformFrame::createPlatformFrame(&callback, CRect(0, 0, 50, 50), windowHandle(unknown)), nullptr);
	EXPECT_EQ(IPlatformFrame::createPlatformFrame(&callback, CRect(0, 0, 50, 50), nullptr), nullptr);
	EXPECT_EQ(IPlatformFrame::createPlatformFrame(&callback, CRect(0, 0, 50, 50), reinterpret_cast<void*>(~0ull)),
	          nullptr);
	CFrame* frame = new CFrame(CRect(0, 0, 50, 50), windowHandle(unknown), nullptr);
	EXPECT_EQ(frame->getPlatformFrame(), nullptr);
	frame->close();
	client.sync();
	EXPECT_EQ(client.descendantsOf(client.root()).size(), windows);
	EXPECT_EQ(openFileDescriptors(), fds);
}

TEST(X11FrameFaults, ServerThatGoesAwayLeavesTheFrameQuiet)
{
	sharedServer();
	std::string sharedDisplay = std::getenv("DISPLAY");
	XvfbServer doomed;
	ASSERT_TRUE(doomed.isRunning());
	CFrame* frame = nullptr;
	ProbeView* probe = nullptr;
	{
		TestClient client;
		ASSERT_TRUE(client.isConnected());
		xcb_window_t parent = client.createParent(0, 0, 200, 200);
		frame = new CFrame(CRect(0, 0, 100, 100), windowHandle(parent), nullptr);
		ASSERT_NE(frame->getPlatformFrame(), nullptr);
		probe = new ProbeView(CRect(0, 0, 50, 50), CColor(1, 2, 3, 255));
		frame->addView(probe);
		X11RunLoop::pump();
		doomed.kill();
	}
	auto* platform = static_cast<X11Frame*>(frame->getPlatformFrame());
	// Writing first: the dead socket must not raise SIGPIPE in the host.
	probe->invalid();
	X11RunLoop::paint();
	frame->setCursor(kCursorHand);
	X11RunLoop::runFor(50);
	probe->invalid();
	X11RunLoop::runFor(50);
	EXPECT_FALSE(platform->isConnected());
	EXPECT_EQ(X11RunLoop::getSourceCount(), 0);
	EXPECT_FALSE(platform->invalidRect(CRect(0, 0, 10, 10)));
	CRect size;
	EXPECT_TRUE(frame->getSize(&size));
	EXPECT_EQ(size, CRect(0, 0, 100, 100));
	CPoint where;
	EXPECT_FALSE(frame->getCurrentMouseLocation(where));
	EXPECT_FALSE(platform->setMouseCursor(kCursorHand));
	frame->close();
	setenv("DISPLAY", sharedDisplay.c_str(), 1);
}

TEST(X11FrameFaults, FiveHundredOpenCloseCyclesLeaveNothingBehind)
{
	TestClient client;
	ASSERT_TRUE(client.isConnected());
	xcb_window_t parent = client.createParent(0, 0, 300, 200);
	size_t fds = openFileDescriptors();
	for (int i = 0; i < 500; ++i)
	{
		CFrame* frame = new CFrame(CRect(0, 0, 200, 150), windowHandle(parent), nullptr);
		ASSERT_NE(frame->getPlatformFrame(), nullptr) << i;
		auto* probe = new ProbeView(CRect(10, 10, 50, 50), CColor(9, 9, 9, 255));
		frame->addView(probe);
		probe->setWantsIdle(true);
		frame->setCursor(kCursorHand);
		X11RunLoop::pump();
		frame->close();
	}
	client.sync();
	EXPECT_TRUE(client.descendantsOf(parent).empty());
	EXPECT_EQ(X11RunLoop::getSourceCount(), 0);
	EXPECT_EQ(RunLoop::get().getTimerCount(), 0u);
	EXPECT_EQ(openFileDescriptors(), fds);
}

TEST(X11FrameFaults, HostWindowDestroyedBeforeCloseLeavesTheFrameQuiet)
{
	FrameFixture fx;
	ASSERT_NE(fx.platform(), nullptr);
	ProbeView* probe = fx.addProbe(CRect(0, 0, 40, 40), CColor(5, 5, 5, 255));
	fx.paintNow();
	xcb_destroy_window(fx.client.get(), fx.parent);
	fx.client.sync();
	// Requests already on their way fail on the server: errors to ignore.
	fx.frame->setCursor(kCursorHSize);
	ASSERT_TRUE(pumpUntil([&] { return !fx.platform()->isConnected(); }));
	EXPECT_EQ(X11RunLoop::getSourceCount(), 0);
	probe->invalid();
	X11RunLoop::runFor(30);
	EXPECT_EQ(probe->draws, 1);
	fx.close();
	EXPECT_EQ(X11RunLoop::getSourceCount(), 0);
}
