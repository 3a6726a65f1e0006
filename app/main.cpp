#include "MessageBox.h"
#include "modManifest.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    return velkrant::modManifest::Main(velkrant::ShowMessageBox);
}
