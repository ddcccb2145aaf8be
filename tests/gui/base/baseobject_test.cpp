#include "gui/base/cbaseobject.h"
#include "gui/base/cbuttonstate.h"
#include "gui/base/idependency.h"
#include "gui/base/messageids.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace VSTGUI;

namespace
{

// Counts its destructions so tests can see exactly when forget deletes.
class Counted : public CBaseObject
{
public:
	explicit Counted(int& destroyed) : destroyed(destroyed) {}
	~Counted() override { ++destroyed; }
	int& destroyed;
};

class Subject : public CBaseObject, public IDependency
{
};

struct Received
{
	CBaseObject* receiver;
	CBaseObject* sender;
	const char* message;
};

class Listener : public CBaseObject
{
public:
	Listener(std::vector<Received>& log) : log(log) {}
	MessageResult notify(CBaseObject* sender, const char* message) override
	{
		log.push_back({this, sender, message});
		if (onNotify)
			onNotify();
		return kMessageHandled;
	}
	std::vector<Received>& log;
	std::function<void()> onNotify;
};

} // namespace

TEST(ReferenceCount, StartsAtOneAndDeletesWhenTheLastReferenceIsForgotten)
{
	int destroyed = 0;
	auto* object = new Counted(destroyed);
	EXPECT_EQ(object->getNbReference(), 1);
	object->remember();
	object->remember();
	EXPECT_EQ(object->getNbReference(), 3);
	object->forget();
	object->forget();
	EXPECT_EQ(destroyed, 0);
	EXPECT_EQ(object->getNbReference(), 1);
	object->forget();
	EXPECT_EQ(destroyed, 1);
}

TEST(ReferenceCount, GuardHoldsAReferenceForItsScopeAndCopiesStartFresh)
{
	int destroyed = 0;
	auto* object = new Counted(destroyed);
	{
		CBaseObjectGuard guard(object);
		EXPECT_EQ(object->getNbReference(), 2);
		object->forget();
		EXPECT_EQ(destroyed, 0);
	}
	EXPECT_EQ(destroyed, 1);
	CBaseObjectGuard nullGuard(nullptr);

	CBaseObject original;
	original.remember();
	CBaseObject copy(original);
	EXPECT_EQ(copy.getNbReference(), 1);
	copy.remember();
	original = copy;
	EXPECT_EQ(original.getNbReference(), 2);
	EXPECT_EQ(copy.getNbReference(), 2);
}

TEST(BaseObject, DefaultsIgnoreMessagesAnswerOnlyTheirOwnNameAndDoNotCopy)
{
	CBaseObject object;
	EXPECT_EQ(object.notify(nullptr, kMsgViewSizeChanged), kMessageIgnored);
	EXPECT_TRUE(object.isTypeOf("CBaseObject"));
	EXPECT_FALSE(object.isTypeOf("CView"));
	EXPECT_FALSE(object.isTypeOf(nullptr));
	EXPECT_EQ(object.newCopy(), nullptr);
}

TEST(MessageIds, IdentifiersCarryTheirTextButOnlyTheGlobalConstantMatches)
{
	EXPECT_STREQ(kMsgViewSizeChanged, "kMsgViewSizeChanged");
	EXPECT_STREQ(kMsgNewFocusView, "kMsgNewFocusView");
	EXPECT_STREQ(kMsgOldFocusView, "kMsgOldFocusView");
	EXPECT_STREQ(kMsgCheckIfViewContainer, "kMsgCheckIfViewContainer");
	EXPECT_STREQ(kMsgLooseFocus, "LooseFocus");
	const std::string sameText = "kMsgViewSizeChanged";
	EXPECT_NE(sameText.c_str(), kMsgViewSizeChanged);
}

TEST(Dependency, ChangedNotifiesEveryDependentInRegistrationOrderWithTheSubjectAsSender)
{
	std::vector<Received> log;
	Subject subject;
	Listener a(log), b(log);
	subject.addDependency(&a);
	subject.addDependency(&b);
	subject.addDependency(&a);
	subject.changed(kMsgViewSizeChanged);
	ASSERT_EQ(log.size(), 3u);
	EXPECT_EQ(log[0].receiver, &a);
	EXPECT_EQ(log[1].receiver, &b);
	EXPECT_EQ(log[2].receiver, &a);
	EXPECT_EQ(log[0].sender, static_cast<CBaseObject*>(&subject));
	EXPECT_EQ(log[0].message, kMsgViewSizeChanged);

	log.clear();
	subject.removeDependency(&a);
	subject.changed(kMsgNewFocusView);
	ASSERT_EQ(log.size(), 1u);
	EXPECT_EQ(log[0].receiver, &b);
	EXPECT_EQ(subject.getNbDependents(), 1u);
	EXPECT_EQ(subject.getNbReference(), 1);
}

TEST(Dependency, NestedDeferralSendsEachIdentifierOnceInAddressOrderAfterTheOutermostEnd)
{
	static const char first[] = "B";
	static const char second[] = "A";
	const bool firstIsLower = std::less<const char*>()(first, second);
	const char* lower = firstIsLower ? first : second;
	const char* higher = firstIsLower ? second : first;
	std::vector<Received> log;
	Subject subject;
	Listener listener(log);
	subject.addDependency(&listener);

	subject.deferChanges(true);
	subject.deferChanges(true);
	subject.changed(higher);
	subject.changed(lower);
	subject.changed(higher);
	subject.changed(higher);
	EXPECT_TRUE(log.empty());
	subject.deferChanges(false);
	EXPECT_TRUE(log.empty());
	subject.deferChanges(false);
	ASSERT_EQ(log.size(), 2u);
	EXPECT_EQ(log[0].message, lower);
	EXPECT_EQ(log[1].message, higher);

	log.clear();
	subject.changed(lower);
	EXPECT_EQ(log.size(), 1u);
}

TEST(Dependency, UnbalancedEndOfDeferralIsIgnored)
{
	std::vector<Received> log;
	Subject subject;
	Listener listener(log);
	subject.addDependency(&listener);
	subject.deferChanges(false);
	subject.changed(kMsgViewSizeChanged);
	EXPECT_EQ(log.size(), 1u);
}

TEST(Dependency, DependentRemovingItselfDuringNotificationDoesNotDisturbTheOthers)
{
	std::vector<Received> log;
	Subject subject;
	Listener a(log), b(log), c(log);
	for (auto* l : {&a, &b, &c})
		subject.addDependency(l);
	b.onNotify = [&] { subject.removeDependency(&b); };
	subject.changed(kMsgViewSizeChanged);
	ASSERT_EQ(log.size(), 3u);
	EXPECT_EQ(log[2].receiver, &c);

	log.clear();
	subject.changed(kMsgViewSizeChanged);
	ASSERT_EQ(log.size(), 2u);
	EXPECT_EQ(log[0].receiver, &a);
	EXPECT_EQ(log[1].receiver, &c);
}

TEST(Dependency, DependentRemovingALaterOneDuringNotificationSkipsItSafely)
{
	std::vector<Received> log;
	Subject subject;
	Listener a(log), b(log), c(log);
	for (auto* l : {&a, &b, &c})
		subject.addDependency(l);
	a.onNotify = [&] { subject.removeDependency(&b); };
	subject.changed(kMsgViewSizeChanged);
	ASSERT_EQ(log.size(), 2u);
	EXPECT_EQ(log[0].receiver, &a);
	EXPECT_EQ(log[1].receiver, &c);
	EXPECT_EQ(subject.getNbDependents(), 2u);
}

TEST(Dependency, SubjectReleasedByADependentSurvivesUntilTheNotificationEnds)
{
	std::vector<Received> log;
	auto* subject = new Subject;
	Listener a(log), b(log);
	subject->addDependency(&a);
	subject->addDependency(&b);
	a.onNotify = [&] { subject->forget(); };
	subject->changed(kMsgViewSizeChanged);
	EXPECT_EQ(log.size(), 2u);
}

TEST(Dependency, SubjectNotifyingFromItsDestructorIsNotDeletedTwice)
{
	std::vector<Received> log;
	class Dying : public Subject
	{
	public:
		~Dying() override { changed(kMsgOldFocusView); }
	};
	auto* subject = new Dying;
	Listener listener(log);
	subject->addDependency(&listener);
	subject->forget();
	ASSERT_EQ(log.size(), 1u);
	EXPECT_EQ(log[0].message, kMsgOldFocusView);
}

TEST(ButtonState, BitsMasksAndKeyModifierCorrespondence)
{
	CButtonState state(kButtonLeft | kModifierShift | kButtonDoubleClick);
	EXPECT_TRUE(state.isLeftButton());
	EXPECT_TRUE(state.isDoubleClick());
	EXPECT_FALSE(state.isRightButton());
	EXPECT_EQ(state.getButtonState(), kButtonLeft);
	EXPECT_EQ(state.getModifierState(), kModifierShift);
	EXPECT_EQ(kAllModifiersMask, 0xF0);
	EXPECT_EQ(kAllModifiersMask | kButtonRight, 0xF8);
	state |= kModifierAlt;
	EXPECT_EQ(state & 0xF0, kModifierShift | kModifierAlt);

	EXPECT_EQ(buttonStateFromKeyModifiers(MODIFIER_SHIFT), kModifierShift);
	EXPECT_EQ(buttonStateFromKeyModifiers(MODIFIER_ALTERNATE), kModifierAlt);
	EXPECT_EQ(buttonStateFromKeyModifiers(MODIFIER_COMMAND), kModifierCommand);
	EXPECT_EQ(buttonStateFromKeyModifiers(MODIFIER_CONTROL), kModifierControl);
	for (int bits = 0; bits < 16; ++bits)
		EXPECT_EQ(keyModifiersFromButtonState(buttonStateFromKeyModifiers(static_cast<uint8>(bits))), bits);
}
