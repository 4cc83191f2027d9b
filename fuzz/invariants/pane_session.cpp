#include "fuzz/invariants/pane_session.h"

#include <algorithm>
#include <deque>
#include <set>
#include <string>

#include <ctime>

#include "compare/configuration_check.h"
#include "compare/configuration_diff.h"
#include "reports/configuration_report.h"
#include "desktop/desktop.h"
#include "reports/event_archive.h"
#include "outputs/ext_pane.h"
#include "outputs/indicator_pane.h"
#include "panes/install_panes.h"
#include "keys/key_card_pane.h"
#include "keys/key_code_prompt.h"
#include "keys/key_list_pane.h"
#include "keys/key_table.h"
#include "outputs/line_pane.h"
#include "groups/linked_zones_pane.h"
#include "groups/loop_pane.h"
#include "files/messages.h"
#include "image/orphan_sweep.h"
#include "outputs/panel_options.h"
#include "groups/razdel_pane.h"
#include "outputs/relay_pane.h"
#include "reports/report_actions.h"
#include "files/settings_file.h"
#include "outputs/sounder_pane.h"
#include "groups/zona_pane.h"

namespace v5::fuzz {

namespace {

Image imageOf(std::span<const std::uint8_t> data) {
    Image::Bytes bytes{};
    std::copy_n(data.begin(), std::min(data.size(), bytes.size()), bytes.begin());
    Image image;
    image.assign(bytes);
    return image;
}

// At most 64 items spread evenly over the list, the first included. Qt takes microseconds to build one
// JSON object and an image of garbage has thousands of problems and changes: the whole lists in JSON
// were most of a session, and a sample runs the same code on the same kinds of text.
template <typename T>
std::vector<T> sample(const std::vector<T>& items) {
    constexpr std::size_t kMost = 64;
    const std::size_t step = std::max<std::size_t>(1, (items.size() + kMost - 1) / kMost);
    std::vector<T> some;
    for (std::size_t i = 0; i < items.size(); i += step)
        some.push_back(items[i]);
    return some;
}

template <typename T>
QStringList textsOf(const std::vector<T>& items, QString (T::*text)() const) {
    QStringList texts;
    for (const T& item : items)
        texts << (item.*text)();
    return texts;
}

// Processor time of this thread: a bound that holds however busy the machine is and whatever the
// priority of the run.
class CpuTimer {
public:
    qint64 elapsed() const { return now() - start_; }
    qint64 restart() {
        const qint64 was = start_;
        start_ = now();
        return start_ - was;
    }

private:
    static qint64 now() {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return static_cast<qint64>(ts.tv_sec) * 1000 + ts.tv_nsec / 1'000'000;
    }
    qint64 start_ = now();
};

// The action bytes after the image; zero once they run out.
class Actions {
public:
    explicit Actions(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    bool done() const { return at_ >= bytes_.size(); }
    std::uint8_t next() { return done() ? 0 : bytes_[at_++]; }
    int below(int bound) { return bound <= 0 ? 0 : next() % bound; }
    bool flag() { return next() & 1U; }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

// The desktop's questions: the settings file to read or write comes from the session, a message is
// recorded, a question about unsaved edits drops them.
class SessionPrompts : public UserPrompts {
public:
    std::deque<QString> files;
    QStringList messages;

    std::optional<QString> openFileName(const QString&) override { return take(); }
    std::optional<QString> saveFileName(const QString&, const QString&, const QString&) override {
        return take();
    }
    void message(const QString& text) override { messages << text; }
    SaveAnswer askToSave(const QString&) override { return SaveAnswer::DontSave; }

private:
    std::optional<QString> take() {
        if (files.empty()) return std::nullopt;
        QString file = files.front();
        files.pop_front();
        return file;
    }
};

// The input module as the key card uses it: keys and console blocks made of action bytes.
class SessionDevice : public DeviceLink {
public:
    explicit SessionDevice(Actions& actions) : actions_(actions) {}
    bool StartKeyReader() override { return actions_.next() % 8 != 0; }
    bool ReadKeyCode(std::span<std::uint8_t, kKeyRomSize> rom) override {
        if (actions_.next() % 4 == 0) return false;
        for (std::uint8_t& b : rom)
            b = actions_.next();
        return true;
    }
    void Disconnect() override {}
    bool ReadConsoleKeys(std::span<std::uint8_t, kConsoleKeyBlockSize> block) override {
        if (actions_.next() % 4 == 0) return false;
        // A few bytes of the input spread over the block, so that short inputs reach every record.
        const std::uint8_t seed = actions_.next();
        const std::uint8_t step = actions_.next();
        for (std::size_t i = 0; i < block.size(); ++i)
            block[i] = static_cast<std::uint8_t>(seed + i * step);
        return true;
    }
    void Wait(int) override {}

private:
    Actions& actions_;
};

class SessionCodePrompt : public KeyCodePrompt {
public:
    explicit SessionCodePrompt(Actions& actions) : actions_(actions) {}
    std::optional<QString> keyCode(const QString&) override {
        const int length = actions_.below(14);
        if (length == 0) return std::nullopt;
        static const char kDigits[] = "0123456789ABCDEFaf x";
        QString text;
        for (int i = 0; i < length; ++i)
            text += QLatin1Char(kDigits[actions_.below(static_cast<int>(sizeof kDigits) - 1)]);
        return text;
    }

private:
    Actions& actions_;
};

// How a pane is opened: a menu item, a module name, or the access-code item.
struct Opener {
    enum Kind { Menu, Module, AccessCode } kind;
    QString name;
};

// Commands the key card answers that are edits rather than views.
bool isEdit(const QString& item) {
    return item == QStringLiteral("keyAdd") || item == QStringLiteral("N16") || item == QStringLiteral("N1");
}

class Session {
public:
    Session(std::span<const std::uint8_t> data, const PaneSessionOptions& options)
        : options_(options),
          start_(imageOf(data)),
          actions_(data.size() > Image::kSize ? data.subspan(Image::kSize) : std::span<const std::uint8_t>()),
          device_(actions_),
          codePrompt_(actions_),
          desktop_(prompts_, options.folder) {
        installPanes(desktop_);
        desktop_.setDeviceLink(&device_);
        if (auto* card = desktop_.pane<KeyCardPane>()) card->setCodePrompt(&codePrompt_);
    }

    PaneSessionResult run() {
        if (!load()) return std::move(result_);
        Image& image = desktop_.image();
        const auto reset = [this](Image&) { desktop_.ClearDesktop(); };
        note(checkResetIdempotent(image, reset));

        const bool knownShape =
            options_.skipKnownLinkedZoneErasure && linkedMaskWithinOwnZone(desktop_.image()) != 0;
        for (const Opener& opener : openers()) {
            if (knownShape && opener.name == QStringLiteral("mGRSZona")) continue;
            note(checkViewTwiceStable(image,
                                      [&](Image&) {
                                          open(opener);
                                          desktop_.ClearDesktop();
                                      }),
                 opener.name.isEmpty() ? QStringLiteral("mmKodDostupa") : opener.name);
        }
        viewKeyCards();
        note(checkNoNewSpecialKeys(start_, image));
        note(checkArchiveUntouched(start_, image));

        edit();
        desktop_.ClearDesktop();
        note(checkArchiveUntouched(start_, image));
        note(checkResetIdempotent(image, reset));
        exports();
        return std::move(result_);
    }

private:
    void note(Check check, const QString& where = QString()) {
        if (!check) return;
        if (!where.isEmpty()) check->detail = where + QStringLiteral(": ") + check->detail;
        result_.violations.push_back(std::move(*check));
    }

    // As "Файл настроек" → "Загрузить": the code typed matches the file's, so the file is taken.
    bool load() {
        const QString path = options_.folder + QStringLiteral("/start.v5");
        if (const auto error = writeSettingsFile(path, start_)) {
            result_.violations.push_back({QStringLiteral("setup"), error->detail});
            return false;
        }
        desktop_.image().setWordLE(map::AccessCode.offset, start_.wordLE(map::AccessCode.offset));
        prompts_.files.push_back(path);
        desktop_.mnLoadClick();
        if (desktop_.windowCaption() == msg::NoFileChosen()) {
            result_.violations.push_back({QStringLiteral("load"), prompts_.messages.join(QLatin1Char('|'))});
            return false;
        }
        // What the load left outside the configuration area must be the file's own.
        note(checkArchiveUntouched(start_, desktop_.image()));
        return true;
    }

    std::vector<Opener> openers() const {
        std::vector<Opener> all;
        for (Pane* pane : desktop_.allPanes())
            for (const MenuCommand& command : pane->menuCommands())
                if (!isEdit(command.item)) all.push_back({Opener::Menu, command.item});
        for (const QString& name : allModuleNames())
            if (desktop_.moduleMenuItemEnabled(name)) all.push_back({Opener::Module, name});
        for (int n = 1; n <= 4; ++n) {
            const QString name = QStringLiteral("МДВ%1").arg(n);
            if (desktop_.moduleMenuItemEnabled(name)) all.push_back({Opener::Module, name});
        }
        all.push_back({Opener::AccessCode, QString()});
        return all;
    }

    void open(const Opener& opener) {
        ++result_.panesOpened;
        desktop_.beforeCommand();
        switch (opener.kind) {
            case Opener::Menu:
                desktop_.runCommand(opener.name);
                break;
            case Opener::Module:
                desktop_.mClick(opener.name);
                break;
            case Opener::AccessCode:
                desktop_.mmKodDostupaClick();
                break;
        }
    }

    // The key card of the first, a middle and the last key of the list, each looked at twice.
    void viewKeyCards() {
        auto* list = desktop_.pane<KeyListPane>();
        if (!list) return;
        desktop_.runCommand(QStringLiteral("N22"));
        const int lines = static_cast<int>(list->lines().size());
        desktop_.ClearDesktop();
        if (lines == 0) return;
        for (const int row : {0, lines / 2, lines - 1}) {
            note(checkViewTwiceStable(desktop_.image(),
                                      [&](Image&) {
                                          desktop_.runCommand(QStringLiteral("N22"));
                                          if (row < static_cast<int>(list->lines().size()))
                                              list->clbKeyClick(row);
                                          desktop_.ClearDesktop();
                                      }),
                 QStringLiteral("key card of list row %1").arg(row));
        }
    }

    void edit() {
        while (!actions_.done()) {
            ++result_.editsApplied;
            switch (actions_.below(12)) {
                case 0: {
                    const std::vector<Opener> now = openers();
                    open(now.at(static_cast<std::size_t>(actions_.below(static_cast<int>(now.size())))));
                    break;
                }
                case 1:
                    desktop_.beforeCommand();
                    desktop_.ClearDesktop();
                    break;
                case 2:
                case 3:
                case 4:
                case 5:
                    editVisiblePane();
                    break;
                case 6: {
                    desktop_.beforeCommand();
                    desktop_.btnSlotContextPopup(1 + actions_.below(kSlotCount));
                    const QStringList& names = allModuleNames();
                    const int item = actions_.below(static_cast<int>(names.size()) + 1);
                    desktop_.miClick(item == names.size() ? Desktop::deleteItem() : names.at(item));
                    break;
                }
                case 7:
                case 8:
                case 9: {
                    static const char* const kKeyItems[] = {"keyAdd", "N1", "N16"};
                    desktop_.beforeCommand();
                    desktop_.runCommand(QString::fromLatin1(kKeyItems[actions_.below(3)]));
                    break;
                }
                case 10:
                    editKeyCard();
                    break;
                case 11:
                    typeText();
                    break;
            }
        }
    }

    QString typedText(int maxLength, const char* alphabet) {
        const int length = actions_.below(maxLength + 1);
        const int size = static_cast<int>(std::char_traits<char>::length(alphabet));
        QString text;
        for (int i = 0; i < length; ++i)
            text += QLatin1Char(alphabet[actions_.below(size)]);
        return text;
    }

    void typeText() {
        if (desktop_.isPaneVisible(QStringLiteral("gbLine"))) {
            if (auto* line = desktop_.pane<LinePane>()) line->MaskEdit1Change(typedText(4, "0123456789 _-"));
        } else if (desktop_.accessCodeBox().isOpen()) {
            desktop_.accessCodeBox().setText(typedText(5, "0123456789 a"));
        }
    }

    void editKeyCard() {
        auto* card = desktop_.pane<KeyCardPane>();
        auto* list = desktop_.pane<KeyListPane>();
        if (!card || !list) return;
        if (desktop_.isPaneVisible(list->objectName())) {
            switch (actions_.below(4)) {
                case 0:
                    list->btnNmbClick();
                    break;
                case 1:
                    list->btnZonaClick();
                    break;
                case 2:
                    list->btnEmptyClick();
                    break;
                case 3:
                    if (!list->lines().empty())
                        list->clbKeyClick(actions_.below(static_cast<int>(list->lines().size())));
                    break;
            }
            return;
        }
        if (!desktop_.isPaneVisible(card->objectName())) return;
        switch (actions_.below(7)) {
            case 0:
                card->rgFunctionClick(actions_.below(3));
                break;
            case 1:
                card->LabelZoneClick();
                break;
            case 2:
                if (card->zonePickerShown() && !card->zonePickerItems().empty())
                    card->ListBox1Click(actions_.below(static_cast<int>(card->zonePickerItems().size())));
                break;
            case 3:
                card->LabelTarniaClick();
                break;
            case 4:
                if (card->tarniaPickerShown()) card->rgTarniaNmbClick(actions_.below(15));
                break;
            case 5:
                card->bDeleteClick();
                break;
            case 6:
                card->Button3Click();
                break;
        }
    }

    void editVisiblePane() {
        const QString& visible = desktop_.visiblePane();
        const int loop = 1 + actions_.below(64);
        const bool on = actions_.flag();
        if (auto* p = desktop_.pane<LoopPane>(); p && visible == p->objectName()) {
            switch (actions_.below(5)) {
                case 0:
                    if (p->duplicateGrid().isEnabled(loop)) p->sClick(loop, on);
                    break;
                case 1:
                    p->rgTSClick(actions_.below(5));
                    break;
                case 2:
                    p->setValue(static_cast<LoopControl>(actions_.below(kLoopControlCount)),
                                actions_.below(4));
                    break;
                case 3:
                    p->tnShlChange(actions_.below(LoopPane::kTabs));
                    break;
                case 4:
                    p->Button1Click();
                    break;
            }
        } else if (auto* z = desktop_.pane<ZonaPane>(); z && visible == z->objectName()) {
            switch (actions_.below(4)) {
                case 0:
                    z->ZoneClick(loop, on);
                    break;
                case 1:
                    if (!z->list().isEmpty()) z->selectRow(actions_.below(z->list().count()));
                    break;
                case 2:
                    z->Button2Click();
                    break;
                case 3:
                    z->Button7Click();
                    break;
            }
        } else if (auto* r = desktop_.pane<RazdelPane>(); r && visible == r->objectName()) {
            switch (actions_.below(4)) {
                case 0:
                    if (r->boxes().isShown(loop)) r->qClick(loop, on);
                    break;
                case 1:
                    if (!r->list().isEmpty()) r->selectRow(actions_.below(r->list().count()));
                    break;
                case 2:
                    r->Button10Click();
                    break;
                case 3:
                    r->Button11Click();
                    break;
            }
        } else if (auto* l = desktop_.pane<LinkedZonesPane>(); l && visible == l->objectName()) {
            if (actions_.flag())
                l->wClick(loop, on);
            else if (!l->list().isEmpty())
                l->selectRow(actions_.below(l->list().count()));
        } else if (auto* m = desktop_.pane<RelayPane>(); m && visible == m->objectName()) {
            switch (actions_.below(7)) {
                case 0:
                    if (m->grid().isEnabled(loop)) m->cRClick(loop, on);
                    break;
                case 1:
                    m->rgReleModeClick(actions_.below(static_cast<int>(RelayPane::modeItems().size())));
                    break;
                case 2:
                    m->rgReleTimeClick(actions_.below(static_cast<int>(RelayPane::timeItems().size())));
                    break;
                case 3:
                    m->tnReleChange(actions_.below(RelayPane::kTabs));
                    break;
                case 4:
                    m->cbInternalClick(on);
                    break;
                case 5:
                    m->cbExternalClick(on);
                    break;
                case 6:
                    on ? m->Button4Click() : m->Button5Click();
                    break;
            }
        } else if (auto* u = desktop_.pane<IndicatorPane>(); u && visible == u->objectName()) {
            switch (actions_.below(3)) {
                case 0:
                    if (u->grid().isEnabled(loop)) u->cUDClick(loop, on);
                    break;
                case 1:
                    u->tnUDChange(actions_.below(IndicatorPane::kTabs));
                    break;
                case 2:
                    on ? u->Button9Click() : u->Button12Click();
                    break;
            }
        } else if (auto* s = desktop_.pane<SounderPane>(); s && visible == s->objectName()) {
            switch (actions_.below(5)) {
                case 0:
                    if (s->grid().isEnabled(loop)) s->cbZO1Click(loop, on);
                    break;
                case 1:
                    s->TabbedNotebook4Change(actions_.below(SounderPane::kTabs));
                    break;
                case 2:
                    s->durationClick(s->currentPage(), static_cast<SounderPane::Event>(actions_.below(3)),
                                     actions_.below(static_cast<int>(SounderPane::durationItems().size())));
                    break;
                case 3:
                    s->optionClick(s->currentPage(), actions_.below(SounderPane::kOptionBits), on);
                    break;
                case 4:
                    on ? s->Button6Click() : s->Button8Click();
                    break;
            }
        } else if (auto* n = desktop_.pane<LinePane>(); n && visible == n->objectName()) {
            const int box = 1 + actions_.below(LinePane::kBoxes);
            if (n->isEnabled(box)) n->tzClick(box, on);
        } else if (auto* e = desktop_.pane<ExtPane>(); e && visible == e->objectName()) {
            e->setTicked(actions_.below(ExtPane::kBoxCount), on);
        } else if (auto* o = desktop_.pane<PanelOptions>()) {
            // The option boxes are on the main window, shown whatever the pane.
            o->setOption(static_cast<PanelOptions::Option>(actions_.below(3)), on);
        }
    }

    void keyLists() {
        auto* list = desktop_.pane<KeyListPane>();
        if (!list) return;
        desktop_.runCommand(QStringLiteral("N22"));
        std::set<std::size_t> byNumber;
        const auto records = [&] {
            std::set<std::size_t> seen;
            for (const KeyListPane::Line& line : list->lines())
                if (!seen.insert(line.record).second)
                    result_.violations.push_back({QStringLiteral("key-list"),
                                                  QStringLiteral("record %1 listed twice").arg(line.record)});
            return seen;
        };
        list->btnZonaClick();
        const auto byZona = records();
        list->btnEmptyClick();
        const auto unused = records();
        list->btnNmbClick();
        byNumber = records();
        for (const auto& part : {byZona, unused})
            for (const std::size_t record : part)
                if (!byNumber.contains(record))
                    result_.violations.push_back(
                        {QStringLiteral("key-list"),
                         QStringLiteral("record %1 is in another order but not in the list by number")
                             .arg(record)});
        desktop_.ClearDesktop();
    }

    void exports() {
        Image& image = desktop_.image();
        CpuTimer timer;
        const QStringList report = resetAndReport(desktop_);
        note(checkBoundedTime(QStringLiteral("report"), timer.restart(), options_.exportLimitMs));
        const QStringList archive = eventArchive(image);
        note(checkBoundedTime(QStringLiteral("archive"), timer.elapsed(), options_.exportLimitMs));
        note(checkWindows1251(QStringLiteral("report"), report));
        note(checkWindows1251(QStringLiteral("archive"), archive));
        keyLists();

        const auto problems = checkConfiguration(image);
        (void)problemLines(problems);
        const auto someProblems = sample(problems);
        note(checkJsonReadsBack(QStringLiteral("check"), problemJson(someProblems), QStringLiteral("line"),
                                textsOf(someProblems, &Problem::line)));
        const auto changes = compareConfigurations(start_, image);
        (void)differenceLines(changes);
        const auto someChanges = sample(changes);
        note(checkJsonReadsBack(QStringLiteral("diff"), differenceJson(someChanges), QStringLiteral("text"),
                                textsOf(someChanges, &FieldChange::text)));
        note(checkDiffMatchesBytes(start_, image));
        note(checkDiffMatchesBytes(image, image));
        note(checkArchiveUntouched(start_, image));
        note(checkSaveLoadRoundTrip(image, options_.folder));
    }

    const PaneSessionOptions& options_;
    Image start_;
    Actions actions_;
    SessionPrompts prompts_;
    SessionDevice device_;
    SessionCodePrompt codePrompt_;
    Desktop desktop_;
    PaneSessionResult result_;
};

}  // namespace

PaneSessionResult runPaneSession(std::span<const std::uint8_t> data, const PaneSessionOptions& options) {
    return Session(data, options).run();
}

PaneSessionResult runSweepSession(std::span<const std::uint8_t> data, qint64 exportLimitMs) {
    PaneSessionResult result;
    const auto note = [&](Check check) {
        if (check) result.violations.push_back(std::move(*check));
    };
    const Image start = imageOf(data);
    Image image = start;
    SlotCaptions captions;
    captions.bntSlotsUpdate(image);
    note(checkResetIdempotent(image, [&](Image& i) { ClearSheet(i, captions); }));
    note(checkArchiveUntouched(start, image));
    note(checkNoNewSpecialKeys(start, image));

    CpuTimer timer;
    const QStringList report = configurationReport(image);
    note(checkBoundedTime(QStringLiteral("report"), timer.restart(), exportLimitMs));
    const QStringList archive = eventArchive(start);
    note(checkBoundedTime(QStringLiteral("archive"), timer.elapsed(), exportLimitMs));
    note(checkWindows1251(QStringLiteral("report"), report));
    note(checkWindows1251(QStringLiteral("archive"), archive));
    (void)problemLines(checkConfiguration(start));
    // One comparison, its count checked against the bytes (the pane target checks the other pairs).
    const auto changes = compareConfigurations(start, image, CompareScope::ConfigurationArea);
    (void)differenceLines(changes);
    note(checkDiffMatchesBytes(start, image, [&](const Image&, const Image&) { return changes.size(); }));
    return result;
}

bool skipKnownLinkedZoneErasureFromEnvironment() {
    const QString known = qEnvironmentVariable("V5_FUZZ_SKIP_KNOWN");
    return known.split(QLatin1Char(',')).contains(QStringLiteral("linked-zone-erasure"));
}

}  // namespace v5::fuzz
