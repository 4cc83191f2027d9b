#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

#include "cli.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("v5ivez-cli"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    v5::cli::Io io{out, err};
    const int status = v5::cli::run(QCoreApplication::arguments().mid(1), io);
    out.flush();
    err.flush();
    return status;
}
