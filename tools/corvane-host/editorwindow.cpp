// edit and snapshot: a plug-in's editor in a window of our own.
//
// We are the host here, so we own the user-interface thread: the editor is
// idled about 30 times a second, the plug-in's resize requests resize our
// window, and a close of the window (or Ctrl-C) closes the editor cleanly.
#include "tools/corvane-host/commands.h"
#include "tools/corvane-host/processor.h"
#include "tools/corvane-host/windowcapture.h"

#include "gui/platform/linux/window/x11hostwindow.h"
#include "tools/vsthost/pluginhost.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <thread>

namespace corvane::cli
{

namespace
{

constexpr auto kIdlePeriod = std::chrono::milliseconds(33);
constexpr int kPaintTimeoutIdles = 150; // about 5 seconds
// A picture is taken once it has stayed the same this long: editors that
// draw in steps (one part per idle, or after loading their images) are
// then complete. The limit keeps an animated editor from stalling us.
constexpr int kStableIdles = 15;       // about half a second
constexpr int kStableLimitIdles = 300; // about 10 seconds
// The window for an editor that tells its size only once open; it follows
// as soon as the plug-in says.
constexpr int kProvisionalWidth = 640;
constexpr int kProvisionalHeight = 480;

std::atomic<bool> gStop{false};

extern "C" void onStopSignal(int)
{
	gStop = true;
}

struct PendingSize
{
	int width = 0;
	int height = 0;
};

HostOptions editorHostOptions(bool log, VSTGUI::X11HostWindow** window, PendingSize* pending)
{
	HostOptions options;
	options.unloadModule = false;
	options.handler = [window, pending](const HostCall& call) -> std::optional<VstIntPtr>
	{
		if (call.opcode == audioMasterCanDo && call.text == "sizeWindow")
			return 1;
		if (call.opcode == audioMasterSizeWindow)
		{
			// Only a window that exists can follow; the size is kept for
			// the one that is about to be made.
			pending->width = call.index;
			pending->height = static_cast<int>(call.value);
			return (*window && (*window)->resize(call.index, static_cast<int>(call.value))) ? 1 : 0;
		}
		return std::nullopt;
	};
	if (log)
		options.observer = [](const HostCall& call, VstIntPtr answer)
		{
			std::printf("%s index=%d value=%ld opt=%g answer=%ld\n", hostOpcodeName(call.opcode).c_str(), call.index,
			            static_cast<long>(call.value), static_cast<double>(call.opt), static_cast<long>(answer));
			std::fflush(stdout);
		};
	return options;
}

// Some plug-ins answer 0 with a valid rectangle, others 1 with none: the
// rectangle is what counts.
bool editorSize(HostedPlugin& plugin, int& width, int& height)
{
	ERect* rect = nullptr;
	plugin.dispatch(effEditGetRect, 0, 0, &rect);
	if (!rect)
		return false;
	width = rect->right - rect->left;
	height = rect->bottom - rect->top;
	return width > 0 && height > 0;
}

// The size the editor last reported, so that the window follows a change
// of the report, but not a stale report after a resize request.
struct ReportedSize
{
	int width = 0;
	int height = 0;
};

void followReportedSize(HostedPlugin& plugin, VSTGUI::X11HostWindow& window, ReportedSize& reported)
{
	int width = 0, height = 0;
	if (!editorSize(plugin, width, height) || (width == reported.width && height == reported.height))
		return;
	reported = {width, height};
	window.resize(width, height);
}

ReportedSize* gReported = nullptr;

void idleOnce(HostedPlugin& plugin, VSTGUI::X11HostWindow& window)
{
	plugin.dispatch(effEditIdle);
	if (gReported)
		followReportedSize(plugin, window, *gReported);
	window.processEvents();
	std::this_thread::sleep_for(kIdlePeriod);
}

int runWindow(HostedPlugin& plugin, VSTGUI::X11HostWindow& window)
{
	while (!gStop && window.processEvents())
		idleOnce(plugin, window);
	return kExitOk;
}

bool showsContent(const std::vector<std::uint32_t>& pixels)
{
	for (std::uint32_t pixel : pixels)
		if (pixel != VSTGUI::X11HostWindow::kBackgroundPixel)
			return true;
	return false;
}

int takeSnapshot(HostedPlugin& plugin, VSTGUI::X11HostWindow& window, WindowCapture& capture, const std::string& path)
{
	int idles = 0, width = 0, height = 0;
	while (!gStop && idles < kPaintTimeoutIdles && !showsContent(capture.pixels(width, height)))
	{
		idleOnce(plugin, window);
		idles++;
	}
	if (gStop)
		return fail("interrupted before the editor was saved");
	if (idles == kPaintTimeoutIdles)
		return fail("the plug-in's editor drew nothing within 5 seconds");
	std::uint64_t last = pictureHash(capture.pixels(width, height), width);
	for (int same = 0, waited = 0; same < kStableIdles && waited < kStableLimitIdles; waited++)
	{
		idleOnce(plugin, window);
		std::uint64_t now = pictureHash(capture.pixels(width, height), width);
		same = now == last ? same + 1 : 0;
		last = now;
	}
	std::string error;
	if (!capture.savePNG(path, error))
		return fail(error);
	return kExitOk;
}

} // namespace

// An interruption while the plug-in loads or opens its editor (heavy
// editors take seconds) must wait for it: the editor is then closed as
// after any other interruption.
class StopSignals
{
public:
	StopSignals()
	{
		gStop = false;
		previousInt_ = std::signal(SIGINT, onStopSignal);
		previousTerm_ = std::signal(SIGTERM, onStopSignal);
	}
	~StopSignals()
	{
		std::signal(SIGINT, previousInt_);
		std::signal(SIGTERM, previousTerm_);
	}
	StopSignals(const StopSignals&) = delete;
	StopSignals& operator=(const StopSignals&) = delete;

private:
	void (*previousInt_)(int) = nullptr;
	void (*previousTerm_)(int) = nullptr;
};

int runEditor(const Arguments& arguments, bool snapshot)
{
	StopSignals stopSignals;
	VSTGUI::X11HostWindow* windowPointer = nullptr;
	PendingSize pending;
	std::string error;
	auto plugin =
	    HostedPlugin::load(arguments.plugin, error, editorHostOptions(arguments.log, &windowPointer, &pending));
	if (!plugin)
		return fail(error);
	if (!(plugin->effect()->flags & effFlagsHasEditor))
		return fail("the plug-in " + arguments.plugin + " has no editor");
	plugin->dispatch(effOpen);
	if (!checkProgram(*plugin->effect(), arguments, error) || !configure(*plugin, arguments, 44100.f, error))
		return usageFail(arguments.command, error);
	// Before the editor is first sized: a plug-in that takes the factor then
	// reports its size in device pixels, and the window follows as ever.
	// Some plug-ins take it without answering 1, so an unconfirmed factor
	// is only a possibility, not a fact, for the warning.
	if (arguments.scale && !plugin->setEditorScale(*arguments.scale))
	{
		std::fflush(stdout);
		std::fprintf(stderr, "corvane-host: warning: the plug-in did not confirm the scale factor; its editor may be "
		                     "drawn at its own size\n");
	}

	// Many editors tell their size only once open: they get a provisional
	// window first, which follows what they report or request.
	int width = kProvisionalWidth, height = kProvisionalHeight;
	ReportedSize reported;
	if (editorSize(*plugin, width, height))
		reported = {width, height};
	else if (pending.width > 0 && pending.height > 0)
		width = pending.width, height = pending.height;
	else
		width = kProvisionalWidth, height = kProvisionalHeight;
	auto window =
	    VSTGUI::X11HostWindow::create("corvane-host: " + plugin->getString(effGetEffectName), width, height, error);
	if (!window)
		return fail(error);
	windowPointer = window.get();
	std::unique_ptr<WindowCapture> capture;
	if (snapshot && !(capture = WindowCapture::create(static_cast<std::uint32_t>(window->getWindowId()), error)))
		return fail(error);

	if (!plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(window->getWindowId())))
		return fail("the plug-in could not open its editor");
	followReportedSize(*plugin, *window, reported);
	gReported = &reported;

	int status = snapshot ? takeSnapshot(*plugin, *window, *capture, arguments.output) : runWindow(*plugin, *window);

	gReported = nullptr;
	plugin->dispatch(effEditClose);
	windowPointer = nullptr;
	plugin->close();
	return status;
}

} // namespace corvane::cli
