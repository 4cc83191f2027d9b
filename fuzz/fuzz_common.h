#pragma once

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include "fuzz/invariants/invariants.h"

namespace v5::fuzz {

// A broken invariant is a finding: tell which and stop, so that libFuzzer keeps the input.
[[noreturn]] inline void fail(const QString& invariant, const QString& detail) {
    std::fprintf(stderr, "\n== invariant broken: %s: %s\n", qPrintable(invariant), qPrintable(detail));
    std::abort();
}

inline void failOn(const std::vector<Violation>& violations) {
    for (const Violation& v : violations)
        std::fprintf(stderr, "\n== invariant broken: %s: %s\n", qPrintable(v.invariant),
                     qPrintable(v.detail));
    if (!violations.empty()) std::abort();
}

inline void require(bool holds, const char* invariant, const QString& detail = QString()) {
    if (!holds) fail(QString::fromLatin1(invariant), detail);
}

// A folder of the target's own for the files it writes, in memory when the system offers one.
inline const QString& scratchFolder() {
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/v5-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/v5-fuzz-XXXXXX"));
    static const QString path = dir.path();
    return path;
}

}  // namespace v5::fuzz
