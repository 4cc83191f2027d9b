#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include "cli/cli.h"

namespace v5::test {

// v5ivez-cli run in-process; standard output is kept as bytes, since some outputs are not UTF-8.
// For tests that link the command line's library.
struct CliRun {
    int status = -1;
    QByteArray out;
    QString err;
    QString text() const { return QString::fromUtf8(out); }  // standard output read as UTF-8
};

inline CliRun runCli(const QStringList& args) {
    CliRun result;
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    cli::Io io{out, err};
    result.status = cli::run(args, io);
    out.flush();
    err.flush();
    return result;
}

}  // namespace v5::test
