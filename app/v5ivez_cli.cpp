#include <QCoreApplication>

#include "cli.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("v5ivez-cli"));
    return v5::cli::runProcess(argc, argv);
}
