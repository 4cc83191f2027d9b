#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyleOptionButton>
#include <QtTest>

#include "tests/window/window_harness.h"
#include "window/pane_view.h"

namespace v5 {

// What a new user finds without a manual: hints in the status bar and on the slots, the first steps
// in the empty area, Alt letters on the menus, a window that can be made smaller, a full bar when a
// transfer is done.
class DiscoverableWindowTest : public QObject {
    Q_OBJECT

private:
    test::WindowHarness h_;

    QPushButton* slot(int s) { return h_.find<QPushButton>(QStringLiteral("btnSlot%1").arg(s)); }
    static QString caption(const QAction* item) { return QString(item->text()).remove(QLatin1Char('&')); }

private slots:
    void init() { h_.start(); }
    void cleanup() { h_.stop(); }

    void aSlotTellsHowToPlaceOrRemoveAModule() {
        const auto hintsTheMenu = [](const QString& text) {
            return text.contains(QStringLiteral("Правый щелчок")) &&
                   text.contains(QStringLiteral("Shift+F10"));
        };
        QPushButton* button = slot(3);
        QVERIFY(hintsTheMenu(button->toolTip()));
        QVERIFY(button->accessibleDescription().startsWith(QStringLiteral("Пустой слот")));
        QVERIFY(hintsTheMenu(button->accessibleDescription()));

        h_.place(3, QStringLiteral("МШС1"));
        QCOMPARE(button->toolTip().section(QLatin1Char('\n'), 0, 0), QStringLiteral("МШС1"));
        QVERIFY(hintsTheMenu(button->toolTip()));
        QVERIFY(!button->accessibleDescription().contains(QStringLiteral("Пустой")));

        emit button->customContextMenuRequested(QPoint(2, 2));
        h_.action(QStringLiteral("N28"))->trigger();
        h_.menu(QStringLiteral("pmSlots"))->hide();
        QCOMPARE(button->text(), QStringLiteral("3"));
        QVERIFY(button->accessibleDescription().startsWith(QStringLiteral("Пустой слот")));
    }

    // "МШС1" is as long as a module's name gets; the slots show their captions in one font.
    void aSlotHoldsTheLongestModuleNameInTheSlotsFont() {
        h_.place(1, QStringLiteral("МШС1"));
        QPushButton* button = slot(1);
        QCOMPARE(button->font(), slot(2)->font());
        QVERIFY(button->font().pointSizeF() <= h_.window->font().pointSizeF());
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const int room =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
        constexpr int kMargin = 2;
        const int advance = button->fontMetrics().horizontalAdvance(QStringLiteral("МШС1"));
        QVERIFY2(advance + 2 * kMargin <= room,
                 qPrintable(QStringLiteral("%1 in %2").arg(advance).arg(room)));
    }

    void theEmptyAreaShowsTheFirstStepsUntilAPaneShows() {
        auto* hint = h_.find<QLabel>(QStringLiteral("emptyHint"));
        QVERIFY(hint->isVisible());
        QVERIFY(hint->text().contains(QStringLiteral("правым щелчком")));
        // The whole text shows in the label.
        QVERIFY(hint->heightForWidth(hint->width()) <= hint->height());

        const struct {
            const char* step;
            std::function<void()> run;
            bool shown;
        } steps[] = {
            {"access code", [&] { h_.action(QStringLiteral("mmKodDostupa"))->trigger(); }, false},
            {"file menu", [&] { h_.openMenu(QStringLiteral("mnEEPROM")); }, true},
            {"a module placed", [&] { h_.place(2, QStringLiteral("МР1")); }, true},
            {"the module opened", [&] { QTest::mouseClick(slot(2), Qt::LeftButton); }, false},
        };
        for (const auto& step : steps) {
            step.run();
            QVERIFY2(hint->isVisible() == step.shown, step.step);
        }
    }

    void altAndALetterOpenEachMenuWhoseCaptionStaysTheSame() {
        QMenuBar* bar = h_.window->menuBar();
        QAccessibleInterface* barAccess = QAccessible::queryAccessibleInterface(bar);
        QVERIFY(barAccess);
        QSet<QKeySequence> letters;
        for (qsizetype i = 0; i < bar->actions().size(); ++i) {
            QAction* item = bar->actions().at(i);
            const QKeySequence letter = QKeySequence::mnemonic(item->text());
            QVERIFY2(!letter.isEmpty(), qPrintable(item->objectName()));
            QVERIFY2(!letters.contains(letter), qPrintable(item->objectName()));
            letters << letter;
            // Screen readers hear the caption without the mark.
            QCOMPARE(barAccess->child(static_cast<int>(i))->text(QAccessible::Name), caption(item));
            if (item->menu()) QCOMPARE(item->menu()->accessibleName(), caption(item));
        }
        QCOMPARE(letters.size(), bar->actions().size());

        for (const char* name : {"ComSelect", "mnEEPROM", "mnEdit", "mShls", "mKey"}) {
            QMenu* menu = h_.menu(QString::fromLatin1(name));
            const QKeySequence letter = QKeySequence::mnemonic(menu->menuAction()->text());
            // Sent with the letter's own text: Cyrillic letters have no ASCII key for QTest::keyClick.
            const Qt::Key key = letter[0].key();
            QTest::sendKeyEvent(QTest::Click, h_.window, key, QString(QChar(char16_t(key))).toLower(),
                                Qt::AltModifier);
            QTRY_VERIFY2(QApplication::activePopupWidget() == menu, name);
            menu->hide();
            QTRY_VERIFY(!QApplication::activePopupWidget());
        }
    }

    void theMenuBarHasThePanesFontAndShowsEveryMenu() {
        QMenuBar* bar = h_.window->menuBar();
        QCOMPARE(bar->font().pointSizeF(), h_.window->font().pointSizeF());
        // Every menu in sight, unless the screen is too narrow for them.
        const int screenWidth = h_.window->screen()->availableGeometry().width();
        if (bar->sizeHint().width() > screenWidth) {
            QVERIFY(h_.window->frameGeometry().width() <= screenWidth);
            return;
        }
        QVERIFY(bar->sizeHint().width() <= bar->width());
        for (QAction* item : bar->actions())
            QVERIFY2(!bar->actionGeometry(item).isEmpty() && bar->rect().contains(bar->actionGeometry(item)),
                     qPrintable(item->objectName()));
    }

    void aSmallerWindowScrollsTheClientAtItsSize() {
        auto* client = h_.find<QWidget>(QStringLiteral("client"));
        auto* scroll = qobject_cast<QScrollArea*>(h_.window->centralWidget());
        QVERIFY(scroll);
        QCOMPARE(scroll->widget(), client);
        QVERIFY(!scroll->horizontalScrollBar()->isVisible() && !scroll->verticalScrollBar()->isVisible());

        h_.window->resize(h_.window->size() / 2);
        QTRY_VERIFY(scroll->horizontalScrollBar()->isVisible() && scroll->verticalScrollBar()->isVisible());
        QCOMPARE(client->size(), QSize(790, 535));

        h_.window->resize(h_.window->sizeHint());
        QTRY_VERIFY(!scroll->horizontalScrollBar()->isVisible() && !scroll->verticalScrollBar()->isVisible());
    }

    void theStatusBarHintsAtEachControl() {
        QStringList missing;
        const auto need = [&missing](const QString& name, const QString& tip) {
            if (tip.isEmpty()) missing << name;
        };
        for (int s = 1; s <= 20; ++s)
            need(slot(s)->objectName(), slot(s)->statusTip());
        for (QAction* top : h_.window->menuBar()->actions()) {
            need(top->objectName(), top->statusTip());
            if (top->menu())
                for (QAction* item : top->menu()->actions())
                    if (!item->isSeparator()) need(item->objectName(), item->statusTip());
        }
        for (const char* name : {"cbAvtovziatie", "cbDisableProg", "cbDisableAC"})
            need(QString::fromLatin1(name), h_.find<QWidget>(QString::fromLatin1(name))->statusTip());
        // Every pane, shown once.
        for (const Pane* pane : h_.desktop().allPanes()) {
            h_.showOnly(*pane);
            h_.window->render();
            for (PaneView* view : h_.window->findChildren<PaneView*>())
                if (view->isVisible() && !view->title().isEmpty())
                    need(view->objectName(), view->statusTip());
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u' ')));

        // The hint of the control under the mouse is what the status bar shows.
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), slot(4)->mapToGlobal(QPointF(2, 2)));
        QApplication::sendEvent(slot(4), &enter);
        QCOMPARE(h_.window->statusBar()->currentMessage(), slot(4)->statusTip());
    }

    void theLoopsWrittenByOkShowInTheStatusBar() {
        h_.place(1, QStringLiteral("МШС1"));
        QTest::mouseClick(slot(1), Qt::LeftButton);
        h_.click(QStringLiteral("s5"));
        h_.click(QStringLiteral("Button1"));
        QCOMPARE(h_.find<QLabel>(QStringLiteral("lastOperation"))->text(),
                 QStringLiteral("Записано в шлейфы: 1, 5"));
    }

    void aTransferDoneFillsTheProgressBar_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("succeeds");
        QTest::newRow("chip read") << QStringLiteral("mnRead") << true;
        QTest::newRow("chip write") << QStringLiteral("mnWrite") << true;
        QTest::newRow("panel read") << QStringLiteral("ReadFromV5") << true;
        QTest::newRow("panel write") << QStringLiteral("WriteToV5") << true;
        QTest::newRow("module missing") << QStringLiteral("ReadFromV5") << false;
    }
    void aTransferDoneFillsTheProgressBar() {
        QFETCH(QString, item);
        QFETCH(bool, succeeds);
        h_.safety.writeAnyway = true;
        QByteArray panel(0x8000, '\0');
        h_.module->onCommand['R'] = [&] { h_.port->arrive(panel + QByteArray(4, '\0')); };
        h_.module->onCommand['W'] = [&] { h_.port->arrive(QByteArray(4, '\0')); };
        h_.module->onCommand['Q'] = [&] { h_.port->arrive(panel); };
        h_.module->onCommand['E'] = [&] { h_.port->arrive("1"); };
        h_.module->onData = [&](const QByteArray&) {
            if (h_.module->data().size() == 0x3000) panel.replace(0, 0x3000, h_.module->data());
        };
        if (!succeeds) h_.module->wakeReply = 0x70;
        QString message;
        int value = -1;
        int maximum = -1;
        test::acknowledgeWhenDone(h_.window, &message, [&](QWidget* progress) {
            const auto* bar = progress->findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
            value = bar->value();
            maximum = bar->maximum();
        });
        h_.choose(QStringLiteral("mnEEPROM"), item);
        QTRY_VERIFY(!message.isEmpty());
        QVERIFY(maximum > 0);
        QCOMPARE(value == maximum, succeeds);
    }
};

}  // namespace v5

QTEST_MAIN(v5::DiscoverableWindowTest)
#include "discoverable_window_test.moc"
