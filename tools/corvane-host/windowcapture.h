// Reads the pixels of a window by id over a connection of its own, the
// window's children (the plug-in's editor) included.
//
// Where the server has the Composite extension, the window is redirected
// off screen and read from its own pixmap: a window larger than the screen,
// or partly outside it, is then read whole, where a plain GetImage of the
// window fails. Without Composite it falls back to that GetImage.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace corvane::cli
{

class WindowCapture
{
public:
	// Null with the reason in error when the display cannot be opened.
	static std::unique_ptr<WindowCapture> create(std::uint32_t window, std::string& error);
	~WindowCapture();
	WindowCapture(const WindowCapture&) = delete;
	WindowCapture& operator=(const WindowCapture&) = delete;

	// The window's pixels now, as 0x00RRGGBB, row by row; empty on failure.
	std::vector<std::uint32_t> pixels(int& width, int& height);
	bool savePNG(const std::string& path, std::string& error);

private:
	WindowCapture() = default;
	struct Impl;
	std::unique_ptr<Impl> impl_;
};

// A hash of a picture, to tell whether it changed.
std::uint64_t pictureHash(const std::vector<std::uint32_t>& pixels, int width);

} // namespace corvane::cli
