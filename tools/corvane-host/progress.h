// A progress bar on standard error, drawn only when standard error is a
// terminal so that logs and pipes get no carriage-return clutter.
#pragma once

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

	std::int64_t total_;
	bool enabled_;
	bool visible_ = false;
	int shown_ = -1;
};

} // namespace corvane::cli
