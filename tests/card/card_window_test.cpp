// "Карточка объекта…" in the window: the card of the site read from a file, in Qt's print preview,
// saved as PDF through the preview's own item.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPrintPreviewDialog>
#include <QTimer>
#include <QtTest>

#include "files/names_file.h"
#include "tests/card/card_image.h"
#include "tests/window/window_harness.h"

namespace v5 {

class CardWindowTest : public QObject {
    Q_OBJECT

private:
    test::WindowHarness h_;

    QString path(const char* name) const { return h_.dir->filePath(QString::fromLatin1(name)); }

    // Opens the card through its menu item; `inPreview` runs on the preview once it shows, which it
    // then closes. False when no preview showed.
    bool withPreview(const std::function<void(QPrintPreviewDialog*)>& inPreview) {
        bool shown = false;
        QTimer poll;
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, this, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* preview = qobject_cast<QPrintPreviewDialog*>(w);
                if (!preview || !preview->isVisible()) continue;
                poll.stop();
                shown = true;
                inPreview(preview);
                preview->reject();
            }
        });
        poll.start();
        h_.choose(QString(), QStringLiteral("mnSiteCard"));
        return shown;
    }

private slots:
    void init() {
        h_.start();
        QVERIFY(test::writeAll(path("site.v5"), test::cardImage().toByteArray()));
        QVERIFY(!writeNamesFile(path("site.names.json"), test::cardNames()));
        h_.prompts.openAnswers.push_back(path("site.v5"));
        h_.choose(QStringLiteral("mnEEPROM"), QStringLiteral("mnLoad"));
        QCOMPARE(h_.desktop().names().site.name, QStringLiteral("Склад №2"));
    }
    void cleanup() { h_.stop(); }

    void theItemShowsThePreviewWhichSavesTheCardAsPdf() {
        QString printCaption;
        h_.prompts.saveAnswers.push_back(path("card.pdf"));
        QVERIFY(withPreview([&](QPrintPreviewDialog* preview) {
            if (QAction* print = preview->findChild<QAction*>(QStringLiteral("actPrintCard")))
                printCaption = print->text();
            QAction* save = preview->findChild<QAction*>(QStringLiteral("actSaveCardPdf"));
            QVERIFY(save);
            QCOMPARE(save->text(), QStringLiteral("Сохранить в PDF"));
            save->trigger();
        }));
        QCOMPARE(printCaption, QStringLiteral("Печать"));
        // Proposed beside the settings file.
        QCOMPARE(h_.prompts.lastProposedSaveName, path("site.card.pdf"));
        QVERIFY(test::readAll(path("card.pdf")).startsWith("%PDF-"));
        QVERIFY(h_.prompts.messages.isEmpty());
        QCOMPARE(h_.prompts.notices.size(), 1);
        QVERIFY(h_.prompts.notices.front().contains(path("card.pdf")));
    }

    void aPdfThatCannotBeWrittenIsToldAndACancelWritesNothing() {
        h_.prompts.saveAnswers.push_back(path("no/such/folder/card.pdf"));
        QVERIFY(withPreview([](QPrintPreviewDialog* preview) {
            preview->findChild<QAction*>(QStringLiteral("actSaveCardPdf"))->trigger();
        }));
        QCOMPARE(h_.prompts.messages.size(), 1);
        QVERIFY(h_.prompts.messages.front().startsWith(QStringLiteral("Ошибка записи\n")));
        QVERIFY(h_.prompts.notices.isEmpty());

        // Cancelling the file name writes nothing.
        h_.prompts.saveAnswers.push_back(std::nullopt);
        QVERIFY(withPreview([](QPrintPreviewDialog* preview) {
            preview->findChild<QAction*>(QStringLiteral("actSaveCardPdf"))->trigger();
        }));
        QCOMPARE(h_.prompts.messages.size(), 1);
        QCOMPARE(QDir(h_.dir->path()).entryList({QStringLiteral("*.pdf")}), QStringList());
    }
};

}  // namespace v5

QTEST_MAIN(v5::CardWindowTest)
#include "card_window_test.moc"
