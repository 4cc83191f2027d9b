#pragma once

#include <QString>
#include <QStringList>

#include "desktop/desktop.h"
#include "reports/text_encoding.h"
#include "reports/text_viewer.h"

namespace v5 {

inline QString reportFileName() {
    return QStringLiteral("report.txt");
}
inline QString archiveFileName() {
    return QStringLiteral("arj.txt");
}

// The report as the user would get it now: the pane reset commits the pane being left, the orphan
// sweep runs once more, then the report is built from the image.
QStringList resetAndReport(Desktop& desktop);

// Menu "Отчет": writes "report.txt" in `folder` (all or nothing, Windows-1251, CR LF) and opens it
// in `viewer`. A failed write is told to the user, naming the file and the reason, and nothing opens;
// when no editor can be started, the user is told where the file is.
void mRClick(Desktop& desktop, TextViewer& viewer, const QString& folder);

// Menu "Архив": writes "arj.txt" in `folder` likewise. It only reads the image: no pane reset.
void mArjClick(Desktop& desktop, TextViewer& viewer, const QString& folder);

}  // namespace v5
