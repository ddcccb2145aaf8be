// The editor window's costs on a private Xvfb: from creating a frame to its
// first completed paint (drawn, copied and handled by the server), and one
// pump of the run loop when nothing is to be done.
#include "gui/platform/linux/linuxplatform.h"
#include "gui/platform/linux/window/x11frame.h"
#include "gui/platform/linux/window/x11runloop.h"
#include "gui/views/cframe.h"
#include "tests/support/xvfbserver.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <xcb/xcb.h>

using namespace VSTGUI;

namespace
{

corvane::test::XvfbServer& server()
{
	static corvane::test::XvfbServer instance;
	return instance;
}

// The host: a mapped top-level window on a connection of its own.
class Host
{
public:
	Host()
	{
		server();
		connection = xcb_connect(nullptr, nullptr);
		if (xcb_connection_has_error(connection))
			return;
		xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
		window = xcb_generate_id(connection);
		xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 500, 400, 0,
		                  XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
		xcb_map_window(connection, window);
		std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
	}
	~Host() { xcb_disconnect(connection); }
	Host(const Host&) = delete;
	Host& operator=(const Host&) = delete;

	void* handle() const { return reinterpret_cast<void*>(static_cast<uintptr_t>(window)); }
	bool ok() const { return window != 0; }

private:
	xcb_connection_t* connection{nullptr};
	xcb_window_t window{0};
};

CFrame* openEditorSizedFrame(const Host& host)
{
	auto* frame = new CFrame(CRect(0, 0, 400, 300), host.handle(), nullptr);
	frame->setBackgroundColor(CColor(30, 30, 30, 255));
	auto* child = new CViewContainer(CRect(20, 20, 380, 120));
	child->setBackgroundColor(CColor(200, 120, 40, 255));
	frame->addView(child);
	return frame;
}

void BM_FrameCreationToFirstPaint(benchmark::State& state)
{
	Host host;
	if (!host.ok())
	{
		state.SkipWithError("no X server");
		return;
	}
	for (auto _ : state)
	{
		CFrame* frame = openEditorSizedFrame(host);
		auto* platform = static_cast<X11Frame*>(frame->getPlatformFrame());
		X11RunLoop::pump();
		platform->sync();
		benchmark::DoNotOptimize(platform->getPaintStatistics().paints);
		frame->close();
	}
}
BENCHMARK(BM_FrameCreationToFirstPaint)->Unit(benchmark::kMillisecond);

void BM_PumpWithNothingToDo(benchmark::State& state)
{
	Host host;
	if (!host.ok())
	{
		state.SkipWithError("no X server");
		return;
	}
	CFrame* frame = openEditorSizedFrame(host);
	X11RunLoop::pump();
	for (auto _ : state)
		X11RunLoop::pump();
	frame->close();
}
BENCHMARK(BM_PumpWithNothingToDo)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
	VSTGUI::installLinuxPlatform();
	benchmark::Initialize(&argc, argv);
	if (benchmark::ReportUnrecognizedArguments(argc, argv))
		return 1;
	benchmark::RunSpecifiedBenchmarks();
	benchmark::Shutdown();
	return 0;
}
