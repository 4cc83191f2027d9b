#pragma once

#include <cstdint>
#include <optional>

#include "desktop/pane.h"

namespace v5 {

// The access-code box: four decimal digits kept as the nibbles of the word at 0x2CF9. It lives from
// mmKodDostupaClick to the next pane reset, which stores what it holds and closes it. A code with
// fewer than four digits is not stored: the old one stays, and the user is told why.
class AccessCodeBox : public Pane {
public:
    using Pane::Pane;

    QString objectName() const override { return QStringLiteral("Ttemp_gbKD"); }
    ResetStage resetStage() const override { return ResetStage::AccessCode; }
    void onReset(bool leaving) override;

    bool isOpen() const { return open_; }
    void open(std::uint16_t value);  // the desktop opens it after its own reset
    // What the edit holds.
    const QString& text() const { return text_; }
    // The user typed: the edit now holds `text`.
    void setText(const QString& text);
    // What the box says about a stored code that cannot be typed in it; empty for any other.
    QString note() const;
    // Four decimal digits; what the edit may hold while the user types (at most four of them).
    static bool isCode(const QString& text);
    static bool couldBeCode(const QString& text);

    void FSetData(std::uint16_t value);
    std::uint16_t FGetData() const;

private:
    bool open_ = false;
    QString text_ = QStringLiteral("0000");
    // A code whose nibbles are not all decimal cannot be typed; until the user types, the box keeps
    // the stored value instead of turning it into 0000.
    std::optional<std::uint16_t> untouched_;
};

}  // namespace v5
