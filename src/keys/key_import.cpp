#include "keys/key_import.h"

#include "desktop/desktop.h"
#include "keys/key_list_pane.h"

namespace v5 {

KeyImportPlan loadKeyTable(Desktop& desktop, const QByteArray& csv, const QString& fileName) {
    desktop.ClearDesktop();
    // What came before the load is a step of its own.
    desktop.takeStep();
    KeyImportPlan plan = planKeyImport(desktop.image(), desktop.names(), csv);
    if (!plan.ok()) return plan;
    SiteNames names = desktop.names();
    applyKeyImport(plan, desktop.image(), names);
    desktop.setNames(names);
    if (auto* list = desktop.pane<KeyListPane>()) list->N22Click();
    desktop.takeStep(keyImportStep(fileName));
    desktop.setLastOperation(QStringLiteral("Загружено из таблицы %1: добавлено %2, заменено %3, изменено %4")
                                 .arg(fileName)
                                 .arg(plan.count(KeyImportChange::Added))
                                 .arg(plan.count(KeyImportChange::Replaced))
                                 .arg(plan.count(KeyImportChange::Changed)));
    return plan;
}

}  // namespace v5
