// edit and snapshot: a plug-in's editor in a window of our own.
//
// We are the host here, so we own the user-interface thread: the editor is
// idled about 30 times a second, the plug-in's resize requests resize our
// window, and a close of the window (or Ctrl-C) closes the editor cleanly.
#include "tools/corvane-host/commands.h"
#include "tools/corvane-host/processor.h"

#include "gui/platform/linux/window/x11hostwindow.h"
#include "tools/vsthost/pluginhost.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

namespace corvane::cli
{

namespace
{

constexpr auto kIdlePeriod = std::chrono::milliseconds(33);
constexpr int kPaintTimeoutIdles = 150; // about 5 seconds

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
	options.handler = [window, pending](const HostCall& call) -> std::optional<VstIntPtr> {
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
		options.observer = [](const HostCall& call, VstIntPtr answer) {
			std::printf("%s index=%d value=%ld opt=%g answer=%ld\n", hostOpcodeName(call.opcode).c_str(), call.index,
			            static_cast<long>(call.value), static_cast<double>(call.opt), static_cast<long>(answer));
			std::fflush(stdout);
		};
	return options;
}

bool editorSize(HostedPlugin& plugin, int& width, int& height)
{
	ERect* rect = nullptr;
	if (!plugin.dispatch(effEditGetRect, 0, 0, &rect) || !rect)
		return false;
	width = rect->right - rect->left;
	height = rect->bottom - rect->top;
	return width > 0 && height > 0;
}

void idleOnce(HostedPlugin& plugin, VSTGUI::X11HostWindow& window)
{
	plugin.dispatch(effEditIdle);
	window.processEvents();
	std::this_thread::sleep_for(kIdlePeriod);
}

int runWindow(HostedPlugin& plugin, VSTGUI::X11HostWindow& window)
{
	while (!gStop && window.processEvents())
		idleOnce(plugin, window);
	return kExitOk;
}

int takeSnapshot(HostedPlugin& plugin, VSTGUI::X11HostWindow& window, const std::string& path)
{
	int idles = 0;
	while (idles < kPaintTimeoutIdles && !window.showsContent())
	{
		idleOnce(plugin, window);
		idles++;
	}
	if (idles == kPaintTimeoutIdles)
		return fail("the plug-in's editor drew nothing within 5 seconds");
	// A few more passes, so that what was painted first is also complete.
	for (int i = 0; i < 3; i++)
		idleOnce(plugin, window);
	std::string error;
	if (!window.savePNG(path, error))
		return fail(error);
	return kExitOk;
}

} // namespace

int runEditor(const Arguments& arguments, bool snapshot)
{
	VSTGUI::X11HostWindow* windowPointer = nullptr;
	PendingSize pending;
	std::string error;
	auto plugin = HostedPlugin::load(arguments.plugin, error,
	                                 editorHostOptions(arguments.log, &windowPointer, &pending));
	if (!plugin)
		return fail(error);
	if (!(plugin->effect()->flags & effFlagsHasEditor))
		return fail("the plug-in " + arguments.plugin + " has no editor");
	plugin->dispatch(effOpen);
	if (!checkIndexes(*plugin->effect(), arguments, error))
		return fail(error);
	Arguments settings = arguments;
	configure(*plugin, settings, 44100.f);

	int width = 0, height = 0;
	if (!editorSize(*plugin, width, height))
		return fail("the plug-in reports no editor size");
	auto window = VSTGUI::X11HostWindow::create("corvane-host: " + plugin->getString(effGetEffectName), width,
	                                            height, error);
	if (!window)
		return fail(error);
	windowPointer = window.get();

	if (!plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(window->getWindowId())))
		return fail("the plug-in could not open its editor");
	// Some plug-ins know their size only once open.
	if (editorSize(*plugin, width, height))
		window->resize(width, height);

	gStop = false;
	auto previousInt = std::signal(SIGINT, onStopSignal);
	auto previousTerm = std::signal(SIGTERM, onStopSignal);
	int status = snapshot ? takeSnapshot(*plugin, *window, arguments.output) : runWindow(*plugin, *window);
	std::signal(SIGINT, previousInt);
	std::signal(SIGTERM, previousTerm);

	plugin->dispatch(effEditClose);
	windowPointer = nullptr;
	plugin->close();
	return status;
}

} // namespace corvane::cli
