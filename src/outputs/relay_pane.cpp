#include "outputs/relay_pane.h"

#include "desktop/desktop.h"
#include "outputs/output_records.h"

namespace v5 {

RelayPane::RelayPane(Desktop& desktop) : Pane(desktop), grid_(desktop.loading()) {
    for (int tab = 0; tab < kTabs; ++tab)
        tabCaptions_.at(static_cast<std::size_t>(tab)) = QString::number(tab + 1);
}

bool RelayPane::isShown() const {
    return desktop().isPaneVisible(objectName());
}

void RelayPane::onReset(bool leaving) {
    if (leaving) MREEPROMUpdate();
}

void RelayPane::placementChanged() {
    grid_.SBoxUpdate(desktop().captions());
    // The relay shown is read again; the desktop had it store its edits first (commitShown).
    if (isShown()) MReleUpdate(currentTab_);
}

void RelayPane::ViewMRele(const QString& name) {
    const std::optional<ModuleId> module = parseModuleName(name);
    if (!module || module->kind != ModuleKind::MR) return;
    const int first = 4 * module->number - 3;
    for (int tab = 0; tab < kTabs; ++tab)
        tabCaptions_.at(static_cast<std::size_t>(tab)) = QString::number(first + tab);
    desktop().showPane(objectName());
    MRBoxUpdate();
    // Selecting the first tab from here neither stores nor loads through tnReleChange.
    currentTab_ = 0;
    MReleUpdate(0);
}

void RelayPane::MRBoxUpdate() {
    if (!isShown()) return;
    grid_.untickAll();
    grid_.disableAll();
    grid_.SBoxUpdate(desktop().captions());
}

std::optional<int> RelayPane::relayOfTab(int tab) const {
    if (tab < 0 || tab >= kTabs) return std::nullopt;
    bool ok = false;
    const int relay = tabCaption(tab).toInt(&ok);
    if (!ok || relay < 1 || relay > config::kRelayCount) return std::nullopt;
    return relay;
}

void RelayPane::MReleUpdate(int tab) {
    const std::optional<int> relay = relayOfTab(tab);
    if (!relay) return;
    const LoadingFlag::Scope loading(desktop().loading());
    const auto stored = config::Relay::decode(desktop().image(), static_cast<std::size_t>(*relay - 1));
    mode_ = stored.modeCode();
    internal_ = stored.tamperBit6();
    external_ = stored.tamperBit7();
    timeItem_ = durationItem(stored.runTime);
    grid_.Shl2Box(stored.loops);
    panelTab_ = tab;
}

void RelayPane::MREEPROMUpdate() {
    if (!isShown()) return;
    if (const std::optional<int> relay = relayOfTab(currentTab_)) MREEPROMUpdateS(*relay - 1);
}

void RelayPane::MREEPROMUpdateS(int index) {
    const config::Relay relay{config::Relay::modeByte(mode_, internal_, external_), grid_.mask(),
                              kDurationValues.at(static_cast<std::size_t>(timeItem_))};
    relay.encode(desktop().image(), static_cast<std::size_t>(index));
}

void RelayPane::tnReleChange(int newTab) {
    if (newTab < 0 || newTab >= kTabs) return;
    MREEPROMUpdate();
    MReleUpdate(newTab);
    currentTab_ = newTab;
}

void RelayPane::rgReleModeClick(int item) {
    if (item >= 0 && item < modeItems().size()) mode_ = item;
}

void RelayPane::rgReleTimeClick(int item) {
    if (item >= 0 && item < timeItems().size()) timeItem_ = item;
}

void RelayPane::Button4Click() {
    if (!isShown()) return;
    grid_.tickEnabled();
    grid_.SBoxUpdate(desktop().captions());
}

void RelayPane::Button5Click() {
    MRBoxUpdate();
}

const QStringList& RelayPane::modeItems() {
    static const QStringList items{
        QStringLiteral("Отключено"),
        QStringLiteral("Сигнальное реле ПЦН \"Лумо\""),
        QStringLiteral("Сигнальное реле ПЦН \"Лумо\" без отключения по тревоге"),
        QStringLiteral("Реле управления внешними звуковыми оповещателями в постоянном режиме"),
        QStringLiteral("Реле управления внешними звуковыми оповещателями в прерывистом режиме"),
        QStringLiteral("Реле управления внешними звуковыми оповещателями в постоянном и прерывистом режиме"),
        QStringLiteral("Реле управления системой вентиляции и кондиционирования"),
        QStringLiteral("Реле формирования стартового импульса системы пожаротушения"),
        QStringLiteral("Реле опускания роллет при взятии на охрану"),
        QStringLiteral("Реле поднятия роллет при снятии с охраны"),
        QStringLiteral("Реле управления электромеханическим замком"),
        QStringLiteral("Реле сброса питания ШС при установке ключа и верификации"),
        QStringLiteral("Реле управления внешними световыми оповещателями"),
        QStringLiteral("Сигнальное реле неисправности ШС"),
        QStringLiteral("Сигнальное реле режима внимание ШС"),
        QStringLiteral("Сигнальное реле неисправности и режима внимание ШС"),
    };
    return items;
}

const QStringList& RelayPane::timeItems() {
    static const QStringList items = [] {
        QStringList out;
        for (std::uint8_t value : kDurationValues)
            out << QString::number(value);
        return out;
    }();
    return items;
}

}  // namespace v5
