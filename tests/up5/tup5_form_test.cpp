#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "window/up5/device_commands.h"
#include "tests/support/fake_module.h"
#include "tests/support/fake_port.h"
#include "window/up5/tup5_form.h"
#include "link/up5.h"
#include "link/up5_texts.h"
#include "tests/support/virtual_clock.h"

namespace v5 {

class TUP5FormTest : public QObject {
    Q_OBJECT

private:
    test::VirtualClock* clock = nullptr;
    test::FakePort* port = nullptr;
    std::unique_ptr<test::FakeModule> module;
    std::unique_ptr<DeviceCommands> commands;

    TUP5Form& form() { return commands->form(); }
    QPushButton* button() { return form().findChild<QPushButton*>(QStringLiteral("Button1")); }
    QLabel* label() { return form().findChild<QLabel*>(QStringLiteral("Label1")); }
    QProgressBar* bar() { return form().findChild<QProgressBar*>(QStringLiteral("ProgressBar1")); }

    // Runs `check` once while a final message waits, then presses the button. The form's wait processes
    // events, so a polling timer gets its turn there.
    void whenMessageWaits(std::function<void()> check) {
        auto* timer = new QTimer(&form());
        connect(timer, &QTimer::timeout, timer, [this, timer, check] {
            if (button()->text() != up5::OkButton() || !form().isVisible()) return;
            timer->stop();
            timer->deleteLater();
            check();
            QTest::mouseClick(button(), Qt::LeftButton);
        });
        timer->start(1);
    }

    // Waits for the final message, runs `check`, then presses `key` on what has the keyboard.
    void whenMessageWaitsPress(Qt::Key key, std::function<void()> check) {
        auto* timer = new QTimer(&form());
        connect(timer, &QTimer::timeout, timer, [this, timer, key, check] {
            if (button()->text() != up5::OkButton() || !form().isVisible()) return;
            timer->stop();
            timer->deleteLater();
            check();
            // A key that went astray would leave the message waiting: the button ends it then.
            if (QApplication::focusWidget() == button())
                QTest::keyClick(button(), key);
            else
                button()->click();
        });
        timer->start(1);
    }

private slots:
    void init() {
        auto ownedClock = std::make_unique<test::VirtualClock>();
        auto ownedPort = std::make_unique<test::FakePort>(*ownedClock);
        clock = ownedClock.get();
        port = ownedPort.get();
        module = std::make_unique<test::FakeModule>(*port, *clock);
        commands = std::make_unique<DeviceCommands>(nullptr, std::move(ownedPort), std::move(ownedClock));
    }

    void cleanup() {
        commands.reset();
        module.reset();
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
    }

    void windowHasItsCaptionControlsAndAFixedBorderWithoutWindowButtons() {
        QCOMPARE(form().windowTitle(), QStringLiteral("Модуль ввода УП-5"));
        QVERIFY(label());
        QVERIFY(bar());
        QVERIFY(button());
        QCOMPARE(button()->text(), QStringLiteral("Cancel"));
        QVERIFY(!form().isModal());
        QVERIFY(!(form().windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!(form().windowFlags() & Qt::WindowMinMaxButtonsHint));
        form().Show();
        QVERIFY(QTest::qWaitForWindowExposed(&form()));
        QCOMPARE(form().minimumSize(), form().maximumSize());
    }

    void aSuccessfulReadShowsItsStepsAndWaitsForOk() {
        const QByteArray chip = test::patternBytes(32768, 1);
        module->onCommand['R'] = [&] { port->arrive(chip + QByteArray(4, '\0')); };
        bool sawMessage = false;
        whenMessageWaits([&] {
            sawMessage = true;
            QCOMPARE(label()->text(), QStringLiteral("чтение 24c256 - успешно"));
            QCOMPARE(bar()->maximum(), 32768);
            QCOMPARE(bar()->value(), 32768);
            // The port stays open until the user acknowledges.
            QVERIFY(port->IsOpen());
        });
        const auto bytes = commands->readChip(QStringLiteral("COM2"));
        QVERIFY(sawMessage);
        QVERIFY(bytes);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(bytes->data()), 32768), chip);
        QCOMPARE(port->openedName, QStringLiteral("COM2"));
        QVERIFY(!form().isVisible());
        QCOMPARE(button()->text(), QStringLiteral("Cancel"));
        QVERIFY(!port->IsOpen());
        QVERIFY(!commands->busy());
    }

    void aFailedConnectionShowsItsMessageAndReturnsNothing() {
        module->wakeReply.reset();
        bool sawMessage = false;
        whenMessageWaits([&] {
            sawMessage = true;
            QCOMPARE(label()->text(), QStringLiteral("УП - 5 не подключен "));
        });
        QVERIFY(!commands->readPanel(QStringLiteral("COM1")));
        QVERIFY(sawMessage);
        QVERIFY(!port->IsOpen());
    }

    void cancelDuringAWriteClosesThePortAtOnceAndShowsNoMessage() {
        Image image;
        bool openAfterClick = true;
        module->onData = [&](const QByteArray&) {
            if (module->data().size() != 5 * 64) return;
            QVERIFY(form().isVisible());
            QCOMPARE(button()->text(), QStringLiteral("Cancel"));
            QTimer::singleShot(0, &form(), [&] {
                QTest::mouseClick(button(), Qt::LeftButton);
                openAfterClick = port->IsOpen();
            });
        };
        QVERIFY(!commands->writeChip(QStringLiteral("COM1"), image));
        QVERIFY(!openAfterClick);
        QCOMPARE(port->count(test::FakePort::Op::Write), 1 + 5);
        QVERIFY(!form().isVisible());
        QCOMPARE(label()->text(), QStringLiteral("запись 24c256 - запись"));
    }

    void aSecondCommandIsRefusedWhileATransferRuns() {
        Image image;
        module->onCommand['E'] = [&] { port->arrive("1"); };
        bool secondRefused = false;
        module->onData = [&](const QByteArray&) {
            if (module->data().size() != 3 * 64) return;
            QTimer::singleShot(0, &form(), [&] {
                QVERIFY(commands->busy());
                secondRefused = !commands->readChip(QStringLiteral("COM1")) &&
                                !commands->writeChip(QStringLiteral("COM1"), image);
            });
        };
        whenMessageWaits(
            [&] { QCOMPARE(label()->text(), QStringLiteral("запись прошивки Вистан-5 - успешно")); });
        // The configuration area alone: no backup before, no check after.
        const auto written = commands->writePanelChecked(QStringLiteral("COM1"), image, {false, false}, {});
        QVERIFY(written && written->written);
        QVERIFY(secondRefused);
        QCOMPARE(port->count(test::FakePort::Op::Open), 1);
        QCOMPARE(port->written().size(), 1 + 12288);
        QVERIFY(!commands->busy());
    }

    void finalMessageTakesTheKeyboardBackAndEnterSpaceOrEscapeAcknowledgeIt() {
        // The window the user clicks into while the transfer runs.
        QLineEdit mainWindow;
        mainWindow.show();
        const QByteArray chip = test::patternBytes(32768, 4);
        module->onCommand['R'] = [&] {
            mainWindow.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&mainWindow));
            port->arrive(chip + QByteArray(4, '\0'));
        };
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Escape}) {
            bool focused = false;
            whenMessageWaitsPress(key, [&] {
                focused = QTest::qWaitFor([&] {
                    return QApplication::activeWindow() == &form() && QApplication::focusWidget() == button();
                });
            });
            QVERIFY(commands->readChip(QStringLiteral("COM1")));
            QVERIFY2(focused, qPrintable(QKeySequence(key).toString()));
            QVERIFY(!form().isVisible());
            QVERIFY(mainWindow.text().isEmpty());
        }
    }

    void aClickOnTheLockedMainWindowHandsTheKeyboardBack() {
        QWidget mainWindow;
        mainWindow.show();
        auto ownedClock = std::make_unique<test::VirtualClock>();
        auto ownedPort = std::make_unique<test::FakePort>(*ownedClock);
        test::FakeModule owned(*ownedPort, *ownedClock);
        test::FakePort& line = *ownedPort;
        DeviceCommands withOwner(&mainWindow, std::move(ownedPort), std::move(ownedClock));
        owned.onCommand['R'] = [&] { line.arrive(test::patternBytes(32768) + QByteArray(4, '\0')); };
        bool takenBack = false;
        auto* timer = new QTimer(&mainWindow);
        connect(timer, &QTimer::timeout, timer, [&] {
            auto* ok = withOwner.form().findChild<QPushButton*>(QStringLiteral("Button1"));
            if (ok->text() != up5::OkButton() || !withOwner.form().isVisible()) return;
            timer->stop();
            mainWindow.activateWindow();  // the user clicks the main window while the message waits
            static_cast<void>(
                QTest::qWaitFor([&] { return QApplication::activeWindow() == &mainWindow; }, 500));
            takenBack =
                QTest::qWaitFor([&] { return QApplication::activeWindow() == &withOwner.form(); }, 2000);
            ok->click();
        });
        timer->start(1);
        QVERIFY(withOwner.readChip(QStringLiteral("COM1")));
        QVERIFY(takenBack);
    }

    void everyTransferStartsItsProgressAtZero() {
        const QByteArray chip = test::patternBytes(32768, 2);
        QList<int> atCommand;
        module->onCommand['R'] = [&] {
            atCommand << bar()->value();
            port->arrive(chip + QByteArray(4, '\0'));
        };
        for (int run = 0; run < 2; ++run) {
            whenMessageWaits([] {});
            QVERIFY(commands->readChip(QStringLiteral("COM1")));
        }
        QCOMPARE(atCommand, (QList<int>{0, 0}));
    }

    void anOperationThatThrowsFreesThePortAndTheNextCommandRuns() {
        QList<bool> told;
        commands->setBusyHandler([&](bool busy) { told << busy; });
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 commands->exclusive(QStringLiteral("COM1"), [this](TUP5& up5) -> bool {
                                     up5.StartKeyReader();
                                     form().Show();
                                     throw std::runtime_error("a fault in a key pane");
                                 }));
        QVERIFY(!commands->busy());
        QCOMPARE(told, (QList<bool>{true, false}));
        QVERIFY(!port->IsOpen());
        QVERIFY(!form().isVisible());

        module->onCommand['R'] = [&] { port->arrive(test::patternBytes(32768) + QByteArray(4, '\0')); };
        whenMessageWaits([] {});
        QVERIFY(commands->readChip(QStringLiteral("COM1")));

        // A poll that shows nothing does not lock the window; its end is told all the same.
        told.clear();
        QVERIFY(commands->exclusive(QStringLiteral("COM1"), [](TUP5&) { return true; }));
        QCOMPARE(told, QList<bool>{false});
    }

    void escapeActsAsTheButton() {
        module->wakeReply = 0x70;
        auto* timer = new QTimer(&form());
        connect(timer, &QTimer::timeout, timer, [this, timer] {
            if (button()->text() != up5::OkButton() || !form().isVisible()) return;
            timer->stop();
            QTest::keyClick(&form(), Qt::Key_Escape);
        });
        timer->start(1);
        QVERIFY(!commands->readChip(QStringLiteral("COM1")));
        QVERIFY(!form().isVisible());
    }
};

}  // namespace v5

QTEST_MAIN(v5::TUP5FormTest)
#include "tup5_form_test.moc"
