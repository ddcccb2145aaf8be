// Corvane's editor through the real module, on a private Xvfb: from
// effEditOpen to the first completed paint, and the repaint that one step
// of the distance costs (host sets the parameter, the next idle redraws the
// slider and the read-out and copies them to the window).
#include "gui/platform/linux/window/x11hostwindow.h"
#include "tests/support/xvfbserver.h"
#include "tools/vsthost/pluginhost.h"

#include <benchmark/benchmark.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace
{

corvane::test::XvfbServer& server()
{
	static corvane::test::XvfbServer instance;
	return instance;
}

// A round trip on a connection of our own: every request that the plug-in
// flushed before has been handled by the server when it returns.
class ServerSync
{
public:
	ServerSync() : connection(xcb_connect(nullptr, nullptr)) {}
	~ServerSync() { xcb_disconnect(connection); }
	void operator()() { std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr)); }

private:
	xcb_connection_t* connection;
};

struct Editor
{
	Editor()
	{
		server();
		std::string error;
		corvane::HostOptions options;
		options.unloadModule = false;
		plugin = corvane::HostedPlugin::load(CORVANE_MODULE_PATH, error, options);
		if (plugin)
			window = VSTGUI::X11HostWindow::create("bench", 400, 196, error);
	}
	bool ok() const { return plugin && window; }
	void* parent() const { return reinterpret_cast<void*>(window->getWindowId()); }

	std::unique_ptr<corvane::HostedPlugin> plugin;
	std::unique_ptr<VSTGUI::X11HostWindow> window;
};

void BM_EditorOpenToFirstPaint(benchmark::State& state)
{
	Editor editor;
	ServerSync sync;
	if (!editor.ok())
	{
		state.SkipWithError("no X server or no plug-in");
		return;
	}
	for (auto _ : state)
	{
		editor.plugin->dispatch(effEditOpen, 0, 0, editor.parent());
		editor.plugin->dispatch(effEditIdle); // the first paint happens here
		sync();
		state.PauseTiming();
		editor.plugin->dispatch(effEditClose);
		sync();
		state.ResumeTiming();
	}
}

void BM_EditorRepaintOfOneStep(benchmark::State& state)
{
	Editor editor;
	ServerSync sync;
	if (!editor.ok())
	{
		state.SkipWithError("no X server or no plug-in");
		return;
	}
	editor.plugin->dispatch(effEditOpen, 0, 0, editor.parent());
	editor.plugin->dispatch(effEditIdle);
	sync();
	int step = 0;
	for (auto _ : state)
	{
		editor.plugin->setParameter(0, static_cast<float>(step++ % 100) / 100.f);
		editor.plugin->dispatch(effEditIdle);
		sync();
	}
	editor.plugin->dispatch(effEditClose);
}

// With nothing changed, an idle call should cost next to nothing.
void BM_EditorIdleWithNothingToDo(benchmark::State& state)
{
	Editor editor;
	if (!editor.ok())
	{
		state.SkipWithError("no X server or no plug-in");
		return;
	}
	editor.plugin->dispatch(effEditOpen, 0, 0, editor.parent());
	editor.plugin->dispatch(effEditIdle);
	for (auto _ : state)
		editor.plugin->dispatch(effEditIdle);
	editor.plugin->dispatch(effEditClose);
}

BENCHMARK(BM_EditorOpenToFirstPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditorRepaintOfOneStep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EditorIdleWithNothingToDo)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
