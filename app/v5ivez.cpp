#include <QApplication>

#include "window/main_window.h"
#include "window/russian_interface.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("V5ivez"));
    v5::useRussianInterface(app);
    v5::TV5ivezMainForm window;
    window.show();
    return QApplication::exec();
}
