#include "BatchSlide.h"

#include "OuterFrame.h"
#include "ScreenFit.h"
#include "Twips.h"
#include "frmBatch.h"

#include <QCoreApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace velkrant {

namespace {

constexpr int RoundsPerStep = 4;

}  // namespace

// The batch window draws its own frame, so its geometry is its outer frame.
BatchSlide::BatchSlide(QWidget& mainWindow, frmBatch& batch)
    : main_(mainWindow), batch_(batch), fullHeight_(Twips::FromPixels(batch.height())), openHeight_(fullHeight_) {}

void BatchSlide::Open() {
    if (stopped_) return;
    const int slide = ++current_;
    const QRect mainFrame = OuterFrame::Of(main_);
    const ScreenFit::Stack stack =
        ScreenFit::Beneath(mainFrame, Twips::ToPixels(fullHeight_), main_.screen()->availableGeometry());
    if (stack.upper != mainFrame) {
        OuterFrame::MoveTo(main_, stack.upper.topLeft());
    }
    place_ = stack.lower;
    openHeight_ = std::min(fullHeight_, Twips::FromPixels(stack.lower.height()));
    // The height stays as it is (full on the first opening, one pixel
    // after a closing), unless the screen has less room.
    batch_.setGeometry(place_.x(), place_.y(), place_.width(), std::min(batch_.height(), stack.lower.height()));
    batch_.show();
    main_.activateWindow();
    for (int k = 1; k <= openHeight_; ++k) {
        if (!StepTo(k, slide)) return;
    }
    QCoreApplication::processEvents();
    if (slide != current_) return;
    batch_.activateWindow();
}

void BatchSlide::Close() {
    if (stopped_) return;
    const int slide = ++current_;
    place_ = batch_.geometry();
    for (int k = openHeight_; k >= 1; --k) {
        if (!StepTo(k, slide)) return;
    }
    batch_.hide();
    batch_.ClearBoxes();
}

void BatchSlide::Stop() {
    stopped_ = true;
    ++current_;
}

bool BatchSlide::StepTo(int twips, int slide) {
    // Left, top and width stay; a window cannot be less than a pixel high.
    batch_.setGeometry(place_.x(), place_.y(), place_.width(), std::max(1, Twips::ToPixels(twips)));
    for (int round = 0; round < RoundsPerStep; ++round) {
        QCoreApplication::processEvents();
        if (slide != current_) return false;
    }
    return true;
}

}  // namespace velkrant
