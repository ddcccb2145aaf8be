#include "tools/corvane-host/progress.h"

#include <cstdio>
#include <string>
#include <unistd.h>

namespace corvane::cli
{

namespace
{

constexpr int kWidth = 40;

} // namespace

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
	int filled = percent * kWidth / 100;
	std::string bar(static_cast<std::size_t>(filled), '#');
	bar.append(static_cast<std::size_t>(kWidth - filled), '.');
	std::fprintf(stderr, "\rprocessing [%s] %3d%%", bar.c_str(), percent);
	std::fflush(stderr);
	shown_ = percent;
	visible_ = true;
}

void ProgressBar::clear()
{
	if (!visible_)
		return;
	std::fprintf(stderr, "\r%*s\r", kWidth + 20, "");
	std::fflush(stderr);
	visible_ = false;
}

} // namespace corvane::cli
