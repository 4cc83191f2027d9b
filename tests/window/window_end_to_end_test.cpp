// The window's device commands through the real serial port class, against the module's simulator on
// a pseudo-terminal.
#include <QDir>
#include <QPushButton>
#include <QtTest>

#include "link/up5_texts.h"
#include "tests/window/window_harness.h"

namespace v5 {

class WindowEndToEndTest : public QObject {
    Q_OBJECT

private:
    test::SimulatorWindow e2e_;
    std::unique_ptr<QTemporaryDir>& dir_ = e2e_.dir;
    std::unique_ptr<TV5ivezMainForm>& window_ = e2e_.window;

    QString startSimulator(const QStringList& args) {
        return e2e_.startSimulator(QStringLiteral(V5_SIM), args);
    }
    QString runAndAcknowledge(const QString& item) { return test::chooseAndAcknowledge(window_.get(), item); }

private slots:
    void init() { e2e_.start(); }
    void cleanup() { e2e_.stop(); }

    void chipAndPanelReadsReplaceTheImage() {
        QByteArray chip(32768, '\0');
        for (int i = 0x3000; i < chip.size(); ++i)
            chip[i] = static_cast<char>(i * 13);
        chip[0x22CE] = 4;  // МС3 in slot 1
        chip[0x22CF] = 2;
        chip[0x283B] = static_cast<char>(201);
        const QString chipFile = dir_->filePath(QStringLiteral("chip.v5"));
        QVERIFY(test::writeAll(chipFile, chip));
        QByteArray panel = chip;
        panel[0x22CE] = 0;  // nothing placed
        const QString panelFile = dir_->filePath(QStringLiteral("panel.v5"));
        QVERIFY(test::writeAll(panelFile, panel));

        const QString port =
            startSimulator({QStringLiteral("--chip"), chipFile, QStringLiteral("--panel"), panelFile});
        QVERIFY2(port.startsWith(QStringLiteral("/dev/")), qPrintable(port));
        window_->desktop().chooseSystemPort(port);
        QCOMPARE(window_->desktop().portName(), port);

        QCOMPARE(runAndAcknowledge(QStringLiteral("mnRead")), QStringLiteral("чтение 24c256 - успешно"));
        const Image& image = window_->desktop().image();
        QCOMPARE(image.toByteArray().mid(0x3000), chip.mid(0x3000));
        QCOMPARE(window_->findChild<QPushButton*>(QStringLiteral("btnSlot1"))->text(), QStringLiteral("МС3"));
        QCOMPARE(image.byte(0x283B), 201);

        QCOMPARE(runAndAcknowledge(QStringLiteral("ReadFromV5")),
                 QStringLiteral("чтение прошивки Вистан-5 - успешно"));
        QCOMPARE(window_->findChild<QPushButton*>(QStringLiteral("btnSlot1"))->text(), QStringLiteral("1"));
        QCOMPARE(image.byte(0x283B), 0xFF);  // МС3 is gone with the panel's slot table
    }

    void panelWriteKeepsABackupAndItsCheckCatchesAByteThePanelDidNotTake() {
        QByteArray panel(32768, '\0');
        for (int i = 0; i < panel.size(); ++i)
            panel[i] = static_cast<char>(i * 7);
        const QString panelFile = dir_->filePath(QStringLiteral("panel.v5"));
        QVERIFY(test::writeAll(panelFile, panel));
        // Loop 17 on МШС3 becomes a fire loop; the panel keeps its type byte inverted.
        const std::size_t typeByte = map::LoopParams.at(16) + 1;
        const QString port = startSimulator({QStringLiteral("--panel"), panelFile,
                                             QStringLiteral("--corrupt-write"), QString::number(typeByte)});
        Desktop& desktop = window_->desktop();
        desktop.chooseSystemPort(port);
        desktop.ClearDesktop();
        desktop.btnSlotContextPopup(1);
        desktop.miClick(QStringLiteral("МШС3"));
        desktop.image().setByte(typeByte, 0x10);
        desktop.image().setByte(typeByte + 1, 0x00);

        const QStringList lines = runAndAcknowledge(QStringLiteral("WriteToV5")).split(QLatin1Char('\n'));
        QVERIFY(e2e_.safety.questions.empty());
        const QStringList backups = QDir(dir_->filePath(QStringLiteral("backups"))).entryList(QDir::Files);
        QCOMPARE(backups.size(), 1);
        const QString backup = dir_->filePath(QStringLiteral("backups/")) + backups.first();
        QCOMPARE(test::readAll(backup), panel);
        QVERIFY2(lines.size() >= 4, qPrintable(lines.join(QLatin1Char('|'))));
        QCOMPARE(lines.mid(0, 4),
                 (QStringList{up5::WritePanelDone(), up5::BackupSaved(backup), up5::VerifyFailed(),
                              QStringLiteral("шлейф 17: тип пожарный → тревожный")}));
    }

    void silentModuleIsReportedAndTheImageStays() {
        const QString port = startSimulator({QStringLiteral("--no-wake-up")});
        window_->desktop().chooseSystemPort(port);
        window_->desktop().image().setByte(0x10, 0x77);
        const Image before = window_->desktop().image();
        QCOMPARE(runAndAcknowledge(QStringLiteral("mnRead")), QStringLiteral("УП - 5 не подключен "));
        QVERIFY(window_->desktop().image() == before);
    }
};

}  // namespace v5

QTEST_MAIN(v5::WindowEndToEndTest)
#include "window_end_to_end_test.moc"
