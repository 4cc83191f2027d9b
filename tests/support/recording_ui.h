#pragma once

#include <functional>
#include <vector>

#include <QStringList>

#include "link/transfer_ui.h"

namespace v5::test {

// A transfer UI that records what the user would have seen and acknowledges every final message at
// once, as a user pressing "OK" would.
class RecordingUi : public TransferUi {
public:
    QStringList labels;
    std::vector<std::pair<int, int>> ranges;
    std::vector<int> progress;
    // Messages the user saw and acknowledged; a message called while the cancel flag is set is not shown.
    QStringList messages;
    bool visible = false;
    int shows = 0;
    int eventPasses = 0;
    // Runs on every pass of event processing: where a test "clicks" during a transfer.
    std::function<void()> onProcessEvents;
    // Runs when a final message is about to wait for "OK".
    std::function<void(const QString&)> onMessage;

    void SetLabel(const QString& text) override { labels << text; }
    void SetProgressRange(int minimum, int maximum) override { ranges.emplace_back(minimum, maximum); }
    void SetProgress(int value) override { progress.push_back(value); }
    void Show() override {
        visible = true;
        ++shows;
    }
    void Hide() override { visible = false; }
    void ProcessEvents() override {
        ++eventPasses;
        if (onProcessEvents) onProcessEvents();
    }
    void ShowMessage(const QString& text) override;
};

}  // namespace v5::test
