// Plug-ins that draw through Xlib share its one error handler with the
// whole process, and Xlib's default ends the process on any request error.
// A host must outlive a plug-in's mistake, so corvane-host installs a
// handler of its own before any plug-in runs.
#pragma once

namespace corvane::cli
{

// Request errors become one warning each on standard error (the first few;
// then a count at exit), and the plug-in carries on.
void installXErrorHandler();

} // namespace corvane::cli
