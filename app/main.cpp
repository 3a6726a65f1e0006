#include "MessageBox.h"
#include "PlatformChoice.h"
#include "modManifest.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    velkrant::PlatformChoice::Apply();
    QApplication application(argc, argv);
    return velkrant::modManifest::Main(velkrant::ShowMessageBox, QApplication::arguments().mid(1));
}
