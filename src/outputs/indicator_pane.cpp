#include "outputs/indicator_pane.h"

#include "desktop/desktop.h"
#include "image/records.h"
#include "outputs/output_records.h"

namespace v5 {

namespace {
constexpr int kModules = 8;
constexpr int kExternalModules = 4;
constexpr int kIndicatorsPerModule = 8;

QString externalName(int n) {
    return QStringLiteral("МДВ") + QString::number(n);
}
}  // namespace

IndicatorPane::IndicatorPane(Desktop& desktop) : Pane(desktop), grid_(desktop.loading()) {
    showCaption(0);
}

bool IndicatorPane::isShown() const {
    return desktop().isPaneVisible(objectName());
}

void IndicatorPane::showCaption(int tab) {
    caption_ = QStringLiteral("Индикатор %1").arg(tabCaption(tab));
}

std::optional<int> IndicatorPane::baseOf(const QString& title) {
    std::optional<int> base;
    for (int n = 1; n <= kModules; ++n)
        if (title.contains(moduleName(ModuleId{ModuleKind::MD, n}))) base = kIndicatorsPerModule * (n - 1);
    for (int n = 1; n <= kExternalModules; ++n)
        if (title.contains(externalName(n))) base = kIndicatorsPerModule * (kModules + n - 1);
    return base;
}

void IndicatorPane::onReset(bool leaving) {
    if (leaving) MUEEPROMUpdate();
}

void IndicatorPane::openModule(const QString& name) {
    const std::optional<ModuleId> module = parseModuleName(name);
    bool external = false;
    for (int n = 1; n <= kExternalModules; ++n)
        external = external || name == externalName(n);
    if (external || (module && module->kind == ModuleKind::MD)) ViewMUD();
}

void IndicatorPane::placementChanged() {
    grid_.SBoxUpdate(desktop().captions());
}

void IndicatorPane::ViewMUD() {
    currentTab_ = 0;
    showCaption(0);
    desktop().showPane(objectName());
    MUDUpdate(0);
    grid_.SBoxUpdate(desktop().captions());
}

void IndicatorPane::MUDUpdate(int tab) {
    if (!isShown()) return;
    const std::optional<int> base = baseOf(desktop().title());
    if (!base) return;
    if (const int index = *base + tab; index >= 0 && index < config::IndicatorEntry::kCount)
        grid_.Shl2Box(config::IndicatorEntry::decode(desktop().image(), static_cast<std::size_t>(index)).loops);
}

void IndicatorPane::MUEEPROMUpdate() {
    if (!isShown()) return;
    if (const std::optional<int> base = baseOf(desktop().title()))
        MUEEPROMUpdateS(*base + tabCaption(currentTab_).toInt() - 1);
}

void IndicatorPane::MUEEPROMUpdateS(int index) {
    if (index >= 0 && index < config::IndicatorEntry::kCount)
        config::IndicatorEntry{grid_.mask()}.encode(desktop().image(), static_cast<std::size_t>(index));
}

void IndicatorPane::tnUDChange(int newTab) {
    if (newTab < 0 || newTab >= kTabs) return;
    MUEEPROMUpdate();
    MUDUpdate(newTab);
    showCaption(newTab);
    currentTab_ = newTab;
}

void IndicatorPane::Button9Click() {
    if (!isShown()) return;
    grid_.tickEnabled();
    MUEEPROMUpdate();
}

void IndicatorPane::Button12Click() {
    if (!isShown()) return;
    grid_.untickAll();
    MUEEPROMUpdate();
}

}  // namespace v5
