// Connecting to the X server of $DISPLAY within a time limit.
//
// xcb_connect waits without limit for the server's answer to the connection
// setup, and the editor opens on the host's user-interface thread: a server
// that accepts the connection but never answers would freeze the host. So the
// socket is opened here (local socket, abstract or in /tmp/.X11-unix, or TCP
// for a host name), the MIT-MAGIC-COOKIE-1 of the Xauthority file is looked up
// with libXau, and xcb_connect_to_fd performs the setup while a short-lived
// watchdog thread shuts the socket down at the deadline. The watchdog is
// joined before open returns; it touches nothing but the socket.
//
// Display names the parser does not know (a path to a socket) go to
// xcb_connect itself, without a limit.
//
// Failure: open answers null and leaves no descriptor or thread behind. An
// unreachable server, a refused or unanswered setup and a missing $DISPLAY
// are failures. Threads: any thread; the connection belongs to the caller,
// who disconnects it.
#pragma once

#include <xcb/xcb.h>

namespace VSTGUI::X11Connection
{

xcb_connection_t* open(int timeoutMs);

} // namespace VSTGUI::X11Connection
