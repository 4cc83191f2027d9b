// Opening each pane of the window on a fully populated image, in the real widget tree: the pane reset,
// the model filling itself from the image, the view rendering it and the window painting it.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>

#include "window/main_window.h"
#include "bench/support/populated_image.h"

namespace v5 {
namespace {

struct Opener {
    const char* label;
    const char* menu;  // the menu opened first, or nullptr for an item of the menu bar itself
    const char* item;
};

// One pane of each kind; modules that the populated image holds.
constexpr Opener kOpeners[] = {
    {"loops МШС3", "mShls", "mmiShl3"},
    {"zones", "mGR", "mGRZona"},
    {"partitions", "mGR", "mGRRazdel"},
    {"linked zones", "mGR", "mGRSZona"},
    {"keys list", "mKey", "N22"},
    {"relays МР2", "mRele", "mmiRele2"},
    {"indicators МД4", "mUD", "mmiUD4"},
    {"indicators МДВ2", "mUD", "mmiUDV2"},
    {"line module МС2", "MLine", "mmiLine2"},
    {"sounders", nullptr, "mZO"},
    {"external modules", nullptr, "mExt"},
};

class Window {
public:
    Window() {
        MainFormSetup setup;
        setup.prompts = &prompts_;
        setup.workFolder = dir_.path();
        setup.systemPorts = [] { return QStringList(); };
        form_ = std::make_unique<TV5ivezMainForm>(setup);
        Image image = bench::populatedImage();
        image.setWordLE(map::ExtModules.offset, 0x0FFF);  // every external module present
        form_->desktop().acceptReadImage(image.bytes());
        form_->render();
        form_->show();
        settle();
    }
    QWidget& widget() { return *form_; }
    QAction* item(const Opener& opener) {
        if (opener.menu) emit form_->findChild<QMenu*>(QString::fromLatin1(opener.menu))->aboutToShow();
        return form_->findChild<QAction*>(QString::fromLatin1(opener.item));
    }
    // Back to no pane shown, as after a click on an empty slot.
    void leavePane() {
        form_->desktop().ClearDesktop();
        form_->render();
        settle();
    }
    // Two passes: showing a pane posts its layout and show events, and only handling those posts the
    // update request that paints it. With one pass most panes were measured without their painting.
    static void settle() {
        QApplication::processEvents();
        QApplication::processEvents();
    }

private:
    QTemporaryDir dir_;
    bench::SilentPrompts prompts_;
    std::unique_ptr<TV5ivezMainForm> form_;
};

void openPane(benchmark::State& state, Window* window, Opener opener) {
    QAction* item = window->item(opener);
    if (!item || !item->isEnabled()) {
        state.SkipWithError("the pane is not part of the window yet");
        return;
    }
    item->trigger();  // the first opening builds the pane's widgets; it is not measured
    for (auto _ : state) {
        state.PauseTiming();
        window->leavePane();
        window->item(opener);
        state.ResumeTiming();
        item->trigger();
        Window::settle();
    }
}

// The key list of 990 keys rebuilt in one order and shown: a click on that order's button.
struct KeyOrder {
    const char* label;
    const char* button;
    const char* before;  // clicked first, unmeasured, so that the measured button is enabled
};
constexpr KeyOrder kKeyOrders[] = {{"key list by number", "btnNmb", "btnZona"},
                                   {"key list by zone", "btnZona", "btnNmb"},
                                   {"key list unused", "btnEmpty", "btnNmb"}};

void orderKeyList(benchmark::State& state, Window* window, KeyOrder order) {
    window->leavePane();
    window->item({"keys list", "mKey", "N22"})->trigger();
    auto* button = window->widget().findChild<QPushButton*>(QString::fromLatin1(order.button));
    auto* before = window->widget().findChild<QPushButton*>(QString::fromLatin1(order.before));
    if (!button || !before) {
        state.SkipWithError("the key list is not part of the window yet");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        before->click();
        Window::settle();
        state.ResumeTiming();
        button->click();
        Window::settle();
    }
}

}  // namespace
}  // namespace v5

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    v5::Window window;
    const auto measured = [](benchmark::internal::Benchmark* b) {
        b->Unit(benchmark::kMillisecond)
            ->Iterations(20)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true)
            ->UseRealTime();
    };
    for (const v5::Opener& opener : v5::kOpeners)
        measured(benchmark::RegisterBenchmark(opener.label, v5::openPane, &window, opener));
    for (const v5::KeyOrder& order : v5::kKeyOrders)
        measured(benchmark::RegisterBenchmark(order.label, v5::orderKeyList, &window, order));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
