#include "groups/loop_pane.h"

#include <algorithm>

#include "desktop/desktop.h"

namespace v5 {

namespace {
constexpr int kNoLoop = 0;

// The loop number a tab caption names, or kNoLoop.
int loopOfCaption(const QString& caption) {
    bool ok = false;
    const int loop = caption.toInt(&ok);
    return ok && loop >= 1 && loop <= static_cast<int>(kLoopCount) ? loop : kNoLoop;
}
}  // namespace

LoopPane::LoopPane(Desktop& desktop) : Pane(desktop), duplicate_(desktop.loading()) {
    for (int i = 0; i < kTabs; ++i)
        tabs_.at(static_cast<std::size_t>(i)) = QString::number(i + 1);
}

bool LoopPane::isVisible() const {
    return desktop().isPaneVisible(objectName());
}

std::optional<NamedObject> LoopPane::shownObject() const {
    bool ok = false;
    const int loop = tabCaption(currentTab_).toInt(&ok);
    if (!ok || loop < 1) return std::nullopt;
    return NamedObject{NameField::Loop, loop};
}

void LoopPane::ViewMShl(const QString& name) {
    desktop().showPane(objectName());
    const qsizetype at = name.indexOf(QStringLiteral("МШС"));
    if (at >= 0 && at + 3 < name.size()) {
        const int m = name.at(at + 3).digitValue();
        if (m >= 1 && m <= 8)
            for (int i = 0; i < kTabs; ++i)
                tabs_.at(static_cast<std::size_t>(i)) = QString::number(8 * m - 7 + i);
    }
    MSBoxUpdate();
}

void LoopPane::MSBoxUpdate() {
    if (!isVisible()) return;
    // Selecting the first tab from here is not a tab change by the user: nothing is stored.
    MShlsUpdate(0);
    currentTab_ = 0;
}

void LoopPane::tnShlChange(int newTab) {
    if (newTab < 0 || newTab >= kTabs || newTab == currentTab_) return;
    MSEEPROMUpdate();
    MShlsUpdate(newTab);
    currentTab_ = newTab;
}

void LoopPane::MSEEPROMUpdate() {
    if (!isVisible()) return;
    const int loop = loopOfCaption(tabCaption(currentTab_));
    if (loop != kNoLoop) MSEEPROMUpdateS(loop - 1);
}

void LoopPane::MSEEPROMUpdateS(int n) {
    encodeLoop(values_).encode(desktop().image(), static_cast<std::size_t>(n));
}

void LoopPane::MShlsUpdate(int tab) {
    duplicate_.untickAll();
    duplicate_.SBoxUpdate(desktop().captions());
    const int loop = loopOfCaption(tabCaption(tab));
    if (loop == kNoLoop) return;
    const LoadingFlag::Scope loading(desktop().loading());
    values_ = decodeLoop(LoopRecord::decode(desktop().image(), static_cast<std::size_t>(loop - 1)));
    applyTypeRule(TypeRuleMode::Show);
    duplicate_.setEnabled(loop, false);
    duplicate_.setTicked(loop, true);
}

void LoopPane::applyTypeRule(TypeRuleMode mode) {
    const auto& rules = typeRule(mode, values_.type);
    for (int c = 0; c < kLoopControlCount; ++c) {
        const auto i = static_cast<std::size_t>(c);
        enabled_.at(i) = rules.at(i).enabled;
        if (rules.at(i).value != kKept) values_.values.at(i) = rules.at(i).value;
    }
}

void LoopPane::rgTSClick(int item) {
    if (desktop().loading().isRaised() || item < 0 || item > static_cast<int>(LoopTypeItem::Off)) return;
    // A radio group reports no click for the item already chosen.
    if (static_cast<LoopTypeItem>(item) == values_.type) return;
    values_.type = static_cast<LoopTypeItem>(item);
    applyTypeRule(TypeRuleMode::Choice);
}

void LoopPane::setValue(LoopControl control, int value) {
    if (control == LoopControl::Szu || !isEnabled(control)) return;
    const int items = std::max<int>(2, static_cast<int>(loopControlItems(control).size()));
    if (value < 0 || value >= items) return;
    values_[control] = value;
}

void LoopPane::Button1Click() {
    QList<int> written;
    for (int loop = 1; loop <= LoopGrid::kLoops; ++loop)
        if (duplicate_.isTicked(loop)) {
            MSEEPROMUpdateS(loop - 1);
            written << loop;
        }
    desktop().setLastOperation(duplicateReport(written));
}

QString LoopPane::duplicateReport(const QList<int>& loops) {
    if (loops.isEmpty()) return QStringLiteral("Ни один шлейф не отмечен: ничего не записано");
    QStringList numbers;
    for (int loop : loops)
        numbers << QString::number(loop);
    return QStringLiteral("Записано в шлейфы: ") + numbers.join(QStringLiteral(", "));
}

void LoopPane::placementChanged() {
    duplicate_.SBoxUpdate(desktop().captions());
    if (isVisible()) MShlsUpdate(currentTab_);
}

}  // namespace v5
