// A top-level X11 window that plays the host's part for a plug-in editor:
// the parent window handed to effEditOpen. For hosts of our own (the
// command-line host, tests, benchmarks). No xcb type appears here.
//
// Threads: the thread that created it, which is also the thread that runs
// the plug-in's editor.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace VSTGUI
{

class X11HostWindow
{
public:
	// The window's own background (0x00RRGGBB), a colour that plug-ins are
	// unlikely to paint: any other pixel is the editor's.
	static constexpr std::uint32_t kBackgroundPixel = 0x00ff00ff;

	// A mapped window of the given size on $DISPLAY, or null with the reason
	// in error (no display, a size the server refuses).
	static std::unique_ptr<X11HostWindow> create(const std::string& title, int width, int height, std::string& error);
	~X11HostWindow();
	X11HostWindow(const X11HostWindow&) = delete;
	X11HostWindow& operator=(const X11HostWindow&) = delete;

	// The window id, as effEditOpen takes it.
	std::uintptr_t getWindowId() const;
	// Resizes the client area; false when the size is not positive.
	bool resize(int width, int height);
	// Handles pending events without waiting; false once the window was
	// closed by the user or the connection to the server is lost.
	bool processEvents();
	bool isOpen() const { return open; }
	// Writes what the window shows, the plug-in's window included, as PNG.
	bool savePNG(const std::string& path, std::string& error);
	// True when the window shows anything but its own background colour.
	bool showsContent();

private:
	X11HostWindow() = default;
	struct Impl;
	std::unique_ptr<Impl> impl;
	bool open = false;
};

} // namespace VSTGUI
