#include "tests/support/recording_ui.h"

namespace v5::test {

void RecordingUi::ShowMessage(const QString& text) {
    labels << text;
    if (Cancelled()) {
        Hide();
        return;
    }
    visible = true;
    messages << text;
    if (onMessage) onMessage(text);
    Button1Click();  // "OK"
}

}  // namespace v5::test
