#include "gui/platform/linux/window/x11desktopscale.h"

#include "gui/platform/linux/window/x11connection.h"
#include "gui/platform/linux/window/x11reply.h"

#include <charconv>
#include <cmath>
#include <optional>

namespace VSTGUI::X11DesktopScale
{

namespace
{

constexpr double kBaseDpi = 96.;
constexpr double kMinFactor = 1.;
constexpr double kMaxFactor = 4.;
// Resource databases of a busy desktop run to a few kilobytes.
constexpr uint32_t kMaxResourceWords = 1 << 16;
constexpr int kConnectTimeoutMs = 1000;

std::optional<double> gLastRead;

std::string_view trimmed(std::string_view text)
{
	const auto first = text.find_first_not_of(" \t");
	if (first == std::string_view::npos)
		return {};
	text.remove_prefix(first);
	return text.substr(0, text.find_last_not_of(" \t\r") + 1);
}

} // namespace

double fromResources(std::string_view resources)
{
	constexpr std::string_view kKey = "Xft.dpi";
	while (!resources.empty())
	{
		const auto end = resources.find('\n');
		std::string_view line = resources.substr(0, end);
		resources.remove_prefix(end == std::string_view::npos ? resources.size() : end + 1);
		line = trimmed(line);
		if (!line.starts_with(kKey))
			continue;
		std::string_view rest = trimmed(line.substr(kKey.size()));
		if (!rest.starts_with(':'))
			continue;
		rest = trimmed(rest.substr(1));
		double dpi = 0.;
		auto [next, error] = std::from_chars(rest.data(), rest.data() + rest.size(), dpi);
		// A negative or zero setting ends up at the smallest factor below.
		if (error != std::errc() || !std::isfinite(dpi))
			continue;
		const double factor = std::round(dpi / kBaseDpi * 4.) / 4.;
		return std::fmin(std::fmax(factor, kMinFactor), kMaxFactor);
	}
	return kMinFactor;
}

double read(xcb_connection_t* connection, xcb_window_t root)
{
	auto cookie =
	    xcb_get_property(connection, 0, root, XCB_ATOM_RESOURCE_MANAGER, XCB_ATOM_STRING, 0, kMaxResourceWords);
	auto reply = owned(xcb_get_property_reply(connection, cookie, nullptr));
	double factor = kMinFactor;
	if (reply && reply->format == 8)
	{
		const auto* text = static_cast<const char*>(xcb_get_property_value(reply.get()));
		factor = fromResources(std::string_view(text, static_cast<size_t>(xcb_get_property_value_length(reply.get()))));
	}
	gLastRead = factor;
	return factor;
}

double current()
{
	if (gLastRead)
		return *gLastRead;
	// A server that cannot be reached is not asked again at every size
	// query; the next window's own connection reads the factor afresh.
	xcb_connection_t* connection = X11Connection::open(kConnectTimeoutMs);
	if (connection == nullptr)
	{
		gLastRead = kMinFactor;
		return kMinFactor;
	}
	// The desktop publishes its resources on the first screen's root.
	xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
	double factor = screen ? read(connection, screen->root) : kMinFactor;
	xcb_disconnect(connection);
	return factor;
}

} // namespace VSTGUI::X11DesktopScale
