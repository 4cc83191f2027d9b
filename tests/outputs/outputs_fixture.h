#pragma once

#include <gtest/gtest.h>

#include "desktop/desktop.h"
#include "tests/support/image_builder.h"
#include "panes/install_panes.h"

namespace v5::test {

// A desktop with every pane, on scripted prompts, and the pane model `Model` under test; modules are
// placed through the slot menu.
template <class Model>
class OutputsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ScriptedPrompts prompts;
    Desktop desktop{prompts, dir.path()};
    Model* pane = nullptr;

    void SetUp() override {
        installPanes(desktop);
        pane = desktop.pane<Model>();
        ASSERT_TRUE(pane);
    }
    void place(int slot, const QString& name) {
        desktop.btnSlotContextPopup(slot);
        desktop.miClick(name);
    }
    Image& image() { return desktop.image(); }
    LoopMask maskAt(std::size_t offset) { return image().loopMask(offset); }
};

}  // namespace v5::test
