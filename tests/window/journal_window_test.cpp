// "Журнал событий": the table under the filters, its counts, the CSV it saves (the command line's for
// the same filters) and a journal that follows the configuration.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableView>
#include <QtTest>

#include "files/names_file.h"
#include "tests/journal/journal_site.h"
#include "tests/support/cli_run.h"
#include "tests/window/window_harness.h"
#include "window/journal_window.h"

namespace v5 {

class JournalWindowTest : public QObject {
    Q_OBJECT

private:
    test::WindowHarness h_;
    test::JournalSite site_;

    QString path(const QString& name) const { return h_.dir->filePath(name); }
    // Loads `image` with the site's names beside it through "Прочитать с  диска".
    void load(const Image& image, const QString& name) {
        QVERIFY(test::writeAll(path(name), image.toByteArray()));
        QVERIFY(!writeNamesFile(namesPathFor(path(name)), site_.names));
        h_.prompts.openAnswers.push_back(path(name));
        h_.choose(QStringLiteral("mnEEPROM"), QStringLiteral("mnLoad"));
    }
    JournalWindow* openJournal() {
        h_.action(QStringLiteral("mJournal"))->trigger();
        auto* journal = h_.window->findChild<JournalWindow*>(QStringLiteral("JournalWindow"));
        if (journal && !QTest::qWaitFor([journal] { return journal->isVisible(); })) return nullptr;
        return journal;
    }
    // Typed key by key as a Russian layout sends them: QTest::keyClicks knows only ASCII.
    static void typeInto(QWidget* field, const QString& text) {
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, field, static_cast<Qt::Key>(c.toUpper().unicode()), QString(c),
                                Qt::NoModifier);
    }
    QString count() const { return h_.find<QLabel>(QStringLiteral("lblCount"))->text(); }
    template <class T>
    T* in(JournalWindow* journal, const char* name) const {
        return journal->findChild<T*>(QString::fromLatin1(name));
    }
    QStringList column(JournalWindow* journal, int c) const {
        const QAbstractItemModel* model = in<QTableView>(journal, "tvJournal")->model();
        QStringList out;
        for (int r = 0; r < model->rowCount(); ++r)
            out << model->index(r, c).data().toString();
        return out;
    }

private slots:
    void init() { h_.start(); }
    void cleanup() { h_.stop(); }

    void theFiltersNarrowTheTableAndTheCountSaysSo() {
        load(site_.image, QStringLiteral("site.v5"));
        JournalWindow* journal = openJournal();
        QVERIFY(journal);
        QCOMPARE(count(), QStringLiteral("Показано 9 из 9"));
        QCOMPARE(column(journal, 0).join(u','), QStringLiteral("0,1,2,3,4,5,6,7,8"));
        QCOMPARE(column(journal, 4).at(1), QStringLiteral("ключ 5 «Иванов; И.»; шлейфы 1, 2 «Окно, кухня», 3-4"));

        in<QCheckBox>(journal, "cbKindPower")->click();
        QCOMPARE(count(), QStringLiteral("Показано 7 из 9"));
        typeInto(in<QLineEdit>(journal, "edSearch"), QStringLiteral("север"));
        QCOMPARE(column(journal, 0).join(u','), QStringLiteral("1,2,6"));
        in<QLineEdit>(journal, "edSearch")->clear();
        in<QComboBox>(journal, "cbPlace")->setCurrentIndex(1);
        in<QSpinBox>(journal, "sbPlace")->setValue(1);
        QCOMPARE(column(journal, 0).join(u','), QStringLiteral("1,6"));
        in<QSpinBox>(journal, "sbKey")->setValue(5);
        QCOMPARE(count(), QStringLiteral("Показано 1 из 9"));
        in<QSpinBox>(journal, "sbKey")->setValue(0);
        in<QComboBox>(journal, "cbOrder")->setCurrentIndex(1);
        QCOMPARE(column(journal, 0).join(u','), QStringLiteral("6,1"));

        // "Все" ticks every kind back; pressed again, it unticks them all.
        auto* all = in<QPushButton>(journal, "btnAllKinds");
        all->click();
        QCOMPARE(column(journal, 0).join(u','), QStringLiteral("6,1"));
        in<QSpinBox>(journal, "sbPlace")->setValue(0);
        QCOMPARE(count(), QStringLiteral("Показано 9 из 9"));
        all->click();
        QCOMPARE(count(), QStringLiteral("Показано 0 из 9"));
    }

    void powerOnRowsAreMarkedForTheDelegate() {
        load(site_.image, QStringLiteral("site.v5"));
        JournalWindow* journal = openJournal();
        QVERIFY(journal);
        const QAbstractItemModel* model = in<QTableView>(journal, "tvJournal")->model();
        QStringList marked;
        for (int r = 0; r < model->rowCount(); ++r)
            if (model->index(r, 2).data(JournalModel::kPowerOnRole).toBool()) marked << model->index(r, 0).data().toString();
        QCOMPARE(marked.join(u','), QStringLiteral("0,4"));
        QVERIFY(journal->grab().width() > 0);  // painted with the rules, offscreen
    }

    void theSavedCsvIsTheCommandLinesForTheSameFilters() {
        load(site_.image, QStringLiteral("site.v5"));
        JournalWindow* journal = openJournal();
        QVERIFY(journal);
        in<QCheckBox>(journal, "cbKindPower")->click();
        in<QComboBox>(journal, "cbPlace")->setCurrentIndex(1);
        in<QSpinBox>(journal, "sbPlace")->setValue(2);
        in<QComboBox>(journal, "cbOrder")->setCurrentIndex(1);
        in<QCheckBox>(journal, "cbExcel")->click();
        h_.prompts.saveAnswers.push_back(path(QStringLiteral("out.csv")));
        in<QPushButton>(journal, "btnSaveCsv")->click();
        QVERIFY(h_.prompts.messages.isEmpty());
        QCOMPARE(h_.prompts.lastProposedSaveName, path(QStringLiteral("arj.csv")));

        const QStringList everyKindButPower = {
            QStringLiteral("--kind"),
            QStringLiteral("alarm,fault,fire,arming,disarming,installer,response,housing,link,settings,other")};
        const test::CliRun cli = test::runCli(QStringList{QStringLiteral("archive"), QStringLiteral("--excel")} +
                                              everyKindButPower +
                                              QStringList{QStringLiteral("--zone"), QStringLiteral("2"),
                                                          QStringLiteral("--newest-first"), QStringLiteral("-o"),
                                                          QStringLiteral("-"), path(QStringLiteral("site.v5"))});
        QCOMPARE(cli.status, 0);
        const QByteArray saved = test::readAll(path(QStringLiteral("out.csv")));
        QCOMPARE(saved, cli.out);
        QVERIFY(saved.startsWith("\xEF\xBB\xBF"));
        QCOMPARE(saved.count("\r\n"), 4);  // the header and records 6, 2 and 1

        // A failed write is told and leaves the file as it was.
        h_.prompts.saveAnswers.push_back(path(QStringLiteral("no-such-folder/out.csv")));
        in<QPushButton>(journal, "btnSaveCsv")->click();
        QCOMPARE(h_.prompts.messages.size(), 1);
        QVERIFY(h_.prompts.messages.first().contains(QStringLiteral("no-such-folder")));
        // A cancelled dialog writes nothing.
        h_.prompts.saveAnswers.push_back(std::nullopt);
        in<QPushButton>(journal, "btnSaveCsv")->click();
        QCOMPARE(test::readAll(path(QStringLiteral("out.csv"))), saved);
    }

    void followsLoadsAndUndo() {
        JournalWindow* journal = openJournal();
        QVERIFY(journal);
        QCOMPARE(count(), QStringLiteral("Показано 0 из 0"));
        load(site_.image, QStringLiteral("site.v5"));
        QCOMPARE(count(), QStringLiteral("Показано 9 из 9"));
        in<QLineEdit>(journal, "edSearch")->setText(QStringLiteral("склад"));
        QCOMPARE(count(), QStringLiteral("Показано 3 из 9"));

        // Another site: the filter stays, the rows are the new archive's.
        Image other = site_.image;
        test::putEvent(other, 9, 0x62, {3, 12}, {10, 0, 0}, test::loops({9}));
        test::pointArchiveTo(other, 9);
        load(other, QStringLiteral("other.v5"));
        QCOMPARE(count(), QStringLiteral("Показано 4 из 10"));
        h_.choose(QStringLiteral("mnEdit"), QStringLiteral("mnUndo"));
        QCOMPARE(count(), QStringLiteral("Показано 3 из 9"));

        // A read from the panel replaces the image the same way.
        h_.desktop().acceptReadImage(other.bytes());
        h_.window->render();
        QCOMPARE(count(), QStringLiteral("Показано 4 из 10"));
        // The menu item brings the same window back.
        QCOMPARE(openJournal(), journal);
    }

    void everyControlHasANameAndACaptionForScreenReaders() {
        JournalWindow* journal = openJournal();
        QVERIFY(journal);
        QStringList unnamed;
        for (QWidget* w : journal->findChildren<QWidget*>()) {
            const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QSpinBox*>(w) ||
                                 qobject_cast<QComboBox*>(w) || qobject_cast<QLineEdit*>(w) ||
                                 qobject_cast<QTableView*>(w) || qobject_cast<QLabel*>(w) ||
                                 qobject_cast<QGroupBox*>(w);
            // The parts Qt builds into a control (a spin box's editor, the clear button, the table's
            // corner) belong to it.
            QWidget* owner = w->parentWidget();
            if (!control || qobject_cast<QAbstractSpinBox*>(owner) || qobject_cast<QComboBox*>(owner) ||
                qobject_cast<QLineEdit*>(owner) || qobject_cast<QAbstractItemView*>(owner))
                continue;
            if (w->objectName().isEmpty() || w->accessibleName().isEmpty())
                unnamed << QStringLiteral("%1 %2").arg(QString::fromLatin1(w->metaObject()->className()), w->objectName());
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u", ")));
    }
};

}  // namespace v5

QTEST_MAIN(v5::JournalWindowTest)
#include "journal_window_test.moc"
