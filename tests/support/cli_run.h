#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include "cli.h"

namespace v5::test {

// v5ivez-cli run in-process (for tests that link the command library). Standard output is kept as
// bytes, since the text exports are not UTF-8; `text()` reads it as UTF-8.
struct CliRun {
    int status = -1;
    QByteArray out;
    QString err;
    QString text() const { return QString::fromUtf8(out); }
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
