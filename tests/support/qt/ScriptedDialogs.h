#pragma once
// Stand-ins for the user of every dialog of the dialog class at once, and
// for the desktop's handler of help files.

#include <QObject>
#include <QStringList>
#include <QUrl>

#include <vector>

class QWidget;

namespace velkrant::test {

/// While it lives, the desktop hands the addresses it would open (file,
/// http and https) to this recorder instead of to a program.
class HelpRecorder : public QObject {
    Q_OBJECT

public:
    HelpRecorder();
    ~HelpRecorder() override;
    HelpRecorder(const HelpRecorder&) = delete;
    HelpRecorder& operator=(const HelpRecorder&) = delete;

    std::vector<QUrl> opened;

public slots:
    void Open(const QUrl& address);
};

/// While it lives, the next dialog of every kind is cancelled instead of
/// shown, and help is recorded instead of opened. `Asked` names what was
/// asked for, in order ("open", "save", "colour", "font", "printer",
/// "folder", "help"); `parents` holds each dialog's owner.
class CancelEveryDialog {
public:
    CancelEveryDialog();
    ~CancelEveryDialog();
    CancelEveryDialog(const CancelEveryDialog&) = delete;
    CancelEveryDialog& operator=(const CancelEveryDialog&) = delete;

    QStringList Asked() const;
    std::vector<QWidget*> parents;

private:
    QStringList asked_;
    HelpRecorder help_;
};

}  // namespace velkrant::test
