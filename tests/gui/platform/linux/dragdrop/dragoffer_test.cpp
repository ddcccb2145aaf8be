// What a drag offers to other clients, worked out from a view's drop source.
#include "gui/platform/linux/dragdrop/x11dragcontainer.h"
#include "gui/platform/linux/dragdrop/x11dragoffer.h"
#include "gui/views/cdropsource.h"

#include <gtest/gtest.h>
#include <string>

using namespace VSTGUI;

namespace
{

// The source as a view builds it; the test owns the one reference.
class Source
{
public:
	Source() : source(new CDropSource) {}
	~Source() { source->forget(); }
	Source(const Source&) = delete;
	Source& operator=(const Source&) = delete;

	Source& add(const std::string& bytes, CDropSource::Type type)
	{
		source->add(bytes.data(), static_cast<uint32>(bytes.size()), type);
		return *this;
	}
	Source& addString(const std::string& text, CDropSource::Type type) { return add(text + '\0', type); }
	X11DragOffer offer() const { return X11DragOffer::fromSource(source); }

	CDropSource* source;
};

} // namespace

TEST(X11DragOffer, SourcesWithNothingDraggableAreInvalid)
{
	EXPECT_EQ(X11DragOffer::fromSource(nullptr).status, X11DragOffer::Status::invalid);
	Source empty;
	EXPECT_EQ(empty.offer().status, X11DragOffer::Status::invalid);
	Source errorFirst;
	errorFirst.addString("x", CDropSource::kError).addString("text", CDropSource::kText);
	EXPECT_EQ(errorFirst.offer().status, X11DragOffer::Status::invalid) << "the first entry decides";
	Source unknownKind;
	unknownKind.addString("x", static_cast<CDropSource::Type>(7));
	EXPECT_EQ(unknownKind.offer().status, X11DragOffer::Status::invalid);
}

TEST(X11DragOffer, TextIsOfferedUnderThreeNamesWithoutItsTerminator)
{
	Source text;
	text.addString("Grüße", CDropSource::kText).addString("second", CDropSource::kText);
	X11DragOffer offer = text.offer();
	EXPECT_EQ(offer.status, X11DragOffer::Status::ready);
	EXPECT_EQ(offer.types, (std::vector<std::string>{"UTF8_STRING", "text/plain;charset=utf-8", "text/plain"}));
	EXPECT_EQ(offer.data, "Grüße") << "only the first entry travels";
}

TEST(X11DragOffer, TextWithoutTerminatorOffersNothingAndEmbeddedNulEndsIt)
{
	Source unterminated;
	unterminated.add("abc", CDropSource::kText);
	EXPECT_EQ(unterminated.offer().status, X11DragOffer::Status::empty);
	Source embedded;
	embedded.add(std::string("ab\0cd\0", 6), CDropSource::kText);
	EXPECT_EQ(embedded.offer().data, "ab");
}

TEST(X11DragOffer, FilesBecomeAUriListOfEveryTerminatedPath)
{
	Source files;
	files.addString("/tmp/a b.wav", CDropSource::kFilePath)
	    .addString("not a path", CDropSource::kText)
	    .add("/unterminated", CDropSource::kFilePath)
	    .addString("/home/ü/100%.txt", CDropSource::kFilePath);
	X11DragOffer offer = files.offer();
	EXPECT_EQ(offer.status, X11DragOffer::Status::ready);
	EXPECT_EQ(offer.types, (std::vector<std::string>{"text/uri-list"}));
	EXPECT_EQ(offer.data, "file:///tmp/a%20b.wav\r\nfile:///home/%C3%BC/100%25.txt\r\n");
	EXPECT_EQ(X11DragContainer::pathsFromUriList(offer.data),
	          (std::vector<std::string>{"/tmp/a b.wav", "/home/ü/100%.txt"}))
	    << "a receiver of ours reads back the same paths";
}

TEST(X11DragOffer, FilesWithoutAnyUsablePathOfferNothing)
{
	Source files;
	files.add("/unterminated", CDropSource::kFilePath).addString("", CDropSource::kFilePath);
	EXPECT_EQ(files.offer().status, X11DragOffer::Status::empty);
}

TEST(X11DragOffer, BinaryTravelsByteForByteUnderTheToolkitType)
{
	std::string bytes("\x00\x01\xFFno terminator", 16);
	Source binary;
	binary.add(bytes, CDropSource::kBinary);
	X11DragOffer offer = binary.offer();
	EXPECT_EQ(offer.status, X11DragOffer::Status::ready);
	EXPECT_EQ(offer.types, (std::vector<std::string>{X11DragContainer::kBinaryType}));
	EXPECT_EQ(offer.data, bytes);
}

TEST(X11DragOffer, FileUrisEncodeEverythingButUnreservedCharactersAndSlashes)
{
	EXPECT_EQ(X11DragOffer::fileUri("/a-b_c.d~e/F9"), "file:///a-b_c.d~e/F9");
	EXPECT_EQ(X11DragOffer::fileUri("/#?:@&=+$,;[]\"'\\\r\n"),
	          "file:///%23%3F%3A%40%26%3D%2B%24%2C%3B%5B%5D%22%27%5C%0D%0A");
	EXPECT_EQ(X11DragOffer::uriListFromPaths({"", "/x", ""}), "file:///x\r\n") << "empty paths are left out";
	EXPECT_EQ(X11DragOffer::uriListFromPaths({}), "");
}
