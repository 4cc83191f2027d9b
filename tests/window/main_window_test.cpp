#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QTimer>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/window/window_harness.h"
#include "window/pane_view.h"
#include "window/pane_views.h"

namespace v5 {

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    test::WindowHarness h_;

    TV5ivezMainForm& window() { return *h_.window; }
    template <class T>
    T* find(const QString& name) {
        return h_.find<T>(name);
    }
    QAction* action(const QString& name) { return h_.action(name); }
    QMenu* menu(const QString& name) { return h_.menu(name); }
    void tick(const QString& name) { h_.click(name); }
    void openMenu(const QString& name) { h_.openMenu(name); }

private slots:
    void init() { h_.start(); }
    void cleanup() { h_.stop(); }

    void startsBlankWithCompleteMenu() {
        QCOMPARE(window().windowTitle(), QStringLiteral("Файл не выбран"));
        QCOMPARE(find<QWidget>(QStringLiteral("client"))->size(), QSize(790, 535));
        for (int s = 1; s <= 20; ++s) {
            auto* button = find<QPushButton>(QStringLiteral("btnSlot%1").arg(s));
            QVERIFY(button);
            QCOMPARE(button->text(), QString::number(s));
        }
        QMenuBar* bar = find<QMenuBar>(QStringLiteral("MainMenu2"));
        QVERIFY(bar);
        QStringList top;
        // The captions as shown, without the marks of their Alt letters.
        for (QAction* a : bar->actions())
            top << QString(a->text()).remove(QLatin1Char('&'));
        QCOMPARE(top,
                 (QStringList{QStringLiteral("Код доступа"), QStringLiteral("COM-порт"),
                              QStringLiteral("Файл настроек"), QStringLiteral("Правка"), QStringLiteral("МШС"), QStringLiteral("МР"),
                              QStringLiteral("МД(В)"), QStringLiteral("МС"), QStringLiteral("ЗО"),
                              QStringLiteral("Внешнние модули"), QStringLiteral("Группы ШС"),
                              QStringLiteral("Ключи"), QStringLiteral("Архив"),
                              QStringLiteral("Журнал событий"), QStringLiteral("Отчет"),
                              QStringLiteral("Карточка объекта…"), QStringLiteral("Выход")}));
        QStringList file;
        for (QAction* a : menu(QStringLiteral("mnEEPROM"))->actions())
            file << a->objectName();
        QCOMPARE(file, (QStringList{QStringLiteral("mnLoad"), QStringLiteral("mnSave"),
                                    QStringLiteral("ReadFromV5"), QStringLiteral("WriteToV5"),
                                    QStringLiteral("mnRead"), QStringLiteral("mnWrite"), QString(),
                                    QStringLiteral("mnCompareFile"), QStringLiteral("mnCompareDevice"),
                                    QStringLiteral("mnRestoreBackup"), QString(), QStringLiteral("mnSiteData")}));
        QCOMPARE(action(QStringLiteral("mnLoad"))->text(), QStringLiteral("Прочитать с  диска"));
        QCOMPARE(menu(QStringLiteral("mUD"))->actions().size(), 12);
        QCOMPARE(action(QStringLiteral("mmiUDV4"))->text(), QStringLiteral("МДВ4"));
        QCOMPARE(menu(QStringLiteral("mRele"))->actions().size(), 16);
        QVERIFY(action(QStringLiteral("COM_1"))->isChecked());
        QCOMPARE(test::readAll(h_.dir->filePath(QStringLiteral("V5ivez.ini"))), QByteArray("1"));
        QCOMPARE(find<QGroupBox>(QStringLiteral("gbParameter"))->title(), QStringLiteral("Параметры"));
    }

    void rightClickPlacesAModuleThroughTheSlotMenu() {
        auto* button = find<QPushButton>(QStringLiteral("btnSlot3"));
        emit button->customContextMenuRequested(QPoint(2, 2));
        QMenu* popup = menu(QStringLiteral("pmSlots"));
        QTRY_VERIFY(popup->isVisible());
        QStringList groups;
        for (QAction* a : popup->actions())
            groups << a->text();
        QCOMPARE(groups,
                 (QStringList{QStringLiteral("Модуль шлейфов сигнализации (МШС)"),
                              QStringLiteral("Модуль реле (МР) "), QStringLiteral("Модуль доступа (МД)"),
                              QStringLiteral("Модуль связи (МС)"), QStringLiteral("Удалить")}));
        action(QStringLiteral("miShl2"))->trigger();
        popup->hide();
        QCOMPARE(button->text(), QStringLiteral("МШС2"));
        QCOMPARE(window().desktop().image().byte(0x22D2), 3);
        QCOMPARE(window().desktop().image().byte(0x22D3), 1);

        emit find<QPushButton>(QStringLiteral("btnSlot5"))->customContextMenuRequested(QPoint(2, 2));
        QVERIFY(!action(QStringLiteral("miShl2"))->isEnabled());
        QVERIFY(action(QStringLiteral("miShl1"))->isEnabled());
        action(QStringLiteral("N28"))->trigger();
        popup->hide();
        QCOMPARE(find<QPushButton>(QStringLiteral("btnSlot5"))->text(), QStringLiteral("5"));

        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(find<QGroupBox>(QStringLiteral("gbParameter"))->title(), QStringLiteral("МШС2"));
    }

    // Models and views come from one table: each pane the desktop holds has one view, shown with it
    // and named like it (the option boxes lie under every pane).
    void everyPaneShowsExactlyItsOwnView() {
        Desktop& d = h_.desktop();
        QCOMPARE(paneViews().size(), d.allPanes().size());
        auto* area = find<QGroupBox>(QStringLiteral("gbParameter"));
        for (const Pane* pane : d.allPanes()) {
            h_.showOnly(*pane);
            QStringList shown;
            for (const PaneViewEntry& entry : paneViews())
                if (entry.isShown(d)) {
                    const std::unique_ptr<PaneView> view(entry.create(d, area));
                    QVERIFY(view);
                    if (view->objectName() != QStringLiteral("pnlOptions")) shown << view->objectName();
                }
            if (pane->objectName() != area->objectName()) QCOMPARE(shown, QStringList{pane->objectName()});
        }
        d.ClearDesktop();
    }

    void accessCodeTypedIsCommittedByOpeningAMenu() {
        action(QStringLiteral("mmKodDostupa"))->trigger();
        auto* edit = find<QLineEdit>(QStringLiteral("Ttemp_meKD"));
        QVERIFY(edit);
        QVERIFY(find<QGroupBox>(QStringLiteral("Ttemp_gbKD")));
        QCOMPARE(edit->text(), QStringLiteral("0000"));
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("2580"));
        openMenu(QStringLiteral("mnEEPROM"));
        QCOMPARE(window().desktop().image().wordLE(0x2CF9), 0x2580);
        QTRY_VERIFY(!window().findChild<QGroupBox*>(QStringLiteral("Ttemp_gbKD")));

        action(QStringLiteral("mmKodDostupa"))->trigger();
        QCOMPARE(find<QLineEdit>(QStringLiteral("Ttemp_meKD"))->text(), QStringLiteral("2580"));
    }

    void accessCodeBoxKeepsTheOldCodeForAPartialOneAndShowsAnUntypableOne() {
        Image& image = window().desktop().image();
        image.setWordLE(0x2CF9, 0x1357);
        action(QStringLiteral("mmKodDostupa"))->trigger();
        auto* edit = find<QLineEdit>(QStringLiteral("Ttemp_meKD"));
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("24x"));  // "x" is no digit
        QCOMPARE(edit->text(), QStringLiteral("24"));
        openMenu(QStringLiteral("mnEEPROM"));
        QCOMPARE(image.wordLE(0x2CF9), 0x1357);
        QCOMPARE(h_.prompts.messages.size(), 1);
        QVERIFY2(h_.prompts.messages.front().contains(QStringLiteral("«24»")) &&
                     h_.prompts.messages.front().contains(QStringLiteral("1357")),
                 qPrintable(h_.prompts.messages.front()));

        // A code from a file that the digits cannot make is shown as it is and kept when left alone.
        image.setWordLE(0x2CF9, 0xAB12);
        action(QStringLiteral("mmKodDostupa"))->trigger();
        edit = find<QLineEdit>(QStringLiteral("Ttemp_meKD"));
        QCOMPARE(edit->text(), QStringLiteral("ab12"));
        QVERIFY(!find<QGroupBox>(QStringLiteral("Ttemp_gbKD"))->toolTip().isEmpty());
        openMenu(QStringLiteral("mnEEPROM"));
        QCOMPARE(image.wordLE(0x2CF9), 0xAB12);
        QCOMPARE(h_.prompts.messages.size(), 1);
    }

    void externalModuleTickWritesItsBitAtOnce() {
        action(QStringLiteral("mExt"))->trigger();
        auto* pane = find<QGroupBox>(QStringLiteral("gbExt"));
        QVERIFY(pane->isVisible());
        if (qEnvironmentVariableIsSet("V5_SHOT")) h_.window->grab().save(qEnvironmentVariable("V5_SHOT"));
        tick(QStringLiteral("cbMK2"));
        QCOMPARE(window().desktop().image().byte(0x2BF8), 0x02);
        tick(QStringLiteral("cbAvtovziatie"));
        QCOMPARE(window().desktop().image().byte(0x2BC6), 0x01);
        QTest::mouseClick(find<QPushButton>(QStringLiteral("btnSlot1")), Qt::LeftButton);
        QVERIFY(!pane->isVisible());
    }

    void loadShowsOptionsAndPathSaveWritesTheSameBytes() {
        QByteArray bytes(32768, '\0');
        bytes[0x2BC6] = 0x05;
        bytes[0x22CE] = 2;  // МР4 in slot 1
        bytes[0x22CF] = 3;
        const QString in = h_.dir->filePath(QStringLiteral("in.v5"));
        QVERIFY(test::writeAll(in, bytes));
        h_.prompts.openAnswers.push_back(in);
        openMenu(QStringLiteral("mnEEPROM"));
        action(QStringLiteral("mnLoad"))->trigger();
        QCOMPARE(window().windowTitle(), QFileInfo(in).absoluteFilePath());
        QVERIFY(find<QCheckBox>(QStringLiteral("cbAvtovziatie"))->isChecked());
        QVERIFY(!find<QCheckBox>(QStringLiteral("cbDisableProg"))->isChecked());
        QVERIFY(find<QCheckBox>(QStringLiteral("cbDisableAC"))->isChecked());
        QCOMPARE(find<QPushButton>(QStringLiteral("btnSlot1"))->text(), QStringLiteral("МР4"));

        const QString out = h_.dir->filePath(QStringLiteral("out.v5"));
        h_.prompts.saveAnswers.push_back(out);
        action(QStringLiteral("mnSave"))->trigger();
        QCOMPARE(window().windowTitle(), QFileInfo(out).absoluteFilePath());
        QCOMPARE(test::readAll(out), window().desktop().image().toByteArray());
        QVERIFY(h_.prompts.messages.isEmpty());
    }

    void reportAndArchiveAreWrittenInTheWorkFolderAndOpened() {
        action(QStringLiteral("mmKodDostupa"))->trigger();
        find<QLineEdit>(QStringLiteral("Ttemp_meKD"))->selectAll();
        QTest::keyClicks(find<QLineEdit>(QStringLiteral("Ttemp_meKD")), QStringLiteral("1111"));
        action(QStringLiteral("mR"))->trigger();
        // The report's own pane reset stored the code and closed the box.
        QCOMPARE(window().desktop().image().wordLE(0x2CF9), 0x1111);
        QVERIFY(!window().findChild<QGroupBox*>(QStringLiteral("Ttemp_gbKD")));
        const QString report = h_.dir->filePath(QStringLiteral("report.txt"));
        QCOMPARE(h_.viewer.opened, QStringList{report});
        QStringEncoder cp1251("windows-1251");
        const QByteArray firstLine = cp1251.encode(QStringLiteral(" Ключей   нет\r\n"));
        QVERIFY(test::readAll(report).startsWith(firstLine));

        action(QStringLiteral("mArj"))->trigger();
        QCOMPARE(h_.viewer.opened.size(), 2);
        QCOMPARE(h_.viewer.opened.last(), h_.dir->filePath(QStringLiteral("arj.txt")));
        QVERIFY(QFileInfo::exists(h_.dir->filePath(QStringLiteral("arj.txt"))));
    }

    void acknowledgeWhenDone(QString* message) { test::acknowledgeWhenDone(h_.window, message); }

    void chipReadReplacesTheImageAndRebuildsTheSlots() {
        QByteArray chip = test::patternBytes(32768, 3);
        chip.replace(0x22CE, 40, QByteArray(40, '\0'));
        chip[0x22D0] = 3;  // МШС5 in slot 2
        chip[0x22D1] = 4;
        chip[0x2CF9] = 0x66;  // a device read does not check the access code
        h_.module->onCommand['R'] = [&] { h_.port->arrive(chip + QByteArray(4, '\0')); };
        QString message;
        acknowledgeWhenDone(&message);
        openMenu(QStringLiteral("mnEEPROM"));
        action(QStringLiteral("mnRead"))->trigger();
        QCOMPARE(message, QStringLiteral("чтение 24c256 - успешно"));
        QCOMPARE(find<QPushButton>(QStringLiteral("btnSlot2"))->text(), QStringLiteral("МШС5"));
        QCOMPARE(window().desktop().image().byte(0x2CF9), 0x66);
        QCOMPARE(window().desktop().image().toByteArray().mid(0x3000), chip.mid(0x3000));
        QCOMPARE(window().windowTitle(), QStringLiteral("Файл не выбран"));
        QCOMPARE(h_.port->openedName, QStringLiteral("COM1"));
    }

    void failedPanelReadLeavesTheImageAlone() {
        window().desktop().image().setByte(0x100, 0x42);
        const Image before = window().desktop().image();
        h_.module->wakeReply = 0x70;
        QString message;
        acknowledgeWhenDone(&message);
        action(QStringLiteral("ReadFromV5"))->trigger();
        QCOMPARE(message, QStringLiteral("УП - 5 не подключен "));
        QVERIFY(window().desktop().image() == before);
    }

    void panelWriteSendsTheConfigurationArea() {
        window().desktop().image().fill(0, 0x3000, 0x5A);
        window().desktop().image().fill(0x3000, 0x5000, 0xA5);
        // Not a configuration the check likes; the user writes it anyway.
        h_.safety.writeAnyway = true;
        QByteArray panel(0x8000, '\0');
        h_.module->onCommand['Q'] = [&] { h_.port->arrive(panel); };
        h_.module->onCommand['E'] = [&] { h_.port->arrive("1"); };
        h_.module->onData = [&](const QByteArray&) {
            if (h_.module->data().size() == 0x3000) panel.replace(0, 0x3000, h_.module->data());
        };
        QString message;
        acknowledgeWhenDone(&message);
        action(QStringLiteral("WriteToV5"))->trigger();
        QCOMPARE(h_.safety.questions.size(), std::size_t{1});
        QVERIFY(message.startsWith(QStringLiteral("запись прошивки Вистан-5 - успешно\n")));
        QVERIFY(message.endsWith(QStringLiteral("\nпроверка записи - успешно")));
        QCOMPARE(panel.left(0x3000), QByteArray(0x3000, 0x5A));
    }

    void systemPortIsOfferedAndRemembered() {
        openMenu(QStringLiteral("ComSelect"));
        QAction* usb = action(QStringLiteral("port_ttyUSB0"));
        QVERIFY(usb);
        usb->trigger();
        QVERIFY(usb->isChecked());
        QVERIFY(!action(QStringLiteral("COM_1"))->isChecked());
        QCOMPARE(window().desktop().portName(), QStringLiteral("ttyUSB0"));
        QCOMPARE(test::readAll(h_.dir->filePath(QStringLiteral("V5ivez.ini"))), QByteArray("ttyUSB0"));
        action(QStringLiteral("COM_4"))->trigger();
        QVERIFY(!usb->isChecked());
        QVERIFY(action(QStringLiteral("COM_4"))->isChecked());
    }
};

}  // namespace v5

QTEST_MAIN(v5::MainWindowTest)
#include "main_window_test.moc"
