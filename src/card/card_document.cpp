#include "card/card_document.h"

#include <QBuffer>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

namespace v5 {

namespace {
constexpr int kPointSize = 9;
}  // namespace

std::unique_ptr<QTextDocument> siteCardDocument(const QString& html) {
    auto document = std::make_unique<QTextDocument>();
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(kPointSize);
    document->setDefaultFont(font);
    document->setHtml(html);
    return document;
}

void printSiteCard(const QTextDocument& card, QPagedPaintDevice& device) {
    card.print(&device);
}

QByteArray siteCardPdf(const QTextDocument& card) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("V5ivez"));
        writer.setTitle(card.metaInformation(QTextDocument::DocumentTitle));
        // The document keeps margins of its own; the page's are narrow.
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter));
        printSiteCard(card, writer);
    }  // the writer finishes the file as it goes
    return bytes;
}

}  // namespace v5
