// "Ключи" → "Загрузить из таблицы…" in the window: the preview, "Загрузить" as one undo step, "Отмена".
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "tests/keys/key_desktop.h"
#include "tests/window/window_harness.h"
#include "window/key_import_dialog.h"

namespace v5 {

class KeyImportWindowTest : public QObject {
    Q_OBJECT

private:
    test::WindowHarness h_;

    Image& image() { return h_.desktop().image(); }
    QString table(const QString& text) {
        const QString path = h_.dir->filePath(QStringLiteral("keys.csv"));
        [&] { QVERIFY(test::writeAll(path, text.toUtf8())); }();
        return path;
    }
    // Chooses the menu item with `path` as the file; the preview that opens.
    KeyImportDialog* preview(const QString& path) {
        h_.prompts.openAnswers.push_back(path);
        h_.choose(QStringLiteral("mKey"), QStringLiteral("mnKeysImport"));
        return h_.window->findChild<KeyImportDialog*>(QStringLiteral("dlgKeyImport"));
    }
    static QStringList lines(const QDialog* dialog) {
        QStringList found;
        const auto* list = dialog->findChild<QListWidget*>(QStringLiteral("lbKeyImport"));
        for (int row = 0; row < list->count(); ++row)
            found << list->item(row)->text();
        return found;
    }

private slots:
    void init() {
        h_.start();
        h_.place(1, QStringLiteral("МШС1"));
        setZonaMask(image(), 3, test::loops({2}));
        test::storeKey(image(), 0, test::printedCode(0xABCDEF012345), 0x02, 4);
        SiteNames names;
        names.keys[1] = {QStringLiteral("Иванов"), QString()};
        h_.desktop().setNames(names);
        // As after a pane reset: the sweep has nothing more to do.
        h_.desktop().ClearDesktop();
        h_.window->render();
    }
    void cleanup() { h_.stop(); }

    void previewThenLoadIsOneUndoStep() {
        const Image before = image();
        const SiteNames namesBefore = h_.desktop().names();
        QDialog* dialog =
            preview(table(QStringLiteral("number,code,assignment,spi_number,owner,note\n"
                                         "1,abcdef012345,зона 3,5,Иванова,\n"
                                         ",0000000000a1,зона 3,2,Петров,кв. 7\n")));
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        QCOMPARE(lines(dialog),
                 (QStringList{
                     QStringLiteral("строка 2: изменить ключ 1: владелец «Иванов» → «Иванова»"),
                     QStringLiteral("строка 3: добавить ключ 2: 0000000000a1, зона 3, СПИ 2, "
                                    "владелец «Петров», примечание «кв. 7»"),
                 }));
        // Nothing is loaded before the user says so.
        QVERIFY(image().toByteArray() == before.toByteArray());

        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnKeyImportLoad")),
                          Qt::LeftButton);
        QTRY_VERIFY(!h_.window->findChild<KeyImportDialog*>());
        QCOMPARE(config::Key::decode(image(), 1).code, test::printedCode(0xA1));
        QCOMPARE(h_.desktop().names().keys.at(2),
                 (KeyName{QStringLiteral("Петров"), QStringLiteral("кв. 7")}));
        QCOMPARE(h_.desktop().names().keys.at(1).owner, QStringLiteral("Иванова"));
        // The key list shows the result.
        QVERIFY(h_.find<QWidget>(QStringLiteral("gbKey"))->isVisible());
        QCOMPARE(h_.find<QListWidget>(QStringLiteral("clbKey"))->count(), 2);
        QCOMPARE(h_.action(QStringLiteral("mnUndo"))->text(),
                 QStringLiteral("Отменить: загрузка ключей из таблицы keys.csv"));

        h_.action(QStringLiteral("mnUndo"))->trigger();
        QVERIFY(image().toByteArray() == before.toByteArray());
        QVERIFY(h_.desktop().names() == namesBefore);
    }

    void errorsAreShownAndNothingLoads() {
        const Image before = image();
        QDialog* dialog =
            preview(table(QStringLiteral("number,code,assignment,spi_number\n"
                                         ",0000000000a1,зона 3,1\n"
                                         ",0000000000a2,зона 5,1\n")));
        QVERIFY(dialog);
        QCOMPARE(lines(dialog), QStringList{QStringLiteral("строка 3: зоны 5 нет: в ней нет шлейфов")});
        QVERIFY(!dialog->findChild<QPushButton*>(QStringLiteral("btnKeyImportLoad"))->isEnabled());
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnKeyImportCancel")),
                          Qt::LeftButton);
        QTRY_VERIFY(!h_.window->findChild<KeyImportDialog*>());
        QVERIFY(image().toByteArray() == before.toByteArray());
        QVERIFY(!h_.action(QStringLiteral("mnUndo"))->text().contains(QStringLiteral("таблицы")));
    }
};

}  // namespace v5

QTEST_MAIN(v5::KeyImportWindowTest)
#include "key_import_window_test.moc"
