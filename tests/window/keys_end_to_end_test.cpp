// The key panes through the real serial port class, against the module's simulator on a
// pseudo-terminal: reading a key, copying the console's keys, and a wait the user cuts short.
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QTimer>
#include <QtTest>

#include "tests/keys/key_desktop.h"
#include "tests/window/window_harness.h"

namespace v5 {

class KeysEndToEndTest : public QObject {
    Q_OBJECT

private:
    test::SimulatorWindow e2e_;
    std::unique_ptr<TV5ivezMainForm>& window_ = e2e_.window;
    const KeyCode key_ = test::printedCode(0xABCDEF0123CD);

    // The simulator's key reader presents key_.
    void startSimulator(const QStringList& args) {
        const QString port = e2e_.startSimulator(
            QStringLiteral(V5_SIM),
            QStringList{QStringLiteral("--key"), QString::fromLatin1(test::romOf(key_).toHex())} + args);
        QVERIFY2(port.startsWith(QStringLiteral("/dev/")), qPrintable(port));
        window_->desktop().chooseSystemPort(port);
    }
    void choose(const QString& item) { window_->findChild<QAction*>(item)->trigger(); }
    QGroupBox* pane(const QString& name) { return window_->findChild<QGroupBox*>(name); }

private slots:
    void init() { e2e_.start(); }
    void cleanup() { e2e_.stop(); }

    void readKeyAndCopyTheConsole() {
        QByteArray console(144, '\0');
        for (int i = 0; i < console.size(); ++i)
            console[i] = static_cast<char>(0x30 + i);
        const QString consoleFile = e2e_.dir->filePath(QStringLiteral("console.bin"));
        QVERIFY(test::writeAll(consoleFile, console));
        startSimulator({QStringLiteral("--user-delay"), QStringLiteral("300"), QStringLiteral("--console"),
                        consoleFile});

        choose(QStringLiteral("keyAdd"));
        QCOMPARE(pane(QStringLiteral("gbSKey"))->title(), QStringLiteral("Ключ добавлен"));
        const Image& image = window_->desktop().image();
        QCOMPARE(keyCode(image, 0), key_);

        choose(QStringLiteral("N22"));
        QCOMPARE(test::chooseAndAcknowledge(window_.get(), QStringLiteral("N16")),
                 QStringLiteral("чтение ключей из КН-4 - успешно"));
        QCOMPARE(keyCode(image, 960), (KeyCode{0x30, 0x31, 0x32, 0x33, 0x34, 0x35}));
        QCOMPARE(image.record(map::KeyRecords, 971)[kTarniaByte], 11);
        QCOMPARE(window_->findChild<QListWidget*>(QStringLiteral("clbKey"))->count(), 25);

        // The reader presents the same key again: it is shown, not added twice.
        choose(QStringLiteral("keyAdd"));
        QCOMPARE(pane(QStringLiteral("gbSKey"))->title(), QStringLiteral("Ключ уже есть в памяти"));
        QVERIFY(KeyEmpty(image, 1));
    }

    void waitKeepsTheWindowAliveAndEndsOnAnotherCommand() {
        startSimulator({QStringLiteral("--user-delay"), QStringLiteral("2500")});
        bool waitShown = false;
        int ticks = 0;
        auto* ticker = new QTimer(window_.get());
        connect(ticker, &QTimer::timeout, ticker, [&ticks] { ++ticks; });
        ticker->start(20);
        QTimer::singleShot(600, window_.get(), [&] {
            auto* wait = window_->findChild<QLabel*>(QStringLiteral("stWait"));
            waitShown = pane(QStringLiteral("gbSKey"))->isVisible() && wait && wait->isVisible();
            choose(QStringLiteral("N22"));
        });
        QElapsedTimer elapsed;
        elapsed.start();
        choose(QStringLiteral("keyAdd"));
        QVERIFY(elapsed.elapsed() < 2000);
        QVERIFY(waitShown);
        QVERIFY(ticks >= 10);  // the window kept handling its events
        QVERIFY(!pane(QStringLiteral("gbSKey"))->isVisible());
        QVERIFY(pane(QStringLiteral("gbKey"))->isVisible());
        ticker->stop();

        // The link was closed: the next read connects afresh and gets the key.
        choose(QStringLiteral("keyAdd"));
        QCOMPARE(pane(QStringLiteral("gbSKey"))->title(), QStringLiteral("Ключ добавлен"));
        QCOMPARE(keyCode(window_->desktop().image(), 0), key_);
    }
};

}  // namespace v5

QTEST_MAIN(v5::KeysEndToEndTest)
#include "keys_end_to_end_test.moc"
