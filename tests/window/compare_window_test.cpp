// The window's compare items, the check before the writes, the panel write's backup and check, and the
// restore of a backup; the dialogs answer through the harness, the list dialog is tested on its own.
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextStream>
#include <QTimer>
#include <QtTest>

#include "cli/cli.h"
#include "compare/configuration_diff.h"
#include "window/differences_dialog.h"
#include "window/safety_texts.h"
#include "link/up5_texts.h"
#include "tests/window/window_harness.h"
#include "window/write_question.h"

namespace v5 {

class CompareWindowTest : public QObject {
    Q_OBJECT

private:
    test::WindowHarness h_;

    Desktop& desktop() { return h_.window->desktop(); }
    QString path(const QString& name) const { return h_.dir->filePath(name); }
    QString saved(const QString& name, const Image& image) const {
        const QString file = path(name);
        test::writeAll(file, image.toByteArray());
        return file;
    }

    // A configuration the check finds nothing wrong with: МШС1 placed, zone 1, a fire loop.
    void cleanConfiguration() {
        h_.openMenu(QStringLiteral("mnEEPROM"));
        h_.place(1, QStringLiteral("МШС1"));
        desktop().image().setByte(map::LoopParams.at(0) + 1, 0x10);
        desktop().image().setByte(map::LoopParams.at(0) + 2, 0x00);
        desktop().image().setGroupEntry(0, test::loops({1, 2}));
    }

    // The panel behind the fake module: "Q" sends `panel`, "E" takes the configuration area into it.
    void servePanel(QByteArray* panel) {
        h_.module->onCommand['Q'] = [this, panel] { h_.port->arrive(*panel); };
        h_.module->onCommand['E'] = [this] { h_.port->arrive("1"); };
        h_.module->onData = [this, panel](const QByteArray&) {
            if (h_.module->command() == 'E' && h_.module->data().size() == 0x3000)
                panel->replace(0, 0x3000, h_.module->data());
        };
    }

    void acknowledgeWhenDone(QString* message) { test::acknowledgeWhenDone(h_.window, message); }

    QStringList backups() const {
        return QDir(path(QStringLiteral("backups"))).entryList(QDir::Files, QDir::Name);
    }

private slots:
    void init() { h_.start(); }
    void cleanup() {
        h_.stop();
        h_.portFile.clear();
    }

    void compareWithAFileShowsTheLinesOfTheCommandLine() {
        cleanConfiguration();
        Image other = desktop().image();
        other.setByte(map::LoopParams.at(0) + 1, 0x00);
        other.setGroupEntry(0, test::loops({1, 2, 5}));
        other.setByte(map::Archive.at(7), 1);
        const QString file = saved(QStringLiteral("other.v5"), other);
        const Image before = desktop().image();

        h_.prompts.openAnswers.push_back(file);
        h_.choose(QStringLiteral("mnEEPROM"), QStringLiteral("mnCompareFile"));
        QCOMPARE(h_.safety.lists.size(), std::size_t{1});
        const auto& shown = h_.safety.lists.front();
        QCOMPARE(shown.title, safety_text::CompareFileTitle());
        QCOMPARE(shown.summary, safety_text::CompareFileSummary(file));
        QCOMPARE(shown.lines, (QStringList{QStringLiteral("Шлейфы и группы:"),
                                           QStringLiteral("  шлейф 1: тип пожарный → охранный"),
                                           QStringLiteral("  зона 1: + шлейф 5"), QStringLiteral("Прочее:"),
                                           QStringLiteral("  архив событий: изменено записей: 1")}));
        QVERIFY(desktop().image() == before);

        // The command line says the same of the same two files.
        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        cli::Io io{outStream, errStream};
        QCOMPARE(cli::run({QStringLiteral("diff"), saved(QStringLiteral("current.v5"), before), file}, io),
                 1);
        outStream.flush();
        QCOMPARE(out, shown.lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));

        // A file that cannot be read is told, and no list shows.
        h_.prompts.openAnswers.push_back(path(QStringLiteral("none.v5")));
        h_.choose(QStringLiteral("mnEEPROM"), QStringLiteral("mnCompareFile"));
        QCOMPARE(h_.prompts.messages,
                 QStringList{QStringLiteral("Ошибка чтения\n%1: нет такого файла или папки")
                                 .arg(path(QStringLiteral("none.v5")))});
        QCOMPARE(h_.safety.lists.size(), std::size_t{1});
    }

    void compareWithThePanelReadsItAsideAndChangesNothing() {
        cleanConfiguration();
        QByteArray panel = desktop().image().toByteArray();
        panel[static_cast<qsizetype>(map::Relays.at(0))] = 10;  // relay 1: lock, on the panel only
        panel[0x4000] = 1;                                      // its archive is not compared
        servePanel(&panel);
        const Image before = desktop().image();
        QString message;
        acknowledgeWhenDone(&message);
        h_.choose(QStringLiteral("mnEEPROM"), QStringLiteral("mnCompareDevice"));
        QCOMPARE(message, up5::ReadPanelDone());
        QCOMPARE(h_.safety.lists.size(), std::size_t{1});
        QCOMPARE(h_.safety.lists.front().title, safety_text::CompareDeviceTitle());
        QCOMPARE(h_.safety.lists.front().lines,
                 (QStringList{QStringLiteral("Выходы и опции:"),
                              QStringLiteral("  реле 1: режим (отключено) → (замок)")}));
        QVERIFY(desktop().image() == before);
    }

    void writesAskFirstWhenTheCheckFindsErrors() {
        h_.openMenu(QStringLiteral("mnEEPROM"));
        h_.place(1, QStringLiteral("МР1"));
        desktop().image().record(map::SlotTable, 1)[0] = 2;  // МР1 in slot 2 as well
        for (const char* item : {"WriteToV5", "mnWrite"}) {
            h_.choose(QStringLiteral("mnEEPROM"), QString::fromLatin1(item));
            QVERIFY(h_.port->events.empty());  // not even the port was opened
        }
        QCOMPARE(h_.safety.questions.size(), std::size_t{2});
        QCOMPARE(h_.safety.questions.front(),
                 QStringList{QStringLiteral("ошибка: МР1: стоит в нескольких слотах: 1, 2")});

        // Warnings alone ask nothing.
        desktop().image().record(map::SlotTable, 1)[0] = 0;
        desktop().image().setLoopMask(map::Relays.at(20) + 1, test::loops({3}));  // МР6 is not placed
        h_.module->onCommand['W'] = [this] { h_.port->arrive(QByteArray(4, '\0')); };
        QString message;
        acknowledgeWhenDone(&message);
        h_.action(QStringLiteral("mnWrite"))->trigger();
        QCOMPARE(h_.safety.questions.size(), std::size_t{2});
        QCOMPARE(message, up5::WriteChipDone());
        QVERIFY(!desktop().hasUnsavedChanges());  // the chip holds what the window shows
    }

    void panelWriteKeepsABackupBeforeTheFirstBlock() {
        cleanConfiguration();
        QByteArray panel = test::patternBytes(0x8000, 4);
        panel.replace(static_cast<qsizetype>(map::AccessCode.offset), 2,
                      QByteArray(2, '\0'));  // this panel's code
        const QByteArray original = panel;
        servePanel(&panel);
        QStringList backupsAtFirstBlock;
        bool seenFirstBlock = false;
        const auto store = h_.module->onData;
        h_.module->onData = [&](const QByteArray& bytes) {
            if (h_.module->command() == 'E' && !std::exchange(seenFirstBlock, true))
                backupsAtFirstBlock = backups();
            store(bytes);
        };
        QString message;
        acknowledgeWhenDone(&message);
        h_.choose(QStringLiteral("mnEEPROM"), QStringLiteral("WriteToV5"));

        QCOMPARE(backupsAtFirstBlock.size(), 1);
        QVERIFY(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d_panel\\.v5$"))
                    .match(backupsAtFirstBlock.first())
                    .hasMatch());
        const QString backup = QDir(path(QStringLiteral("backups"))).filePath(backupsAtFirstBlock.first());
        QCOMPARE(test::readAll(backup), original);
        QCOMPARE(message, up5::WritePanelDone() + QLatin1Char('\n') + up5::BackupSaved(backup) +
                              QLatin1Char('\n') + up5::VerifyDone());
        QCOMPARE(panel.left(0x3000), desktop().image().toByteArray().left(0x3000));

        // The backup can be loaded again as the configuration.
        h_.safety.restoreAnswer = backup;
        h_.choose(QStringLiteral("mnEEPROM"), QStringLiteral("mnRestoreBackup"));
        QCOMPARE(h_.safety.restoreFolders, QStringList{path(QStringLiteral("backups"))});
        QCOMPARE(desktop().windowCaption(), backup);
        QCOMPARE(desktop().image().toByteArray().mid(0x3000), original.mid(0x3000));
    }

    void thePortFileCanTurnTheBackupAndTheCheckOff() {
        h_.stop();
        h_.portFile = "3\r\nbackup=0\r\nverify=off\r\n";
        h_.start();
        QCOMPARE(desktop().portName(), QStringLiteral("COM3"));
        cleanConfiguration();
        QByteArray panel(0x8000, '\0');
        servePanel(&panel);
        QString message;
        acknowledgeWhenDone(&message);
        h_.choose(QStringLiteral("mnEEPROM"), QStringLiteral("WriteToV5"));
        QCOMPARE(message, up5::WritePanelDone());
        QCOMPARE(h_.port->written().left(1), QByteArray("E"));
        QVERIFY(backups().isEmpty());

        // Choosing another port keeps the settings.
        h_.choose(QStringLiteral("ComSelect"), QStringLiteral("COM_5"));
        QCOMPARE(test::readAll(path(QStringLiteral("V5ivez.ini"))),
                 QByteArray("5\r\nbackup=0\r\nverify=off\r\n"));
    }

    void restoringABackupOfAnotherAccessCodeIsRefused() {
        Image backup;
        backup.setWordLE(map::AccessCode.offset, 0x1234);
        h_.safety.restoreAnswer = saved(QStringLiteral("other-code.v5"), backup);
        h_.choose(QStringLiteral("mnEEPROM"), QStringLiteral("mnRestoreBackup"));
        QCOMPARE(h_.prompts.messages, QStringList{QStringLiteral("Не тот код доступа")});
        QCOMPARE(desktop().windowCaption(), QStringLiteral("Файл не выбран"));
    }

    void theListDialogIsReadOnlyAndSavesItsLines() {
        const QStringList lines{QStringLiteral("Ключи:"),
                                QStringLiteral("  ключ 012: назначение зона 1 → монтер")};
        DifferencesDialog dialog(QStringLiteral("t"), QStringLiteral("s"), lines);
        dialog.show();
        auto* list = dialog.findChild<QPlainTextEdit*>(QStringLiteral("meDifferences"));
        QVERIFY(list && list->isReadOnly());
        QCOMPARE(list->toPlainText(), lines.join(QLatin1Char('\n')));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("lblSummary"))->text(), QStringLiteral("s"));

        // The save dialog is the program's own, in Russian like the others.
        QString accept, proposed;
        QTimer::singleShot(0, [&] {
            if (auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                accept = files->labelText(QFileDialog::Accept);
                proposed = QFileInfo(files->selectedFiles().value(0)).fileName();
                files->reject();
            }
        });
        QCOMPARE(dialog.askFileName(), std::nullopt);
        QCOMPARE(accept, QStringLiteral("Сохранить"));
        QCOMPARE(proposed, QStringLiteral("сравнение.txt"));

        const QString file = path(QStringLiteral("list.txt"));
        dialog.askFileName = [&] { return std::optional(file); };
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("btnSaveList")), Qt::LeftButton);
        QCOMPARE(test::readAll(file),
                 QByteArray("\xEF\xBB\xBF") + lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
        // A place that cannot take the file leaves what was there.
        QVERIFY(dialog.saveTo(h_.dir->path()).has_value());

        DifferencesDialog empty(QStringLiteral("t"), QStringLiteral("s"), {});
        QCOMPARE(empty.findChild<QPlainTextEdit*>(QStringLiteral("meDifferences"))->toPlainText(),
                 safety_text::NoDifferences());
        QVERIFY(!empty.findChild<QPushButton*>(QStringLiteral("btnSaveList"))->isEnabled());
        dialog.close();
    }

    // The question before a write: every error (a dozen, then how many more), the warnings counted in
    // one line and shown by "Подробнее"; "Не записывать" is the default.
    void theWriteQuestionListsErrorsAndCountsWarnings() {
        std::vector<Problem> problems;
        for (int n = 1; n <= 14; ++n)
            problems.push_back({Problem::Severity::Error, Subsystem::Slots, QStringLiteral("слот %1").arg(n),
                                QStringLiteral("e")});
        for (int n = 1; n <= 3; ++n)
            problems.push_back({Problem::Severity::Warning, Subsystem::Keys, QStringLiteral("ключ %1").arg(n),
                                QStringLiteral("w")});
        const WriteQuestion question = writeQuestion(problems);
        QStringList lines = question.text.split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 1 + 12 + 2);
        QCOMPARE(lines.at(1), QStringLiteral("ошибка: слот 1: e"));
        QCOMPARE(lines.at(13), QStringLiteral("... и ещё 2"));
        QCOMPARE(lines.at(14), QStringLiteral("Предупреждений: 3 (см. «Подробнее»)"));
        QCOMPARE(question.details,
                 (QStringList{QStringLiteral("ошибка: слот 13: e"), QStringLiteral("ошибка: слот 14: e"),
                              QStringLiteral("предупреждение: ключ 1: w"),
                              QStringLiteral("предупреждение: ключ 2: w"),
                              QStringLiteral("предупреждение: ключ 3: w")}));
        // Errors alone: no counted line and nothing behind the button.
        problems.resize(1);
        QCOMPARE(writeQuestion(problems).text,
                 safety_text::CheckFoundErrors() + QStringLiteral("\nошибка: слот 1: e"));

        WriteQuestionDialog dialog(question, nullptr);
        dialog.show();
        QVERIFY(dialog.text()->text().startsWith(question.text));
        QVERIFY(!dialog.details()->isVisible());
        QCOMPARE(dialog.detailsButton()->text(), QStringLiteral("Подробнее"));
        QTest::mouseClick(dialog.detailsButton(), Qt::LeftButton);
        QVERIFY(dialog.details()->isVisible());
        QCOMPARE(dialog.details()->toPlainText(), question.details.join(QLatin1Char('\n')));
        QVERIFY(dialog.findChild<QPushButton*>(QStringLiteral("btnDoNotWrite"))->isDefault());
        QTest::mouseClick(dialog.writeButton(), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
};

}  // namespace v5

QTEST_MAIN(v5::CompareWindowTest)
#include "compare_window_test.moc"
