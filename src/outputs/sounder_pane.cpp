#include "outputs/sounder_pane.h"

#include <span>
#include <stdexcept>

#include "desktop/desktop.h"
#include "outputs/output_records.h"

namespace v5 {

namespace {
constexpr int kNoRecord = -1;
constexpr std::array<int, SounderPane::kTabs> kRecordOfTab{3, 0, 1, 2};
// Bits 3 and 4: a tamper counts as a fault; the first tab has these only.
constexpr int kFirstTamperBit = 3;

config::Sounder sounderOfTab(const Image& image, int tab) {
    return config::Sounder::decode(image, static_cast<std::size_t>(SounderPane::recordOfPage(tab)));
}
}  // namespace

SounderPane::SounderPane(Desktop& desktop) : Pane(desktop), grid_(desktop.loading()) {}

bool SounderPane::isShown() const {
    return desktop().isPaneVisible(objectName());
}

std::size_t SounderPane::at(int tab) {
    if (tab < 0 || tab >= kTabs) throw std::out_of_range("sounder tab outside 0..3");
    return static_cast<std::size_t>(tab);
}

std::uint8_t config::Sounder::*SounderPane::durationField(Event event) {
    switch (event) {
        case Alarm:
            return &config::Sounder::alarmDuration;
        case Fire:
            return &config::Sounder::fireDuration;
        case Fault:
            return &config::Sounder::faultDuration;
    }
    throw std::out_of_range("unknown sounder event");
}

int SounderPane::SetBeeperParameter(std::uint8_t code) {
    return durationItem(code);
}

int SounderPane::recordOfPage(int page) {
    return page >= 0 && page < kTabs ? kRecordOfTab.at(static_cast<std::size_t>(page)) : kNoRecord;
}

bool SounderPane::hasOption(int tab, int bit) {
    if (tab < 0 || tab >= kTabs || bit < 0 || bit >= kOptionBits) return false;
    return tab != 0 || bit >= kFirstTamperBit;
}

void SounderPane::placementChanged() {
    grid_.SBoxUpdate(desktop().captions());
}

void SounderPane::mZOClick() {
    desktop().ClearDesktop();
    desktop().showPane(objectName());
    filling_ = true;
    UpdateBeeperBox();
    UpdateBeeperShlsBox(0);
    grid_.SBoxUpdate(desktop().captions());
    TabbedNotebook4Change(0);
    filling_ = false;
}

void SounderPane::UpdateBeeperBox() {
    if (!isShown()) return;
    const Image& image = desktop().image();
    for (int tab = 0; tab < kTabs; ++tab) {
        const config::Sounder sounder = sounderOfTab(image, tab);
        for (const Event event : {Alarm, Fire, Fault})
            durations_.at(at(tab)).at(event) = SetBeeperParameter(sounder.*durationField(event));
        for (int bit = 0; bit < kOptionBits; ++bit)
            if (hasOption(tab, bit)) options_.at(at(tab)).at(static_cast<std::size_t>(bit)) = sounder.option(bit);
    }
}

void SounderPane::UpdateBeeperShlsBox(int page) {
    const int record = recordOfPage(page);
    grid_.Shl2Box(record == kNoRecord ? LoopMask() : sounderOfTab(desktop().image(), page).loops);
}

void SounderPane::UpdateBeeperShlsEEPROM() {
    if (filling_ || !isShown()) return;
    const int record = recordOfPage(page_);
    if (record == kNoRecord) return;
    config::Sounder sounder = sounderOfTab(desktop().image(), page_);
    sounder.loops = grid_.tickedMask();
    sounder.encode(desktop().image(), static_cast<std::size_t>(record));
}

void SounderPane::cbZO1Click(int loop, bool ticked) {
    grid_.setTicked(loop, ticked);
    if (!desktop().loading().isRaised()) UpdateBeeperShlsEEPROM();
}

void SounderPane::TabbedNotebook4Change(int newPage) {
    if (newPage < 0 || newPage >= kTabs) return;
    if (!filling_) {
        const LoadingFlag::Scope loading(desktop().loading());
        UpdateBeeperShlsBox(newPage);
    }
    page_ = newPage;
}

void SounderPane::durationClick(int tab, Event event, int item) {
    if (item < 0 || item >= static_cast<int>(kDurationValues.size())) return;
    durations_.at(at(tab)).at(event) = item;
    if (filling_) return;
    config::Sounder sounder = sounderOfTab(desktop().image(), tab);
    sounder.*durationField(event) = kDurationValues.at(static_cast<std::size_t>(item));
    sounder.encode(desktop().image(), static_cast<std::size_t>(recordOfPage(tab)));
}

void SounderPane::optionClick(int tab, int bit, bool ticked) {
    if (!hasOption(tab, bit)) return;
    options_.at(at(tab)).at(static_cast<std::size_t>(bit)) = ticked;
    // The first tab's tamper boxes have handlers of their own that store at once.
    if (tab != 0) return;
    config::Sounder sounder = sounderOfTab(desktop().image(), tab);
    sounder.setOption(bit, ticked);
    sounder.encode(desktop().image(), static_cast<std::size_t>(recordOfPage(tab)));
}

void SounderPane::UpdateBeeperEEPROM() {
    if (!isShown()) return;
    Image& image = desktop().image();
    for (int tab = 0; tab < kTabs; ++tab) {
        config::Sounder sounder = sounderOfTab(image, tab);
        for (int bit = 0; bit < kOptionBits; ++bit)
            if (hasOption(tab, bit)) sounder.setOption(bit, optionTicked(tab, bit));
        sounder.encode(image, static_cast<std::size_t>(recordOfPage(tab)));
    }
}

void SounderPane::Button6Click() {
    if (!isShown()) return;
    grid_.tickEnabled();
    UpdateBeeperShlsEEPROM();
}

void SounderPane::Button8Click() {
    if (!isShown()) return;
    grid_.untickAll();
    UpdateBeeperShlsEEPROM();
}

const QStringList& SounderPane::tabCaptions() {
    static const QStringList captions{QStringLiteral("Реле СЗО"), QStringLiteral("ВЗО на ГБ-5"),
                                      QStringLiteral("ЗО на ВТ-5 (шлейфы 1-32)"),
                                      QStringLiteral("ЗО на ВТ-5 (шлейфы 33-64)")};
    return captions;
}

const QStringList& SounderPane::eventCaptions() {
    static const QStringList captions{QStringLiteral("При тревоге"), QStringLiteral("При пожаре"),
                                      QStringLiteral("При неисправности")};
    return captions;
}

const QStringList& SounderPane::durationItems() {
    static const QStringList items{QStringLiteral("отключено"), QStringLiteral("1 сек."),
                                   QStringLiteral("5 сек."),    QStringLiteral("10 сек."),
                                   QStringLiteral("30 сек."),   QStringLiteral("1 мин."),
                                   QStringLiteral("2 мин."),    QStringLiteral("3 мин."),
                                   QStringLiteral("4 мин."),    QStringLiteral("без ограничения")};
    return items;
}

QString SounderPane::optionCaption(int bit) {
    static const QStringList captions{
        QStringLiteral("Дублировать работу реле СЗО при тревоге"),
        QStringLiteral("Дублировать работу реле СЗУ при пожаре"),
        QStringLiteral("Дублировать работу реле СЗУ при неисправности"),
        QStringLiteral("Сработка  тампера ГБ-5 воспринимается, как неисправность "),
        QStringLiteral("Сработка  тампера ВТ-5 воспринимается, как неисправность "),
    };
    return captions.value(bit);
}

}  // namespace v5
