// Corvane's editor through the real module, on a private Xvfb: from
// effEditOpen to the first completed paint, and the repaint that one step
// of the distance costs (host sets the parameter, the next idle redraws the
// slider and the read-out and copies them to the window), and an idle call
// with nothing to do at the scale factors a host may ask for.
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

// The scale request of JUCE's hosts: effVendorSpecific with these, opt the factor.
constexpr VstInt32 kScaleRequestIndex = 0x50726553;  // 'PreS'
constexpr VstIntPtr kScaleRequestValue = 0x41654373; // 'AeCs'

struct Editor
{
	// At factor 1 no request is sent, as from a host that knows nothing of
	// scaling; otherwise the window takes the size the editor reports after
	// the request (the same one, from an editor that ignores it).
	explicit Editor(float factor = 1.f)
	{
		server();
		std::string error;
		corvane::HostOptions options;
		options.unloadModule = false;
		plugin = corvane::HostedPlugin::load(CORVANE_MODULE_PATH, error, options);
		if (!plugin)
			return;
		int width = 400, height = 196;
		if (factor != 1.f)
		{
			scaleAnswer = plugin->dispatch(effVendorSpecific, kScaleRequestIndex, kScaleRequestValue, nullptr, factor);
			ERect* rect = nullptr;
			plugin->dispatch(effEditGetRect, 0, 0, &rect);
			if (rect && rect->right > rect->left && rect->bottom > rect->top)
			{
				width = rect->right - rect->left;
				height = rect->bottom - rect->top;
			}
		}
		window = VSTGUI::X11HostWindow::create("bench", width, height, error);
	}
	bool ok() const { return plugin && window; }
	void* parent() const { return reinterpret_cast<void*>(window->getWindowId()); }

	std::unique_ptr<corvane::HostedPlugin> plugin;
	std::unique_ptr<VSTGUI::X11HostWindow> window;
	VstIntPtr scaleAnswer = -1; // not asked
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

// With nothing changed, an idle call should cost next to nothing, also with
// a scaled editor: scale_answer tells whether the editor took the factor.
void BM_EditorIdleWithNothingToDo(benchmark::State& state, float factor)
{
	Editor editor(factor);
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
	if (editor.scaleAnswer >= 0)
		state.counters["scale_answer"] = static_cast<double>(editor.scaleAnswer);
}

BENCHMARK(BM_EditorOpenToFirstPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditorRepaintOfOneStep)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_EditorIdleWithNothingToDo, factor_1, 1.f)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_EditorIdleWithNothingToDo, factor_1_5, 1.5f)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_EditorIdleWithNothingToDo, factor_2, 2.f)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
