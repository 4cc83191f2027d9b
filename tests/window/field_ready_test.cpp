// The window as an installer meets it on a plant-room laptop: nothing disturbs a transfer, nothing is
// lost on exit, everything is reachable from the keyboard, and the window tears down cleanly.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QTimer>
#include <QtTest>

#include "panes/install_panes.h"
#include "window/pane_view.h"
#include "tests/window/window_harness.h"

namespace v5 {

class FieldReadyTest : public QObject {
    Q_OBJECT

private:
    test::WindowHarness h_;

    Desktop& desktop() { return h_.desktop(); }
    template <class T>
    T* find(const QString& name) {
        return h_.find<T>(name);
    }
    QPushButton* slot(int s) { return find<QPushButton>(QStringLiteral("btnSlot%1").arg(s)); }
    QWidget* focused() {
        return QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                                 : QApplication::focusWidget();
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(focused() ? focused() : h_.window.data(), k, modifiers);
    }

    // A panel write whose module is ready, with `during` run from the transfer's own event processing
    // once three blocks are through, as a user's click would be.
    QString writePanelWhile(std::function<void()> during) {
        // The panel as the write's backup finds it and as its check reads it back.
        auto panel = std::make_shared<QByteArray>(32768, '\0');
        h_.module->onCommand['Q'] = [this, panel] { h_.port->arrive(*panel); };
        h_.module->onCommand['E'] = [this] { h_.port->arrive("1"); };
        h_.module->onData = [this, during, panel](const QByteArray&) {
            if (h_.module->data().size() == 3 * 64) QTimer::singleShot(0, h_.window, during);
            if (h_.module->data().size() == 12288) panel->replace(0, 12288, h_.module->data());
        };
        QString message;
        test::acknowledgeWhenDone(h_.window, &message);
        h_.action(QStringLiteral("WriteToV5"))->trigger();
        return message;
    }
    bool tryWait(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, 2000); }

private slots:
    void init() { h_.start(); }
    void cleanup() {
        h_.stop();
        h_.portFile.clear();
    }

    // --- Nothing disturbs a running transfer ---

    void everyCommandIsRefusedWhileATransferRuns() {
        h_.openMenu(QStringLiteral("ComSelect"));  // the system's ports are listed once the menu has opened
        h_.action(QStringLiteral("mExt"))->trigger();
        QVERIFY(find<QGroupBox>(QStringLiteral("gbExt"))->isVisible());
        const QString elsewhere = h_.dir->filePath(QStringLiteral("other.v5"));
        QVERIFY(test::writeAll(elsewhere, QByteArray(32768, '\0')));
        h_.prompts.openAnswers.push_back(elsewhere);
        h_.prompts.saveAnswers.push_back(elsewhere);
        const Image before = desktop().image();
        const QStringList filesBefore = QDir(h_.dir->path()).entryList(QDir::Files);
        const QByteArray portFile = test::readAll(h_.dir->filePath(QStringLiteral("V5ivez.ini")));

        const struct {
            const char* what;
            std::function<void()> attempt;
        } attempts[] = {
            {"read a file", [&] { h_.choose(QStringLiteral("mnEEPROM"), QStringLiteral("mnLoad")); }},
            {"write a file", [&] { h_.action(QStringLiteral("mnSave"))->trigger(); }},
            {"Ctrl+O", [&] { QTest::keyClick(h_.window, Qt::Key_O, Qt::ControlModifier); }},
            {"Ctrl+S", [&] { QTest::keyClick(h_.window, Qt::Key_S, Qt::ControlModifier); }},
            {"open the port menu", [&] { h_.openMenu(QStringLiteral("ComSelect")); }},
            {"choose COM3", [&] { h_.action(QStringLiteral("COM_3"))->trigger(); }},
            {"choose a USB port", [&] { h_.action(QStringLiteral("port_ttyUSB0"))->trigger(); }},
            {"a second transfer", [&] { h_.action(QStringLiteral("mnRead"))->trigger(); }},
            {"the access code", [&] { h_.action(QStringLiteral("mmKodDostupa"))->trigger(); }},
            {"a pane command", [&] { h_.action(QStringLiteral("mExt"))->trigger(); }},
            {"a key command", [&] { h_.action(QStringLiteral("keyAdd"))->trigger(); }},
            {"the console copy", [&] { h_.action(QStringLiteral("N16"))->trigger(); }},
            {"a module item", [&] { h_.action(QStringLiteral("mmiShl1"))->trigger(); }},
            {"click a slot", [&] { QTest::mouseClick(slot(1), Qt::LeftButton); }},
            {"the slot pop-up", [&] { emit slot(2)->customContextMenuRequested(QPoint(2, 2)); }},
            {"Shift+F10 on a slot", [&] { QTest::keyClick(slot(2), Qt::Key_F10, Qt::ShiftModifier); }},
            {"a pane's box",
             [&] { QTest::mouseClick(find<QCheckBox>(QStringLiteral("cbMK2")), Qt::LeftButton); }},
            {"an option box",
             [&] { QTest::mouseClick(find<QCheckBox>(QStringLiteral("cbAvtovziatie")), Qt::LeftButton); }},
            {"the report", [&] { h_.action(QStringLiteral("mR"))->trigger(); }},
            {"the archive", [&] { h_.action(QStringLiteral("mArj"))->trigger(); }},
            {"exit", [&] { h_.action(QStringLiteral("mnExit"))->trigger(); }},
            {"F10", [&] { QTest::keyClick(h_.window, Qt::Key_F10); }},
        };
        QStringList disturbed;
        bool locked = false;
        const QString message = writePanelWhile([&] {
            locked = !h_.window->menuBar()->isEnabled() && !h_.window->centralWidget()->isEnabled() &&
                     h_.window->findChild<QPushButton*>(QStringLiteral("Button1"))->isEnabled();
            for (const auto& a : attempts) {
                a.attempt();
                if (!(desktop().image() == before) || !desktop().isPaneVisible(QStringLiteral("gbExt")) ||
                    h_.prompts.openAnswers.size() != 1 || h_.prompts.saveAnswers.size() != 1 ||
                    desktop().portName() != QStringLiteral("COM1") ||
                    h_.menu(QStringLiteral("pmSlots"))->isVisible() || QApplication::activeModalWidget() ||
                    !h_.window->isVisible() || h_.window->menuBar()->hasFocus())
                    disturbed << QString::fromLatin1(a.what);
            }
        });
        // The backup before the write and the check after it are part of the same command.
        QVERIFY2(message.startsWith(QStringLiteral("запись прошивки Вистан-5 - успешно\n")),
                 qPrintable(message));
        QVERIFY(message.endsWith(QStringLiteral("\nпроверка записи - успешно")));
        QVERIFY(locked);
        QCOMPARE(disturbed, QStringList());
        QCOMPARE(h_.port->count(test::FakePort::Op::Open), 3);
        QCOMPARE(QDir(h_.dir->path()).entryList(QDir::Files), filesBefore);
        QCOMPARE(test::readAll(h_.dir->filePath(QStringLiteral("V5ivez.ini"))), portFile);
        QVERIFY(h_.viewer.opened.isEmpty());
        // Usable again once the transfer is over.
        QVERIFY(h_.window->menuBar()->isEnabled());
        QVERIFY(h_.window->centralWidget()->isEnabled());
        h_.choose(QStringLiteral("mnEEPROM"), QStringLiteral("mnLoad"));
        QVERIFY(h_.prompts.openAnswers.empty());
    }

    void closingDuringATransferCancelsItFirstThenAsksAboutEdits() {
        h_.click(QStringLiteral("cbAvtovziatie"));
        bool portClosedAtOnce = false;
        writePanelWhile([&] {
            h_.window->close();
            portClosedAtOnce = !h_.port->IsOpen();
        });
        QTRY_VERIFY(!h_.window);
        QVERIFY(portClosedAtOnce);
        QVERIFY(h_.module->data().size() < 12288);
        QCOMPARE(h_.prompts.questions, QStringList{QStringLiteral("Сохранить изменения?")});
    }

    // --- No silent loss on exit (the desktop's rule is tested headless; here the window's wiring) ---

    void exitAsksAfterEditsAndCancelKeepsTheWindow() {
        h_.click(QStringLiteral("cbAvtovziatie"));
        h_.prompts.saveQuestionAnswers = {SaveAnswer::Cancel, SaveAnswer::Save};
        h_.window->close();
        QVERIFY(h_.window && h_.window->isVisible());
        const QString out = h_.dir->filePath(QStringLiteral("kept.v5"));
        h_.prompts.saveAnswers.push_back(out);
        h_.action(QStringLiteral("mnExit"))->trigger();
        QTRY_VERIFY(!h_.window);
        QCOMPARE(h_.prompts.questions.size(), 2);
        QCOMPARE(test::readAll(out).at(0x2BC6), char(1));
    }

    // --- Views go before their models ---

    void closeWithEachPane_data() {
        QTest::addColumn<QString>("pane");
        test::ScriptedPrompts prompts;
        QTemporaryDir dir;
        Desktop all(prompts, dir.path());
        installPanes(all);
        for (const Pane* pane : all.allPanes())
            QTest::newRow(qPrintable(pane->objectName())) << pane->objectName();
    }
    void closeWithEachPane() {
        QFETCH(QString, pane);
        if (pane == desktop().accessCodeBox().objectName())
            h_.action(QStringLiteral("mmKodDostupa"))->trigger();
        else
            desktop().showPane(pane);
        h_.window->render();
        const QList<QGroupBox*> views = h_.window->findChildren<QGroupBox*>(pane);
        if (views.isEmpty()) QSKIP("the pane has no view in the window");
        // Any view that still reads its model while it goes (a focus-out, a last signal) finds it there.
        Desktop* models = &desktop();
        for (QWidget* control : views.first()->findChildren<QWidget*>())
            if (control->focusPolicy() != Qt::NoFocus) {
                control->setFocus();
                break;
            }
        int checked = 0;
        QSet<QObject*> all{views.first()};
        for (PaneView* view : h_.window->findChildren<PaneView*>())
            all << view;
        for (QObject* view : std::as_const(all))
            connect(view, &QObject::destroyed,
                    [models, &checked] { checked += models->allPanes().empty() ? 0 : 1; });
        h_.stop();
        QVERIFY(checked > 0);
    }

    // --- The keyboard reaches every command ---

    void f10OrAltEntersTheMenuBarAndTheArrowsVisitEveryItem_data() {
        QTest::addColumn<int>("entry");
        QTest::newRow("F10") << int(Qt::Key_F10);
        QTest::newRow("Alt") << int(Qt::Key_Alt);
    }
    void f10OrAltEntersTheMenuBarAndTheArrowsVisitEveryItem() {
        QFETCH(int, entry);
        slot(4)->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), slot(4));
        key(Qt::Key(entry));
        QMenuBar* bar = h_.window->menuBar();
        QTRY_VERIFY(bar->hasFocus());
        QStringList visited;
        QStringList all;
        for (QAction* item : bar->actions())
            if (item->isEnabled()) all << item->objectName();
        for (qsizetype i = 0; i < all.size(); ++i) {
            visited << bar->activeAction()->objectName();
            if (QMenu* menu = bar->activeAction()->menu()) {
                key(Qt::Key_Down);
                QVERIFY2(tryWait([&] { return QApplication::activePopupWidget() == menu; }),
                         qPrintable(menu->objectName()));
                key(Qt::Key_Escape);
            }
            key(Qt::Key_Right);
        }
        QCOMPARE(visited, all);
        key(Qt::Key_Escape);
        QTRY_VERIFY(!bar->activeAction());
        QTRY_COMPARE(h_.window->focusWidget(), slot(4));
    }

    void arrowsAndEnterRunAFileCommandAfterItsMenusPaneReset() {
        // The access code typed and not yet committed: the file menu's reset stores it before the save.
        h_.action(QStringLiteral("mmKodDostupa"))->trigger();
        QTest::keyClicks(find<QLineEdit>(QStringLiteral("Ttemp_meKD")), QStringLiteral("7319"));
        const QString out = h_.dir->filePath(QStringLiteral("by-keys.v5"));
        h_.prompts.saveAnswers.push_back(out);
        key(Qt::Key_F10);
        key(Qt::Key_Right);
        key(Qt::Key_Right);
        key(Qt::Key_Down);  // "Файл настроек" opens: the pane reset
        QMenu* file = h_.menu(QStringLiteral("mnEEPROM"));
        QTRY_VERIFY(QApplication::activePopupWidget() == file);
        for (int i = 0; i < 6 && (!file->activeAction() ||
                                  file->activeAction()->objectName() != QStringLiteral("mnSave"));
             ++i)
            key(Qt::Key_Down);
        QCOMPARE(file->activeAction()->objectName(), QStringLiteral("mnSave"));
        key(Qt::Key_Return);
        QTRY_VERIFY(h_.prompts.saveAnswers.empty());
        QCOMPARE(test::readAll(out).mid(0x2CF9, 2), QByteArray("\x19\x73"));
        QTRY_VERIFY(!h_.window->menuBar()->hasFocus());
    }

    void shortcutsRunTheSamePaneResetAsTheMenu() {
        h_.action(QStringLiteral("mmKodDostupa"))->trigger();
        QTest::keyClicks(find<QLineEdit>(QStringLiteral("Ttemp_meKD")), QStringLiteral("2468"));
        const QString out = h_.dir->filePath(QStringLiteral("ctrl-s.v5"));
        h_.prompts.saveAnswers.push_back(out);
        QTest::keyClick(h_.window, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(h_.prompts.saveAnswers.empty());
        QCOMPARE(test::readAll(out).mid(0x2CF9, 2), QByteArray("\x68\x24"));
        QVERIFY(!desktop().accessCodeBox().isOpen());

        h_.prompts.openAnswers.push_back(out);
        QTest::keyClick(h_.window, Qt::Key_O, Qt::ControlModifier);
        QVERIFY(h_.prompts.openAnswers.empty());
        QCOMPARE(h_.window->windowTitle(), QFileInfo(out).absoluteFilePath());
    }

    void accessCodeBoxSelectsItsDigitsSoTypingReplacesThem() {
        h_.action(QStringLiteral("mmKodDostupa"))->trigger();
        auto* edit = find<QLineEdit>(QStringLiteral("Ttemp_meKD"));
        QTRY_COMPARE(QApplication::focusWidget(), edit);
        QCOMPARE(edit->selectedText(), QStringLiteral("0000"));
        // All four digits in sight, the widest ones too.
        QStyleOptionFrame option;
        option.initFrom(edit);
        option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
        const int room = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit).width();
        QVERIFY(edit->fontMetrics().horizontalAdvance(QStringLiteral("8888")) < room);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1234"));
        QCOMPARE(edit->text(), QStringLiteral("1234"));
        h_.openMenu(QStringLiteral("mnEEPROM"));
        QCOMPARE(desktop().image().wordLE(map::AccessCode.offset), 0x1234);
    }

    void keyboardOpensASlotsMenuAndPlacesAModule() {
        slot(6)->setFocus();
        QTest::keyClick(slot(6), Qt::Key_F10, Qt::ShiftModifier);
        QMenu* popup = h_.menu(QStringLiteral("pmSlots"));
        QTRY_VERIFY(QApplication::activePopupWidget() == popup);
        key(Qt::Key_Down);   // "Модуль шлейфов сигнализации (МШС)"
        key(Qt::Key_Right);  // its items
        QTRY_VERIFY(QApplication::activePopupWidget() != popup);
        key(Qt::Key_Return);  // МШС1
        QTRY_COMPARE(slot(6)->text(), QStringLiteral("МШС1"));
        QTRY_VERIFY(!QApplication::activePopupWidget());
    }

    // --- Small things a new user tripped over ---

    void aPortFromThePortFileStaysOfferedAfterAnotherIsChosen() {
        h_.stop();
        h_.portFile = "/dev/pts/77";
        h_.start();
        QCOMPARE(desktop().portName(), QStringLiteral("/dev/pts/77"));
        h_.choose(QStringLiteral("ComSelect"), QStringLiteral("COM_2"));
        h_.openMenu(QStringLiteral("ComSelect"));
        QAction* remembered = h_.action(QStringLiteral("port_/dev/pts/77"));
        QVERIFY(remembered);
        QVERIFY(!remembered->isChecked());
        remembered->trigger();
        QCOMPARE(desktop().portName(), QStringLiteral("/dev/pts/77"));
    }

    void slotCaptionsFitTheirButtonsWithTheNameInATooltip() {
        QByteArray odd(32768, '\0');
        odd[0x22CE] = 3;  // МШС10: a module number the panel does not have
        odd[0x22CF] = 9;
        odd[0x22D0] = 2;  // МР16
        odd[0x22D1] = 15;
        const QString file = h_.dir->filePath(QStringLiteral("odd.v5"));
        QVERIFY(test::writeAll(file, odd));
        h_.prompts.openAnswers.push_back(file);
        h_.choose(QStringLiteral("mnEEPROM"), QStringLiteral("mnLoad"));
        for (const auto& [s, name] :
             {std::pair{1, QStringLiteral("МШС10")}, std::pair{2, QStringLiteral("МР16")}}) {
            QPushButton* button = slot(s);
            QCOMPARE(button->text(), name);
            QCOMPARE(button->toolTip().section(QLatin1Char('\n'), 0, 0), name);
            QStyleOptionButton option;
            option.initFrom(button);
            const int room =
                button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
            QVERIFY2(button->fontMetrics().horizontalAdvance(name) <= room, qPrintable(name));
        }
        // An empty slot has no name to repeat: its tooltip is only the way to place a module.
        QVERIFY(!slot(3)->toolTip().contains(QLatin1Char('\n')));
    }

    void withoutATextEditorTheUserIsToldWhereTheFileWent() {
        h_.viewer.opens = false;
        h_.action(QStringLiteral("mR"))->trigger();
        h_.action(QStringLiteral("mArj"))->trigger();
        QCOMPARE(h_.prompts.notices,
                 (QStringList{QStringLiteral("Не удалось открыть текстовый редактор. Файл записан: ") +
                                  h_.dir->filePath(QStringLiteral("report.txt")),
                              QStringLiteral("Не удалось открыть текстовый редактор. Файл записан: ") +
                                  h_.dir->filePath(QStringLiteral("arj.txt"))}));
        QVERIFY(h_.prompts.messages.isEmpty());
    }

    void theWindowStartsInTheMiddleOfTheScreen() {
        const QPoint middle = h_.window->screen()->availableGeometry().center();
        QVERIFY((h_.window->frameGeometry().center() - middle).manhattanLength() <= 2);
    }
};

}  // namespace v5

QTEST_MAIN(v5::FieldReadyTest)
#include "field_ready_test.moc"
