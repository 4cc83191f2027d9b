#include "card/card_document.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

namespace v5 {

namespace {

constexpr int kPointSize = 8;
// The page the document is laid out on, in its own units (pixels of 1/96 in): A4 within margins of
// 15 mm, less a line at the foot for the page number.
constexpr qreal kUnitsPerMm = 96 / 25.4;
constexpr qreal kMarginMm = 15;
constexpr qreal kFooterUnits = 24;
const QPageLayout kPage(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                        QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);

}  // namespace

std::unique_ptr<QTextDocument> siteCardDocument(const QString& html) {
    auto document = std::make_unique<QTextDocument>();
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(kPointSize);
    document->setDefaultFont(font);
    document->setHtml(html);
    // Laid out once, in pages: printing draws these pages as they are, where a document without a
    // page size would be copied and laid out again for every printer.
    const QSizeF paint = kPage.paintRect(QPageLayout::Millimeter).size() * kUnitsPerMm;
    document->setPageSize(QSizeF(paint.width(), paint.height() - kFooterUnits));
    return document;
}

void printSiteCard(const QTextDocument& card, QPagedPaintDevice& device) {
    device.setPageLayout(kPage);
    QPainter painter(&device);
    if (!painter.isActive()) return;
    const QSizeF page = card.pageSize();
    const qreal scale = device.width() / page.width();
    const int pages = card.pageCount();
    QAbstractTextDocumentLayout* layout = card.documentLayout();
    QFont footerFont = card.defaultFont();
    footerFont.setPointSizeF(kPointSize - 1);
    for (int p = 0; p < pages; ++p) {
        if (p > 0) device.newPage();
        painter.save();
        painter.scale(scale, scale);
        const QRectF view(0, p * page.height(), page.width(), page.height());
        painter.setClipRect(QRectF(QPointF(0, 0), page));
        painter.translate(0, -view.top());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        layout->draw(&painter, context);
        painter.restore();

        // In the device's own units: the painter's font is sized for the device.
        painter.setFont(footerFont);
        painter.drawText(QRectF(0, page.height() * scale, device.width(), kFooterUnits * scale),
                         Qt::AlignRight | Qt::AlignBottom,
                         QStringLiteral("стр. %1 из %2").arg(p + 1).arg(pages));
    }
}

QByteArray siteCardPdf(const QTextDocument& card) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("V5ivez"));
        writer.setTitle(card.metaInformation(QTextDocument::DocumentTitle));
        printSiteCard(card, writer);
    }  // the writer finishes the file as it goes
    return bytes;
}

}  // namespace v5
