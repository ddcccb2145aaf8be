#include "tests/gui/base/fakeplatform.h"

#include <gtest/gtest.h>

using namespace VSTGUI;

namespace
{

class FontTest : public ::testing::Test
{
protected:
	// The predefined fonts outlive every test: start them unrealised.
	void SetUp() override
	{
		CFontDesc::cleanup();
		Fake::Platform::reset();
	}
	void TearDown() override { CFontDesc::cleanup(); }
};

const Fake::String* fakeOf(const CString& s)
{
	return dynamic_cast<const Fake::String*>(s.getPlatformString());
}

} // namespace

TEST_F(FontTest, PredefinedFontsHaveTheirFamiliesSizesAndAPlainStyle)
{
	struct Expected
	{
		CFontDesc* font;
		const char* name;
		double size;
	};
	const Expected table[] = {
	    {kSystemFont, "Lucida Grande", 12}, {kNormalFontVeryBig, "Arial", 18}, {kNormalFontBig, "Arial", 14},
	    {kNormalFont, "Arial", 12},         {kNormalFontSmall, "Arial", 11},   {kNormalFontSmaller, "Arial", 10},
	    {kNormalFontVerySmall, "Arial", 9}, {kSymbolFont, "Symbol", 12},
	};
	for (const auto& e : table)
	{
		EXPECT_STREQ(e.font->getName(), e.name);
		EXPECT_EQ(e.font->getSize(), e.size);
		EXPECT_EQ(e.font->getStyle(), kFontStyleNormal);
		EXPECT_EQ(e.font->getNbReference(), 1);
	}
}

TEST_F(FontTest, CleanupReleasesThePredefinedPlatformFontsOnly)
{
	ASSERT_NE(kNormalFont->getPlatformFont(), nullptr);
	CFontDesc own("Arial", 12);
	ASSERT_NE(own.getPlatformFont(), nullptr);
	EXPECT_EQ(Fake::Platform::fontsCreated, 2);
	CFontDesc::cleanup();
	EXPECT_NE(own.getPlatformFont(), nullptr);
	EXPECT_EQ(Fake::Platform::fontsCreated, 2);
	EXPECT_NE(kNormalFont->getPlatformFont(), nullptr);
	EXPECT_EQ(Fake::Platform::fontsCreated, 3);
	CFontDesc::cleanup();
}

TEST_F(FontTest, SameNameKeepsThePlatformFontWhileSizeStyleAndOtherNamesDropIt)
{
	CFontDesc font("Arial", 12);
	IPlatformFont* realised = font.getPlatformFont();
	ASSERT_NE(realised, nullptr);
	EXPECT_EQ(font.getPlatformFont(), realised);
	font.setName("Arial");
	EXPECT_EQ(Fake::Platform::fontsCreated, 1);
	font.getPlatformFont();
	EXPECT_EQ(Fake::Platform::fontsCreated, 1);

	font.setSize(12);
	font.getPlatformFont();
	EXPECT_EQ(Fake::Platform::fontsCreated, 2);
	font.setStyle(0);
	font.getFontPainter();
	EXPECT_EQ(Fake::Platform::fontsCreated, 3);
	font.setName("Other");
	font.getPlatformFont();
	EXPECT_EQ(Fake::Platform::fontsCreated, 4);
	EXPECT_STREQ(font.getName(), "Other");
}

TEST_F(FontTest, UnrealisableFontsGiveNoPainterAndAreRetriedOnTheNextRequest)
{
	Fake::Platform::missingFonts = {"Nope"};
	CFontDesc font("Nope", 10);
	EXPECT_EQ(font.getPlatformFont(), nullptr);
	EXPECT_EQ(font.getFontPainter(), nullptr);
	Fake::Platform::missingFonts.clear();
	EXPECT_NE(font.getFontPainter(), nullptr);

	CFontDesc unnamed(nullptr, 10);
	EXPECT_EQ(unnamed.getName(), nullptr);
	EXPECT_EQ(unnamed.getPlatformFont(), nullptr);
	font.setName(nullptr);
	EXPECT_EQ(font.getName(), nullptr);
	EXPECT_EQ(font.getPlatformFont(), nullptr);
}

TEST_F(FontTest, CopiesAndAssignmentsAreEqualButRealiseSeparately)
{
	CFontDesc original("Arial", 14, kFontStyleBold | kFontStyleItalic);
	original.remember();
	ASSERT_NE(original.getPlatformFont(), nullptr);

	CFontDesc assigned("Other", 3);
	assigned = original;
	EXPECT_TRUE(assigned == original);
	EXPECT_EQ(assigned.getNbReference(), 1);
	EXPECT_NE(assigned.getName(), original.getName());
	EXPECT_NE(assigned.getPlatformFont(), original.getPlatformFont());

	auto* copy = dynamic_cast<CFontDesc*>(original.newCopy());
	ASSERT_NE(copy, nullptr);
	EXPECT_TRUE(*copy == original);
	EXPECT_EQ(copy->getNbReference(), 1);
	EXPECT_EQ(copy->getStyle(), kFontStyleBold | kFontStyleItalic);
	copy->forget();

	CFontDesc copied(original);
	EXPECT_TRUE(copied == original);
	original.forget();
}

TEST_F(FontTest, EqualityComparesNamesBytewiseAndSizesExactly)
{
	CFontDesc a("Arial", 12);
	CFontDesc b("Arial", 12.000001);
	EXPECT_FALSE(a == b);
	b.setSize(12);
	EXPECT_TRUE(a == b);
	b.setStyle(kFontStyleUnderline);
	EXPECT_FALSE(a == b);
	CFontDesc c("arial", 12);
	EXPECT_FALSE(a == c);
	CFontDesc unnamed1(nullptr, 12), unnamed2(nullptr, 12);
	EXPECT_TRUE(unnamed1 == unnamed2);
	EXPECT_FALSE(unnamed1 == a);
	EXPECT_FALSE(a == unnamed1);
	EXPECT_TRUE(a.isTypeOf("CFontDesc"));
	EXPECT_TRUE(a.isTypeOf("CBaseObject"));
	EXPECT_FALSE(a.isTypeOf("CString"));
}

TEST_F(FontTest, StringKeepsTheCallersPointerAndRebuildsItsPlatformForm)
{
	const char text[] = "0.50 m";
	CString string(text);
	EXPECT_EQ(string.getUTF8String(), text);
	ASSERT_NE(fakeOf(string), nullptr);
	EXPECT_EQ(fakeOf(string)->text, "0.50 m");

	string.setUTF8String(nullptr);
	EXPECT_EQ(string.getUTF8String(), nullptr);
	EXPECT_FALSE(fakeOf(string)->holdsText);

	CString empty;
	EXPECT_EQ(empty.getUTF8String(), nullptr);
	EXPECT_FALSE(fakeOf(empty)->holdsText);
}

TEST_F(FontTest, StringCopiesShareTheTextButNotThePlatformString)
{
	const char text[] = "abc";
	CString original(text);
	CString copy(original);
	EXPECT_EQ(copy.getUTF8String(), text);
	EXPECT_NE(copy.getPlatformString(), original.getPlatformString());
	EXPECT_EQ(fakeOf(copy)->text, "abc");

	CString assigned("zz");
	assigned = original;
	EXPECT_EQ(assigned.getUTF8String(), text);
	EXPECT_EQ(fakeOf(assigned)->text, "abc");
	EXPECT_EQ(assigned.getNbReference(), 1);
}
