#pragma once

#include <optional>

#include "image/image.h"
#include "desktop/user_prompts.h"

namespace v5::bench {

// 990 keys, 64 zones, 32 partitions, 8 pass-through zones, 20 modules in the rack (МШС1..8, МД1..8, МР1,
// МР2, МС1, МС2), every relay, indicator, communication entry and sounder in use, 1280 archive records.
Image populatedImage();

// Answers every question with "cancel" and swallows messages.
class SilentPrompts : public UserPrompts {
public:
    std::optional<QString> openFileName(const QString&) override { return std::nullopt; }
    std::optional<QString> saveFileName(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    void message(const QString&) override {}
    SaveAnswer askToSave(const QString&) override { return SaveAnswer::Cancel; }
};

}  // namespace v5::bench
