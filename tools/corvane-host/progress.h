// A progress bar on standard error, drawn only when standard error is a
// terminal so that logs and pipes get no carriage-return clutter. It fits
// the terminal's width (a wrapped bar would scroll a new line each time)
// and shows the time left, estimated from the pace so far.
#pragma once

#include <chrono>
#include <cstdint>

namespace corvane::cli
{

class ProgressBar
{
public:
	explicit ProgressBar(std::int64_t total);
	// Clears the bar if finish() was not reached (an error ends the run).
	~ProgressBar();
	ProgressBar(const ProgressBar&) = delete;
	ProgressBar& operator=(const ProgressBar&) = delete;

	void update(std::int64_t done);
	void finish();

private:
	void draw(int percent);
	void clear();
	// The terminal's width now (it may change while we run).
	static int terminalWidth();

	std::int64_t total_;
	bool enabled_;
	bool visible_ = false;
	int shown_ = -1;
	int drawnWidth_ = 0;
	std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

} // namespace corvane::cli
