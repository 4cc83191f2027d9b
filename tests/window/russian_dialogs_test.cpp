// The dialogs and messages of the window speak Russian: Qt's own (with its translations) and ours.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "tests/support/image_builder.h"
#include "files/messages.h"
#include "window/russian_interface.h"
#include "window/window_prompts.h"

namespace v5 {

namespace {

// Every text of a window a user reads: its title, labels, buttons, menu items, tool tips, the column
// headers of its lists, the items of its choice boxes. Folder and file names are the user's own.
QStringList readableTexts(QWidget* root) {
    QStringList texts{root->windowTitle()};
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(root) && !qobject_cast<QMenu*>(w)) continue;
        texts << w->toolTip();
        if (auto* label = qobject_cast<QLabel*>(w)) texts << label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(w)) texts << button->text();
        if (auto* edit = qobject_cast<QLineEdit*>(w)) texts << edit->placeholderText();
        if (auto* header = qobject_cast<QHeaderView*>(w); header && header->model())
            for (int i = 0; i < header->count(); ++i)
                texts << header->model()->headerData(i, header->orientation()).toString();
        if (auto* box = qobject_cast<QComboBox*>(w); box && w->objectName() != QStringLiteral("lookInCombo"))
            for (int i = 0; i < box->count(); ++i)
                texts << box->itemText(i);
    }
    for (const QAction* action : root->findChildren<QAction*>())
        texts << action->text() << action->toolTip();
    return texts;
}

// The texts that hold Latin letters once the allowed parts are taken out.
QStringList english(const QStringList& texts, const QStringList& allowed = {}) {
    static const QRegularExpression latin(QStringLiteral("[A-Za-z]"));
    QStringList found;
    for (QString text : texts) {
        text = text.section(QLatin1Char('\t'), 0, 0);  // a shortcut's key names
        for (const QString& ok : allowed + QStringList{QStringLiteral("(*.v5)"), QStringLiteral("V5ivez")})
            text.remove(ok);
        if (text.contains(latin)) found << text;
    }
    found.removeDuplicates();
    return found;
}

}  // namespace

class RussianDialogsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    // Runs `inspect` on the next modal box to show, then closes it with `answer`.
    void whenModalShows(std::function<void(QMessageBox&)> inspect,
                        std::function<QAbstractButton*(QMessageBox&)> answer) {
        auto* timer = new QTimer(this);
        connect(timer, &QTimer::timeout, timer, [timer, inspect, answer] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            timer->stop();
            timer->deleteLater();
            inspect(*box);
            QAbstractButton* button = answer(*box);
            if (button)
                button->click();
            else
                box->reject();
        });
        timer->start(5);
    }

private slots:
    void initTestCase() {
        QApplication::setApplicationName(QStringLiteral("V5ivez"));
        QVERIFY2(useRussianInterface(*qApp),
                 "Qt's Russian translations (qt6-translations-l10n) are not installed");
        QVERIFY(test::writeAll(dir_.filePath(QStringLiteral("site.v5")), QByteArray(32768, '\0')));
    }
    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
    }

    void fileDialogsSpeakRussian() {
        const std::unique_ptr<QFileDialog> dialogs[] = {
            WindowPrompts::openDialog(nullptr, msg::SettingsFilter()),
            WindowPrompts::saveDialog(nullptr, msg::NoFileChosen(), msg::SettingsFilter(),
                                      msg::SettingsSuffix())};
        for (const auto& dialog : dialogs) {
            dialog->setDirectory(dir_.path());
            dialog->show();
            QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
            QCOMPARE(dialog->viewMode(), QFileDialog::List);
            QCOMPARE(english(readableTexts(dialog.get())), QStringList());
            QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
            dialog->close();
        }
    }

    void replacingAFileIsAskedInRussian() {
        const auto dialog = WindowPrompts::saveDialog(nullptr, dir_.filePath(QStringLiteral("site.v5")),
                                                      msg::SettingsFilter(), msg::SettingsSuffix());
        dialog->setDirectory(dir_.path());
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QString question;
        QStringList texts;
        whenModalShows(
            [&](QMessageBox& box) {
                question = box.text();
                texts = readableTexts(&box);
            },
            [](QMessageBox& box) { return box.button(QMessageBox::No); });
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        QVERIFY(buttons);
        buttons->button(QDialogButtonBox::Save)->click();
        QVERIFY2(question.contains(QStringLiteral("site.v5")), qPrintable(question));
        QCOMPARE(english(texts, {QStringLiteral("site.v5")}), QStringList());
        // "No": the dialog stays for another name.
        QVERIFY(dialog->isVisible());
    }

    void messagesWarnOnFailuresInformOtherwiseAndAskInRussian() {
        WindowPrompts prompts(nullptr);
        const struct {
            const char* what;
            std::function<void()> ask;
            QMessageBox::Icon icon;
            QStringList buttons;
        } cases[] = {
            {"a failure",
             [&] {
                 prompts.message(
                     msg::WriteError(QStringLiteral("/x/site.v5"), QStringLiteral("нет доступа")));
             },
             QMessageBox::Warning,
             {QStringLiteral("ОК")}},
            {"a notice",
             [&] { prompts.notice(msg::NoTextEditor(QStringLiteral("/x/report.txt"))); },
             QMessageBox::Information,
             {QStringLiteral("ОК")}},
            {"the exit question",
             [&] { prompts.askToSave(msg::SaveChanges()); },
             QMessageBox::Question,
             {QStringLiteral("Сохранить"), QStringLiteral("Не сохранять"), QStringLiteral("Отмена")}},
        };
        for (const auto& c : cases) {
            QMessageBox::Icon icon = QMessageBox::NoIcon;
            QStringList buttons;
            QStringList texts;
            whenModalShows(
                [&](QMessageBox& box) {
                    icon = box.icon();
                    for (QAbstractButton* b : box.buttons())
                        buttons << b->text();
                    texts = readableTexts(&box);
                },
                [](QMessageBox&) { return nullptr; });
            c.ask();
            QCOMPARE(icon, c.icon);
            buttons.sort();
            QStringList expected = c.buttons;
            expected.sort();
            QCOMPARE(buttons, expected);
            QCOMPARE(english(texts, {QStringLiteral("/x/site.v5"), QStringLiteral("/x/report.txt")}),
                     QStringList());
        }
    }

    void theExitQuestionsButtonsGiveTheirAnswers() {
        const struct {
            const char16_t* button;
            SaveAnswer answer;
        } cases[] = {{u"Сохранить", SaveAnswer::Save},
                     {u"Не сохранять", SaveAnswer::DontSave},
                     {u"Отмена", SaveAnswer::Cancel},
                     {nullptr, SaveAnswer::Cancel}};  // Escape
        for (const auto& c : cases) {
            const auto box = WindowPrompts::saveQuestion(nullptr, msg::SaveChanges());
            QCOMPARE(box->text(), QStringLiteral("Сохранить изменения?"));
            box->show();
            QVERIFY(QTest::qWaitForWindowExposed(box.get()));
            if (c.button) {
                for (QAbstractButton* b : box->buttons())
                    if (b->text() == QString::fromUtf16(c.button)) b->click();
            } else {
                QTest::keyClick(box.get(), Qt::Key_Escape);
            }
            QCOMPARE(WindowPrompts::answerOf(*box), c.answer);
        }
    }

    void anEditsOwnMenuSpeaksRussian() {
        QLineEdit edit(QStringLiteral("1234"));
        const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        QStringList texts;
        for (const QAction* action : menu->actions())
            texts << action->text();
        QCOMPARE(english(texts), QStringList());
    }
};

}  // namespace v5

QTEST_MAIN(v5::RussianDialogsTest)
#include "russian_dialogs_test.moc"
