#pragma once

#include <functional>

#include <QString>

namespace v5 {

// What the user sees of a device transfer: a step label, a progress bar and one button that cancels a
// running transfer and acknowledges its final message. The window, the command line and tests each
// provide one.
class TransferUi {
public:
    virtual ~TransferUi() = default;

    virtual void SetLabel(const QString& text) = 0;
    virtual void SetProgressRange(int minimum, int maximum) = 0;
    virtual void SetProgress(int value) = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    // Lets pending user input and redraws through; the transfers call it between polls.
    virtual void ProcessEvents() = 0;
    // Shows a final message and returns once the user acknowledged it (the button, which sets the
    // cancel flag); when the flag is already set it returns at once. Hides the window either way.
    virtual void ShowMessage(const QString& text) = 0;

    // The cancel flag: set by the button, cleared by the driver at the start of each transfer.
    bool Cancelled() const { return cancelled_; }
    void ClearCancel() { cancelled_ = false; }

    // The button: cancels a running transfer or acknowledges a message. The handler (the driver's
    // Disconnect) closes the port at once, not only when the transfer next looks at the flag.
    void Button1Click();
    void SetCancelHandler(std::function<void()> handler) { cancelHandler_ = std::move(handler); }

private:
    bool cancelled_ = false;
    std::function<void()> cancelHandler_;
};

}  // namespace v5
