// From effEditOpen until the editor's pixels are on the X server, for Corvane
// and for Debian's packaged plug-ins, each measured the same way on a
// private Xvfb:
//
//   FirstOpen/NAME/factor:F  the first effEditOpen in a process, in a fresh
//                            worker process each time: fonts, fontconfig's
//                            cache, the plug-in's own X connection and its
//                            pictures are all paid here.
//   Reopen/NAME/factor:F     effEditClose and effEditOpen again, in one
//                            worker that has opened the editor once before.
//
// At factor 2 the host asks for the scale through effVendorSpecific ('PreS',
// 'AeCs', opt = factor), to every plug-in alike; at factor 1 nothing is
// asked, as a host that knows nothing of scaling does. The parent window
// takes the size that effEditGetRect reports after the request. The private
// Xvfb publishes no Xft.dpi, so the request is the only source of a factor.
//
// Each plug-in runs in a worker: this program started again with
// --firstpaint-worker. A plug-in that crashes or hangs then costs only its
// own benchmark, which says in which call it ended. Plug-ins that are not
// installed are left out, with a line that says so.
//
// Usage: corvane-firstpaint-bench [--firstpaint_runs=N] [--firstpaint_reopens=N]
//                                 [Google Benchmark options]
//   --firstpaint_runs     fresh processes per FirstOpen benchmark (5)
//   --firstpaint_reopens  iterations per Reopen benchmark (30)
//   --firstpaint_plugin=NAME=PATH  one more plug-in to measure; may be repeated
#include "gui/platform/linux/window/x11hostwindow.h"
#include "tests/support/xvfbserver.h"
#include "tools/vsthost/pluginhost.h"

#include <benchmark/benchmark.h>

#include <X11/Xlib.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <memory>
#include <optional>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace
{

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// The scale request of JUCE's convention for VST 2, opt the factor. A plug-in
// that does not know it answers 0; one that takes it may still answer 0.
constexpr VstInt32 kScaleRequestIndex = 0x50726553;  // 'PreS'
constexpr VstIntPtr kScaleRequestValue = 0x41654373; // 'AeCs'

// A plug-in that has not painted by then has failed, rather than hanging us.
constexpr auto kPaintTimeout = 2s;
// How often a waiting host idles the editor: many plug-ins paint only there.
constexpr auto kIdlePeriod = 1ms;
// Loading covers dlopen, the entry point and effOpen; a JUCE plug-in starts
// its message thread there, LSP loads its whole library.
constexpr auto kStartTimeout = 30s;
constexpr auto kQuitTimeout = 5s;

// The editor a host opens when the plug-in reports no size before opening.
constexpr int kProvisionalWidth = 640;
constexpr int kProvisionalHeight = 480;

constexpr std::size_t kMarkerSize = 64;
constexpr const char* kWorkerFlag = "--firstpaint-worker";

struct Plugin
{
	std::string name;
	std::string path;
	std::string package; // the Debian package that installs it, if any
};

// Corvane first: the ratios of the others are taken against its times.
std::vector<Plugin>& plugins()
{
	static std::vector<Plugin> list = {
	    {"Corvane", CORVANE_MODULE_PATH, ""},
	    {"DPF-3BandEQ", "/usr/lib/vst/3BandEQ-vst.so", "dpf-plugins-vst"},
	    {"IEM-DistanceCompensator", "/usr/lib/x86_64-linux-gnu/iem-plugin-suite/vst/libDistanceCompensator.so",
	     "iem-plugin-suite-vst"},
	    {"LSP-CompressorStereo", "/usr/lib/vst/lsp-plugins/compressor-stereo.so", "lsp-plugins-vst"},
	};
	return list;
}

double millisecondsBetween(Clock::time_point from, Clock::time_point to)
{
	return std::chrono::duration<double, std::milli>(to - from).count();
}

// ---------------------------------------------------------------------------
// The worker: one plug-in, one parent window, commands from the pipe.

// What the parent window shows.
struct Capture
{
	bool ok = false;
	// Any pixel differs from the parent's own background.
	bool painted = false;
	// At least two different colours besides the background: more than a
	// window cleared to one colour.
	bool content = false;
};

// Watches the parent window through DAMAGE on a connection of its own, and
// reads its pixels.
//
// Damage on the parent alone is enough: the server accounts drawing to the
// pixmap behind the windows (the screen's, as nothing redirects here) and
// reports it to every damage object whose window's border clip covers it,
// and a window's border clip includes its inferiors. So drawing into the
// plug-in's child window, into a grandchild, or into a 32-bit child through
// Composite's implicit redirection all reach the parent's damage object,
// in the parent's coordinates. DAMAGE has no IncludeInferiors mode of its
// own; that is a GC's subwindow mode and plays no part. Debian 12's Xvfb
// shows this for fills and PutImage alike, which is what cairo, Pango and
// Mesa's software GLX send.
//
// DAMAGE says that something was drawn, not what: a plug-in may draw the
// parent's own colour, or draw only outside the screen. So each report is
// checked against the pixels (GetImage), and the time of the report whose
// pixels first differ from the blank parent ends the measurement.
class DamageProbe
{
public:
	~DamageProbe()
	{
		if (connection)
			xcb_disconnect(connection);
	}

	bool open(xcb_window_t target, std::string& error)
	{
		connection = xcb_connect(nullptr, nullptr);
		if (xcb_connection_has_error(connection))
		{
			error = "cannot connect to the X server";
			return false;
		}
		const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_damage_id);
		if (!extension || !extension->present)
		{
			error = "the X server has no DAMAGE extension";
			return false;
		}
		damageEvent = static_cast<std::uint8_t>(extension->first_event + XCB_DAMAGE_NOTIFY);
		std::free(xcb_damage_query_version_reply(connection, xcb_damage_query_version(connection, 1, 1), nullptr));
		window = target;
		screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
		xcb_translate_coordinates_reply_t* origin = xcb_translate_coordinates_reply(
		    connection, xcb_translate_coordinates(connection, window, screen->root, 0, 0), nullptr);
		if (!origin)
		{
			error = "the parent window is gone";
			return false;
		}
		originX = origin->dst_x;
		originY = origin->dst_y;
		std::free(origin);
		damage = xcb_generate_id(connection);
		// One report each time the damage goes from empty to not empty:
		// rearm() empties it. Raw rectangles would send one event per
		// drawing request, hundreds for a text line.
		xcb_generic_error_t* failure = xcb_request_check(
		    connection, xcb_damage_create_checked(connection, damage, window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY));
		if (failure)
		{
			std::free(failure);
			error = "the X server refused a damage object on the parent window";
			return false;
		}
		if (!reportsChildDrawing())
		{
			error = "the X server does not report drawing in a child window to the parent's damage object";
			return false;
		}
		return true;
	}

	void setSize(int w, int h)
	{
		width = w;
		height = h;
	}

	// Forgets what was drawn so far; a new damage object starts out as the
	// whole window, so this comes before the first wait too. The round trip
	// orders the subtraction before any drawing that the plug-in's own
	// connection sends afterwards.
	void rearm()
	{
		xcb_damage_subtract(connection, damage, XCB_NONE, XCB_NONE);
		roundTrip();
		while (xcb_generic_event_t* event = xcb_poll_for_event(connection))
			std::free(event);
	}

	// Waits until a damage report arrives or until the time; answers when it
	// was seen. The damage is emptied again at once, so that drawing after
	// the capture that follows is reported anew.
	std::optional<Clock::time_point> waitForDamage(Clock::time_point until)
	{
		for (;;)
		{
			bool damaged = false;
			while (xcb_generic_event_t* event = xcb_poll_for_event(connection))
			{
				damaged = damaged || (event->response_type & 0x7f) == damageEvent;
				std::free(event);
			}
			if (damaged)
			{
				Clock::time_point seen = Clock::now();
				xcb_damage_subtract(connection, damage, XCB_NONE, XCB_NONE);
				xcb_flush(connection);
				return seen;
			}
			if (xcb_connection_has_error(connection))
				return std::nullopt;
			auto left = std::chrono::duration_cast<std::chrono::microseconds>(until - Clock::now()).count();
			if (left <= 0)
				return std::nullopt;
			pollfd p{xcb_get_file_descriptor(connection), POLLIN, 0};
			poll(&p, 1, static_cast<int>((left + 999) / 1000));
		}
	}

	// The part of the parent window that lies on the screen: GetImage
	// refuses a rectangle that reaches outside it, and an editor larger than
	// the screen is cut there anyway.
	Capture capture()
	{
		Capture result;
		int w = std::min(width, static_cast<int>(screen->width_in_pixels) - originX);
		int h = std::min(height, static_cast<int>(screen->height_in_pixels) - originY);
		if (w <= 0 || h <= 0)
			return result;
		xcb_get_image_reply_t* reply =
		    xcb_get_image_reply(connection,
		                        xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0,
		                                      static_cast<std::uint16_t>(w), static_cast<std::uint16_t>(h), ~0u),
		                        nullptr);
		if (!reply)
			return result;
		// A 24-bit visual arrives as 32 bits a pixel, rows without padding.
		std::size_t count = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
		if (reply->depth >= 24 && static_cast<std::size_t>(xcb_get_image_data_length(reply)) >= count * 4)
		{
			result.ok = true;
			const auto* pixels = reinterpret_cast<const std::uint32_t*>(xcb_get_image_data(reply));
			std::optional<std::uint32_t> first;
			for (std::size_t i = 0; i < count && !result.content; i++)
			{
				std::uint32_t pixel = pixels[i] & 0x00ffffff;
				if (pixel == VSTGUI::X11HostWindow::kBackgroundPixel)
					continue;
				result.painted = true;
				if (!first)
					first = pixel;
				else if (*first != pixel)
					result.content = true;
			}
		}
		std::free(reply);
		return result;
	}

	// What the comment above the class says, checked on this server before
	// anything is measured: a fill in a child window of the parent reaches
	// the parent's damage object. The server paints the parent's background
	// again once the child is gone.
	bool reportsChildDrawing()
	{
		xcb_window_t child = xcb_generate_id(connection);
		std::uint32_t background[] = {XCB_BACK_PIXMAP_NONE};
		xcb_create_window(connection, XCB_COPY_FROM_PARENT, child, window, 0, 0, 4, 4, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
		                  XCB_COPY_FROM_PARENT, XCB_CW_BACK_PIXMAP, background);
		xcb_map_window(connection, child);
		rearm();
		xcb_gcontext_t gc = xcb_generate_id(connection);
		std::uint32_t foreground[] = {screen->black_pixel};
		xcb_create_gc(connection, gc, child, XCB_GC_FOREGROUND, foreground);
		xcb_rectangle_t square{0, 0, 4, 4};
		xcb_poly_fill_rectangle(connection, child, gc, 1, &square);
		xcb_flush(connection);
		bool reported = waitForDamage(Clock::now() + 500ms).has_value();
		xcb_free_gc(connection, gc);
		xcb_destroy_window(connection, child);
		roundTrip();
		return reported;
	}

	void roundTrip() { std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr)); }

private:
	xcb_connection_t* connection = nullptr;
	xcb_screen_t* screen = nullptr;
	xcb_window_t window = XCB_WINDOW_NONE;
	xcb_damage_damage_t damage = XCB_NONE;
	std::uint8_t damageEvent = 0;
	int originX = 0;
	int originY = 0;
	int width = 0;
	int height = 0;
};

// Xlib's default error handler ends the process on any failed request, and
// Xlib has one handler for the whole process. Hosts install their own (GTK
// and Qt do), and some plug-ins rely on it: IEM's JUCE editor reads and
// writes properties with atom None on every open here, where no window
// manager runs, and whether JUCE's own handler is in place by then varies
// from run to run. So the worker carries on, as corvane-host does, and
// counts the errors.
std::atomic<int> gXErrors{0};

int onXError(Display* display, XErrorEvent* event)
{
	if (gXErrors++ < 3)
	{
		char text[256] = {};
		XGetErrorText(display, event->error_code, text, sizeof text);
		std::fprintf(stderr, "firstpaint worker: a plug-in's X request (major opcode %d) failed: %s; carrying on\n",
		             event->request_code, text);
	}
	return 0;
}

struct OpenResult
{
	double firstMs = 0;    // effEditOpen until the first pixels that differ from the blank parent
	double contentMs = -1; // ... until more than one colour shows; -1 when not within the timeout
	double callMs = 0;     // the effEditOpen call itself
	int rectWidth = 0;     // effEditGetRect once the editor has painted
	int rectHeight = 0;
	int xErrors = 0;   // failed Xlib requests in this worker so far
	double rectMs = 0; // the effEditGetRect just before the open
};

class Worker
{
public:
	// Loads the plug-in and makes its parent window; answers the line that
	// tells the benchmark how it went.
	std::string start(const std::string& path, float factor)
	{
		Clock::time_point begin = Clock::now();
		corvane::HostOptions options;
		options.unloadModule = false;
		options.handler = [this](const corvane::HostCall& call) -> std::optional<VstIntPtr>
		{
			if (call.opcode == audioMasterCanDo && call.text == "sizeWindow")
				return 1;
			if (call.opcode == audioMasterSizeWindow)
				return resize(call.index, static_cast<int>(call.value)) ? 1 : 0;
			return std::nullopt;
		};
		std::string error;
		plugin = corvane::HostedPlugin::load(path, error, options);
		if (!plugin)
			return "error " + error;
		if (!plugin->hasFlag(effFlagsHasEditor))
			return "error the plug-in has no editor";
		// What a host does before it shows an editor.
		plugin->dispatch(effOpen);
		plugin->dispatch(effSetSampleRate, 0, 0, nullptr, 44100.f);
		plugin->dispatch(effSetBlockSize, 0, 512);
		plugin->dispatch(effMainsChanged, 0, 1);
		double loadMs = millisecondsBetween(begin, Clock::now());

		long scaleAnswer = -1; // not asked
		if (factor != 1.f)
			scaleAnswer = static_cast<long>(
			    plugin->dispatch(effVendorSpecific, kScaleRequestIndex, kScaleRequestValue, nullptr, factor));

		// Timed apart from the open: some plug-ins do real work here (JUCE
		// builds its editor).
		Clock::time_point asked = Clock::now();
		ERect* rect = nullptr;
		plugin->dispatch(effEditGetRect, 0, 0, &rect);
		double rectMs = millisecondsBetween(asked, Clock::now());
		int rectWidth = rect ? rect->right - rect->left : 0;
		int rectHeight = rect ? rect->bottom - rect->top : 0;
		bool sized = rectWidth > 0 && rectHeight > 0;
		width = sized ? rectWidth : kProvisionalWidth;
		height = sized ? rectHeight : kProvisionalHeight;

		window = VSTGUI::X11HostWindow::create("corvane-firstpaint-bench", width, height, error);
		if (!window)
			return "error " + error;
		if (!probe.open(static_cast<xcb_window_t>(window->getWindowId()), error))
			return "error " + error;
		probe.setSize(width, height);
		if (!waitUntilBlank())
			return "error the new parent window does not show its background";

		std::ostringstream line;
		line << "ready " << rectWidth << ' ' << rectHeight << ' ' << scaleAnswer << ' ' << loadMs << ' ' << rectMs;
		return line.str();
	}

	std::string open()
	{
		if (editorOpen)
			return "failed the editor is open already";
		// A host asks for the size before every open, and sizes its window
		// to it; on a first open this repeats the question of start().
		Clock::time_point asked = Clock::now();
		ERect* rect = nullptr;
		plugin->dispatch(effEditGetRect, 0, 0, &rect);
		double rectMs = millisecondsBetween(asked, Clock::now());
		if (rect && rect->right - rect->left > 0 && rect->bottom - rect->top > 0 &&
		    (rect->right - rect->left != width || rect->bottom - rect->top != height))
			resize(rect->right - rect->left, rect->bottom - rect->top);
		if (!waitUntilBlank())
			return "failed the parent window does not show its background";
		probe.rearm();
		Clock::time_point begin = Clock::now();
		plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(window->getWindowId()));
		Clock::time_point returned = Clock::now();
		editorOpen = true;

		// The measurement ends with the first damage report whose pixels
		// differ from the blank parent, even when that is a window cleared
		// to one colour: that is the moment the host's empty window gives
		// way to the plug-in's, which is what a user sees first. A plug-in
		// that clears first and draws later would look better than it is
		// by that alone, so the time until more than one colour shows is
		// kept as well, and the table prints both.
		Clock::time_point deadline = begin + kPaintTimeout;
		Clock::time_point nextIdle = returned;
		std::optional<Clock::time_point> painted;
		std::optional<Clock::time_point> content;
		while (!content)
		{
			Clock::time_point now = Clock::now();
			if (now >= deadline)
				break;
			if (now >= nextIdle)
			{
				plugin->dispatch(effEditIdle);
				window->processEvents();
				nextIdle = Clock::now() + kIdlePeriod;
			}
			std::optional<Clock::time_point> seen = probe.waitForDamage(std::min(nextIdle, deadline));
			if (!seen)
				continue;
			Capture capture = probe.capture();
			if (capture.painted && !painted)
				painted = seen;
			if (capture.content)
				content = seen;
		}
		if (!painted)
			return "failed nothing was drawn within " +
			       std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(kPaintTimeout).count()) + " ms";
		// Some plug-ins know their size only once the editor exists.
		rect = nullptr;
		plugin->dispatch(effEditGetRect, 0, 0, &rect);
		std::ostringstream line;
		line << "painted " << millisecondsBetween(begin, *painted) << ' '
		     << (content ? millisecondsBetween(begin, *content) : -1.0) << ' ' << millisecondsBetween(begin, returned)
		     << ' ' << (rect ? rect->right - rect->left : 0) << ' ' << (rect ? rect->bottom - rect->top : 0) << ' '
		     << gXErrors.load() << ' ' << rectMs;
		return line.str();
	}

	std::string close()
	{
		if (!editorOpen)
			return "failed the editor is not open";
		plugin->dispatch(effEditClose);
		editorOpen = false;
		if (!waitUntilBlank())
			return "failed the editor's pixels stay after effEditClose";
		return "closed";
	}

	void quit()
	{
		if (editorOpen)
			plugin->dispatch(effEditClose);
		editorOpen = false;
		if (plugin)
			plugin->close();
	}

private:
	bool resize(int w, int h)
	{
		if (!window || !window->resize(w, h))
			return false;
		width = w;
		height = h;
		probe.setSize(w, h);
		return true;
	}

	// After effEditClose the server paints the parent's background where the
	// plug-in's window was; a plug-in may also take its window down a little
	// later. Idle calls stop with the editor, as in a host.
	bool waitUntilBlank()
	{
		Clock::time_point deadline = Clock::now() + kPaintTimeout;
		for (;;)
		{
			window->processEvents();
			probe.roundTrip();
			Capture capture = probe.capture();
			if (capture.ok && !capture.painted)
				return true;
			if (Clock::now() >= deadline)
				return false;
			std::this_thread::sleep_for(kIdlePeriod);
		}
	}

	std::unique_ptr<corvane::HostedPlugin> plugin;
	std::unique_ptr<VSTGUI::X11HostWindow> window;
	DamageProbe probe;
	int width = 0;
	int height = 0;
	bool editorOpen = false;
};

bool writeLine(int fd, std::string line)
{
	line += '\n';
	const char* data = line.data();
	std::size_t left = line.size();
	while (left > 0)
	{
		ssize_t written = write(fd, data, left);
		if (written < 0 && errno == EINTR)
			continue;
		if (written <= 0)
			return false;
		data += written;
		left -= static_cast<std::size_t>(written);
	}
	return true;
}

// Reads one line, waiting at most until the time; false on the end of the
// pipe, an error or the time.
bool readLine(int fd, std::string& buffer, std::string& line, std::optional<Clock::time_point> until)
{
	for (;;)
	{
		std::size_t end = buffer.find('\n');
		if (end != std::string::npos)
		{
			line = buffer.substr(0, end);
			buffer.erase(0, end + 1);
			return true;
		}
		int timeout = -1;
		if (until)
		{
			auto left = std::chrono::duration_cast<std::chrono::milliseconds>(*until - Clock::now()).count();
			if (left <= 0)
				return false;
			timeout = static_cast<int>(left);
		}
		pollfd p{fd, POLLIN, 0};
		int ready = poll(&p, 1, timeout);
		if (ready < 0 && errno == EINTR)
			continue;
		if (ready <= 0)
			return false;
		char chunk[256];
		ssize_t got = read(fd, chunk, sizeof chunk);
		if (got < 0 && errno == EINTR)
			continue;
		if (got <= 0)
			return false;
		buffer.append(chunk, static_cast<std::size_t>(got));
	}
}

// argv: --firstpaint-worker MODULE FACTOR COMMAND_FD REPLY_FD MARKER_FD
int workerMain(int argc, char** argv)
{
	if (argc != 7)
	{
		std::fprintf(stderr, "%s MODULE FACTOR COMMAND_FD REPLY_FD MARKER_FD\n", kWorkerFlag);
		return 2;
	}
	// A crash must end the worker with its own signal, for the report.
	for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
		std::signal(signal, SIG_DFL);
	std::string path = argv[2];
	float factor = std::strtof(argv[3], nullptr);
	int commands = std::atoi(argv[4]);
	int replies = std::atoi(argv[5]);
	int markerFd = std::atoi(argv[6]);
	void* marker = mmap(nullptr, kMarkerSize, PROT_READ | PROT_WRITE, MAP_SHARED, markerFd, 0);
	if (marker != MAP_FAILED)
		corvane::setCallMarker(static_cast<char*>(marker), kMarkerSize);
	// What plug-ins print goes where our own messages go, away from the
	// replies and from the benchmark's table.
	dup2(2, 1);
	XSetErrorHandler(onXError);

	Worker worker;
	std::string reply = worker.start(path, factor);
	if (!writeLine(replies, reply) || reply.rfind("ready", 0) != 0)
		_exit(1);
	std::string buffer, command;
	while (readLine(commands, buffer, command, std::nullopt))
	{
		if (command == "open")
			reply = worker.open();
		else if (command == "close")
			reply = worker.close();
		else if (command == "quit")
			break;
		else
			reply = "failed unknown command " + command;
		if (!writeLine(replies, reply))
			break;
	}
	worker.quit();
	std::fflush(nullptr);
	// No exit handlers: plug-ins' static destructors are what crash most
	// often, and every answer is out.
	_exit(0);
}

// ---------------------------------------------------------------------------
// The benchmark's side.

corvane::test::XvfbServer& server()
{
	static corvane::test::XvfbServer instance;
	return instance;
}

std::string signalName(int signal)
{
	const char* abbreviation = sigabbrev_np(signal);
	return abbreviation ? std::string("SIG") + abbreviation : "signal " + std::to_string(signal);
}

struct ReadyInfo
{
	int rectWidth = 0;
	int rectHeight = 0;
	long scaleAnswer = -1;
	double loadMs = 0;
	double rectMs = 0; // the first effEditGetRect, before the window is made
};

// A worker process with one plug-in loaded and its parent window made.
class WorkerProcess
{
public:
	static std::unique_ptr<WorkerProcess> start(const Plugin& plugin, float factor, ReadyInfo& info, std::string& error)
	{
		std::unique_ptr<WorkerProcess> worker(new WorkerProcess);
		if (!worker->spawn(plugin.path, factor, error))
			return nullptr;
		std::string line;
		if (!worker->receive(line, Clock::now() + kStartTimeout, "loading", error))
			return nullptr;
		std::istringstream words(line);
		std::string word;
		words >> word;
		if (word != "ready")
		{
			error = line.rfind("error ", 0) == 0 ? line.substr(6) : "unexpected reply: " + line;
			return nullptr;
		}
		words >> info.rectWidth >> info.rectHeight >> info.scaleAnswer >> info.loadMs >> info.rectMs;
		return worker;
	}

	~WorkerProcess()
	{
		if (pid > 0)
		{
			writeLine(toWorker, "quit");
			Clock::time_point deadline = Clock::now() + kQuitTimeout;
			int status = 0;
			while (waitpid(pid, &status, WNOHANG) == 0)
			{
				if (Clock::now() >= deadline)
				{
					::kill(pid, SIGKILL);
					waitpid(pid, &status, 0);
					break;
				}
				std::this_thread::sleep_for(1ms);
			}
		}
		if (toWorker >= 0)
			::close(toWorker);
		if (fromWorker >= 0)
			::close(fromWorker);
		if (marker)
			munmap(marker, kMarkerSize);
	}

	// One open: the editor's times, or false with why.
	bool open(OpenResult& result, std::string& error)
	{
		std::string line;
		if (!request("open", kPaintTimeout * 2 + 1s, line, error))
			return false;
		std::istringstream words(line);
		std::string word;
		words >> word;
		if (word != "painted")
		{
			error = line.rfind("failed ", 0) == 0 ? line.substr(7) : "unexpected reply: " + line;
			return false;
		}
		words >> result.firstMs >> result.contentMs >> result.callMs >> result.rectWidth >> result.rectHeight >>
		    result.xErrors >> result.rectMs;
		return true;
	}

	bool close(std::string& error)
	{
		std::string line;
		if (!request("close", kPaintTimeout * 2 + 1s, line, error))
			return false;
		if (line != "closed")
		{
			error = line.rfind("failed ", 0) == 0 ? line.substr(7) : "unexpected reply: " + line;
			return false;
		}
		return true;
	}

private:
	WorkerProcess() = default;

	bool spawn(const std::string& path, float factor, std::string& error)
	{
		int commands[2], replies[2];
		if (pipe2(commands, O_CLOEXEC) != 0 || pipe2(replies, O_CLOEXEC) != 0)
		{
			error = std::string("no pipe for a worker: ") + std::strerror(errno);
			return false;
		}
		// Shared memory that survives exec: the worker writes the name of
		// the plug-in call in progress there, and it is read once the
		// worker has died.
		int markerFd = memfd_create("corvane-firstpaint-marker", MFD_CLOEXEC);
		if (markerFd < 0 || ftruncate(markerFd, kMarkerSize) != 0)
		{
			error = std::string("no shared memory for a worker: ") + std::strerror(errno);
			return false;
		}
		void* shared = mmap(nullptr, kMarkerSize, PROT_READ | PROT_WRITE, MAP_SHARED, markerFd, 0);
		if (shared == MAP_FAILED)
		{
			::close(markerFd);
			error = std::string("no shared memory for a worker: ") + std::strerror(errno);
			return false;
		}
		marker = static_cast<char*>(shared);

		std::string factorText = std::to_string(factor);
		std::string commandFd = std::to_string(commands[0]);
		std::string replyFd = std::to_string(replies[1]);
		std::string markerText = std::to_string(markerFd);
		std::vector<const char*> args{
		    "corvane-firstpaint-bench", kWorkerFlag,     path.c_str(),       factorText.c_str(),
		    commandFd.c_str(),          replyFd.c_str(), markerText.c_str(), nullptr};
		std::fflush(nullptr);
		pid = fork();
		if (pid == 0)
		{
			// A benchmark that dies must not leave its workers behind.
			prctl(PR_SET_PDEATHSIG, SIGKILL);
			for (int fd : {commands[0], replies[1], markerFd})
				fcntl(fd, F_SETFD, 0);
			execv("/proc/self/exe", const_cast<char**>(args.data()));
			_exit(127);
		}
		int forkErrno = errno;
		::close(commands[0]);
		::close(replies[1]);
		::close(markerFd);
		toWorker = commands[1];
		fromWorker = replies[0];
		if (pid < 0)
		{
			error = std::string("cannot start a worker: ") + std::strerror(forkErrno);
			return false;
		}
		return true;
	}

	bool request(const std::string& command, std::chrono::nanoseconds timeout, std::string& line, std::string& error)
	{
		if (!writeLine(toWorker, command))
		{
			error = describeEnd(command);
			return false;
		}
		return receive(line, Clock::now() + timeout, command, error);
	}

	bool receive(std::string& line, Clock::time_point until, const std::string& what, std::string& error)
	{
		if (readLine(fromWorker, buffer, line, until))
			return true;
		error = describeEnd(what);
		return false;
	}

	// Why no answer came: the worker died, or it hangs (and is ended).
	std::string describeEnd(const std::string& what)
	{
		int status = 0;
		pid_t reaped = 0;
		for (int tries = 0; tries < 100 && (reaped = waitpid(pid, &status, WNOHANG)) == 0; tries++)
			std::this_thread::sleep_for(10ms);
		std::string call = marker && marker[0] ? std::string(marker, strnlen(marker, kMarkerSize)) : what;
		if (reaped == 0)
		{
			::kill(pid, SIGKILL);
			waitpid(pid, &status, 0);
			pid = -1;
			return "the plug-in hangs in " + call + " (" + what + "), the worker was ended";
		}
		pid = -1;
		if (reaped < 0)
			return "the worker is lost (" + std::string(std::strerror(errno)) + ")";
		if (WIFSIGNALED(status))
			return "the plug-in crashed (" + signalName(WTERMSIG(status)) + ") in " + call;
		return "the worker exited with status " + std::to_string(WEXITSTATUS(status)) + " in " + call;
	}

	pid_t pid = -1;
	int toWorker = -1;
	int fromWorker = -1;
	char* marker = nullptr;
	std::string buffer;
};

// ---------------------------------------------------------------------------
// Results, for the ratios and the table at the end.

double median(std::vector<double> values)
{
	if (values.empty())
		return -1;
	std::sort(values.begin(), values.end());
	std::size_t middle = values.size() / 2;
	return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Outcome
{
	bool ran = false;
	std::string error;
	ReadyInfo info;
	double firstMs = -1;   // median
	double contentMs = -1; // median, -1 when any run showed no second colour
	double callMs = -1;    // median
	double rectMs = -1;    // the effEditGetRect before the open: the first one, or the median before reopens
	int openWidth = 0;     // effEditGetRect with the editor open
	int openHeight = 0;
	int xErrors = 0;
};

enum class Case
{
	firstOpen,
	reopen
};

using ResultKey = std::tuple<Case, float, std::string>;
std::map<ResultKey, Outcome> gResults;

int gFirstOpenRuns = 5;
int gReopenIterations = 30;

struct Samples
{
	std::vector<double> first, content, call, rect;
	std::vector<double> firstRect; // the first effEditGetRect of each worker
	bool allContent = true;
	OpenResult last;
	int xErrors = 0;
	void add(const OpenResult& r)
	{
		last = r;
		xErrors = std::max(xErrors, r.xErrors);
		first.push_back(r.firstMs);
		call.push_back(r.callMs);
		rect.push_back(r.rectMs);
		if (r.contentMs < 0)
			allContent = false;
		else
			content.push_back(r.contentMs);
	}
};

void finish(benchmark::State& state, Case which, const Plugin& plugin, float factor, const Samples& samples,
            const ReadyInfo& info, const std::string& error)
{
	Outcome& outcome = gResults[{which, factor, plugin.name}];
	outcome.ran = true;
	outcome.error = error;
	outcome.info = info;
	outcome.openWidth = samples.last.rectWidth;
	outcome.openHeight = samples.last.rectHeight;
	outcome.xErrors = samples.xErrors;
	if (!error.empty())
	{
		state.SkipWithError(error.c_str());
		return;
	}
	outcome.firstMs = median(samples.first);
	outcome.contentMs = samples.allContent ? median(samples.content) : -1;
	outcome.callMs = median(samples.call);
	outcome.rectMs = median(which == Case::firstOpen ? samples.firstRect : samples.rect);

	state.counters["median_ms"] = outcome.firstMs;
	if (outcome.contentMs >= 0)
		state.counters["content_ms"] = outcome.contentMs;
	state.counters["open_call_ms"] = outcome.callMs;
	state.counters["get_rect_ms"] = outcome.rectMs;
	state.counters["rect_w"] = info.rectWidth;
	state.counters["rect_h"] = info.rectHeight;
	if (outcome.openWidth != info.rectWidth || outcome.openHeight != info.rectHeight)
	{
		state.counters["open_rect_w"] = outcome.openWidth;
		state.counters["open_rect_h"] = outcome.openHeight;
	}
	if (outcome.xErrors > 0)
		state.counters["x_errors"] = outcome.xErrors;
	if (info.scaleAnswer >= 0)
		state.counters["scale_answer"] = static_cast<double>(info.scaleAnswer);
	if (which == Case::firstOpen)
		state.counters["load_ms"] = info.loadMs;
	auto corvane = gResults.find({which, factor, plugins().front().name});
	if (corvane != gResults.end() && corvane->second.firstMs > 0)
		state.counters["x_corvane"] = outcome.firstMs / corvane->second.firstMs;
}

std::string skipReason()
{
	return "no X server: " + server().getFailure();
}

void BM_FirstOpen(benchmark::State& state, const Plugin& plugin, float factor)
{
	if (!server().isRunning())
	{
		state.SkipWithError(skipReason().c_str());
		return;
	}
	Samples samples;
	ReadyInfo info;
	std::string error;
	for (auto _ : state)
	{
		// Every iteration is a new process, so every open is its first.
		auto worker = WorkerProcess::start(plugin, factor, info, error);
		OpenResult result;
		if (!worker || !worker->open(result, error))
			break;
		state.SetIterationTime(result.firstMs / 1000.0);
		samples.add(result);
		samples.firstRect.push_back(info.rectMs);
	}
	finish(state, Case::firstOpen, plugin, factor, samples, info, error);
}

void BM_Reopen(benchmark::State& state, const Plugin& plugin, float factor)
{
	if (!server().isRunning())
	{
		state.SkipWithError(skipReason().c_str());
		return;
	}
	Samples samples;
	ReadyInfo info;
	std::string error;
	auto worker = WorkerProcess::start(plugin, factor, info, error);
	OpenResult result;
	// The first open pays for what every later one finds ready.
	if (worker && worker->open(result, error))
		for (auto _ : state)
		{
			if (!worker->close(error) || !worker->open(result, error))
				break;
			state.SetIterationTime(result.firstMs / 1000.0);
			samples.add(result);
		}
	if (!worker && error.empty())
		error = "the worker did not start";
	finish(state, Case::reopen, plugin, factor, samples, info, error);
}

std::string formatMs(double ms)
{
	if (ms < 0)
		return "-";
	char text[32];
	std::snprintf(text, sizeof text, "%.2f", ms);
	return text;
}

std::string formatRatio(double value, double reference)
{
	if (value < 0 || reference <= 0)
		return "-";
	char text[32];
	std::snprintf(text, sizeof text, "%.2fx", value / reference);
	return text;
}

void printTable(const std::vector<const Plugin*>& present, const std::vector<float>& factors)
{
	std::printf("\nFrom effEditOpen to the editor's first pixels on the server, median ms of %d fresh processes\n"
	            "(first open) and of %d reopens in one process.\n"
	            "  x Corvane  the plug-in's median over Corvane's, same case and factor\n"
	            "  colours    until more than one colour shows (a window cleared to one colour does not count)\n"
	            "  rect       effEditGetRect after the scale request; * reported only once the editor is open\n"
	            "  scale      the answer to the scale request; - at factor 1, where none is sent\n"
	            "  GetRect    effEditGetRect before the open, outside the times above, though JUCE and DPF do\n"
	            "             real work there: the first one, and the median before a reopen\n"
	            "  load       dlopen, entry point, effOpen\n\n",
	            gFirstOpenRuns, gReopenIterations);
	const char* format = "%-24s %6s %10s %5s %10s %9s %10s %9s %11s %11s %11s %10s %8s\n";
	std::printf(format, "plug-in", "factor", "rect", "scale", "first open", "x Corvane", "reopen", "x Corvane",
	            "colours 1st", "colours re", "GetRect 1st", "GetRect re", "load");
	for (float factor : factors)
		for (const Plugin* plugin : present)
		{
			const Outcome& first = gResults[{Case::firstOpen, factor, plugin->name}];
			const Outcome& again = gResults[{Case::reopen, factor, plugin->name}];
			if (!first.ran && !again.ran)
				continue;
			const Outcome& corvaneFirst = gResults[{Case::firstOpen, factor, plugins().front().name}];
			const Outcome& corvaneAgain = gResults[{Case::reopen, factor, plugins().front().name}];
			const Outcome& any = first.ran ? first : again;
			const ReadyInfo& info = any.info;
			bool late = info.rectWidth <= 0 || info.rectHeight <= 0;
			std::string rect = late ? std::to_string(any.openWidth) + "x" + std::to_string(any.openHeight) + "*"
			                        : std::to_string(info.rectWidth) + "x" + std::to_string(info.rectHeight);
			std::string scale = info.scaleAnswer < 0 ? "-" : std::to_string(info.scaleAnswer);
			char factorText[16];
			std::snprintf(factorText, sizeof factorText, "%g", static_cast<double>(factor));
			std::printf(format, plugin->name.c_str(), factorText, rect.c_str(), scale.c_str(),
			            formatMs(first.firstMs).c_str(), formatRatio(first.firstMs, corvaneFirst.firstMs).c_str(),
			            formatMs(again.firstMs).c_str(), formatRatio(again.firstMs, corvaneAgain.firstMs).c_str(),
			            formatMs(first.contentMs).c_str(), formatMs(again.contentMs).c_str(),
			            formatMs(first.rectMs).c_str(), formatMs(again.rectMs).c_str(),
			            formatMs(first.ran ? first.info.loadMs : -1).c_str());
			for (const Outcome* outcome : {&first, &again})
				if (!outcome->error.empty())
					std::printf("%-24s %6s   %s: %s\n", "", "", outcome == &first ? "first open" : "reopen",
					            outcome->error.c_str());
		}
	std::fflush(stdout);
}

// Takes --firstpaint_NAME=N out of the arguments before Google Benchmark
// sees them.
bool takeCount(int& argc, char** argv, const std::string& name, int& value)
{
	std::string prefix = "--" + name + "=";
	for (int i = 1; i < argc; i++)
		if (std::strncmp(argv[i], prefix.c_str(), prefix.size()) == 0)
		{
			value = std::max(1, std::atoi(argv[i] + prefix.size()));
			std::copy(argv + i + 1, argv + argc + 1, argv + i);
			argc--;
			return true;
		}
	return false;
}

// Takes --firstpaint_plugin=NAME=PATH out of the arguments.
bool takePlugin(int& argc, char** argv)
{
	const std::string prefix = "--firstpaint_plugin=";
	for (int i = 1; i < argc; i++)
		if (std::strncmp(argv[i], prefix.c_str(), prefix.size()) == 0)
		{
			std::string named = argv[i] + prefix.size();
			std::size_t equals = named.find('=');
			if (equals == std::string::npos || equals == 0 || equals + 1 == named.size())
				std::fprintf(stderr, "ignoring %s: NAME=PATH is missing\n", argv[i]);
			else
				plugins().push_back({named.substr(0, equals), named.substr(equals + 1), ""});
			std::copy(argv + i + 1, argv + argc + 1, argv + i);
			argc--;
			return true;
		}
	return false;
}

} // namespace

int main(int argc, char** argv)
{
	if (argc > 1 && std::strcmp(argv[1], kWorkerFlag) == 0)
		return workerMain(argc, argv);
	// A worker that died must not take us with it when we write to it.
	std::signal(SIGPIPE, SIG_IGN);

	while (takeCount(argc, argv, "firstpaint_runs", gFirstOpenRuns) ||
	       takeCount(argc, argv, "firstpaint_reopens", gReopenIterations) || takePlugin(argc, argv))
	{
	}
	benchmark::Initialize(&argc, argv);
	if (benchmark::ReportUnrecognizedArguments(argc, argv))
		return 1;

	std::vector<const Plugin*> present;
	for (const Plugin& plugin : plugins())
	{
		struct stat info;
		if (stat(plugin.path.c_str(), &info) == 0)
			present.push_back(&plugin);
		else if (&plugin == &plugins().front())
			std::fprintf(stderr, "skipping %s: %s is not built\n", plugin.name.c_str(), plugin.path.c_str());
		else if (plugin.package.empty())
			std::fprintf(stderr, "skipping %s: there is no %s\n", plugin.name.c_str(), plugin.path.c_str());
		else
			std::fprintf(stderr, "skipping %s: %s is not installed (Debian package %s)\n", plugin.name.c_str(),
			             plugin.path.c_str(), plugin.package.c_str());
	}

	const std::vector<float> factors = {1.f, 2.f};
	for (Case which : {Case::firstOpen, Case::reopen})
		for (float factor : factors)
			for (const Plugin* plugin : present)
			{
				std::string name = std::string(which == Case::firstOpen ? "FirstOpen/" : "Reopen/") + plugin->name +
				                   "/factor:" + std::to_string(static_cast<int>(factor));
				auto* benchmark = which == Case::firstOpen
				                      ? benchmark::RegisterBenchmark(name.c_str(), BM_FirstOpen, *plugin, factor)
				                            ->Iterations(gFirstOpenRuns)
				                      : benchmark::RegisterBenchmark(name.c_str(), BM_Reopen, *plugin, factor)
				                            ->Iterations(gReopenIterations);
				benchmark->UseManualTime()->Unit(benchmark::kMillisecond);
			}

	server();
	benchmark::RunSpecifiedBenchmarks();
	printTable(present, factors);
	benchmark::Shutdown();
	return 0;
}
