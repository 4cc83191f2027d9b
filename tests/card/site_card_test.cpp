#include <gtest/gtest.h>

#include <initializer_list>

#include <QRegularExpression>

#include "card/site_card.h"
#include "tests/card/card_image.h"
#include "tests/support/image_builder.h"
#include "tests/support/qt_print.h"

namespace v5 {
namespace {

const QDate kDate(2026, 12, 9);

// The HTML of a section: from its heading to the end of its table.
QString section(const QString& html, const QString& heading) {
    const qsizetype start = html.indexOf(QStringLiteral("<h2>%1</h2>").arg(heading));
    if (start < 0) return QString();
    const qsizetype end = html.indexOf(QStringLiteral("</table>"), start);
    return html.mid(start, end - start);
}

// A table row as the card writes it.
QString row(std::initializer_list<const char*> cells) {
    QString out = QStringLiteral("<tr>");
    for (const char* cell : cells)
        out += QStringLiteral("<td>") + QString::fromUtf8(cell) + QStringLiteral("</td>");
    return out + QStringLiteral("</tr>");
}

int rowsIn(const QString& section) {
    return static_cast<int>(section.count(QStringLiteral("<tr><td>")));
}

TEST(SiteCard, EverySectionOfAFullConfigurationInThePanesWordsWithItsNames) {
    const QString html =
        siteCardHtml(test::cardImage(), test::cardNames(), QStringLiteral("/sites/Склад.v5"), kDate);
    EXPECT_TRUE(html.contains(QStringLiteral("<h1>Карточка объекта: Склад №2</h1>")));
    EXPECT_TRUE(html.contains(QStringLiteral("Дата: 09.12.2026<br>Файл настроек: /sites/Склад.v5")));

    const struct {
        const char* heading;
        int rows;
        std::vector<QString> expected;
    } sections[] = {
        {"Объект",
         5,
         {row({"Название", "Склад №2"}), row({"Адрес", "ул. Лесная, 5"}), row({"Телефон", ""}),
          QStringLiteral("<td>Примечания</td><td>ключи у охраны<br>вход со двора</td>")}},
        {"Модули в слотах",
         5,
         {row({"1", "МШС1"}), row({"2", "МР1"}), row({"3", "МД1"}), row({"4", "МС1"}), row({"6", "МШС3"})}},
        // The eight loops of each placed loop module, and no others.
        {"Шлейфы",
         16,
         {row({"1", "Вход", "пожарный", "30 с", "500 мс", "нет", "круглосуточный, контроль тампера"}),
          row({"2", "", "отключен", "", "", "", ""}),
          row({"3", "", "охранный", "нет", "60 мс", "2 мин", "выделение сработки: 2 извещателя"}),
          row({"17", "", "отключен", "", "", "", ""})}},
        {"Зоны", 2, {row({"1", "Склад", "1-3"}), row({"2", "", "5"})}},
        {"Разделы", 1, {row({"1", "Первый этаж", "1, 2", "1-3,5"})}},
        {"Ключи",
         2,
         {row({"001", "060504030201", "Иванов", "зона 1 (Склад)", "3", "запасной"}),
          row({"005", "0000000000AA", "", "монтер", "1", ""})}},
        // The four relays of МР1.
        {"Реле",
         4,
         {row({"2", "Сирена", "замок", "20 с", "контроль тампера ГБ-5", "1"}),
          row({"1", "", "отключено", "", "", "нет"})}},
        {"Индикаторы", 2, {row({"МД1 индикатор 3", "3"}), row({"МДВ2 индикатор 1", "2"})}},
        {"Модули связи", 1, {row({"МС1", "017", "МШС1, МШС3"})}},
        {"Звуковые оповещатели",
         4,
         {row({"Реле СЗО", "30 сек.", "отключено", "без ограничения", "тампер ГБ-5 как неисправность", "1"}),
          row({"ВЗО на ГБ-5", "отключено", "отключено", "отключено", "дублировать реле СЗО при тревоге",
               "нет"})}},
        {"Прибор", 2, {row({"опции прибора", "автовзятие шлейфов"}), row({"внешние модули", "МДВ2, БИ1"})}},
    };
    for (const auto& s : sections) {
        const QString part = section(html, QString::fromUtf8(s.heading));
        ASSERT_FALSE(part.isEmpty()) << s.heading;
        EXPECT_EQ(rowsIn(part), s.rows) << s.heading;
        for (const QString& expected : s.expected)
            EXPECT_TRUE(part.contains(expected)) << s.heading << ": " << expected.toStdString();
    }
    // What belongs to modules the panel does not hold stays off the card.
    EXPECT_FALSE(section(html, QStringLiteral("Шлейфы")).contains(QStringLiteral("<td>9</td>")));
    EXPECT_FALSE(html.contains(QStringLiteral("МД2 индикатор")));
    EXPECT_FALSE(html.contains(QStringLiteral("МДВ1 индикатор")));
}

TEST(SiteCard, NamesAndThePathAreTextNeverMarkup) {
    const QString nasty = QStringLiteral("<b>A&B \"x\"</b>");
    const QString shown = QStringLiteral("&lt;b&gt;A&amp;B &quot;x&quot;&lt;/b&gt;");
    SiteNames names;
    names.site = {nasty, nasty, nasty, nasty, nasty};
    names.loops[1] = nasty;
    names.zones[1] = nasty;
    names.partitions[1] = nasty;
    names.keys[1] = {nasty, nasty};
    names.relays[2] = nasty;
    const QString html = siteCardHtml(test::cardImage(), names, QStringLiteral("/tmp/<i>.v5"), kDate);

    EXPECT_FALSE(html.contains(QStringLiteral("<b>"))) << html.toStdString();
    EXPECT_FALSE(html.contains(QStringLiteral("<i>")));
    EXPECT_TRUE(html.contains(QStringLiteral("/tmp/&lt;i&gt;.v5")));
    const struct {
        const char* heading;
        int uses;
    } sections[] = {{"Объект", 5}, {"Шлейфы", 1}, {"Зоны", 1}, {"Разделы", 1}, {"Ключи", 3}, {"Реле", 1}};
    for (const auto& s : sections)
        EXPECT_EQ(section(html, QString::fromUtf8(s.heading)).count(shown), s.uses) << s.heading;
    // The title and the heading carry the site's name too.
    EXPECT_TRUE(
        html.contains(QStringLiteral("<title>Карточка объекта: ") + shown + QStringLiteral("</title>")));
}

TEST(SiteCard, ABlankImageHasEverySectionSayingThereIsNothing) {
    const QString html = siteCardHtml(Image(), SiteNames(), QString(), kDate);
    EXPECT_TRUE(html.contains(QStringLiteral("<h1>Карточка объекта</h1>")));
    EXPECT_TRUE(html.contains(QStringLiteral("Файл настроек: не записан на диск")));
    EXPECT_EQ(rowsIn(section(html, QStringLiteral("Объект"))), 5);
    EXPECT_TRUE(section(html, QStringLiteral("Объект")).contains(row({"Название", ""})));
    for (const char* heading :
         {"Модули в слотах", "Шлейфы", "Зоны", "Разделы", "Ключи", "Реле", "Индикаторы", "Модули связи"}) {
        const QString part = section(html, QString::fromUtf8(heading));
        ASSERT_FALSE(part.isEmpty()) << heading;
        EXPECT_TRUE(part.contains(QStringLiteral("<td colspan=")) &&
                    part.contains(QStringLiteral(">нет</td>")))
            << heading;
        EXPECT_EQ(rowsIn(part), 0) << heading;
    }
    // The sounders and the panel always have their records.
    EXPECT_EQ(rowsIn(section(html, QStringLiteral("Звуковые оповещатели"))), 4);
    EXPECT_TRUE(section(html, QStringLiteral("Прибор")).contains(row({"опции прибора", "нет"})));
}

}  // namespace
}  // namespace v5
