#include "window/site_card_preview.h"

#include <QAction>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QPageSize>
#include <QPrinter>
#include <QTextDocument>
#include <QToolBar>

#include "card/card_document.h"
#include "card/site_card.h"
#include "files/settings_file.h"

namespace v5 {

namespace {

QString pdfFilter() {
    return QStringLiteral("Документ PDF (*.pdf)|*.pdf");
}

// "D:/site.v5" → "D:/site.card.pdf"; without a settings file, card.pdf in the work folder.
QString proposedPdfName(const Desktop& desktop) {
    const QString& settings = desktop.settingsPath();
    if (settings.isEmpty()) return QDir(desktop.workFolder()).filePath(QStringLiteral("card.pdf"));
    const QFileInfo file(settings);
    return file.dir().filePath(file.completeBaseName() + QStringLiteral(".card.pdf"));
}

}  // namespace

SiteCardPreview::SiteCardPreview(const QString& html, UserPrompts& prompts, const QString& proposedPdf,
                                 QWidget* parent)
    : QPrintPreviewDialog(parent),
      document_(siteCardDocument(html)),
      prompts_(prompts),
      proposedPdf_(proposedPdf) {
    setObjectName(QStringLiteral("SiteCardPreview"));
    setWindowTitle(QStringLiteral("Карточка объекта"));
    printer()->setPageSize(QPageSize(QPageSize::A4));
    connect(this, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { printSiteCard(*document_, *printer); });

    auto* toolbar = findChild<QToolBar*>();
    if (!toolbar) return;
    // The preview's own print item, under the caption the installers know.
    const QString qtPrint = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    for (QAction* item : toolbar->actions())
        if (item->text() == qtPrint || item->text() == QStringLiteral("Печать")) {
            item->setText(QStringLiteral("Печать"));
            item->setObjectName(QStringLiteral("actPrintCard"));
        }
    toolbar->addSeparator();
    QAction* pdf = toolbar->addAction(QStringLiteral("Сохранить в PDF"));
    pdf->setObjectName(QStringLiteral("actSaveCardPdf"));
    connect(pdf, &QAction::triggered, this, [this] { saveAsPdf(); });
}

SiteCardPreview::~SiteCardPreview() = default;

std::optional<QString> SiteCardPreview::saveAsPdf() {
    const std::optional<QString> path =
        prompts_.saveFileName(proposedPdf_, pdfFilter(), QStringLiteral("pdf"));
    if (!path) return std::nullopt;
    if (const auto error = writeFileAtomically(*path, siteCardPdf(*document_))) {
        prompts_.message(error->message);
        return std::nullopt;
    }
    proposedPdf_ = *path;
    prompts_.notice(QStringLiteral("Карточка объекта записана: %1").arg(QDir::toNativeSeparators(*path)));
    return path;
}

void showSiteCard(Desktop& desktop, UserPrompts& prompts, QWidget* parent) {
    desktop.ClearDesktop();
    const QString html =
        siteCardHtml(desktop.image(), desktop.names(), desktop.settingsPath(), QDate::currentDate());
    SiteCardPreview preview(html, prompts, proposedPdfName(desktop), parent);
    preview.exec();
}

}  // namespace v5
