// What a drag started by a view offers to other X clients: the selection
// targets (MIME-style type names) and the one block of bytes each of them
// delivers, worked out from the view's CDropSource.
//
// Pure: no X connection is involved, so the rules are testable on their own.
// Threads: any.
#pragma once

#include "gui/base/vstguitypes.h"

#include <string>
#include <vector>

namespace VSTGUI
{

class CDropSource;

struct X11DragOffer
{
	enum class Status
	{
		// The source cannot be dragged at all (null, empty, or an error
		// entry first): the drag answers -1.
		invalid,
		// Well formed but nothing to hand over (no entry ends with its NUL).
		empty,
		ready
	};

	Status status{Status::invalid};
	// In the order of preference the source announces them.
	std::vector<std::string> types;
	// The same bytes for every type: the text without its NUL, the uri-list,
	// or the binary entry as it stands.
	std::string data;

	// The first entry decides: file paths (every path entry of the source
	// that ends with its NUL, as text/uri-list), text (the first entry, as
	// UTF8_STRING, text/plain;charset=utf-8 and text/plain), or binary (the
	// first entry under the toolkit's own type).
	static X11DragOffer fromSource(CDropSource* source);

	// One file:// URI per path, each line ending in CR LF; every byte but the
	// unreserved characters and '/' is percent-encoded. Empty paths are left
	// out.
	static std::string uriListFromPaths(const std::vector<std::string>& paths);
	static std::string fileUri(const std::string& path);
};

} // namespace VSTGUI
