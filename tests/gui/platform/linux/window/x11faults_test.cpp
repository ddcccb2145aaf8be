// The faults that must never take the host down: no display, a server that
// never answers, a parent that does not exist, a server that goes away; and
// open/close cycles that leave nothing behind.
#include "tests/support/x11testsupport.h"

#include "gui/base/runloop.h"
#include "gui/platform/linux/window/x11runloop.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

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

// An X server that accepts connections and never answers them: it listens
// where a local display's socket is looked for first (the abstract
// namespace), under a display number of its own, and holds what it accepts
// for a few seconds before it gives up.
class SilentServer
{
public:
	SilentServer()
	{
		for (int number = 32000; number < 32100 && listening < 0; ++number)
		{
			int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
			sockaddr_un address{};
			address.sun_family = AF_UNIX;
			std::string path = "/tmp/.X11-unix/X" + std::to_string(number);
			path.copy(address.sun_path + 1, path.size());
			auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + path.size());
			if (bind(fd, reinterpret_cast<sockaddr*>(&address), length) == 0 && listen(fd, 4) == 0)
			{
				listening = fd;
				display = ":" + std::to_string(number);
			}
			else
				close(fd);
		}
		if (listening >= 0)
			holder = std::thread([this] { acceptAndHold(); });
	}
	~SilentServer()
	{
		stop = true;
		if (holder.joinable())
			holder.join();
		if (listening >= 0)
			close(listening);
	}
	SilentServer(const SilentServer&) = delete;
	SilentServer& operator=(const SilentServer&) = delete;

	bool isListening() const { return listening >= 0; }
	std::string display;
	std::atomic<int> accepted{0};

private:
	void acceptAndHold()
	{
		std::vector<int> held;
		auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
		while (!stop && std::chrono::steady_clock::now() < giveUp)
		{
			pollfd p{listening, POLLIN, 0};
			if (poll(&p, 1, 20) == 1)
			{
				held.push_back(accept4(listening, nullptr, nullptr, SOCK_CLOEXEC));
				++accepted;
			}
		}
		for (int fd : held)
			close(fd);
	}

	int listening{-1};
	std::atomic<bool> stop{false};
	std::thread holder;
};

} // namespace

TEST(X11FrameFaults, ServerThatNeverAnswersAnswersNullWithinTheTimeLimit)
{
	TestClient client;
	ASSERT_TRUE(client.isConnected());
	xcb_window_t parent = client.createParent(0, 0, 100, 100);
	std::string display = std::getenv("DISPLAY");
	size_t fds = openFileDescriptors();
	NullCallback callback;
	IPlatformFrame* frame = nullptr;
	std::chrono::milliseconds waited{};
	{
		SilentServer silent;
		ASSERT_TRUE(silent.isListening());
		setenv("DISPLAY", silent.display.c_str(), 1);
		auto start = std::chrono::steady_clock::now();
		frame = IPlatformFrame::createPlatformFrame(&callback, CRect(0, 0, 50, 50), windowHandle(parent));
		waited = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
		setenv("DISPLAY", display.c_str(), 1);
		EXPECT_EQ(silent.accepted, 1);
	}
	EXPECT_EQ(frame, nullptr);
	EXPECT_LT(waited.count(), 2500);
	EXPECT_GE(waited.count(), 1900) << "the server was given its time";
	EXPECT_EQ(openFileDescriptors(), fds);
	EXPECT_EQ(X11RunLoop::getSourceCount(), 0);
}

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
	requireRunning(doomed);
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
