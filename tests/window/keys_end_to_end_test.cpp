// The key panes through the real serial port class, against the module's simulator on a
// pseudo-terminal: reading a key, copying the console's keys, and a wait the user cuts short.
#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "image_builder.h"
#include "key_desktop.h"
#include "main_window.h"

namespace v5 {

class KeysEndToEndTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    test::ScriptedPrompts prompts_;
    std::unique_ptr<TV5ivezMainForm> window_;
    QProcess sim_;
    const KeyCode key_ = test::printedCode(0xABCDEF0123CD);

    void startSimulator(const QStringList& args) {
        sim_.setStandardErrorFile(dir_->filePath(QStringLiteral("sim.log")));
        sim_.start(QStringLiteral(V5_SIM), QStringList{QStringLiteral("--unpaced"), QStringLiteral("--key"),
                                                       QString::fromLatin1(test::romOf(key_).toHex())} +
                                               args);
        QDeadlineTimer deadline(30'000);
        while (!sim_.canReadLine() && !deadline.hasExpired() && sim_.state() != QProcess::NotRunning)
            sim_.waitForReadyRead(100);
        const QString port = QString::fromLocal8Bit(sim_.readLine()).trimmed();
        QVERIFY2(port.startsWith(QStringLiteral("/dev/")), qPrintable(port));
        window_->desktop().chooseSystemPort(port);
    }
    void choose(const QString& item) { window_->findChild<QAction*>(item)->trigger(); }
    QGroupBox* pane(const QString& name) { return window_->findChild<QGroupBox*>(name); }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        MainFormSetup setup;
        setup.prompts = &prompts_;
        setup.workFolder = dir_->path();
        setup.systemPorts = [] { return QStringList(); };
        window_ = std::make_unique<TV5ivezMainForm>(setup);
        window_->show();
    }

    void cleanup() {
        window_.reset();
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
        if (sim_.state() != QProcess::NotRunning) {
            sim_.terminate();
            if (!sim_.waitForFinished(10'000)) sim_.kill();
            sim_.waitForFinished(10'000);
        }
    }

    void readKeyAndCopyTheConsole() {
        QByteArray console(144, '\0');
        for (int i = 0; i < console.size(); ++i)
            console[i] = static_cast<char>(0x30 + i);
        const QString consoleFile = dir_->filePath(QStringLiteral("console.bin"));
        QVERIFY(test::writeAll(consoleFile, console));
        startSimulator({QStringLiteral("--user-delay"), QStringLiteral("300"), QStringLiteral("--console"),
                        consoleFile});

        choose(QStringLiteral("keyAdd"));
        QVERIFY(pane(QStringLiteral("gbSKey"))->isVisible());
        QCOMPARE(pane(QStringLiteral("gbSKey"))->title(), QStringLiteral("Ключ добавлен"));
        QCOMPARE(window_->findChild<QLabel*>(QStringLiteral("LabelKey"))->text(),
                 QStringLiteral("код: ABCDEF0123cd"));
        const Image& image = window_->desktop().image();
        QCOMPARE(keyCode(image, 0), key_);
        QCOMPARE(image.byte(0), keyCheckByte(key_));

        choose(QStringLiteral("N22"));
        QString message;
        auto* timer = new QTimer(window_.get());
        connect(timer, &QTimer::timeout, timer, [this, timer, &message] {
            auto* button = window_->findChild<QPushButton*>(QStringLiteral("Button1"));
            if (!button || !button->isVisible() || button->text() != QStringLiteral("OK")) return;
            timer->stop();
            timer->deleteLater();
            message = window_->findChild<QLabel*>(QStringLiteral("Label1"))->text();
            QTest::mouseClick(button, Qt::LeftButton);
        });
        timer->start(5);
        choose(QStringLiteral("N16"));
        QCOMPARE(message, QStringLiteral("чтение ключей из КН-4 - успешно"));
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
