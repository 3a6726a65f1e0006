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
    /// shows it, grows it from 1 twip to H, then gives it the focus.
    void Open();

    /// Shrinks the batch window from H to 1 twip, hides it and empties
    /// both of its boxes.
    void Close();

    /// Cuts any running slide short and ignores later requests; for the
    /// main window closing.
    void Stop();

private:
    void SetOuterHeight(int twips);
    // One step: false when a newer slide or Stop() cut this one short.
    bool StepTo(int twips, int slide);

    QWidget& main_;
    frmBatch& batch_;
    int frameHeight_;  // pixels of frame above and below the client area
    int fullHeight_;
    int current_ = 0;  // number of the newest slide
    bool stopped_ = false;
};

}  // namespace velkrant
