#include "reports/text_encoding.h"

#include <QStringEncoder>

namespace v5 {

namespace {
QString joined(const QStringList& lines, QLatin1StringView lineEnd) {
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + lineEnd.size();
    QString text;
    text.reserve(size);
    for (const QString& line : lines) {
        text += line;
        text += lineEnd;
    }
    return text;
}
}  // namespace

QString joinLines(const QStringList& lines) {
    return joined(lines, QLatin1StringView("\n"));
}

QByteArray encodeLines(const QStringList& lines, TextFormat format) {
    if (format == TextFormat::Utf8Lf) return joinLines(lines).toUtf8();

    QStringEncoder encoder("windows-1251");
    if (!encoder.isValid())
        throw TextEncodingError("this Qt build has no Windows-1251 encoder (Qt without ICU?)");
    QByteArray bytes = encoder.encode(joined(lines, QLatin1StringView("\r\n")));
    if (encoder.hasError()) throw TextEncodingError("the text holds characters Windows-1251 cannot carry");
    return bytes;
}

}  // namespace v5
