#include "gui/platform/linux/window/x11connection.h"

#include <X11/Xauth.h>
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace VSTGUI::X11Connection
{

namespace
{

using Clock = std::chrono::steady_clock;

constexpr int kTcpPortBase = 6000;
// Address families of the Xauthority file (X.h's names; Xauth.h has the
// others).
constexpr unsigned short kFamilyInternet = 0;
constexpr unsigned short kFamilyInternet6 = 6;
constexpr char kCookieName[] = "MIT-MAGIC-COOKIE-1";

struct DisplayName
{
	std::string host;
	int number;
};

std::optional<DisplayName> parseDisplay(const char* name)
{
	char* host = nullptr;
	int number = 0;
	int screen = 0;
	if (!xcb_parse_display(name, &host, &number, &screen))
		return std::nullopt;
	DisplayName parsed{host, number};
	std::free(host);
	return parsed;
}

int millisecondsUntil(Clock::time_point deadline)
{
	auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
	return left > 0 ? static_cast<int>(left) : 0;
}

// A non-blocking connect that gives up at the deadline. A local socket whose
// listening queue is full answers EAGAIN instead of completing later: that
// is retried.
bool connectBefore(int fd, const sockaddr* address, socklen_t length, Clock::time_point deadline)
{
	while (connect(fd, address, length) != 0)
	{
		if (errno == EINTR)
			continue;
		if (errno == EAGAIN && millisecondsUntil(deadline) > 0)
		{
			std::this_thread::sleep_for(std::chrono::milliseconds(5));
			continue;
		}
		if (errno != EINPROGRESS)
			return false;
		pollfd p{fd, POLLOUT, 0};
		if (poll(&p, 1, millisecondsUntil(deadline)) <= 0)
			return false;
		int error = 0;
		socklen_t size = sizeof(error);
		return getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
	}
	return true;
}

int openSocket(int family)
{
	return socket(family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
}

// Linux servers listen in the abstract namespace too, which needs no file
// system; xcb tries it first, and so do we.
int connectLocal(int number, Clock::time_point deadline)
{
	std::string path = "/tmp/.X11-unix/X" + std::to_string(number);
	for (bool abstract : {true, false})
	{
		sockaddr_un address{};
		address.sun_family = AF_UNIX;
		size_t offset = abstract ? 1 : 0;
		if (offset + path.size() >= sizeof(address.sun_path))
			return -1;
		std::memcpy(address.sun_path + offset, path.data(), path.size());
		auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size());
		int fd = openSocket(AF_UNIX);
		if (fd < 0)
			return -1;
		if (connectBefore(fd, reinterpret_cast<const sockaddr*>(&address), length, deadline))
			return fd;
		close(fd);
	}
	return -1;
}

int connectTcp(std::string host, int number, Clock::time_point deadline)
{
	// "[::1]:0" names an IPv6 address.
	if (host.size() > 2 && host.front() == '[' && host.back() == ']')
		host = host.substr(1, host.size() - 2);
	addrinfo hints{};
	hints.ai_family = AF_UNSPEC;
	hints.ai_socktype = SOCK_STREAM;
	addrinfo* addresses = nullptr;
	std::string port = std::to_string(kTcpPortBase + number);
	if (getaddrinfo(host.c_str(), port.c_str(), &hints, &addresses) != 0)
		return -1;
	int fd = -1;
	for (addrinfo* a = addresses; a != nullptr && fd < 0; a = a->ai_next)
	{
		fd = openSocket(a->ai_family);
		if (fd >= 0 && !connectBefore(fd, a->ai_addr, a->ai_addrlen, deadline))
		{
			close(fd);
			fd = -1;
		}
	}
	freeaddrinfo(addresses);
	// Requests are small and many: no waiting for a full segment.
	int on = 1;
	if (fd >= 0)
		setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof(on));
	return fd;
}

int connectToServer(const DisplayName& display, Clock::time_point deadline)
{
	if (display.host.empty() || display.host == "unix")
	{
		int fd = connectLocal(display.number, deadline);
		// As xcb does: a local display without a socket may still listen on
		// TCP.
		return fd >= 0 || !display.host.empty() ? fd : connectTcp("localhost", display.number, deadline);
	}
	return connectTcp(display.host, display.number, deadline);
}

struct XauthDisposer
{
	void operator()(Xauth* auth) const { XauDisposeAuth(auth); }
};
using Cookie = std::unique_ptr<Xauth, XauthDisposer>;

// The Xauthority entry for the server at the other end of fd, found as xcb
// finds it: local and loopback servers by this machine's host name, the
// others by their address.
Cookie findCookie(int fd, int number)
{
	sockaddr_storage peer{};
	socklen_t size = sizeof(peer);
	if (getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &size) != 0)
		return nullptr;
	unsigned short family = FamilyLocal;
	const char* address = nullptr;
	size_t addressLength = 0;
	if (peer.ss_family == AF_INET6)
	{
		const in6_addr& a = reinterpret_cast<const sockaddr_in6&>(peer).sin6_addr;
		if (IN6_IS_ADDR_V4MAPPED(&a))
		{
			address = reinterpret_cast<const char*>(a.s6_addr) + 12;
			addressLength = 4;
			if (std::memcmp(address, "\x7f\0\0\x01", 4) != 0)
				family = kFamilyInternet;
		}
		else if (!IN6_IS_ADDR_LOOPBACK(&a))
		{
			family = kFamilyInternet6;
			address = reinterpret_cast<const char*>(a.s6_addr);
			addressLength = 16;
		}
	}
	else if (peer.ss_family == AF_INET)
	{
		const in_addr& a = reinterpret_cast<const sockaddr_in&>(peer).sin_addr;
		if (a.s_addr != htonl(INADDR_LOOPBACK))
		{
			family = kFamilyInternet;
			address = reinterpret_cast<const char*>(&a.s_addr);
			addressLength = 4;
		}
	}
	char hostName[256]{};
	if (family == FamilyLocal)
	{
		if (gethostname(hostName, sizeof(hostName) - 1) != 0)
			return nullptr;
		address = hostName;
		addressLength = std::strlen(hostName);
	}
	std::string displayNumber = std::to_string(number);
	char* names[] = {const_cast<char*>(kCookieName)};
	int nameLengths[] = {static_cast<int>(std::strlen(kCookieName))};
	return Cookie(XauGetBestAuthByAddr(family, static_cast<unsigned short>(addressLength), address,
	                                   static_cast<unsigned short>(displayNumber.size()), displayNumber.c_str(), 1,
	                                   names, nameLengths));
}

// xcb_connect_to_fd reads the server's answer without a time-out; the
// watchdog shuts the socket down at the deadline, which ends that read. It
// works on a duplicate of the descriptor: xcb closes its own on failure, and
// the process may reuse the number at once.
xcb_connection_t* setUp(int fd, xcb_auth_info_t* auth, Clock::time_point deadline)
{
	int watched = fcntl(fd, F_DUPFD_CLOEXEC, 0);
	if (watched < 0)
	{
		close(fd);
		return nullptr;
	}
	std::mutex mutex;
	std::condition_variable answered;
	bool done = false;
	bool cut = false;
	std::thread watchdog;
	try
	{
		watchdog = std::thread(
		    [&]
		    {
			    std::unique_lock lock(mutex);
			    if (!answered.wait_until(lock, deadline, [&] { return done; }))
			    {
				    shutdown(watched, SHUT_RDWR);
				    cut = true;
			    }
		    });
	}
	catch (const std::system_error&)
	{
		close(watched);
		close(fd);
		return nullptr;
	}
	xcb_connection_t* connection = xcb_connect_to_fd(fd, auth);
	{
		std::lock_guard lock(mutex);
		done = true;
	}
	answered.notify_one();
	watchdog.join();
	close(watched);
	if (cut || xcb_connection_has_error(connection))
	{
		xcb_disconnect(connection);
		return nullptr;
	}
	return connection;
}

// xcb_connect answers an object even when it fails; only the error flag
// tells, and the object must still be disconnected.
xcb_connection_t* connectUnbounded()
{
	xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
	if (!xcb_connection_has_error(connection))
		return connection;
	xcb_disconnect(connection);
	return nullptr;
}

} // namespace

xcb_connection_t* open(int timeoutMs)
{
	const char* name = std::getenv("DISPLAY");
	if (name == nullptr || *name == '\0')
		return nullptr;
	std::optional<DisplayName> display = parseDisplay(name);
	if (!display)
		return connectUnbounded();
	Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
	int fd = connectToServer(*display, deadline);
	if (fd < 0)
		return nullptr;
	Cookie cookie = findCookie(fd, display->number);
	xcb_auth_info_t auth{};
	if (cookie)
	{
		auth.namelen = cookie->name_length;
		auth.name = cookie->name;
		auth.datalen = cookie->data_length;
		auth.data = cookie->data;
	}
	return setUp(fd, cookie ? &auth : nullptr, deadline);
}

} // namespace VSTGUI::X11Connection
