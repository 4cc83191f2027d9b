#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "desktop/desktop.h"
#include "tests/support/image_builder.h"
#include "panes/install_panes.h"

namespace v5::test {

// A desktop with every pane, on scripted prompts, and modules placed through the slot menu.
class GroupFixture : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ScriptedPrompts prompts;
    Desktop desktop{prompts, dir.path()};

    void SetUp() override { installPanes(desktop); }
    Image& image() { return desktop.image(); }
    void place(int slot, const char16_t* name) {
        desktop.btnSlotContextPopup(slot);
        desktop.miClick(QString::fromUtf16(name));
    }
    // The eight bytes at `offset`.
    std::vector<std::uint8_t> bytes(std::size_t offset, std::size_t count = 8) const {
        const auto span = desktop.image().span(offset, count);
        return {span.begin(), span.end()};
    }
};

}  // namespace v5::test
