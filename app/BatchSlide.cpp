#include "BatchSlide.h"

#include "Twips.h"
#include "frmBatch.h"

#include <QCoreApplication>
#include <QWidget>

#include <algorithm>

namespace velkrant {

namespace {

constexpr int RoundsPerStep = 4;

}  // namespace

BatchSlide::BatchSlide(QWidget& mainWindow, frmBatch& batch) : main_(mainWindow), batch_(batch) {
    // The frame is known once the native window exists (on Windows at
    // once; an X11 window manager only adds it when the window is mapped,
    // so there it counts as none). Sizing by this same figure later means
    // a full slide always ends at the designed client area.
    batch_.winId();
    frameHeight_ = batch_.frameGeometry().height() - batch_.height();
    fullHeight_ = Twips::FromPixels(batch_.height() + frameHeight_);
}

void BatchSlide::Open() {
    if (stopped_) return;
    const int slide = ++current_;
    const QRect mainFrame = main_.frameGeometry();
    batch_.move(mainFrame.left(), mainFrame.top() + mainFrame.height());
    batch_.show();
    main_.activateWindow();
    for (int k = 1; k <= fullHeight_; ++k) {
        if (!StepTo(k, slide)) return;
    }
    QCoreApplication::processEvents();
    if (slide != current_) return;
    batch_.activateWindow();
}

void BatchSlide::Close() {
    if (stopped_) return;
    const int slide = ++current_;
    for (int k = fullHeight_; k >= 1; --k) {
        if (!StepTo(k, slide)) return;
    }
    batch_.hide();
    batch_.ClearBoxes();
}

void BatchSlide::Stop() {
    stopped_ = true;
    ++current_;
}

void BatchSlide::SetOuterHeight(int twips) {
    // Left, top and width stay; a window cannot be less than a pixel high.
    batch_.resize(batch_.width(), std::max(1, Twips::ToPixels(twips) - frameHeight_));
}

bool BatchSlide::StepTo(int twips, int slide) {
    SetOuterHeight(twips);
    for (int round = 0; round < RoundsPerStep; ++round) {
        QCoreApplication::processEvents();
        if (slide != current_) return false;
    }
    return true;
}

}  // namespace velkrant
