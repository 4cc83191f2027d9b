#include <functional>

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include "tests/window/window_harness.h"

namespace v5 {

// The relay, indicator, communication-module and sounder panes in the window: their menus, their
// controls and texts, that the user's clicks reach the image, and that each pane is laid out cleanly.
class OutputsWindowTest : public QObject {
    Q_OBJECT

private:
    test::WindowHarness h_;

    template <class T>
    T* find(const QString& name) {
        return h_.find<T>(name);
    }
    Image& image() { return h_.desktop().image(); }
    QStringList items(const QString& group) {
        QStringList out;
        for (int i = 0;
             auto* button = h_.window->findChild<QRadioButton*>(group + QStringLiteral("_%1").arg(i)); ++i)
            out << button->text();
        return out;
    }
    // The user clicks tab `index` of a notebook.
    void clickTab(const QString& notebook, int index) {
        QTabBar* bar = find<QTabWidget>(notebook)->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
        QCOMPARE(find<QTabWidget>(notebook)->currentIndex(), index);
    }
    void checkLayout(const QString& pane) {
        if (qEnvironmentVariableIsSet("V5_SHOT"))
            h_.window->grab().save(qEnvironmentVariable("V5_SHOT") + pane + QStringLiteral(".png"));
        const QStringList problems = test::layoutProblems(find<QWidget>(pane));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

private slots:
    void init() { h_.start(); }
    void cleanup() { h_.stop(); }

    void moduleMenusOfferExactlyThePlacedModules() {
        h_.place(1, QStringLiteral("МР1"));
        h_.place(2, QStringLiteral("МД2"));
        h_.place(3, QStringLiteral("МС3"));
        h_.choose(QString(), QStringLiteral("mExt"));
        h_.click(QStringLiteral("cbMDV2"));
        const std::pair<const char*, QStringList> menus[] = {
            {"mRele", {QStringLiteral("mmiRele1")}},
            {"mUD", {QStringLiteral("mmiUD2"), QStringLiteral("mmiUDV2")}},
            {"MLine", {QStringLiteral("mmiLine3")}},
        };
        for (const auto& [menu, enabled] : menus) {
            h_.openMenu(QString::fromLatin1(menu));
            QStringList shown;
            for (QAction* item : h_.menu(QString::fromLatin1(menu))->actions())
                if (item->isEnabled()) shown << item->objectName();
            QCOMPARE(shown, enabled);
        }
        QVERIFY(h_.action(QStringLiteral("mZO"))->isEnabled());
        h_.choose(QStringLiteral("mUD"), QStringLiteral("mmiUDV2"));
        QVERIFY(find<QGroupBox>(QStringLiteral("gbUD"))->isVisible());
    }

    void relayPaneStoresTheRelayLeftOnATabClick() {
        h_.place(1, QStringLiteral("МШС1"));
        h_.place(2, QStringLiteral("МР3"));
        h_.choose(QStringLiteral("mRele"), QStringLiteral("mmiRele3"));
        auto* tabs = find<QTabWidget>(QStringLiteral("tnRele"));
        QVERIFY(tabs->isVisible());
        QCOMPARE(find<QGroupBox>(QStringLiteral("gbMR"))->title(), QStringLiteral("Режим работы для реле"));
        QCOMPARE(tabs->tabBar()->tabText(0), QStringLiteral("9"));
        QCOMPARE(tabs->tabBar()->tabText(3), QStringLiteral("12"));
        const QStringList modes = items(QStringLiteral("rgReleMode"));
        QCOMPARE(modes.size(), 16);
        QCOMPARE(modes.at(1), QStringLiteral("Сигнальное реле ПЦН \"Лумо\""));
        QCOMPARE(modes.at(15), QStringLiteral("Сигнальное реле неисправности и режима внимание ШС"));
        QCOMPARE(
            items(QStringLiteral("rgReleTime")),
            (QStringList{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("5"), QStringLiteral("10"),
                         QStringLiteral("30"), QStringLiteral("60"), QStringLiteral("120"),
                         QStringLiteral("180"), QStringLiteral("240"), QStringLiteral("255")}));
        QCOMPARE(find<QRadioButton>(QStringLiteral("rgReleTime_9"))->y(),
                 find<QRadioButton>(QStringLiteral("rgReleTime_0"))->y());  // ten columns, one row
        QCOMPARE(find<QCheckBox>(QStringLiteral("cbInternal"))->text(),
                 QStringLiteral("Контроль тампера ГБ-5"));
        QCOMPARE(find<QCheckBox>(QStringLiteral("cbExternal"))->text(),
                 QStringLiteral("Контроль тампера ВТ-5"));
        checkLayout(QStringLiteral("gbMR"));

        h_.click(QStringLiteral("rgReleMode_10"));
        h_.click(QStringLiteral("rgReleTime_4"));
        h_.click(QStringLiteral("cbExternal"));
        h_.click(QStringLiteral("cR2"));
        QVERIFY(!find<QCheckBox>(QStringLiteral("cR9"))->isEnabled());
        QCOMPARE(image().byte(map::Relays.at(8)), 0);  // nothing written while clicking
        clickTab(QStringLiteral("tnRele"), 1);
        const auto relay9 = image().record(map::Relays, 8);
        QCOMPARE(relay9[0], 0x8A);
        QCOMPARE(relay9[1], 0x02);
        QCOMPARE(relay9[9], 30);
        QCOMPARE(find<QWidget>(QStringLiteral("PanelRele"))->parentWidget(), tabs->widget(1));
        QVERIFY(find<QRadioButton>(QStringLiteral("rgReleMode_0"))->isChecked());
    }

    void indicatorPaneFollowsItsTabsAndWritesOnSelect() {
        h_.place(1, QStringLiteral("МШС1"));
        h_.place(2, QStringLiteral("МД3"));
        h_.choose(QStringLiteral("mUD"), QStringLiteral("mmiUD3"));
        auto* pane = find<QGroupBox>(QStringLiteral("gbUD"));
        QCOMPARE(pane->title(), QStringLiteral("Индикатор 1"));
        QVERIFY(find<QGroupBox>(QStringLiteral("GroupBox34"))->isVisible());
        checkLayout(QStringLiteral("gbUD"));
        clickTab(QStringLiteral("tnUD"), 4);
        QCOMPARE(pane->title(), QStringLiteral("Индикатор 5"));
        QCOMPARE(find<QWidget>(QStringLiteral("gbSUD"))->parentWidget(),
                 find<QTabWidget>(QStringLiteral("tnUD"))->widget(4));
        h_.click(QStringLiteral("Button9"));
        QCOMPARE(image().byte(0x26D6), 0xFF);
        h_.click(QStringLiteral("cUD3"));
        h_.click(QStringLiteral("Button12"));
        QCOMPARE(image().byte(0x26D6), 0x00);
    }

    void linePaneStoresExactlyTheTypedAddress() {
        h_.place(1, QStringLiteral("МШС1"));
        h_.place(2, QStringLiteral("МС3"));
        QTest::mouseClick(find<QPushButton>(QStringLiteral("btnSlot2")), Qt::LeftButton);
        QVERIFY(find<QGroupBox>(QStringLiteral("gbLine"))->isVisible());
        QCOMPARE(find<QCheckBox>(QStringLiteral("tz8"))->text(), QStringLiteral("МШС8"));
        QStringList texts;
        for (const char* name : {"lblAddress", "lblAllowed", "lblValue", "lblRange", "lblRangeOther"})
            texts << find<QLabel>(QString::fromLatin1(name))->text();
        QCOMPARE(texts, (QStringList{QStringLiteral("Адрес"), QStringLiteral("Допустимое "),
                                     QStringLiteral("значение:"), QStringLiteral("(000-201)"),
                                     QStringLiteral("241, 254, 255")}));
        checkLayout(QStringLiteral("gbLine"));

        auto* edit = find<QLineEdit>(QStringLiteral("MaskEdit1"));
        auto* note = find<QLabel>(QStringLiteral("lblAddressNote"));
        QCOMPARE(edit->text(), QStringLiteral("000"));
        QVERIFY(edit->toolTip().contains(QStringLiteral("000–201, 241, 254, 255")));
        QVERIFY(!note->isVisible());
        const auto leave = [&] {
            QTest::mouseClick(find<QPushButton>(QStringLiteral("btnSlot5")),
                              Qt::LeftButton);  // an empty slot
            QVERIFY(!find<QGroupBox>(QStringLiteral("gbLine"))->isVisible());
            QTest::mouseClick(find<QPushButton>(QStringLiteral("btnSlot2")), Qt::LeftButton);
            edit->setFocus();
        };
        const struct {
            const char* how;
            std::function<void()> prepare;
            const char* keys;
            int stored;
        } ways[] = {
            {"over the digits", [&] { edit->setCursorPosition(0); }, "201", 201},
            {"over a selection", [&] { edit->selectAll(); }, "201", 201},
            {"a shorter number over a selection", [&] { edit->selectAll(); }, "15", 15},
            {"after Backspace",
             [&] {
                 edit->end(false);
                 for (int i = 0; i < 3; ++i)
                     QTest::keyClick(edit, Qt::Key_Backspace);
             },
             "241", 241},
        };
        for (const auto& way : ways) {
            leave();
            way.prepare();
            QTest::keyClicks(edit, QString::fromLatin1(way.keys));
            QCOMPARE(edit->text(), QString::number(way.stored));
            QVERIFY2(!note->isVisible(), way.how);
            h_.click(QStringLiteral("tz1"));
            leave();
            QCOMPARE(image().byte(0x283B), way.stored);
        }
        QCOMPARE(image().byte(0x283A), 0x00);  // ticked and unticked again

        // A number the module does not take: refused as it is typed, said why, and the stored one stays.
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("256"));
        QCOMPARE(edit->text(), QStringLiteral("25"));
        QVERIFY(note->isVisible());
        QVERIFY2(note->text().contains(QStringLiteral("256")) && note->text().contains(QStringLiteral("241")),
                 qPrintable(note->text()));
        checkLayout(QStringLiteral("gbLine"));
        edit->setCursorPosition(0);
        QTest::keyClicks(edit, QStringLiteral("x"));
        QCOMPARE(edit->text(), QStringLiteral("25"));
        leave();
        QCOMPARE(image().byte(0x283B), 241);
        QCOMPARE(edit->text(), QStringLiteral("241"));
        QVERIFY(!note->isVisible());
    }

    void sounderPaneWritesDurationsGridAndOptions() {
        h_.place(1, QStringLiteral("МШС1"));
        h_.place(2, QStringLiteral("МШС2"));
        h_.choose(QString(), QStringLiteral("mZO"));
        auto* tabs = find<QTabWidget>(QStringLiteral("TabbedNotebook4"));
        QStringList captions;
        for (int i = 0; i < tabs->count(); ++i)
            captions << tabs->tabText(i);
        QCOMPARE(captions, (QStringList{QStringLiteral("Реле СЗО"), QStringLiteral("ВЗО на ГБ-5"),
                                        QStringLiteral("ЗО на ВТ-5 (шлейфы 1-32)"),
                                        QStringLiteral("ЗО на ВТ-5 (шлейфы 33-64)")}));
        QCOMPARE(items(QStringLiteral("RadioGroup27")).last(), QStringLiteral("без ограничения"));
        QCOMPARE(find<QGroupBox>(QStringLiteral("RadioGroup24"))->title(),
                 QStringLiteral("При неисправности"));
        QCOMPARE(find<QCheckBox>(QStringLiteral("CheckBox76"))->text(),
                 QStringLiteral("Сработка  тампера ГБ-5 воспринимается, как неисправность "));
        QCOMPARE(find<QCheckBox>(QStringLiteral("CheckBox87"))->text(),
                 QStringLiteral("Дублировать работу реле СЗУ при неисправности"));
        QCOMPARE(
            h_.window->findChildren<QCheckBox*>(QRegularExpression(QStringLiteral("^CheckBox\\d+$"))).size(),
            17);
        for (int page = 0; page < tabs->count(); ++page) {
            clickTab(QStringLiteral("TabbedNotebook4"), page);
            checkLayout(QStringLiteral("gbZO"));
        }

        clickTab(QStringLiteral("TabbedNotebook4"), 0);
        h_.click(QStringLiteral("CheckBox77"));  // the first tab's tamper boxes write at once
        QCOMPARE(image().byte(0x2BF6), 0x10);
        clickTab(QStringLiteral("TabbedNotebook4"), 2);
        h_.click(QStringLiteral("RadioGroup21_6"));
        QCOMPARE(image().byte(0x2BDC), 120);
        h_.click(QStringLiteral("cbZO9"));
        QCOMPARE(image().byte(0x2BD4), 0x01);
        h_.click(QStringLiteral("CheckBox85"));
        QCOMPARE(image().byte(0x2BDE), 0x00);
        QTest::mouseClick(find<QPushButton>(QStringLiteral("btnSlot5")), Qt::LeftButton);
        QCOMPARE(image().byte(0x2BDE), 0x01);
    }
};

}  // namespace v5

QTEST_MAIN(v5::OutputsWindowTest)
#include "outputs_window_test.moc"
