#include "tests/window/window_harness.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "window/up5/device_commands.h"
#include "tests/support/virtual_clock.h"

namespace v5::test {

void WindowHarness::start() {
    dir = std::make_unique<QTemporaryDir>();
    if (!portFile.isEmpty()) QVERIFY(writeAll(dir->filePath(QStringLiteral("V5ivez.ini")), portFile));
    prompts = ScriptedPrompts();
    safety = RecordingSafetyDialogs();
    viewer.opened.clear();
    MainFormSetup setup;
    setup.prompts = &prompts;
    setup.workFolder = dir->path();
    setup.systemPorts = [] { return QStringList{QStringLiteral("ttyUSB0")}; };
    setup.textViewer = &viewer;
    setup.safetyDialogs = &safety;
    setup.deviceCommands = [this](QWidget* owner) {
        auto clock = std::make_unique<VirtualClock>();
        this->clock = clock.get();
        auto fake = std::make_unique<FakePort>(*clock);
        port = fake.get();
        module = std::make_unique<FakeModule>(*fake, *clock);
        return std::make_unique<DeviceCommands>(owner, std::move(fake), std::move(clock));
    };
    if (adjustSetup) adjustSetup(setup);
    window = new TV5ivezMainForm(setup);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void WindowHarness::stop() {
    for (QWidget* w : QApplication::topLevelWidgets())
        w->close();
    delete window.data();
    QTRY_VERIFY(!window);
    module.reset();
    clock = nullptr;
}

void WindowHarness::openMenu(const QString& name) const {
    QMenu* m = menu(name);
    QVERIFY(m);
    emit m->aboutToShow();
}

void WindowHarness::choose(const QString& menuName, const QString& itemName) const {
    if (!menuName.isEmpty()) openMenu(menuName);
    QAction* item = action(itemName);
    QVERIFY(item);
    QVERIFY2(item->isEnabled(), qPrintable(itemName + QStringLiteral(" is disabled")));
    item->trigger();
}

void WindowHarness::place(int slot, const QString& moduleName) const {
    auto* button = find<QPushButton>(QStringLiteral("btnSlot%1").arg(slot));
    QVERIFY(button);
    emit button->customContextMenuRequested(QPoint(2, 2));
    for (QAction* item : menu(QStringLiteral("pmSlots"))->findChildren<QAction*>())
        if (item->text() == moduleName && !item->menu()) {
            item->trigger();
            break;
        }
    menu(QStringLiteral("pmSlots"))->hide();
    QCOMPARE(button->text(), moduleName);
}

void WindowHarness::showOnly(const Pane& pane) {
    Desktop& d = desktop();
    d.ClearDesktop();
    if (&pane == &d.accessCodeBox())
        d.mmKodDostupaClick();
    else
        d.showPane(pane.objectName());
}

void WindowHarness::click(const QString& name) const {
    auto* button = find<QAbstractButton>(name);
    QVERIFY(button);
    QVERIFY2(button->isEnabled() && button->isVisible(),
             qPrintable(name + QStringLiteral(" cannot be clicked")));
    const QPoint at =
        qobject_cast<QPushButton*>(button) ? button->rect().center() : QPoint(6, button->height() / 2);
    QTest::mouseClick(button, Qt::LeftButton, {}, at);
}

void acknowledgeWhenDone(QWidget* window, QString* message,
                         std::function<void(QWidget* progressWindow)> atMessage) {
    auto* timer = new QTimer(window);
    QObject::connect(timer, &QTimer::timeout, timer, [window, timer, message, atMessage] {
        auto* button = window->findChild<QPushButton*>(QStringLiteral("Button1"));
        if (!button || !button->isVisible() || button->text() != QStringLiteral("OK")) return;
        timer->stop();
        timer->deleteLater();
        *message = window->findChild<QLabel*>(QStringLiteral("Label1"))->text();
        if (atMessage) atMessage(button->window());
        QTest::mouseClick(button, Qt::LeftButton);
    });
    timer->start(1);
}

QString chooseAndAcknowledge(QWidget* window, const QString& item) {
    QString message;
    acknowledgeWhenDone(window, &message);
    window->findChild<QAction*>(item)->trigger();
    return message;
}

void SimulatorWindow::start() {
    dir = std::make_unique<QTemporaryDir>();
    prompts = ScriptedPrompts();
    safety = RecordingSafetyDialogs();
    MainFormSetup setup;
    setup.prompts = &prompts;
    setup.workFolder = dir->path();
    setup.systemPorts = [] { return QStringList(); };
    setup.safetyDialogs = &safety;
    window = std::make_unique<TV5ivezMainForm>(setup);
    window->show();
}

void SimulatorWindow::stop() {
    window.reset();
    for (QWidget* w : QApplication::topLevelWidgets())
        w->close();
    if (sim_.state() != QProcess::NotRunning) {
        sim_.terminate();
        if (!sim_.waitForFinished(10'000)) sim_.kill();
        sim_.waitForFinished(10'000);
    }
}

QString SimulatorWindow::startSimulator(const QString& program, const QStringList& args) {
    sim_.setStandardErrorFile(dir->filePath(QStringLiteral("sim.log")));
    sim_.start(program, QStringList{QStringLiteral("--unpaced")} + args);
    QDeadlineTimer deadline(30'000);
    while (!sim_.canReadLine() && !deadline.hasExpired() && sim_.state() != QProcess::NotRunning)
        sim_.waitForReadyRead(100);
    return QString::fromLocal8Bit(sim_.readLine()).trimmed();
}

namespace {
bool isControl(const QWidget* w) {
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLabel*>(w) ||
           qobject_cast<const QGroupBox*>(w) || w->inherits("QAbstractItemView") ||
           w->inherits("QLineEdit") || w->inherits("QTabWidget") || w->inherits("QTabBar");
}
QString describe(const QWidget* w) {
    return QStringLiteral("%1 (%2)").arg(w->objectName(), QString::fromLatin1(w->metaObject()->className()));
}
}  // namespace

QStringList layoutProblems(const QWidget* pane) {
    QStringList problems;
    if (!pane->isVisible()) return {QStringLiteral("the pane itself is hidden")};
    const QList<QWidget*> all = pane->findChildren<QWidget*>();
    for (const QWidget* w : all) {
        if (w->objectName().isEmpty() || w->isWindow() || !isControl(w)) continue;
        // A control the pane hides on purpose (by the model) is not a layout fault; one whose ancestor is
        // shown but which still cannot be seen lies under a hidden tab page and is checked there.
        if (!w->isVisibleTo(pane)) continue;
        const QWidget* parent = w->parentWidget();
        if (!parent->rect().contains(w->geometry()))
            problems << describe(w) + QStringLiteral(" lies outside its parent ") + describe(parent);
        const QSize need = w->minimumSizeHint();
        if (qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLabel*>(w)) {
            const QSize hint = w->sizeHint();
            if (hint.width() > w->width() + 1 || need.height() > w->height() + 1)
                problems << describe(w) + QStringLiteral(" is clipped: %1x%2 shown, %3x%4 needed")
                                              .arg(w->width())
                                              .arg(w->height())
                                              .arg(hint.width())
                                              .arg(need.height());
        }
        for (const QWidget* other : all) {
            if (other == w || other->parentWidget() != parent || other->objectName().isEmpty() ||
                !isControl(other) || !other->isVisibleTo(pane) || other->objectName() < w->objectName())
                continue;
            if (w->geometry().intersects(other->geometry()))
                problems << describe(w) + QStringLiteral(" overlaps ") + describe(other);
        }
    }
    return problems;
}

}  // namespace v5::test
