// The key panes in the window, on a fake input module in virtual time.
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "tests/keys/key_desktop.h"
#include "window/key_form.h"
#include "window/fit_font.h"
#include "tests/window/window_harness.h"

namespace v5 {

class KeysWindowTest : public QObject {
    Q_OBJECT

private:
    test::WindowHarness h_;
    test::ScriptedKeyCodes codes_;
    const KeyCode keyA_ = test::printedCode(0xABCDEF0123CD);

    Image& image() { return h_.desktop().image(); }
    QGroupBox* box(const QString& name) { return h_.find<QGroupBox>(name); }
    QListWidget* list(const QString& name) { return h_.find<QListWidget>(name); }
    // The texts of buttons and labels, joined by "|".
    QString texts(const QStringList& names) {
        QStringList found;
        for (const QString& name : names) {
            auto* button = h_.window->findChild<QAbstractButton*>(name);
            found << (button ? button->text() : h_.find<QLabel>(name)->text());
        }
        return found.join(u'|');
    }
    QStringList lines(QListWidget* list) {
        QStringList found;
        for (int row = 0; row < list->count(); ++row)
            found << list->item(row)->text();
        return found;
    }
    void clickLine(QListWidget* list, int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
    void expectGoodLayout(const QString& pane) {
        const QStringList problems = test::layoutProblems(box(pane));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    }

private slots:
    void init() {
        codes_ = test::ScriptedKeyCodes();
        h_.adjustSetup = [this](MainFormSetup& setup) { setup.keyCodePrompt = &codes_; };
        h_.start();
    }
    void cleanup() { h_.stop(); }

    void readKeyIsAddedAssignedNumberedAndDeleted() {
        QStringList items;
        for (QAction* item : h_.menu(QStringLiteral("mKey"))->actions())
            items << item->objectName() + u' ' + item->text() +
                         (item->isEnabled() ? QString() : QStringLiteral(" (disabled)"));
        QCOMPARE(items.join(u'|'), QStringLiteral("keyAdd Добавить|N22 Редактировать|"
                                                  "N16 Переписать из пульта ввода|N1 Ввести код|"
                                                  "mnKeysImport Загрузить из таблицы…"));
        h_.place(1, QStringLiteral("МШС1"));
        setZonaMask(image(), 3, test::loops({2}));
        setRazdelMask(image(), 2, test::loops({5}));
        const QByteArray rom = test::romOf(keyA_);
        h_.module->onCommand['K'] = [&] { h_.port->arriveAt(h_.clock->Now() + 300, rom); };
        h_.choose(QStringLiteral("mKey"), QStringLiteral("keyAdd"));

        QCOMPARE(box(QStringLiteral("gbSKey"))->title(), QStringLiteral("Ключ добавлен"));
        QVERIFY(!h_.find<QLabel>(QStringLiteral("stWait"))->isVisible());
        QCOMPARE(texts({QStringLiteral("LabelKey"), QStringLiteral("LabelZone"),
                        QStringLiteral("LabelTarnia"), QStringLiteral("LabelNmb")}),
                 QStringLiteral("код: ABCDEF0123cd|зона не назначена|Номер для СПИ: 1|порядковый номер: 1"));
        QCOMPARE(box(QStringLiteral("rgFunction"))->title(), QStringLiteral("Пользователь"));
        QCOMPARE(texts({QStringLiteral("rgFunction_0"), QStringLiteral("rgFunction_1"),
                        QStringLiteral("rgFunction_2"), QStringLiteral("ButtonAgain"),
                        QStringLiteral("bDelete"), QStringLiteral("Button3")}),
                 QStringLiteral("Хозяин|Монтер|ГЗ|Добавить|Удалить|Следующий"));
        QVERIFY(h_.find<QRadioButton>(QStringLiteral("rgFunction_0"))->isChecked());

        // The two lines that open a picker look like the buttons they are, not like text.
        for (const QString& name : {QStringLiteral("LabelZone"), QStringLiteral("LabelTarnia")})
            QVERIFY2(!h_.find<QToolButton>(name)->autoRaise(), qPrintable(name));
        h_.click(QStringLiteral("LabelZone"));
        h_.click(QStringLiteral("LabelTarnia"));
        QCOMPARE(box(QStringLiteral("gbKeyZone"))->title(), QStringLiteral("Доступные зоны и разделы"));
        QCOMPARE(lines(list(QStringLiteral("ListBox1"))),
                 (QStringList{QStringLiteral("Зона: 3"), QStringLiteral("Раздел: 2")}));
        QVERIFY(h_.find<QRadioButton>(QStringLiteral("rgTarniaNmb_0"))->isChecked());
        expectGoodLayout(QStringLiteral("gbSKey"));  // with both pickers open
        clickLine(list(QStringLiteral("ListBox1")), 0);
        h_.click(QStringLiteral("rgTarniaNmb_6"));
        QCOMPARE(texts({QStringLiteral("LabelZone"), QStringLiteral("LabelTarnia")}),
                 QStringLiteral("Зона: 3|номер для СПИ: 7"));
        QVERIFY(!box(QStringLiteral("gbKeyZone"))->isVisible() &&
                !box(QStringLiteral("rgTarniaNmb"))->isVisible());

        h_.click(QStringLiteral("rgFunction_1"));
        h_.click(QStringLiteral("Button3"));
        QVERIFY(!box(QStringLiteral("gbSKey"))->isVisible());
        QCOMPARE(lines(list(QStringLiteral("clbKey"))),
                 QStringList{QStringLiteral("Ключ 001 - abcdef0123cd   монтер          007")});
        clickLine(list(QStringLiteral("clbKey")), 0);
        QCOMPARE(box(QStringLiteral("gbSKey"))->title(), QStringLiteral("Ключ уже есть в памяти"));
        h_.click(QStringLiteral("bDelete"));
        QVERIFY(box(QStringLiteral("gbKey"))->isVisible());
        QCOMPARE(list(QStringLiteral("clbKey"))->count(), 0);
        QVERIFY(KeyEmpty(image(), 0));
    }

    void waitShowsItsPromptAndAnotherCommandEndsIt() {
        bool waitShown = false;
        h_.clock->onSleep = [&](qint64 now) {
            if (now != 555) return;
            auto* wait = h_.find<QLabel>(QStringLiteral("stWait"));
            waitShown = box(QStringLiteral("gbSKey"))->title() == QStringLiteral("Ключ") &&
                        wait->isVisible() && wait->text() == QStringLiteral("Введите ключ") &&
                        !h_.find<QLabel>(QStringLiteral("LabelKey"))->isVisible() &&
                        !box(QStringLiteral("rgFunction"))->isVisible();
            expectGoodLayout(QStringLiteral("gbSKey"));
            h_.choose(QStringLiteral("mKey"), QStringLiteral("N22"));
        };
        h_.choose(QStringLiteral("mKey"), QStringLiteral("keyAdd"));

        QVERIFY(waitShown);
        QCOMPARE(h_.clock->Now(), 555);
        QVERIFY(!h_.port->IsOpen());
        QVERIFY(!box(QStringLiteral("gbSKey"))->isVisible());
        QVERIFY(box(QStringLiteral("gbKey"))->isVisible());
    }

    // Where the system's fixed font turns out proportional, the list takes one whose characters all have
    // one width, of the same size.
    void aProportionalFixedFontGivesWayToAMonospacedOne() {
        const QFont proportional(QStringLiteral("DejaVu Sans"), 11);
        if (hasEqualAdvances(proportional)) QSKIP("no proportional font on this machine");
        const QFont chosen = fixedPitchFont(proportional);
        QVERIFY(hasEqualAdvances(chosen));
        QCOMPARE(chosen.pointSizeF(), 11.0);
        const QFont monospaced = fixedPitchFont();
        QVERIFY(hasEqualAdvances(monospaced));
    }

    void keyListShowsTheKeysInAFixedPitchFont() {
        test::storeKey(image(), 0, keyA_, 0xFA);
        test::storeKey(image(), 4, test::printedCode(0xBEEF), 0xFF, 3);
        h_.choose(QStringLiteral("mKey"), QStringLiteral("N22"));

        QCOMPARE(box(QStringLiteral("gbKey"))->title(), QStringLiteral("Ключи"));
        QListWidget* clbKey = list(QStringLiteral("clbKey"));
        // What the columns need: every character as wide as any other, whatever the font says of itself.
        const QFontMetrics metrics(clbKey->font());
        QCOMPARE(metrics.horizontalAdvance(QLatin1Char('i')), metrics.horizontalAdvance(QLatin1Char('0')));
        QCOMPARE(metrics.horizontalAdvance(QLatin1Char('W')), metrics.horizontalAdvance(QLatin1Char('0')));
        QCOMPARE(lines(clbKey),
                 (QStringList{QStringLiteral("Ключ 001 - abcdef0123cd   монтер          001"),
                              QStringLiteral("Ключ 005 - 00000000beef                   004")}));
        QCOMPARE(
            texts({QStringLiteral("lbKeyNumber"), QStringLiteral("lbKeyCode"),
                   QStringLiteral("lbKeyAssignment"), QStringLiteral("lbKeyTarnia"), QStringLiteral("btnNmb"),
                   QStringLiteral("btnZona"), QStringLiteral("btnEmpty")}),
            QStringLiteral("Порядковый\nномер ключа\nв приборе|Код ключа|Назначение|Номер ключа \nдля СПИ "
                           "|Отсортировать по номеру|Отсортировать по зоне|Неиспользованные"));
        QVERIFY(!h_.find<QPushButton>(QStringLiteral("btnNmb"))->isEnabled());
        expectGoodLayout(QStringLiteral("gbKey"));

        // The owner the site keeps stands beside the key's line, which reads as before; the note in its tooltip.
        SiteNames names;
        names.keys[5] = {QStringLiteral("Иванов И. И."), QStringLiteral("кв. 12")};
        h_.desktop().setNames(names);
        h_.choose(QStringLiteral("mKey"), QStringLiteral("N22"));
        QCOMPARE(clbKey->item(1)->text(),
                 QStringLiteral("Ключ 005 - 00000000beef                   004    Иванов И. И."));
        QCOMPARE(clbKey->item(1)->toolTip(), QStringLiteral("Иванов И. И.; кв. 12"));
        QCOMPARE(clbKey->item(0)->text(), QStringLiteral("Ключ 001 - abcdef0123cd   монтер          001"));
        QCOMPARE(texts({QStringLiteral("lbKeyOwner")}), QStringLiteral("Владелец"));

        h_.click(QStringLiteral("btnZona"));
        QCOMPARE(clbKey->count(), 0);
        QVERIFY(!h_.find<QPushButton>(QStringLiteral("btnZona"))->isEnabled());
        h_.click(QStringLiteral("btnEmpty"));
        QCOMPARE(clbKey->count(), 1);
        clickLine(clbKey, 0);
        QCOMPARE(texts({QStringLiteral("LabelNmb")}), QStringLiteral("порядковый номер: 5"));
    }

    void keyFormTakesTwelveHexadecimalDigitsOrSaysWhatIsMissing() {
        auto* form = h_.window->findChild<TKeyForm*>(QStringLiteral("TKeyForm"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Код доступа"));
        auto* edit = form->findChild<QLineEdit*>(QStringLiteral("EditBox"));
        auto* ok = form->findChild<QPushButton*>(QStringLiteral("bOk"));
        QCOMPARE(ok->text(), QStringLiteral("Ok"));
        QTimer::singleShot(0, form, [&] {
            QTRY_VERIFY(edit->hasFocus());
            QCOMPARE(edit->displayText(), QStringLiteral("000000000000"));
            QTest::keyClicks(edit, QStringLiteral("abcdeFg012345"));  // "g" is no hexadecimal digit
            QTest::mouseClick(ok, Qt::LeftButton);
        });
        QTimer::singleShot(10'000, form, [form] { form->reject(); });  // never hang the run
        QCOMPARE(form->keyCode(QStringLiteral("000000000000")),
                 std::optional(QStringLiteral("abcdeF012345")));

        // A line says what to type; a Russian layout's А В С Е are read as A B C E; "Отмена" cancels.
        QVERIFY(form->findChild<QLabel*>(QStringLiteral("lblHint"))->text().contains(QStringLiteral("A–F")));
        auto* cancel = form->findChild<QPushButton*>(QStringLiteral("bCancel"));
        QCOMPARE(cancel->text(), QStringLiteral("Отмена"));
        QTimer::singleShot(0, form, [&] {
            QTRY_VERIFY(edit->hasFocus());
            edit->selectAll();
            for (const QChar c : QStringLiteral("АвСе"))
                QTest::sendKeyEvent(QTest::Click, edit, Qt::Key(c.toUpper().unicode()), QString(c),
                                    Qt::NoModifier);
            QTest::keyClicks(edit, QStringLiteral("x12"));  // "x" is refused
            QCOMPARE(edit->text(), QStringLiteral("AbCe12"));
            QTest::mouseClick(ok, Qt::LeftButton);
        });
        QCOMPARE(form->keyCode(QStringLiteral("000000000000")), std::optional(QStringLiteral("AbCe12")));
        QTimer::singleShot(0, form, [&] {
            QTRY_VERIFY(edit->hasFocus());
            QCOMPARE(edit->cursorPosition(), 6);  // a short code is continued where it ends
            QTest::mouseClick(cancel, Qt::LeftButton);
        });
        QCOMPARE(form->keyCode(QStringLiteral("AbCe12")), std::nullopt);

        // A short code is refused with how many digits are missing; nothing is added.
        codes_.answers = {QStringLiteral("AbCe12"), std::nullopt};
        h_.choose(QStringLiteral("mKey"), QStringLiteral("N1"));
        QCOMPARE(h_.prompts.messages.size(), 1);
        QVERIFY2(h_.prompts.messages.front().startsWith(QStringLiteral("Не хватает 6 цифр")),
                 qPrintable(h_.prompts.messages.front()));
        QVERIFY(keyListRecords(image(), KeyOrder::Number).empty());

        // The window asks its prompt (scripted here) and adds the typed key.
        codes_.answers = {QStringLiteral("ABCDEF0123CD")};
        h_.choose(QStringLiteral("mKey"), QStringLiteral("N1"));
        QCOMPARE(box(QStringLiteral("gbSKey"))->title(), QStringLiteral("Ключ добавлен"));
        QCOMPARE(keyCode(image(), 0), keyA_);
    }
};

}  // namespace v5

QTEST_MAIN(v5::KeysWindowTest)
#include "keys_window_test.moc"
