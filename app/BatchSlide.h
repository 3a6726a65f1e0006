#pragma once
// Slides the batch window open beneath the main window, or closed, one
// twip of height at a time. There is no timer: after every step the slide
// lets all pending events be handled four times, so both windows stay
// responsive and the speed is that of the steps themselves.
//
// Nesting: because events are handled mid-slide, a click on the batch box
// or the main window closing can start inside a running slide. The newest
// action wins: starting a slide (or stopping for good) cuts every older
// slide short where it stands, and a cut slide neither hides, empties nor
// focuses anything afterwards. The newest slide always runs to its end, so
// at rest the batch window is visible exactly when the box is ticked, and
// the focus only ever goes to a window the newest slide has just shown.
//
// Every step sets the whole geometry from the place the slide started at,
// never from where the toolkit last heard the window was: under a window
// manager that report can lag behind, and a size change sent with a stale
// position would throw the window into a corner.

#include <QRect>

class QWidget;

namespace velkrant {

class frmBatch;

class BatchSlide {
public:
    /// Takes the batch window's full outer height H now, once: a user who
    /// resizes the window later does not change how far the slides go.
    ///
    ///     BatchSlide slide(*this, *batch);  // in the main window's load step
    BatchSlide(QWidget& mainWindow, frmBatch& batch);

    /// H, in twips.
    int FullHeight() const { return fullHeight_; }

    /// Places the batch window directly beneath the main window's frame,
    /// as wide as that frame, shows it, grows it from 1 twip to H, then
    /// gives it the focus. Where the screen's available area has no room
    /// for it, the main window first moves up as far as needed; where even
    /// then there is none, the slide ends at the height that fits.
    void Open();

    /// Shrinks the batch window from the height the last opening ended at
    /// (H, unless the screen was too small) to 1 twip, hides it and
    /// empties both of its boxes.
    void Close();

    /// Cuts any running slide short and ignores later requests; for the
    /// main window closing.
    void Stop();

private:
    // One step: false when a newer slide or Stop() cut this one short.
    bool StepTo(int twips, int slide);

    QWidget& main_;
    frmBatch& batch_;
    int fullHeight_;
    int openHeight_;   // twips the last opening ended at
    QRect place_;      // left, top and width of the running slide
    int current_ = 0;  // number of the newest slide
    bool stopped_ = false;
};

}  // namespace velkrant
