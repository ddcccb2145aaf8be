#include "tools/corvane-host/progress.h"

#include <sys/ioctl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace corvane::cli
{

namespace
{

constexpr int kMaxBarWidth = 40;

std::string duration(double seconds)
{
	auto whole = static_cast<long>(seconds + 0.5);
	char text[32];
	if (whole >= 3600)
		std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", whole / 3600, whole / 60 % 60, whole % 60);
	else
		std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
	return text;
}

} // namespace

int ProgressBar::terminalWidth()
{
	winsize size = {};
	if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
		return size.ws_col;
	return 80;
}

ProgressBar::ProgressBar(std::int64_t total) : total_(total), enabled_(isatty(STDERR_FILENO) == 1) {}

ProgressBar::~ProgressBar()
{
	clear();
}

void ProgressBar::update(std::int64_t done)
{
	if (!enabled_ || total_ <= 0)
		return;
	auto percent = static_cast<int>(done * 100 / total_);
	if (percent != shown_)
		draw(percent);
}

void ProgressBar::finish()
{
	update(total_);
	clear();
}

// Redrawn only when the percentage moves: a terminal is slow next to the
// processing of one block.
void ProgressBar::draw(int percent)
{
	double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
	std::string left = percent > 0 ? duration(elapsed * (100 - percent) / percent) + " left" : "";
	std::string tail = " " + std::to_string(percent) + "%" + (left.empty() ? "" : " " + left);
	// The last column stays free: writing into it wraps on some terminals.
	int width = terminalWidth() - 1;
	std::string label = "processing ";
	int barWidth = std::min(kMaxBarWidth, width - static_cast<int>(label.size() + tail.size()) - 2);
	std::string line;
	if (barWidth >= 5)
	{
		int filled = percent * barWidth / 100;
		line = label + "[" + std::string(static_cast<std::size_t>(filled), '#') +
		       std::string(static_cast<std::size_t>(barWidth - filled), '.') + "]" + tail;
	}
	else
		line = (std::to_string(percent) + "%" + (left.empty() ? "" : " " + left))
		           .substr(0, static_cast<std::size_t>(std::max(width, 0)));
	int pad = std::max(0, drawnWidth_ - static_cast<int>(line.size()));
	std::fprintf(stderr, "\r%s%*s", line.c_str(), pad, "");
	std::fflush(stderr);
	drawnWidth_ = static_cast<int>(line.size());
	shown_ = percent;
	visible_ = true;
}

void ProgressBar::clear()
{
	if (!visible_)
		return;
	std::fprintf(stderr, "\r%*s\r", drawnWidth_, "");
	std::fflush(stderr);
	visible_ = false;
}

} // namespace corvane::cli
