#include <QApplication>
#include <QGroupBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "image/tables.h"
#include "tests/window/window_harness.h"

namespace v5 {

// The loop, zone, partition and linked-zone panes in the window: names, captions, the user's clicks
// reaching the image, and the layout at the window's real size; the site's own names and data.
class GroupsWindowTest : public QObject {
    Q_OBJECT

private:
    test::WindowHarness h_;

    Image& image() { return h_.desktop().image(); }
    template <class T>
    T* find(const QString& name) {
        return h_.find<T>(name);
    }
    void place(int slot, const QString& name) { h_.place(slot, name); }
    void checkLayout(const QString& pane) {
        auto* box = find<QGroupBox>(pane);
        QVERIFY(box && box->isVisible());
        QApplication::processEvents();  // layouts follow changed captions on the next pass, as on screen
        // V5_SHOT_DIR=folder keeps a picture of each pane for a look at the layout.
        if (qEnvironmentVariableIsSet("V5_SHOT_DIR"))
            h_.window->grab().save(qEnvironmentVariable("V5_SHOT_DIR") + u'/' + pane +
                                   QStringLiteral(".png"));
        const QStringList problems = test::layoutProblems(box);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    }
    void clickRow(const QString& list, int row) {
        auto* view = find<QListWidget>(list);
        QVERIFY(view);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualItemRect(view->item(row)).center());
    }
    QStringList items(const QString& list) {
        QStringList texts;
        auto* view = find<QListWidget>(list);
        for (int row = 0; row < view->count(); ++row)
            texts << view->item(row)->text();
        return texts;
    }
    QByteArray loop(int l) {
        return image().toByteArray().mid(
            static_cast<qsizetype>(map::LoopParams.at(static_cast<std::size_t>(l - 1))), 3);
    }
    bool checked(const QString& name) { return find<QAbstractButton>(name)->isChecked(); }
    // Typing Cyrillic text key by key, as a keyboard does (QTest's own typing knows only ASCII keys).
    static void type(QWidget* field, const QString& text) {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(field, &press);
        }
    }
    bool enabled(const QString& name) { return find<QWidget>(name)->isEnabled(); }

private slots:
    void init() { h_.start(); }
    void cleanup() { h_.stop(); }

    void loopMenuFollowsPlacementAndTheLoopPaneStoresTheUsersChoices() {
        place(2, QStringLiteral("МШС2"));
        place(5, QStringLiteral("МШС6"));
        h_.openMenu(QStringLiteral("mShls"));
        for (int m = 1; m <= 8; ++m)
            QCOMPARE(h_.action(QStringLiteral("mmiShl%1").arg(m))->isEnabled(), m == 2 || m == 6);
        h_.choose(QStringLiteral("mShls"), QStringLiteral("mmiShl2"));
        auto* pane = find<QGroupBox>(QStringLiteral("gbMShl"));
        QVERIFY(pane->isVisible());
        QCOMPARE(pane->title(), QStringLiteral("Параметры шлейфа"));
        QCOMPARE(find<QGroupBox>(QStringLiteral("gbParameter"))->title(), QStringLiteral("МШС2"));
        auto* tabs = find<QTabWidget>(QStringLiteral("tnShl"));
        QCOMPARE(tabs->tabText(0), QStringLiteral("9"));
        QCOMPARE(tabs->tabText(7), QStringLiteral("16"));
        QVERIFY(find<QWidget>(QStringLiteral("p1"))->isVisible());
        QVERIFY(checked(QStringLiteral("rgTS1_1")));  // a module placed on a new image: all zero
        QCOMPARE(find<QAbstractButton>(QStringLiteral("rgVR1_0"))->text(), QStringLiteral("  60  мс"));

        h_.click(QStringLiteral("rgTS1_0"));
        QCOMPARE(find<QGroupBox>(QStringLiteral("rgDS1"))->title(), QStringLiteral("Задержка сигнала"));
        QVERIFY(checked(QStringLiteral("cbK1")) && !enabled(QStringLiteral("cbK1")));
        QVERIFY(checked(QStringLiteral("rgVR1_1")));
        h_.click(QStringLiteral("cbV1"));
        checkLayout(QStringLiteral("gbMShl"));

        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(1).center());
        QCOMPARE(tabs->currentIndex(), 1);
        QCOMPARE(loop(9), QByteArray::fromHex("401a00"));
        QVERIFY(find<QWidget>(QStringLiteral("p1"))->isVisible());
        QVERIFY(checked(QStringLiteral("rgTS1_1")));
        QCOMPARE(find<QGroupBox>(QStringLiteral("rgDS1"))->title(), QStringLiteral("Задержка на вход/выход"));
        checkLayout(QStringLiteral("gbMShl"));

        // The duplicate grid: the loop shown is ticked and fixed; boxes of modules not placed are off.
        QVERIFY(checked(QStringLiteral("s10")) && !enabled(QStringLiteral("s10")));
        QVERIFY(!enabled(QStringLiteral("s17")));
        h_.click(QStringLiteral("rgTS1_2"));
        h_.click(QStringLiteral("s44"));
        h_.click(QStringLiteral("Button1"));
        for (int l : {10, 44})
            QCOMPARE(loop(l), QByteArray::fromHex("002000"));

        // A module placed while the pane shows: its boxes are offered, the loop is shown again.
        place(7, QStringLiteral("МШС3"));
        QVERIFY(pane->isVisible() && enabled(QStringLiteral("s17")));
        QVERIFY(!checked(QStringLiteral("s44")));

        QTest::mouseClick(find<QPushButton>(QStringLiteral("btnSlot5")), Qt::LeftButton);
        QCOMPARE(tabs->tabText(0), QStringLiteral("41"));
        QCOMPARE(tabs->currentIndex(), 0);
    }

    void zonePaneWritesTheZoneOnEveryClick() {
        place(1, QStringLiteral("МШС1"));
        h_.choose(QStringLiteral("mGR"), QStringLiteral("mGRZona"));
        QCOMPARE(find<QGroupBox>(QStringLiteral("gbZona"))->title(), QStringLiteral("Зоны"));
        QCOMPARE(find<QPushButton>(QStringLiteral("Button2"))->text(), QStringLiteral("Создать зону"));
        QCOMPARE(find<QPushButton>(QStringLiteral("Button7"))->text(), QStringLiteral("Удалить зону"));
        h_.click(QStringLiteral("Button2"));
        QCOMPARE(items(QStringLiteral("lbZona")), QStringList{QStringLiteral("1")});
        QCOMPARE(find<QGroupBox>(QStringLiteral("GroupBox43"))->title(),
                 QStringLiteral("Шлейфы, входящие в зону 1"));
        h_.click(QStringLiteral("z3"));
        QCOMPARE(zonaMask(image(), 1), test::loops({3}));
        QVERIFY(!enabled(QStringLiteral("z9")));

        h_.click(QStringLiteral("Button2"));
        QVERIFY(!enabled(QStringLiteral("z3")) && !checked(QStringLiteral("z3")));
        h_.click(QStringLiteral("z4"));
        QCOMPARE(zonaMask(image(), 2), test::loops({4}));
        checkLayout(QStringLiteral("gbZona"));

        clickRow(QStringLiteral("lbZona"), 0);
        QVERIFY(checked(QStringLiteral("z3")));
        h_.click(QStringLiteral("Button7"));
        QCOMPARE(items(QStringLiteral("lbZona")), QStringList{QStringLiteral("2")});
    }

    void partitionPaneStoresTheUnionOfTickedZones() {
        place(1, QStringLiteral("МШС1"));
        place(2, QStringLiteral("МШС3"));
        setZonaMask(image(), 1, test::loops({1, 2}));
        setZonaMask(image(), 3, test::loops({17}));
        h_.choose(QStringLiteral("mGR"), QStringLiteral("mGRRazdel"));
        QCOMPARE(find<QGroupBox>(QStringLiteral("gbRazdel"))->title(), QStringLiteral("Раздел"));
        QCOMPARE(find<QGroupBox>(QStringLiteral("GroupBox42"))->title(),
                 QStringLiteral("Зоны, входящие в раздел"));
        QVERIFY(!enabled(QStringLiteral("q2")));
        h_.click(QStringLiteral("Button10"));
        h_.click(QStringLiteral("q1"));
        h_.click(QStringLiteral("q3"));
        QCOMPARE(image().toByteArray().mid(0x2A46, 8), QByteArray::fromHex("0300010000000000"));
        checkLayout(QStringLiteral("gbRazdel"));
        h_.click(QStringLiteral("Button11"));
        QVERIFY(items(QStringLiteral("lbRazdel")).isEmpty());
    }

    void linkedZonePaneCommitsWhenAnotherZoneIsSelected() {
        for (int m = 1; m <= 4; ++m)
            place(m, QStringLiteral("МШС%1").arg(m));
        setZonaMask(image(), 2, test::loops({9}));
        setZonaMask(image(), 3, test::loops({17}));
        setZonaMask(image(), 4, test::loops({25}));
        h_.choose(QStringLiteral("mGR"), QStringLiteral("mGRSZona"));
        QCOMPARE(find<QGroupBox>(QStringLiteral("gbSS"))->title(), QStringLiteral("Зоны"));
        QCOMPARE(find<QGroupBox>(QStringLiteral("GroupBox52"))->title(), QStringLiteral("Связанные зоны"));
        QVERIFY(!find<QWidget>(QStringLiteral("w1"))->isVisible());
        h_.click(QStringLiteral("w3"));
        h_.click(QStringLiteral("w4"));
        clickRow(QStringLiteral("lbPZona"), 1);
        QCOMPARE(image().toByteArray().mid(0x2B46, 8), QByteArray::fromHex("0001000000000000"));
        QCOMPARE(image().toByteArray().mid(0x2B86, 8), QByteArray::fromHex("0000010100000000"));
        QCOMPARE(items(QStringLiteral("lbPZona")),
                 (QStringList{QStringLiteral("2 проходная"), QStringLiteral("3 связанная"),
                              QStringLiteral("4 связанная")}));
        QVERIFY(!enabled(QStringLiteral("w4")));
        checkLayout(QStringLiteral("gbSS"));
    }

    // A name typed beside a loop stays with that loop through tab changes, shows in the tab's tooltip,
    // makes the work unsaved and is one undo step; a zone's name shows in the list's tooltip.
    void namesTypedInThePanesStayWithTheirObjects() {
        place(1, QStringLiteral("МШС1"));
        h_.choose(QStringLiteral("mShls"), QStringLiteral("mmiShl1"));
        auto* tabs = find<QTabWidget>(QStringLiteral("tnShl"));
        auto* name = find<QLineEdit>(QStringLiteral("edLoopName"));
        QVERIFY(name && name->isEnabled());
        QCOMPARE(name->accessibleName(), QStringLiteral("Название"));
        tabs->setCurrentIndex(2);
        name->setFocus();
        type(name, QStringLiteral("Окна кухни"));
        tabs->setCurrentIndex(3);  // the field follows the tab; nothing typed is lost
        QVERIFY(name->text().isEmpty());
        QCOMPARE(tabs->tabToolTip(2), QStringLiteral("шлейф 3 «Окна кухни»"));
        QVERIFY(h_.window->windowTitle().endsWith(QStringLiteral(" *")));
        tabs->setCurrentIndex(2);
        QCOMPARE(name->text(), QStringLiteral("Окна кухни"));
        QCOMPARE(h_.desktop().names().loops.at(3), QStringLiteral("Окна кухни"));
        QCOMPARE(find<QCheckBox>(QStringLiteral("s3"))->toolTip(), QStringLiteral("шлейф 3 «Окна кухни»"));
        QCOMPARE(h_.desktop().history().undoLabel(), QStringLiteral("название: шлейф 3 «Окна кухни»"));
        h_.choose(QStringLiteral("mnEdit"), QStringLiteral("mnUndo"));
        QVERIFY(h_.desktop().names().loops.empty());
        QVERIFY(name->text().isEmpty());

        // Typing over a selected name replaces it; erasing it to the last letter removes the name.
        name->setFocus();
        type(name, QStringLiteral("Окна"));
        QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
        type(name, QStringLiteral("Дверь"));
        QCOMPARE(h_.desktop().names().loops.at(3), QStringLiteral("Дверь"));
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(name, Qt::Key_Backspace);
        QCOMPARE(h_.desktop().names().loops.at(3), QStringLiteral("Д"));
        QTest::keyClick(name, Qt::Key_Backspace);
        QVERIFY(h_.desktop().names().loops.empty());
        QVERIFY(tabs->tabToolTip(2).isEmpty());

        h_.choose(QStringLiteral("mGR"), QStringLiteral("mGRZona"));
        h_.click(QStringLiteral("Button2"));
        auto* zoneName = find<QLineEdit>(QStringLiteral("edZonaName"));
        QVERIFY(zoneName && zoneName->isEnabled());
        zoneName->setFocus();
        type(zoneName, QStringLiteral("Подъезд, 1"));
        QTest::keyClick(zoneName, Qt::Key_Return);
        auto* zones = find<QListWidget>(QStringLiteral("lbZona"));
        QCOMPARE(zones->item(0)->text(), QStringLiteral("1"));  // the list's own text stays
        QCOMPARE(zones->item(0)->toolTip(), QStringLiteral("зона 1 «Подъезд, 1»"));
        checkLayout(QStringLiteral("gbZona"));
        h_.choose(QStringLiteral("mGR"), QStringLiteral("mGRRazdel"));
        QCOMPARE(find<QCheckBox>(QStringLiteral("q1"))->toolTip(), QStringLiteral("зона 1 «Подъезд, 1»"));
    }

    // "Объект…" takes the site's data as typed, as one step; "Отмена" changes nothing.
    void siteDataIsEditedInItsDialog() {
        const auto answer = [](bool accept) {
            QTimer::singleShot(0, [accept] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog && dialog->objectName() == QStringLiteral("SiteDataDialog"));
                dialog->findChild<QLineEdit*>(QStringLiteral("edSiteName"))->setText(QStringLiteral("Склад №2"));
                dialog->findChild<QPlainTextEdit*>(QStringLiteral("edSiteNotes"))
                    ->setPlainText(QStringLiteral("ключ от щитовой у охраны\nвторая строка"));
                accept ? dialog->accept() : dialog->reject();
            });
        };
        answer(false);
        h_.choose(QStringLiteral("mnEEPROM"), QStringLiteral("mnSiteData"));
        QVERIFY(h_.desktop().names().isEmpty());
        answer(true);
        h_.choose(QStringLiteral("mnEEPROM"), QStringLiteral("mnSiteData"));
        QCOMPARE(h_.desktop().names().site.name, QStringLiteral("Склад №2"));
        QCOMPARE(h_.desktop().names().site.notes, QStringLiteral("ключ от щитовой у охраны\nвторая строка"));
        QCOMPARE(h_.desktop().history().undoLabel(), QStringLiteral("данные объекта"));
        QVERIFY(h_.window->windowTitle().endsWith(QStringLiteral(" *")));
    }
};

}  // namespace v5

QTEST_MAIN(v5::GroupsWindowTest)
#include "groups_window_test.moc"
