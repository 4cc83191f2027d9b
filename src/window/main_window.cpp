#include "window/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLayout>
#include <QScrollArea>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOptionButton>
#include <QUrl>
#include <QVBoxLayout>

#include "window/access_code_view.h"
#include "desktop/history_texts.h"
#include "operations/step_label.h"
#include "files/backup_file.h"
#include "compare/configuration_check.h"
#include "compare/configuration_diff.h"
#include "window/up5/device_commands.h"
#include "operations/driver_link.h"
#include "window/frame_style.h"
#include "window/journal_window.h"
#include "panes/install_panes.h"
#include "keys/key_card_pane.h"
#include "window/key_form.h"
#include "window/key_import_dialog.h"
#include "window/pane_view.h"
#include "window/pane_views.h"
#include "files/port_file.h"
#include "files/messages.h"
#include "reports/report_actions.h"
#include "window/safety_dialogs.h"
#include "window/site_data_dialog.h"
#include "operations/named_changes.h"
#include "window/safety_texts.h"
#include "window/site_card_preview.h"
#include "window/status_tips.h"
#include "files/settings_file.h"
#include "link/system_ports.h"
#include "window/window_prompts.h"

namespace v5 {

namespace {
constexpr int kClientWidth = 790;
constexpr int kClientHeight = 535;
constexpr int kSlotsHeight = 37;
constexpr int kSlotRowMargin = 4;
constexpr int kSlotSpacing = 1;
constexpr qreal kSmallestCaptionPoints = 5;
// Room beside a slot's caption, so that "МШС1" does not touch the button's edges.
constexpr int kSlotCaptionMargin = 4;

// The discoverable parts of the slot row and the parameter area.
QString slotHint() {
    return QStringLiteral("Правый щелчок или Shift+F10: поставить или убрать модуль");
}
QString emptySlotDescription() {
    return QStringLiteral("Пустой слот. Правый щелчок или Shift+F10: поставить модуль");
}
QString emptyAreaHint() {
    return QStringLiteral("Поставьте модули в слоты правым щелчком по слоту (или Shift+F10), затем выберите "
                          "модуль в меню или щелчком по его слоту.");
}

// The top-level menus open with Alt and their letter, each on a key of its own in either keyboard
// layout; the captions stay as they are.
struct Mnemonic {
    const char* name;
    char16_t letter;
};
constexpr Mnemonic kMnemonics[] = {
    {"mmKodDostupa", u'К'}, {"ComSelect", u'т'}, {"mnEEPROM", u'Ф'}, {"mnEdit", u'П'}, {"mShls", u'М'},
    {"mRele", u'Р'},        {"mUD", u'Д'},       {"MLine", u'С'},    {"mZO", u'З'},    {"mExt", u'В'},
    {"mGR", u'Г'},          {"mKey", u'л'},      {"mArj", u'А'},     {"mR", u'О'},     {"mnExit", u'х'},
    {"mnSiteCard", u'ч'},
    {"mJournal", u'Ж'},
};

// The client area at its natural size: a window made smaller than that scrolls it.
class ClientScrollArea : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override {
        const int frame = 2 * frameWidth();
        return widget() ? widget()->size() + QSize(frame, frame) : QScrollArea::sizeHint();
    }
};

// Opens the text exports in the program the system has for text files; the program does not wait.
class SystemTextViewer : public TextViewer {
public:
    bool open(const QString& path) override {
#ifdef Q_OS_UNIX
        // Without the desktop's opener nothing can show the file (a bare window manager, a plant-room
        // laptop without a desktop).
        if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty()) return false;
#endif
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
};
}  // namespace

TV5ivezMainForm::TV5ivezMainForm(MainFormSetup setup, QWidget* parent)
    : QMainWindow(parent),
      systemPorts_(setup.systemPorts ? std::move(setup.systemPorts)
                                     : std::function<QStringList()>(availableSerialPorts)) {
    useFrameStyle();
    setObjectName(QStringLiteral("TV5ivezMainForm"));
    // The window is laid out for a small dialog font, as the panel's installers know it.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    if (setup.prompts) {
        prompts_ = setup.prompts;
    } else {
        ownPrompts_ = std::make_unique<WindowPrompts>(this);
        prompts_ = ownPrompts_.get();
    }
    desktop_ = std::make_unique<Desktop>(*prompts_,
                                         setup.workFolder.isEmpty() ? QDir::currentPath() : setup.workFolder);
    installPanes(*desktop_);
    desktop_->history().setDescribe(describeStep);
    if (setup.safetyDialogs) {
        safetyDialogs_ = setup.safetyDialogs;
    } else {
        ownSafetyDialogs_ = std::make_unique<WindowSafetyDialogs>(this);
        safetyDialogs_ = ownSafetyDialogs_.get();
    }
    if (setup.textViewer) {
        textViewer_ = setup.textViewer;
    } else {
        ownTextViewer_ = std::make_unique<SystemTextViewer>();
        textViewer_ = ownTextViewer_.get();
    }

    // The client keeps its layout at any window size: a smaller window gets scroll bars.
    auto* central = new QWidget;
    central->setObjectName(QStringLiteral("client"));
    central->setFixedSize(kClientWidth, kClientHeight);
    auto* scroll = new ClientScrollArea(this);
    scroll->setObjectName(QStringLiteral("clientScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scroll->setWidget(central);
    setCentralWidget(scroll);
    device_ = setup.deviceCommands ? setup.deviceCommands(this) : std::make_unique<DeviceCommands>(this);
    device_->setBusyHandler([this](bool running) { transferRunning(running); });
    deviceLink_ = std::make_unique<DriverLink>(
        [this](const std::function<bool(TUP5&)>& operation) {
            return device_->exclusive(desktop_->portName(), operation);
        },
        device_->clock(), [this] { render(); });
    desktop_->setDeviceLink(deviceLink_.get());
    keyForm_ = new TKeyForm(this);
    if (auto* keyCard = desktop_->pane<KeyCardPane>())
        keyCard->setCodePrompt(setup.keyCodePrompt ? setup.keyCodePrompt : keyForm_.data());
    buildSlots(central);
    buildParameterArea(central);
    buildMenu();
    buildSlotMenu();
    buildKeys();
    buildStatusBar();
    applyStatusTips(menuBar());
    applyStatusTips(pmSlots_);
    applyStatusTips(central);
    resize(sizeHint());

    desktop_->FormCreate();
    // The port the port file named is one of the session's; the system's own ports are looked up when
    // the menu opens, since walking the system's serial devices is most of a cold start.
    refreshSystemPorts(SystemPorts::SessionOnly);
    render();
}

TV5ivezMainForm::~TV5ivezMainForm() {
    // The views refer to the pane models, which the desktop owns and which go with the members below;
    // Qt would delete the views only after them. So the views go first.
    device_->setBusyHandler({});
    menuBar()->removeEventFilter(this);
    delete takeCentralWidget();
    desktop_->setDeviceLink(nullptr);
}

void TV5ivezMainForm::showEvent(QShowEvent* event) {
    if (!centred_) {
        // At start the window sits in the middle of the screen, frame and all where the frame is known.
        centred_ = true;
        if (const QScreen* shown = screen()) {
            // On a screen narrower than the window the menu bar keeps its last menus behind its "»"
            // button, and the client scrolls.
            resize(size().boundedTo(shown->availableGeometry().size() - (frameGeometry().size() - size())));
            move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, frameGeometry().size(),
                                     shown->availableGeometry())
                     .topLeft());
        }
    }
    QMainWindow::showEvent(event);
}

void TV5ivezMainForm::buildSlots(QWidget* central) {
    auto* gbSlots = new QGroupBox(QStringLiteral("Слоты"), central);
    gbSlots->setObjectName(QStringLiteral("gbSlots"));
    gbSlots->setGeometry(0, 0, kClientWidth, kSlotsHeight);
    auto* row = new QHBoxLayout(gbSlots);
    row->setContentsMargins(kSlotRowMargin, 0, kSlotRowMargin, 2);
    row->setSpacing(kSlotSpacing);
    // Twenty equal buttons across the row, so that a caption can be fitted to its button's width.
    const int width = (kClientWidth - 2 * kSlotRowMargin - (kSlotCount - 1) * kSlotSpacing) / kSlotCount;
    slotFont_ = font();
    for (int s = 1; s <= kSlotCount; ++s) {
        auto* button = new QPushButton(QString::number(s), gbSlots);
        button->setObjectName(QStringLiteral("btnSlot%1").arg(s));
        button->setProperty("tag", s);
        button->setContextMenuPolicy(Qt::CustomContextMenu);
        button->setFixedWidth(width);
        button->installEventFilter(this);
        connect(button, &QPushButton::clicked, this, [this, button] { openByName(button->text()); });
        connect(button, &QWidget::customContextMenuRequested, this,
                [this, s](const QPoint& at) { btnSlotContextPopup(s, at); });
        row->addWidget(button);
        slotButtons_.at(static_cast<std::size_t>(s - 1)) = button;
    }
    // The slots' font: the window's, or a smaller one where the longest module name does not fit a slot
    // with room to spare (a wide system font); every slot shows its caption in it.
    const int room = slotCaptionRoom(slotButtons_.front());
    const QString longest = QStringLiteral("МШС1");
    while (QFontMetrics(slotFont_).horizontalAdvance(longest) + 2 * kSlotCaptionMargin > room &&
           slotFont_.pointSizeF() > kSmallestCaptionPoints)
        slotFont_.setPointSizeF(slotFont_.pointSizeF() - 0.5);
    for (QPushButton* button : slotButtons_)
        fitSlotCaption(button);
}

int TV5ivezMainForm::slotCaptionRoom(const QPushButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
}

void TV5ivezMainForm::buildParameterArea(QWidget* central) {
    gbParameter_ = new QGroupBox(central);
    gbParameter_->setObjectName(QStringLiteral("gbParameter"));
    gbParameter_->setGeometry(0, kSlotsHeight, kClientWidth, kClientHeight - kSlotsHeight);
    emptyHint_ = new QLabel(emptyAreaHint(), gbParameter_);
    emptyHint_->setObjectName(QStringLiteral("emptyHint"));
    emptyHint_->setAccessibleName(emptyAreaHint());
    emptyHint_->setWordWrap(true);
    emptyHint_->setAlignment(Qt::AlignCenter);
    emptyHint_->setGeometry(PaneView::paneArea(gbParameter_).adjusted(40, 0, -40, 0));
    for (const PaneViewEntry& entry : paneViews())
        paneViews_.push_back(PaneViewSlot{&entry});
}

void TV5ivezMainForm::renderPanes() {
    for (PaneViewSlot& slot : paneViews_) {
        const bool shown = slot.entry->isShown(*desktop_);
        if (!shown && slot.view && slot.entry->destroyWhenHidden) {
            delete slot.view;
            slot.view = nullptr;
        }
        if (shown && !slot.view) {
            slot.view = slot.entry->create(*desktop_, gbParameter_);
            if (!slot.view) continue;
            connect(slot.view, &PaneView::edited, this, [this] { render(); });
            applyStatusTips(slot.view);
        }
        if (!slot.view) continue;
        if (shown) slot.view->render();
        slot.view->setVisible(shown);
    }
}

QMenu* TV5ivezMainForm::addMenu(QMenuBar* bar, const char* name, const QString& caption) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction* TV5ivezMainForm::addItem(QWidget* menu, const char* name, const QString& caption,
                                  std::function<void()> handler) {
    auto* item = new QAction(caption, menu);
    item->setObjectName(QString::fromLatin1(name));
    menu->addAction(item);
    if (handler)
        connect(item, &QAction::triggered, this, [this, handler = std::move(handler)] { act(handler); });
    return item;
}

void TV5ivezMainForm::addPaneItem(QWidget* menu, const char* name, const QString& caption) {
    paneItems_ << addItem(menu, name, caption, nullptr);
}

void TV5ivezMainForm::addModuleItems(QMenu* menu, const char* namePrefix, const QString& captionPrefix,
                                     int count) {
    for (int n = 1; n <= count; ++n) {
        const QString caption = captionPrefix + QString::number(n);
        const QByteArray name = QByteArray(namePrefix) + QByteArray::number(n);
        QAction* item = addItem(menu, name.constData(), caption, nullptr);
        connect(item, &QAction::triggered, this, [this, caption] { openByName(caption); });
    }
}

void TV5ivezMainForm::buildMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu2"));
    Desktop& d = *desktop_;

    QAction* code =
        addItem(bar, "mmKodDostupa", QStringLiteral("Код доступа"), [&d] { d.mmKodDostupaClick(); });
    connect(code, &QAction::triggered, this, [this] {
        // The four digits are selected, so that typing a code replaces them at once.
        auto* view = gbParameter_->findChild<Ttemp_gbKD*>(QString(), Qt::FindDirectChildrenOnly);
        if (!view) return;
        view->edit()->setFocus(Qt::OtherFocusReason);
        view->edit()->selectAll();
    });

    comMenu_ = addMenu(bar, "ComSelect", QStringLiteral("COM-порт"));
    connect(comMenu_, &QMenu::aboutToShow, this, [this] {
        act([this] {
            desktop_->ComSelectClick();
            refreshSystemPorts();
        });
    });
    for (int n = 1; n <= 9; ++n) {
        const QByteArray name = "COM_" + QByteArray::number(n);
        QAction* item =
            addItem(comMenu_, name.constData(), QStringLiteral("COM%1").arg(n), [&d, n] { d.COM_Click(n); });
        item->setCheckable(true);
        comItems_.at(static_cast<std::size_t>(n - 1)) = item;
    }
    systemPortsSeparator_ = comMenu_->addSeparator();

    QMenu* file = addMenu(bar, "mnEEPROM", QStringLiteral("Файл настроек"));
    connect(file, &QMenu::aboutToShow, this, [this] { act([this] { desktop_->mnEEPROMClick(); }); });
    addItem(file, "mnLoad", QStringLiteral("Прочитать с  диска"), [&d] { d.mnLoadClick(); });
    addItem(file, "mnSave", QStringLiteral("Записать на диск"), [&d] { d.mnSaveClick(); });
    addItem(file, "ReadFromV5", QStringLiteral("Прочитать из прибора"), [this] { ReadFromV5Click(); });
    addItem(file, "WriteToV5", QStringLiteral("Записать в прибор"), [this] { WriteToV5Click(); });
    addItem(file, "mnRead", QStringLiteral("Прочитать с микросхемы"), [this] { mnReadClick(); });
    addItem(file, "mnWrite", QStringLiteral("Записать в микросхему"), [this] { mnWriteClick(); });
    file->addSeparator();
    addItem(file, "mnCompareFile", safety_text::CompareFileItem(), [this] { compareWithFileClick(); });
    addItem(file, "mnCompareDevice", safety_text::CompareDeviceItem(), [this] { compareWithDeviceClick(); });
    addItem(file, "mnRestoreBackup", safety_text::RestoreItem(), [this] { restoreBackupClick(); });
    file->addSeparator();
    // The site's own data, kept with the names beside the settings file.
    addItem(file, "mnSiteData", QStringLiteral("Объект…"), [this] {
        if (const auto site = SiteDataDialog::edit(desktop_->names().site, this)) desktop_->setSiteData(*site);
    });

    QMenu* edit = addMenu(bar, "mnEdit", history_text::EditMenu());
    undoItem_ = addItem(edit, "mnUndo", history_text::Undo(), [&d] { d.undo(); });
    undoItem_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    redoItem_ = addItem(edit, "mnRedo", history_text::Redo(), [&d] { d.redo(); });
    redoItem_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});

    QMenu* shls = addMenu(bar, "mShls", QStringLiteral("МШС"));
    addModuleItems(shls, "mmiShl", QStringLiteral("МШС"), 8);
    QMenu* rele = addMenu(bar, "mRele", QStringLiteral("МР"));
    addModuleItems(rele, "mmiRele", QStringLiteral("МР"), 16);
    QMenu* ud = addMenu(bar, "mUD", QStringLiteral("МД(В)"));
    addModuleItems(ud, "mmiUD", QStringLiteral("МД"), 8);
    addModuleItems(ud, "mmiUDV", QStringLiteral("МДВ"), 4);
    QMenu* line = addMenu(bar, "MLine", QStringLiteral("МС"));
    addModuleItems(line, "mmiLine", QStringLiteral("МС"), 8);
    for (QMenu* modules : {shls, rele, ud, line}) {
        enableModuleItems(modules);
        connect(modules, &QMenu::aboutToShow, this, [this, modules] { enableModuleItems(modules); });
    }

    addPaneItem(bar, "mZO", QStringLiteral("ЗО"));
    addPaneItem(bar, "mExt", QStringLiteral("Внешнние модули"));

    QMenu* groups = addMenu(bar, "mGR", QStringLiteral("Группы ШС"));
    addPaneItem(groups, "mGRZona", QStringLiteral("Зоны"));
    addPaneItem(groups, "mGRRazdel", QStringLiteral("Разделы"));
    addPaneItem(groups, "mGRSZona", QStringLiteral("Связанные зоны"));

    QMenu* keys = addMenu(bar, "mKey", QStringLiteral("Ключи"));
    addPaneItem(keys, "keyAdd", QStringLiteral("Добавить"));
    addPaneItem(keys, "N22", QStringLiteral("Редактировать"));
    addPaneItem(keys, "N16", QStringLiteral("Переписать из пульта ввода"));
    addPaneItem(keys, "N1", QStringLiteral("Ввести код"));
    addItem(keys, "mnKeysImport", QStringLiteral("Загрузить из таблицы…"), [this] {
        openKeyImport(this, *desktop_, *prompts_, [this](const std::function<void()>& load) { act(load); });
    });

    addItem(bar, "mArj", QStringLiteral("Архив"),
            [this] { mArjClick(*desktop_, *textViewer_, desktop_->workFolder()); });
    addItem(bar, "mJournal", QStringLiteral("Журнал событий"), [this] { openJournal(); });
    addItem(bar, "mR", QStringLiteral("Отчет"),
            [this] { mRClick(*desktop_, *textViewer_, desktop_->workFolder()); });
    addItem(bar, "mnSiteCard", QStringLiteral("Карточка объекта…"),
            [this] { showSiteCard(*desktop_, *prompts_, this); });
    addItem(bar, "mnExit", QStringLiteral("Выход"), [this] { close(); });
    wirePaneCommands();
    addMnemonics();
}

void TV5ivezMainForm::wirePaneCommands() {
    for (QAction* item : std::as_const(paneItems_)) {
        const QString name = item->objectName();
        if (desktop_->hasCommand(name))
            connect(item, &QAction::triggered, this,
                    [this, name] { act([&] { desktop_->runCommand(name); }); });
        else
            item->setEnabled(false);  // its pane is not part of this program yet
    }
}

void TV5ivezMainForm::enableModuleItems(QMenu* menu) {
    for (QAction* item : menu->actions())
        item->setEnabled(desktop_->moduleMenuItemEnabled(item->text()));
}

void TV5ivezMainForm::addMnemonics() {
    for (QAction* item : menuBar()->actions()) {
        const QString caption = item->text();
        for (const Mnemonic& m : kMnemonics) {
            if (item->objectName() != QLatin1StringView(m.name)) continue;
            const qsizetype at = caption.indexOf(QChar(m.letter));
            if (at < 0) continue;
            item->setText(QString(caption).insert(at, QLatin1Char('&')));
            // Screen readers hear the caption as before.
            if (QMenu* menu = item->menu()) menu->setAccessibleName(caption);
        }
    }
}

QSize TV5ivezMainForm::sizeHint() const {
    // The client at its size and every menu of the bar in one row: the window widens for a wide font
    // rather than shrinking the menu's font below the panes' one.
    QSize natural = QMainWindow::sizeHint();
    natural.setWidth(std::max(natural.width(), menuBar()->sizeHint().width()));
    return natural;
}

void TV5ivezMainForm::buildSlotMenu() {
    pmSlots_ = new QMenu(this);
    pmSlots_->setObjectName(QStringLiteral("pmSlots"));
    struct Group {
        const char* name;
        const char16_t* caption;
        const char* itemPrefix;
        int first;
        int count;
    };
    const Group groups[] = {{"N24", u"Модуль шлейфов сигнализации (МШС)", "miShl", 0, 8},
                            {"N25", u"Модуль реле (МР) ", "miRele", 8, 16},
                            {"N26", u"Модуль доступа (МД)", "miUD", 24, 8},
                            {"N27", u"Модуль связи (МС)", "miLine", 32, 8}};
    for (const Group& g : groups) {
        QMenu* sub = pmSlots_->addMenu(QString::fromUtf16(g.caption));
        sub->setObjectName(QString::fromLatin1(g.name));
        sub->menuAction()->setObjectName(QString::fromLatin1(g.name));
        for (int i = 0; i < g.count; ++i) {
            const QString moduleName = allModuleNames().at(g.first + i);
            const QByteArray name = QByteArray(g.itemPrefix) + QByteArray::number(i + 1);
            QAction* item = addItem(sub, name.constData(), moduleName,
                                    [this, moduleName] { desktop_->miClick(moduleName); });
            slotItems_.insert(moduleName, item);
        }
    }
    addItem(pmSlots_, "N28", Desktop::deleteItem(), [this] { desktop_->miClick(Desktop::deleteItem()); });
}

void TV5ivezMainForm::refreshSystemPorts(SystemPorts which) {
    QStringList wanted;
    if (which == SystemPorts::All && systemPorts_)
        for (const QString& port : systemPorts_())
            if (isSystemPortName(port)) wanted << port;
    // A port the port file named or the user chose stays offered for the session, even while its adapter
    // is unplugged or another port is chosen (the simulator's terminal is not among the system's ports).
    if (!desktop_->checkedSystemPort().isEmpty() && !sessionPorts_.contains(desktop_->checkedSystemPort()))
        sessionPorts_ << desktop_->checkedSystemPort();
    for (const QString& port : std::as_const(sessionPorts_))
        if (!wanted.contains(port)) wanted << port;

    QStringList shown;
    for (QAction* item : std::as_const(systemPortItems_))
        shown << item->text();
    if (shown != wanted) {
        qDeleteAll(systemPortItems_);
        systemPortItems_.clear();
        for (const QString& port : std::as_const(wanted)) {
            QAction* item = addItem(comMenu_, "", port, [this, port] { desktop_->chooseSystemPort(port); });
            item->setObjectName(QStringLiteral("port_") + port);
            item->setStatusTip(statusTipFor(item->objectName()));
            item->setCheckable(true);
            systemPortItems_ << item;
        }
    }
    systemPortsSeparator_->setVisible(!systemPortItems_.isEmpty());
}

void TV5ivezMainForm::btnSlotContextPopup(int slot, const QPoint& at) {
    if (!mayAct()) return;
    desktop_->btnSlotContextPopup(slot);
    for (auto it = slotItems_.cbegin(); it != slotItems_.cend(); ++it)
        it.value()->setEnabled(desktop_->popupItemEnabled(it.key()));
    pmSlots_->popup(slotButtons_.at(static_cast<std::size_t>(slot - 1))->mapToGlobal(at));
}

void TV5ivezMainForm::openByName(const QString& name) {
    act([&] { desktop_->mClick(name); });
    const int slot = desktop_->focusedSlot();
    if (slot >= 1) slotButtons_.at(static_cast<std::size_t>(slot - 1))->setFocus();
}

// A device command runs in a nested event loop until the user acknowledges its final message; the
// window is locked meanwhile (transferRunning), and DeviceCommands refuses a second one on the port.
void TV5ivezMainForm::mnReadClick() {
    if (!desktop_->mayReplaceImage()) return;
    if (const auto bytes = device_->readChip(desktop_->portName()))
        desktop_->acceptReadImage(*bytes, history_text::ChipReadStep(), history_text::ChipRead());
}

void TV5ivezMainForm::ReadFromV5Click() {
    if (!desktop_->mayReplaceImage()) return;
    if (const auto bytes = device_->readPanel(desktop_->portName()))
        desktop_->acceptReadImage(*bytes, history_text::PanelReadStep(), history_text::PanelRead());
}

void TV5ivezMainForm::mnWriteClick() {
    if (!checkedBeforeWrite()) return;
    if (device_->writeChip(desktop_->portName(), desktop_->image())) {
        desktop_->markSaved();
        desktop_->setLastOperation(history_text::ChipWritten());
    } else {
        desktop_->setLastOperation(history_text::ChipNotWritten());
    }
}

// Before the blocks go out, the panel's memory is kept under backups/ in the work folder, and afterwards
// the panel is read back and compared, unless V5ivez.ini turns either off.
void TV5ivezMainForm::WriteToV5Click() {
    if (!checkedBeforeWrite()) return;
    const PortFileSettings& settings = desktop_->settings();
    const auto result = device_->writePanelChecked(
        desktop_->portName(), desktop_->image(), {settings.backupBeforePanelWrite, settings.verifyPanelWrite},
        backupsIn(desktop_->backupFolder(), &FileError::message));
    // A cancel ends the progress window without a word; a panel left half-written is told all the same.
    if (result && result->cancelled && result->partial) prompts_->message(result->message);
    // The configuration counts as kept once the panel holds it, unless its check found otherwise.
    if (result && result->written && result->verify != PanelWriteResult::Verify::Failed &&
        result->verify != PanelWriteResult::Verify::NotRead)
        desktop_->markSaved();
    desktop_->setLastOperation(panelWriteStatus(result));
}

bool TV5ivezMainForm::checkedBeforeWrite() {
    const std::vector<Problem> problems = checkConfiguration(desktop_->image());
    return !hasErrors(problems) || safetyDialogs_->writeDespite(problems);
}

void TV5ivezMainForm::compareWithFileClick() {
    const std::optional<QString> path = prompts_->openFileName(msg::SettingsFilter());
    if (!path) return;
    Image file;
    if (const auto error = readSettingsInto(file, *path, AccessCodeCheck::None)) {
        prompts_->message(error->message);
        return;
    }
    safetyDialogs_->showList(safety_text::CompareFileTitle(), safety_text::CompareFileSummary(*path),
                             differenceLines(withNames(compareConfigurations(desktop_->image(), file),
                                                       desktop_->names())));
}

// The panel is read into a buffer of its own; the configuration stays as it is.
void TV5ivezMainForm::compareWithDeviceClick() {
    const auto bytes = device_->readPanel(desktop_->portName());
    if (!bytes) return;
    Image panel;
    panel.assign(*bytes);
    safetyDialogs_->showList(
        safety_text::CompareDeviceTitle(), safety_text::CompareDeviceSummary(),
        differenceLines(withNames(compareConfigurations(desktop_->image(), panel, CompareScope::ConfigurationArea),
                                  desktop_->names())));
}

void TV5ivezMainForm::restoreBackupClick() {
    if (!desktop_->mayReplaceImage()) return;
    if (const auto path = safetyDialogs_->backupToRestore(desktop_->backupFolder()))
        desktop_->restoreBackup(*path);
}

void TV5ivezMainForm::closeEvent(QCloseEvent* event) {
    if (device_->busy()) {
        // The transfer ends as if cancelled; the window closes once the transfer's loop has returned.
        closeAfterTransfer_ = true;
        device_->cancel();
        event->ignore();
        return;
    }
    // A wait for a key ends as the closing begins.
    desktop_->beforeCommand();
    const bool leave = desktop_->mayClose();
    render();
    if (!leave) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void TV5ivezMainForm::openSettingsFile(const QString& path) {
    act([this, &path] { desktop_->openSettingsFile(path); });
}

bool TV5ivezMainForm::mayAct() const {
    return !device_->busy();
}

void TV5ivezMainForm::act(const std::function<void()>& action) {
    if (!mayAct()) return;
    // A command chosen while the key card waits for a key ends that wait first.
    desktop_->beforeCommand();
    action();
    render();
}

void TV5ivezMainForm::transferRunning(bool running) {
    desktop_->setTransferRunning(running);
    // The panes, the slots, the menus and the window's own keys; a disabled widget takes no input.
    menuBar()->setEnabled(!running);
    centralWidget()->setEnabled(!running);
    for (QAction* key : actions())
        key->setEnabled(!running);
    if (!running && closeAfterTransfer_) {
        closeAfterTransfer_ = false;
        QMetaObject::invokeMethod(
            this, [this] { close(); }, Qt::QueuedConnection);
    }
}

void TV5ivezMainForm::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    bar->setSizeGripEnabled(false);
    lastOperation_ = new QLabel(bar);
    lastOperation_->setObjectName(QStringLiteral("lastOperation"));
    lastOperation_->setAccessibleName(history_text::LastOperation());
    lastOperation_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    bar->addWidget(lastOperation_, 1);
}

void TV5ivezMainForm::buildKeys() {
    const auto key = [this](const QKeySequence& sequence, const char* name, std::function<void()> handler) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(sequence);
        connect(action, &QAction::triggered, this, std::move(handler));
        addAction(action);
    };
    key(Qt::Key_F10, "keyMenuBar", [this] { enterMenuBar(); });
    Desktop& d = *desktop_;
    key(QKeySequence::Open, "keyLoad", [this, &d] {
        act([&d] {
            d.mnEEPROMClick();
            d.mnLoadClick();
        });
    });
    key(QKeySequence::Save, "keySave", [this, &d] {
        act([&d] {
            d.mnEEPROMClick();
            d.mnSaveClick();
        });
    });
    menuBar()->installEventFilter(this);
    // Where the keyboard was before the menu bar took it, by F10 or by Alt.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (now == menuBar() && old && old != menuBar() && old->window() == this) menuFocusReturn_ = old;
    });
    // A command chosen from a menu: Qt is done with the menus once the command has run.
    connect(menuBar(), &QMenuBar::triggered, this, [this] {
        QMetaObject::invokeMethod(this, &TV5ivezMainForm::leaveMenuBar, Qt::QueuedConnection);
    });
}

void TV5ivezMainForm::enterMenuBar() {
    if (!mayAct()) return;
    QMenuBar* bar = menuBar();
    bar->setFocus(Qt::MenuBarFocusReason);
    bar->setActiveAction(bar->actions().constFirst());
}

void TV5ivezMainForm::leaveMenuBar() {
    QMenuBar* bar = menuBar();
    if (!bar->hasFocus() || bar->activeAction() || QApplication::activePopupWidget()) return;
    // Left with Escape, or with a command that chose no place for the keyboard: back where it was, as
    // after Alt.
    if (menuFocusReturn_ && menuFocusReturn_->isEnabled())
        menuFocusReturn_->setFocus(Qt::MenuBarFocusReason);
    else
        bar->clearFocus();
    menuFocusReturn_.clear();
}

bool TV5ivezMainForm::eventFilter(QObject* watched, QEvent* event) {
    // Once Qt has handled the key (Escape) the menu bar may have nothing active any more.
    if (watched == menuBar() && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease))
        QMetaObject::invokeMethod(this, &TV5ivezMainForm::leaveMenuBar, Qt::QueuedConnection);
    if (event->type() == QEvent::KeyPress) {
        const auto* press = static_cast<QKeyEvent*>(event);
        const int slot = watched->property("tag").toInt();
        if (slot >= 1 && press->key() == Qt::Key_F10 && press->modifiers() == Qt::ShiftModifier) {
            // The keyboard's way to a slot's menu besides the menu key.
            const auto* button = static_cast<QWidget*>(watched);
            btnSlotContextPopup(slot, button->rect().center());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TV5ivezMainForm::fitSlotCaption(QPushButton* button) {
    // A caption such as "МШС10" from an odd file must fit its narrow button: a smaller font where needed.
    const int room = slotCaptionRoom(button);
    QFont font = slotFont_;
    while (QFontMetrics(font).horizontalAdvance(button->text()) > room &&
           font.pointSizeF() > kSmallestCaptionPoints)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    button->setFont(font);
    // The whole name, whatever the font, above the way to change it. A slot's caption is its number
    // while it is empty.
    const bool empty = button->text() == button->property("tag").toString();
    const bool named = button->text().size() > 2;
    button->setToolTip(named ? button->text() + QLatin1Char('\n') + slotHint() : slotHint());
    button->setAccessibleDescription(empty ? emptySlotDescription() : slotHint());
}

void TV5ivezMainForm::render() {
    // Whatever the last command changed is one step back.
    if (mayAct()) desktop_->takeStep();
    setWindowTitle(desktop_->windowTitle());
    Desktop& d = *desktop_;
    const QString undoStep = d.history().undoLabel();
    undoItem_->setText(undoStep.isEmpty() ? history_text::Undo() : history_text::UndoStep(undoStep));
    undoItem_->setEnabled(d.history().canUndo() || d.hasUnsavedEdits());
    const QString redoStep = d.history().redoLabel();
    redoItem_->setText(redoStep.isEmpty() ? history_text::Redo() : history_text::RedoStep(redoStep));
    redoItem_->setEnabled(d.history().canRedo());
    lastOperation_->setText(d.lastOperation());
    for (int s = 1; s <= kSlotCount; ++s) {
        QPushButton* button = slotButtons_.at(static_cast<std::size_t>(s - 1));
        if (button->text() == d.captions().at(s)) continue;
        button->setText(d.captions().at(s));
        fitSlotCaption(button);
    }
    gbParameter_->setTitle(d.title());
    renderPanes();
    emptyHint_->setVisible(d.visiblePane().isEmpty() && !d.accessCodeBox().isOpen());

    for (int n = 1; n <= 9; ++n)
        comItems_.at(static_cast<std::size_t>(n - 1))->setChecked(d.checkedComPort() == n);
    for (QAction* item : std::as_const(systemPortItems_))
        item->setChecked(item->text() == d.checkedSystemPort());
    // The journal follows every new archive: a load, a read from the panel, an undo.
    if (journal_) journal_->follow(d.image(), d.names());
}

void TV5ivezMainForm::openJournal() {
    if (!journal_) journal_ = new JournalWindow(*prompts_, desktop_->workFolder(), this);
    journal_->follow(desktop_->image(), desktop_->names());
    journal_->show();
    journal_->raise();
    journal_->activateWindow();
}

}  // namespace v5
