#pragma once

#include <optional>

#include <QString>

#include "image/image.h"

namespace v5 {

// A change of the configuration named as the comparison lists it: one change by itself
// ("шлейф 17: тип охранный → пожарный"), several by their count and the first one's subject
// ("3 изменения (шлейф 17 …)"). Used to name undo steps.
QString describeStep(const Image& before, const Image& after);

// "1 изменение", "3 изменения", "12 изменений".
QString changeCount(std::size_t count);

struct PanelWriteResult;
// "Записать в прибор" in one line for the status bar: "Записано в прибор, проверка записи - успешно".
// No result: the write did not start.
QString panelWriteStatus(const std::optional<PanelWriteResult>& result);

}  // namespace v5
