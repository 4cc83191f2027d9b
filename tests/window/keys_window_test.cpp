// The key panes in the window, on a fake input module in virtual time.
#include <QButtonGroup>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include "key_desktop.h"
#include "key_form.h"
#include "window_harness.h"

namespace v5 {

class KeysWindowTest : public QObject {
    Q_OBJECT

private:
    test::WindowHarness h_;
    test::ScriptedKeyCodes codes_;
    const KeyCode keyA_ = test::printedCode(0xABCDEF0123CD);

    template <class T>
    T* find(const QString& name) {
        return h_.find<T>(name);
    }
    Desktop& desktop() { return h_.desktop(); }
    std::span<std::uint8_t> record(std::size_t i) { return desktop().image().record(map::KeyRecords, i); }
    void presentKey(const KeyCode& code) {
        const QByteArray rom = test::romOf(code);
        h_.module->onCommand['K'] = [this, rom] { h_.port->arriveAt(h_.clock->Now() + 300, rom); };
    }
    QString text(const QString& name) {
        if (auto* button = h_.window->findChild<QAbstractButton*>(name)) return button->text();
        return find<QLabel>(name)->text();
    }
    void clickLine(QListWidget* list, int row) {
        QVERIFY(row < list->count());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
    void expectGoodLayout(const QString& pane) {
        const QStringList problems = test::layoutProblems(find<QWidget>(pane));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }
    QStringList lines(const QString& name) {
        QStringList texts;
        auto* list = find<QListWidget>(name);
        for (int row = 0; row < list->count(); ++row)
            texts << list->item(row)->text();
        return texts;
    }

private slots:
    void init() {
        codes_ = test::ScriptedKeyCodes();
        h_.adjustSetup = [this](MainFormSetup& setup) { setup.keyCodePrompt = &codes_; };
        h_.start();
    }
    void cleanup() { h_.stop(); }

    void keyMenuOffersItsFourCommands() {
        QStringList items;
        for (QAction* item : h_.menu(QStringLiteral("mKey"))->actions()) {
            items << item->objectName() + QLatin1Char(' ') + item->text();
            QVERIFY(item->isEnabled());
        }
        QCOMPARE(items, (QStringList{QStringLiteral("keyAdd Добавить"), QStringLiteral("N22 Редактировать"),
                                     QStringLiteral("N16 Переписать из пульта ввода"),
                                     QStringLiteral("N1 Ввести код")}));
    }

    void readKeyIsAddedAssignedNumberedAndDeleted() {
        h_.place(1, QStringLiteral("МШС1"));
        setZonaMask(desktop().image(), 3, test::loops({2}));
        setRazdelMask(desktop().image(), 2, test::loops({5}));
        presentKey(keyA_);
        h_.choose(QStringLiteral("mKey"), QStringLiteral("keyAdd"));

        auto* card = find<QGroupBox>(QStringLiteral("gbSKey"));
        QVERIFY(card->isVisible());
        QCOMPARE(card->title(), QStringLiteral("Ключ добавлен"));
        QVERIFY(!find<QLabel>(QStringLiteral("stWait"))->isVisible());
        QCOMPARE(text(QStringLiteral("LabelKey")), QStringLiteral("код: ABCDEF0123cd"));
        QCOMPARE(text(QStringLiteral("LabelZone")), QStringLiteral("зона не назначена"));
        QCOMPARE(text(QStringLiteral("LabelTarnia")), QStringLiteral("Номер для СПИ: 1"));
        QCOMPARE(text(QStringLiteral("LabelNmb")), QStringLiteral("порядковый номер: 1"));
        QCOMPARE(find<QGroupBox>(QStringLiteral("rgFunction"))->title(), QStringLiteral("Пользователь"));
        QCOMPARE(text(QStringLiteral("rgFunction0")) + text(QStringLiteral("rgFunction1")) +
                     text(QStringLiteral("rgFunction2")),
                 QStringLiteral("ХозяинМонтерГЗ"));
        QVERIFY(find<QRadioButton>(QStringLiteral("rgFunction0"))->isChecked());
        QCOMPARE(text(QStringLiteral("ButtonAgain")) + text(QStringLiteral("bDelete")) +
                     text(QStringLiteral("Button3")),
                 QStringLiteral("ДобавитьУдалитьСледующий"));
        expectGoodLayout(QStringLiteral("gbSKey"));

        h_.click(QStringLiteral("LabelZone"));
        QVERIFY(find<QGroupBox>(QStringLiteral("gbKeyZone"))->isVisible());
        QCOMPARE(find<QGroupBox>(QStringLiteral("gbKeyZone"))->title(),
                 QStringLiteral("Доступные зоны и разделы"));
        QCOMPARE(lines(QStringLiteral("ListBox1")),
                 (QStringList{QStringLiteral("Зона: 3"), QStringLiteral("Раздел: 2")}));
        h_.click(QStringLiteral("LabelTarnia"));
        QVERIFY(find<QGroupBox>(QStringLiteral("rgTarniaNmb"))->isVisible());
        QVERIFY(find<QRadioButton>(QStringLiteral("rgTarniaNmb1"))->isChecked());
        expectGoodLayout(QStringLiteral("gbSKey"));

        clickLine(find<QListWidget>(QStringLiteral("ListBox1")), 0);
        QCOMPARE(text(QStringLiteral("LabelZone")), QStringLiteral("Зона: 3"));
        QVERIFY(!find<QGroupBox>(QStringLiteral("gbKeyZone"))->isVisible());
        QCOMPARE(record(0)[kAssignmentByte], 0x02);
        h_.click(QStringLiteral("rgTarniaNmb7"));
        QCOMPARE(text(QStringLiteral("LabelTarnia")), QStringLiteral("номер для СПИ: 7"));
        QVERIFY(!find<QGroupBox>(QStringLiteral("rgTarniaNmb"))->isVisible());
        QCOMPARE(record(0)[kTarniaByte], 6);

        h_.click(QStringLiteral("rgFunction1"));
        h_.click(QStringLiteral("Button3"));
        QVERIFY(find<QGroupBox>(QStringLiteral("gbKey"))->isVisible());
        QVERIFY(!card->isVisible());
        QCOMPARE(lines(QStringLiteral("clbKey")),
                 QStringList{QStringLiteral("Ключ 001 - abcdef0123cd   монтер          007")});

        clickLine(find<QListWidget>(QStringLiteral("clbKey")), 0);
        QVERIFY(card->isVisible());
        QCOMPARE(card->title(), QStringLiteral("Ключ уже есть в памяти"));
        h_.click(QStringLiteral("bDelete"));
        QVERIFY(find<QGroupBox>(QStringLiteral("gbKey"))->isVisible());
        QCOMPARE(find<QListWidget>(QStringLiteral("clbKey"))->count(), 0);
        QVERIFY(KeyEmpty(desktop().image(), 0));
        QCOMPARE(record(0)[kAssignmentByte], 0xFF);
    }

    void cardWaitsForTheKeyAndAnotherCommandEndsTheWait() {
        bool waitShown = false;
        bool chosen = false;
        h_.clock->onSleep = [&](qint64 now) {
            if (chosen || now < 555) return;
            chosen = true;
            auto* card = find<QGroupBox>(QStringLiteral("gbSKey"));
            auto* wait = find<QLabel>(QStringLiteral("stWait"));
            waitShown = card && card->isVisible() && card->title() == QStringLiteral("Ключ") &&
                        wait->isVisible() && wait->text() == QStringLiteral("Введите ключ") &&
                        !find<QLabel>(QStringLiteral("LabelKey"))->isVisible() &&
                        !find<QGroupBox>(QStringLiteral("rgFunction"))->isVisible();
            if (waitShown) expectGoodLayout(QStringLiteral("gbSKey"));
            h_.choose(QStringLiteral("mKey"), QStringLiteral("N22"));
        };
        h_.choose(QStringLiteral("mKey"), QStringLiteral("keyAdd"));

        QVERIFY(waitShown);
        QCOMPARE(h_.clock->Now(), 555);
        QVERIFY(!h_.port->IsOpen());
        QVERIFY(!find<QGroupBox>(QStringLiteral("gbSKey"))->isVisible());
        QVERIFY(find<QGroupBox>(QStringLiteral("gbKey"))->isVisible());
    }

    void noKeyHidesTheCardSilently() {
        h_.choose(QStringLiteral("mKey"), QStringLiteral("keyAdd"));
        QCOMPARE(h_.clock->Now(), 55 + 101 * 100);
        QVERIFY(!h_.port->IsOpen());
        QVERIFY(!find<QGroupBox>(QStringLiteral("gbSKey"))->isVisible());
        QVERIFY(h_.prompts.messages.isEmpty());
    }

    void keyListShowsTheKeysInAFixedPitchFont() {
        h_.place(1, QStringLiteral("МШС1"));
        setZonaMask(desktop().image(), 3, test::loops({2}));
        test::storeKey(desktop().image(), 0, keyA_, 0xFA);
        test::storeKey(desktop().image(), 1, test::printedCode(0x1234), 0x02, 3);
        test::storeKey(desktop().image(), 4, test::printedCode(0xBEEF), 0xFF);
        h_.choose(QStringLiteral("mKey"), QStringLiteral("N22"));

        auto* pane = find<QGroupBox>(QStringLiteral("gbKey"));
        QVERIFY(pane->isVisible());
        QCOMPARE(pane->title(), QStringLiteral("Ключи"));
        auto* list = find<QListWidget>(QStringLiteral("clbKey"));
        QVERIFY(QFontInfo(list->font()).fixedPitch());
        QCOMPARE(lines(QStringLiteral("clbKey")),
                 (QStringList{QStringLiteral("Ключ 001 - abcdef0123cd   монтер          001"),
                              QStringLiteral("Ключ 002 - 000000001234   зона  003       004"),
                              QStringLiteral("Ключ 005 - 00000000beef                   001")}));
        QCOMPARE(text(QStringLiteral("lbKeyNumber")), QStringLiteral("Порядковый\nномер ключа\nв приборе"));
        QCOMPARE(text(QStringLiteral("lbKeyCode")), QStringLiteral("Код ключа"));
        QCOMPARE(text(QStringLiteral("lbKeyAssignment")), QStringLiteral("Назначение"));
        QCOMPARE(text(QStringLiteral("lbKeyTarnia")), QStringLiteral("Номер ключа \nдля СПИ "));
        QCOMPARE(text(QStringLiteral("btnNmb")) + u'|' + text(QStringLiteral("btnZona")) + u'|' +
                     text(QStringLiteral("btnEmpty")),
                 QStringLiteral("Отсортировать по номеру|Отсортировать по зоне|Неиспользованные"));
        QVERIFY(!find<QPushButton>(QStringLiteral("btnNmb"))->isEnabled());
        expectGoodLayout(QStringLiteral("gbKey"));

        h_.click(QStringLiteral("btnZona"));
        QVERIFY(!find<QPushButton>(QStringLiteral("btnZona"))->isEnabled());
        QVERIFY(find<QPushButton>(QStringLiteral("btnNmb"))->isEnabled());
        QCOMPARE(list->count(), 1);
        h_.click(QStringLiteral("btnEmpty"));
        QCOMPARE(lines(QStringLiteral("clbKey")),
                 QStringList{QStringLiteral("Ключ 005 - 00000000beef                   001")});
        clickLine(list, 0);
        QCOMPARE(text(QStringLiteral("LabelNmb")), QStringLiteral("порядковый номер: 5"));
        QCOMPARE(find<QGroupBox>(QStringLiteral("gbSKey"))->title(),
                 QStringLiteral("Ключ уже есть в памяти"));
    }

    void typedCodeAddsTheKey() {
        codes_.answers = {QStringLiteral("ABCDEF0123CD")};
        h_.choose(QStringLiteral("mKey"), QStringLiteral("N1"));
        QCOMPARE(codes_.shown, QStringList{QStringLiteral("000000000000")});
        QCOMPARE(find<QGroupBox>(QStringLiteral("gbSKey"))->title(), QStringLiteral("Ключ добавлен"));
        QCOMPARE(keyCode(desktop().image(), 0), keyA_);
    }

    void keyFormTakesTwelveHexadecimalDigits() {
        auto* form = h_.window->findChild<TKeyForm*>(QStringLiteral("TKeyForm"));
        QVERIFY(form);
        QCOMPARE(form->windowTitle(), QStringLiteral("Код доступа"));
        auto* edit = form->findChild<QLineEdit*>(QStringLiteral("EditBox"));
        auto* ok = form->findChild<QPushButton*>(QStringLiteral("bOk"));
        QCOMPARE(ok->text(), QStringLiteral("Ok"));

        QString typed;
        QTimer::singleShot(0, form, [&] {
            QTRY_VERIFY(edit->hasFocus());
            QCOMPARE(edit->displayText(), QStringLiteral("000000000000"));
            QTest::keyClicks(edit, QStringLiteral("abcdeFg012345"));  // "g" is no hexadecimal digit
            QTest::mouseClick(ok, Qt::LeftButton);
        });
        QTimer::singleShot(10'000, form, [form] { form->reject(); });  // never hang the run
        const std::optional<QString> code = form->keyCode(QStringLiteral("000000000000"));
        QVERIFY(code);
        QCOMPARE(*code, QStringLiteral("abcdeF012345"));
        QVERIFY(!form->isVisible());
    }

    void consoleCopyShowsTheNewKeysInTheShownList() {
        test::storeKey(desktop().image(), 5, keyA_, 0xFF);
        h_.choose(QStringLiteral("mKey"), QStringLiteral("N22"));
        QCOMPARE(find<QListWidget>(QStringLiteral("clbKey"))->count(), 1);
        QByteArray block(144, '\0');
        for (int i = 0; i < block.size(); ++i)
            block[i] = static_cast<char>(0x21 + i);
        h_.module->onCommand['P'] = [&] { h_.port->arriveAt(h_.clock->Now() + 1000, block); };
        QCOMPARE(test::chooseAndAcknowledge(h_.window, QStringLiteral("N16")),
                 QStringLiteral("чтение ключей из КН-4 - успешно"));
        QVERIFY(find<QGroupBox>(QStringLiteral("gbKey"))->isVisible());
        QCOMPARE(find<QListWidget>(QStringLiteral("clbKey"))->count(), 25);
        QCOMPARE(record(960)[0], 0x21);
    }
};

}  // namespace v5

QTEST_MAIN(v5::KeysWindowTest)
#include "keys_window_test.moc"
