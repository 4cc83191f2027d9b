#pragma once

#include <memory>

#include <QByteArray>
#include <QString>

class QPagedPaintDevice;
class QTextDocument;

namespace v5 {

// The site card's HTML as a document of A4 pages, in the font the card is printed in. Laying it out
// needs fonts, that is a QGuiApplication (the offscreen platform will do).
std::unique_ptr<QTextDocument> siteCardDocument(const QString& html);
// The card's pages on a printer or a PDF writer; page numbers at the foot of each.
void printSiteCard(const QTextDocument& card, QPagedPaintDevice& device);
// The card as a PDF file's bytes, titled as its HTML is.
QByteArray siteCardPdf(const QTextDocument& card);

}  // namespace v5
