// v5ivez-cli's argument parsing, every command: the input is the argument list, split at zero bytes.
// File names point into a scratch folder that holds two settings files and a short one; paths that
// leave it are bent back into it, and a port is always one that does not exist.
#include <cstddef>
#include <cstdint>

#include <QDir>
#include <QTextStream>

#include "cli/cli.h"
#include "fuzz/fuzz_common.h"
#include "tests/support/image_builder.h"
#include "tests/support/random_image.h"

namespace v5::fuzz {
namespace {

const QString kNoPort = QStringLiteral("/dev/v5-fuzz-no-such-port");

QString bent(const QString& argument) {
    if (argument == QStringLiteral("-") || argument == QStringLiteral("/dev/stdout") ||
        argument == QStringLiteral("/dev/null"))
        return argument;
    QString safe = argument;
    safe.replace(QLatin1Char('/'), QLatin1Char('_'));
    // A file name lands in the scratch folder (libFuzzer's own paths are relative to the working folder,
    // so the target does not change it).
    if (!safe.startsWith(QLatin1Char('-')) && safe.contains(QLatin1Char('.')))
        safe = scratchFolder() + QLatin1Char('/') + safe;
    return safe;
}

QStringList argumentsOf(const std::uint8_t* data, std::size_t size) {
    QStringList args;
    QByteArray current;
    for (std::size_t i = 0; i <= size; ++i) {
        if (i == size || data[i] == 0) {
            args << QString::fromUtf8(current);
            current.clear();
            if (args.size() == 24) break;
        } else {
            current.append(static_cast<char>(data[i]));
        }
    }
    bool portValue = false;
    for (QString& a : args) {
        if (portValue) {
            a = kNoPort;
            portValue = false;
        } else if (a == QStringLiteral("--port")) {
            portValue = true;
        } else if (a.startsWith(QStringLiteral("--port="))) {
            a = QStringLiteral("--port=") + kNoPort;
        } else {
            a = bent(a);
        }
    }
    return args;
}

void prepare() {
    const QString folder = scratchFolder() + QLatin1Char('/');
    test::writeAll(folder + QStringLiteral("a.v5"), test::randomImage(1).toByteArray());
    test::writeAll(folder + QStringLiteral("b.v5"), test::randomImage(2).toByteArray());
    test::writeAll(folder + QStringLiteral("short.v5"), QByteArray(100, '\x01'));
}

}  // namespace
}  // namespace v5::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace v5::fuzz;
    static const bool ready = (prepare(), true);
    (void)ready;
    const QStringList args = argumentsOf(data, size);
    QByteArray out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    v5::cli::Io io{outStream, errStream};
    const int status = v5::cli::run(args, io);
    outStream.flush();
    errStream.flush();
    require(status == v5::cli::kOk || status == v5::cli::kFailed || status == v5::cli::kUsage, "exit-status",
            QString::number(status));
    // A wrong command line is explained. (Status 1 may be an answer: check found errors, diff found
    // differences.)
    if (status == v5::cli::kUsage)
        require(!err.trimmed().isEmpty(), "usage-told", args.join(QLatin1Char(' ')));
    return 0;
}
