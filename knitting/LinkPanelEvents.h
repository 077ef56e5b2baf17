#pragma once

namespace lc {

// What the Link page's panels tell the page's engine (LinkController), each a
// direct call on the GUI thread: the needle bed's point cams and the part of
// the bed it shows, and the machine panel's row up-down.
class LinkPanelEvents {
public:
    virtual ~LinkPanelEvents() = default;
    // A cam's button was pressed, the cam moved, or its button was released.
    // `needle` is the left cam's needle or the right cam's last needle in work.
    virtual void camGrabbed(bool rightCam, int needle) = 0;
    virtual void camStepped(bool rightCam, int needle) = 0;
    virtual void camDropped(bool rightCam) = 0;
    // The bed now shows needles first..end-1.
    virtual void bedScrolled(int first, int end) = 0;
    // The machine panel's up-down moved to this pass.
    virtual void rowCounterChanged(int position) = 0;
};

} // namespace lc
