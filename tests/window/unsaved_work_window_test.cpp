// The window's reads that replace the configuration ask about unsaved edits first, the caption marks
// them, and a named pipe chosen in a dialog neither hangs the window nor is read.

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QFileInfo>
#include <QTimer>
#include <QtTest>

#include "tests/support/guarded_fifo.h"
#include "files/messages.h"
#include "link/up5_texts.h"
#include "tests/window/window_harness.h"
#include "window/window_prompts.h"

namespace v5 {

namespace {
enum class Answer { Save, SaveCancelled, DontSave, Cancel };
}  // namespace

class UnsavedWorkWindowTest : public QObject {
    Q_OBJECT

private:
    test::WindowHarness h_;

    Desktop& desktop() { return h_.window->desktop(); }
    QString path(const QString& name) const { return h_.dir->filePath(name); }
    // A configuration whose reserved area carries a mark, so that a read of it shows.
    static Image marked() {
        Image image;
        image.setByte(map::Reserved.offset, 0x5A);
        return image;
    }
    bool readHappened() const { return h_.window->desktop().image().byte(map::Reserved.offset) == 0x5A; }

    // Scripts the source of `item` to deliver the marked configuration.
    void serve(const QString& item, QString* message) {
        const QByteArray bytes = marked().toByteArray();
        if (item == QStringLiteral("mnLoad")) {
            test::writeAll(path(QStringLiteral("in.v5")), bytes);
            h_.prompts.openAnswers.push_back(path(QStringLiteral("in.v5")));
        } else if (item == QStringLiteral("mnRestoreBackup")) {
            test::writeAll(path(QStringLiteral("backup.v5")), bytes);
            h_.safety.restoreAnswer = path(QStringLiteral("backup.v5"));
        } else if (item == QStringLiteral("ReadFromV5")) {
            h_.module->onCommand['Q'] = [this, bytes] { h_.port->arrive(bytes); };
            test::acknowledgeWhenDone(h_.window, message);
        } else {
            h_.module->onCommand['R'] = [this, bytes] { h_.port->arrive(bytes + QByteArray(4, '\0')); };
            test::acknowledgeWhenDone(h_.window, message);
        }
    }

private slots:
    void init() { h_.start(); }
    void cleanup() { h_.stop(); }

    // Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z, the edit menu's texts, the status bar and the caption's mark.
    void undoAndRedoFromTheKeyboardAndTheEditMenu() {
        auto* box = h_.find<QCheckBox>(QStringLiteral("cbAvtovziatie"));
        auto* status = h_.find<QLabel>(QStringLiteral("lastOperation"));
        QAction* undo = h_.action(QStringLiteral("mnUndo"));
        QAction* redo = h_.action(QStringLiteral("mnRedo"));
        QVERIFY(box && status && undo && redo);
        QCOMPARE(undo->text(), QStringLiteral("Отменить"));
        QVERIFY(!redo->isEnabled());

        h_.prompts.saveAnswers.push_back(path(QStringLiteral("site.v5")));
        h_.choose(QStringLiteral("mnEEPROM"), QStringLiteral("mnSave"));
        const QString saved = QFileInfo(path(QStringLiteral("site.v5"))).absoluteFilePath();
        QCOMPARE(status->text(), QStringLiteral("Записано: ") + saved);
        const Image before = desktop().image();

        box->click();
        QVERIFY(desktop().image() != before);
        QVERIFY(h_.window->windowTitle().endsWith(QStringLiteral(" *")));
        QVERIFY(undo->text().startsWith(QStringLiteral("Отменить: ")));
        QVERIFY(undo->isEnabled());

        QTest::keyClick(h_.window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(desktop().image(), before);
        QVERIFY(!box->isChecked());
        QCOMPARE(h_.window->windowTitle(), saved);
        QVERIFY(status->text().startsWith(QStringLiteral("Отменено: ")));
        QCOMPARE(redo->text(), QStringLiteral("Повторить: ") + status->text().mid(10));

        QTest::keyClick(h_.window, Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(box->isChecked());
        QVERIFY(h_.window->windowTitle().endsWith(QStringLiteral(" *")));
        QVERIFY(status->text().startsWith(QStringLiteral("Повторено: ")));
        undo->trigger();
        QVERIFY(!box->isChecked());
        QTest::keyClick(h_.window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(box->isChecked());
    }

    void everyReadAsksFirstAndEachAnswerDoesWhatItSays_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("answer");
        for (const char* item : {"mnLoad", "mnRestoreBackup", "ReadFromV5", "mnRead"}) {
            const struct {
                const char* name;
                Answer answer;
            } answers[] = {{"save", Answer::Save},
                           {"save cancelled", Answer::SaveCancelled},
                           {"do not save", Answer::DontSave},
                           {"cancel", Answer::Cancel}};
            for (const auto& a : answers)
                QTest::addRow("%s, %s", item, a.name)
                    << QString::fromLatin1(item) << static_cast<int>(a.answer);
        }
    }

    void everyReadAsksFirstAndEachAnswerDoesWhatItSays() {
        QFETCH(QString, item);
        QFETCH(int, answer);
        const auto a = static_cast<Answer>(answer);
        h_.openMenu(QStringLiteral("mnEEPROM"));
        h_.place(1, QStringLiteral("МР1"));
        QCOMPARE(h_.window->windowTitle(), QStringLiteral("Файл не выбран *"));
        const Image before = desktop().image();
        QString message;
        serve(item, &message);
        h_.prompts.saveQuestionAnswers.push_back(a == Answer::Cancel     ? SaveAnswer::Cancel
                                                 : a == Answer::DontSave ? SaveAnswer::DontSave
                                                                         : SaveAnswer::Save);
        if (a == Answer::Save) h_.prompts.saveAnswers.push_back(path(QStringLiteral("edits.v5")));
        if (a == Answer::SaveCancelled) h_.prompts.saveAnswers.push_back(std::nullopt);

        h_.choose(QStringLiteral("mnEEPROM"), item);

        QCOMPARE(h_.prompts.questions, QStringList{QStringLiteral("Сохранить изменения?")});
        QVERIFY(h_.prompts.saveAnswers.empty());
        if (a == Answer::Save)
            QCOMPARE(test::readAll(path(QStringLiteral("edits.v5"))), before.toByteArray());
        const bool goesOn = a == Answer::Save || a == Answer::DontSave;
        if (goesOn) {
            QVERIFY(readHappened());
            QVERIFY(!h_.window->windowTitle().endsWith(QStringLiteral(" *")));
            return;
        }
        // Nothing opened and nothing read: no dialog, no port.
        QCOMPARE(h_.prompts.openAnswers.size(),
                 item == QStringLiteral("mnLoad") ? std::size_t{1} : std::size_t{0});
        QVERIFY(h_.safety.restoreFolders.isEmpty());
        QCOMPARE(h_.port->count(test::FakePort::Op::Open), 0);
        QVERIFY(message.isEmpty());
        QVERIFY(desktop().image() == before);
        QCOMPARE(h_.window->windowTitle(), QStringLiteral("Файл не выбран *"));
    }

    void noEditsNoQuestion() {
        for (const char* item : {"mnLoad", "mnRestoreBackup", "ReadFromV5", "mnRead"}) {
            h_.stop();
            h_.start();
            QString message;
            serve(QString::fromLatin1(item), &message);
            h_.choose(QStringLiteral("mnEEPROM"), QString::fromLatin1(item));
            QVERIFY2(h_.prompts.questions.isEmpty(), item);
            QVERIFY2(readHappened(), item);
        }
    }

    // The program's own open dialog lists a folder holding a pipe and hands the pipe over without
    // opening it; the window then refuses it (below).
    void theOpenDialogHandsAPipeOverWithoutOpeningIt() {
        const QString pipe = path(QStringLiteral("pipe.v5"));
        const test::GuardedFifo fifo(pipe);
        QVERIFY(fifo.made());
        const auto dialog = WindowPrompts::openDialog(h_.window, msg::SettingsFilter());
        dialog->setDirectory(h_.dir->path());
        dialog->show();
        dialog->selectFile(pipe);
        QTest::qWait(300);  // the folder's list fills in on a thread of its own
        QVERIFY(QMetaObject::invokeMethod(dialog.get(), "accept"));  // as "Открыть" does
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(dialog->selectedFiles(), QStringList{pipe});
        QVERIFY(!fifo.readerWaited());
    }

    // Whatever dialog it came from, a named pipe is refused at once; the window goes on answering.
    void aNamedPipeChosenInADialogIsRefusedAtOnce() {
        const QString pipe = path(QStringLiteral("pipe.v5"));
        const test::GuardedFifo fifo(pipe);
        QVERIFY(fifo.made());
        const QString refused =
            QStringLiteral("Ошибка чтения\n%1: это именованный канал, а не файл").arg(pipe);
        for (const char* item : {"mnLoad", "mnCompareFile", "mnRestoreBackup"}) {
            h_.prompts.messages.clear();
            if (QByteArray(item) == "mnRestoreBackup")
                h_.safety.restoreAnswer = pipe;
            else
                h_.prompts.openAnswers.push_back(pipe);
            QElapsedTimer timer;
            timer.start();
            h_.choose(QStringLiteral("mnEEPROM"), QString::fromLatin1(item));
            QVERIFY2(timer.elapsed() < 1000, item);
            QCOMPARE(h_.prompts.messages, QStringList{refused});
            QCOMPARE(h_.window->windowTitle(), QStringLiteral("Файл не выбран"));
            // The window's event loop runs on.
            bool answered = false;
            QTimer::singleShot(0, h_.window, [&] { answered = true; });
            QTRY_VERIFY_WITH_TIMEOUT(answered, 1000);
        }
        QVERIFY(h_.safety.lists.empty());
        QVERIFY(!fifo.readerWaited());
    }
};

}  // namespace v5

QTEST_MAIN(v5::UnsavedWorkWindowTest)
#include "unsaved_work_window_test.moc"
