#include "operations/step_label.h"

#include <vector>

#include "compare/configuration_diff.h"
#include "operations/panel_write.h"

namespace v5 {

QString changeCount(std::size_t count) {
    const std::size_t lastTwo = count % 100;
    const std::size_t last = count % 10;
    const char16_t* word = u"изменений";
    if (lastTwo < 11 || lastTwo > 14) {
        if (last == 1)
            word = u"изменение";
        else if (last >= 2 && last <= 4)
            word = u"изменения";
    }
    return QString::number(count) + QLatin1Char(' ') + QString::fromUtf16(word);
}

QString describeStep(const Image& before, const Image& after) {
    const std::vector<FieldChange> changes = compareConfigurations(before, after);
    if (changes.empty()) return {};
    if (changes.size() == 1) return changes.front().text();
    return changeCount(changes.size()) + QStringLiteral(" (") + changes.front().subject + QStringLiteral(" …)");
}

QString panelWriteStatus(const std::optional<PanelWriteResult>& result) {
    using Verify = PanelWriteResult::Verify;
    if (!result) return QStringLiteral("Запись в прибор не выполнена");
    if (result->partial) return QStringLiteral("Запись в прибор прервана: прибор может хранить часть новых настроек");
    if (result->cancelled) return QStringLiteral("Запись в прибор отменена");
    if (!result->written) return QStringLiteral("Запись в прибор не выполнена");
    QString text = QStringLiteral("Записано в прибор");
    switch (result->verify) {
        case Verify::Passed:
            text += QStringLiteral(", проверка записи - успешно");
            break;
        case Verify::Failed:
            text += QStringLiteral(", проверка записи - найдены расхождения");
            break;
        case Verify::NotRead:
            text += QStringLiteral(", проверка записи не выполнена: прибор не прочитан");
            break;
        case Verify::NotRun:
            break;
    }
    if (!result->backupPath.isEmpty()) text += QStringLiteral("; резервная копия: ") + result->backupPath;
    return text;
}

}  // namespace v5
