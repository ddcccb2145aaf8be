// The container of an XDND drop: the items it delivered, one UTF-8 text, a
// list of file paths, or one block of the toolkit's own binary drag data.
//
// Ownership and threads as for every drag container.
#pragma once

#include "gui/views/cdragcontainer.h"

#include <string>
#include <vector>

namespace VSTGUI
{

class X11DragContainer : public CDragContainer
{
public:
	// The reverse-domain name of the toolkit's own binary drag data.
	static constexpr const char* kBinaryType = "com.halvenor.corvane.binary";

	enum class Kind
	{
		text,
		files,
		binary
	};

	X11DragContainer(Kind kind, std::vector<std::string> items);

	void* first(int32& size, int32& type) override;
	void* next(int32& size, int32& type) override;
	int32 getType(int32 index) const override;
	int32 getCount() override;

	bool isTypeOf(const char* className) const override;
	CBaseObject* newCopy() const override { return nullptr; }

	// The paths of a text/uri-list: file URIs only, percent-decoded, the
	// host part dropped; comment lines and other schemes are skipped.
	static std::vector<std::string> pathsFromUriList(const std::string& uriList);

private:
	int32 typeOfItems() const;

	Kind kind;
	std::vector<std::string> items;
	// Index of the item the last call answered; -1 before the first.
	int32 position{-1};
	std::string current;
};

} // namespace VSTGUI
