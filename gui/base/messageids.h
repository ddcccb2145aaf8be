// Message identifiers. Receivers compare them by pointer identity, never by
// text: a sender must pass the global constant itself.
#pragma once

namespace VSTGUI
{

// Sent by the frame to every ancestor of the view that gained focus.
extern const char* const kMsgNewFocusView;
// Sent by the frame to every ancestor of the view that lost focus.
extern const char* const kMsgOldFocusView;
// Sent by a view whose size changed to its parent view.
extern const char* const kMsgViewSizeChanged;
// A query; a view container answers kMessageHandled.
extern const char* const kMsgCheckIfViewContainer;
// Sent up the ancestor chain by a control that gives up focus ("LooseFocus").
extern const char* const kMsgLooseFocus;

} // namespace VSTGUI
