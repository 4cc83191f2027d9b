#include "keys/key_card_pane.h"

#include <algorithm>

#include "desktop/desktop.h"
#include "keys/key_code_prompt.h"
#include "keys/key_list_pane.h"
#include "keys/key_texts.h"
#include "image/orphan_sweep.h"
#include "image/tables.h"

namespace v5 {

namespace {

using config::Key;
using config::KeyAssignment;
using config::KeyRole;

constexpr int kTarniaItems = 15;
// The user type "Хозяин" takes a key out of these values when the card is left.
constexpr std::uint8_t kHighestKeptAssignment = 0xF0;

// "код: " and the code as the reader delivered it, ROM byte 6 first; the last byte in lower case.
QString keyLabel(const KeyCode& code) {
    constexpr qsizetype kUpperDigits = 10;
    return QStringLiteral("код: ") + config::keyCodeText(code, true).left(kUpperDigits) +
           config::keyCodeText(code, false).mid(kUpperDigits);
}

}  // namespace

KeyCardPane::KeyCardPane(Desktop& desktop)
    : Pane(desktop), caption_(keytext::Card()), labelZone_(keytext::ZoneLineInitial()) {}

std::vector<MenuCommand> KeyCardPane::menuCommands() {
    return {{QStringLiteral("keyAdd"), [this] { keyAddClick(); }},
            {QStringLiteral("N16"), [this] { N16Click(); }},
            {QStringLiteral("N1"), [this] { N1Click(); }}};
}

KeyListPane* KeyCardPane::list() {
    return desktop().pane<KeyListPane>();
}

std::optional<std::size_t> KeyCardPane::storedKey() const {
    if (!current_ || KeyEmpty(desktop().image(), *current_)) return std::nullopt;
    return current_;
}

bool KeyCardPane::endWait() {
    if (!waiting_) return false;
    waiting_ = false;
    if (DeviceLink* link = desktop().deviceLink()) link->Disconnect();
    return true;
}

void KeyCardPane::beforeCommand() {
    if (endWait() && desktop().isPaneVisible(objectName())) desktop().showPane(QString());
}

void KeyCardPane::onReset(bool leaving) {
    endWait();
    zonePicker_ = false;
    tarniaPicker_ = false;
    if (!leaving || card_ != Card::Shown || !typeIsTheKeys_) return;
    // A record that was freed (deleted, or emptied by a console copy) keeps its blank values.
    if (const auto record = storedKey()) commitUserType(*record);
}

void KeyCardPane::rgFunctionClick(int item) {
    if (item < Khozyain || item > GZ) return;
    userType_ = item;
    typeIsTheKeys_ = true;
}

void KeyCardPane::commitUserType(std::size_t record) {
    Key key = Key::decode(desktop().image(), record);
    if (userType_ == Monter)
        key.assignment = {config::kMonterAssignment};
    else if (userType_ == GZ)
        key.assignment = {config::kGZAssignment};
    else if (key.assignment.byte > kHighestKeptAssignment)
        key.assignment = KeyAssignment::ofZona(1);  // unless the sweep finds it empty
    key.encode(desktop().image(), record);
}

void KeyCardPane::openCard(Card card) {
    desktop().showPane(objectName());
    card_ = card;
    caption_ = keytext::Card();
    zonePicker_ = false;
    tarniaPicker_ = false;
}

void KeyCardPane::keyAddClick() {
    DeviceLink* link = desktop().deviceLink();
    if (!link) return;
    endWait();
    if (!link->StartKeyReader()) return;
    desktop().ClearDesktop();
    openCard(Card::Waiting);
    const unsigned wait = ++waitNumber_;
    waiting_ = true;
    for (int poll = 0; poll < kKeyPolls; ++poll) {
        KeyRom rom{};
        if (link->ReadKeyCode(rom)) {
            // The port is not needed any more; leaving it open would keep it from other programs.
            waiting_ = false;
            link->Disconnect();
            ViewKeyParameter(rom);
            return;
        }
        link->Wait(kKeyPollMs);
        // The user chose another command meanwhile, which ended this wait (and may have begun another).
        if (!waiting_ || waitNumber_ != wait) return;
    }
    endWait();
    if (desktop().isPaneVisible(objectName())) desktop().showPane(QString());
}

void KeyCardPane::ViewKeyParameter(const KeyRom& rom) {
    desktop().ClearDesktop();
    const KeyCode code = codeOfRom(rom);
    // Such a code would name a free record, not a key.
    if (isZeroCode(code)) {
        desktop().prompts().message(keytext::ZeroCode());
        return;
    }
    openCard(Card::Shown);
    labelKey_ = keyLabel(code);
    if (const auto stored = findKey(desktop().image(), code)) {
        caption_ = keytext::AlreadyStored();
        showKey(*stored);
        return;
    }
    if (firstFreeKey(desktop().image())) {
        caption_ = keytext::Added();
        add(code);
        return;
    }
    card_ = Card::NoRoom;
    labelZone_.clear();
    labelTarnia_.clear();
    labelNmb_ = keytext::NoRoom();
    current_.reset();
}

void KeyCardPane::showRecord(std::size_t record) {
    desktop().ClearDesktop();
    openCard(Card::Shown);
    caption_ = keytext::AlreadyStored();
    labelKey_ = keyLabel(keyCode(desktop().image(), record));
    showKey(record);
}

void KeyCardPane::add(const KeyCode& code) {
    Image& image = desktop().image();
    const std::size_t record = *firstFreeKey(image);
    Key key = Key::decode(image, record);
    KeyAssignment& assignment = key.assignment;
    if (line_.kind == AssignmentLine::Zona)
        assignment = KeyAssignment::ofZona(line_.number);
    else if (line_.kind == AssignmentLine::Razdel)
        assignment = KeyAssignment::ofRazdel(line_.number);
    if (userType_ == Monter)
        assignment = {config::kMonterAssignment};
    else if (userType_ == GZ)
        assignment = {config::kGZAssignment};
    else if (line_.kind == AssignmentLine::None &&
             (assignment.role() == KeyRole::Monter || assignment.role() == KeyRole::GZ))
        assignment = {config::kNoAssignment};  // what a free record held gives no installer or ГЗ rights
    key.setCode(code);
    key.encode(image, record);
    showKey(record);
}

void KeyCardPane::showKey(std::size_t record) {
    current_ = record;
    const Key key = Key::decode(desktop().image(), record);
    line_ = AssignmentLine{};
    // An unassigned key, or one of a value the card does not know, shows the user type carried over
    // from the key before; leaving the card must not give it that type's rights.
    typeIsTheKeys_ = true;
    switch (key.assignment.role()) {
        case KeyRole::Unassigned:
            typeIsTheKeys_ = false;
            labelZone_ = keytext::Unassigned();
            break;
        case KeyRole::Zona:
            userType_ = Khozyain;
            line_ = {AssignmentLine::Zona, key.assignment.number()};
            labelZone_ = keytext::Zona() + QString::number(line_.number);
            break;
        case KeyRole::Razdel:
            userType_ = Khozyain;
            line_ = {AssignmentLine::Razdel, key.assignment.number()};
            labelZone_ = keytext::RazdelShown() + QString::number(line_.number);
            break;
        case KeyRole::GZ:
            userType_ = GZ;
            labelZone_.clear();
            break;
        case KeyRole::Monter:
            userType_ = Monter;
            labelZone_.clear();
            break;
        case KeyRole::Unknown:
            typeIsTheKeys_ = false;
            labelZone_ = keytext::Unknown();
            break;
    }
    labelTarnia_ = keytext::TarniaShown() + QString::number(key.spiNumber());
    labelNmb_ = keytext::Number() + QString::number(record + 1);
}

void KeyCardPane::bDeleteClick() {
    const auto record = storedKey();
    if (card_ != Card::Shown || !record) return;
    Key{}.encode(desktop().image(), *record);
    // The freed record is no key any more: nothing on the card is committed to it.
    current_.reset();
    list()->N22Click();
}

void KeyCardPane::Button3Click() {
    list()->N22Click();
}

void KeyCardPane::LabelZoneClick() {
    if (!desktop().isPaneVisible(objectName()) || card_ == Card::Waiting) return;
    zoneItems_.clear();
    if (storedKey()) {
        const Image& image = desktop().image();
        for (int z = 1; z <= config::kZonaCount; ++z)
            if (zonaExists(image, z))
                zoneItems_.push_back({{AssignmentLine::Zona, z}, keytext::ZoneItem().arg(z)});
        for (int p = 1; p <= config::kRazdelCount; ++p)
            if (razdelExists(image, p))
                zoneItems_.push_back({{AssignmentLine::Razdel, p}, keytext::RazdelItem().arg(p)});
    }
    zonePicker_ = !zoneItems_.empty();
}

void KeyCardPane::ListBox1Click(int row) {
    const auto record = storedKey();
    if (!zonePicker_ || !record || row < 0 || row >= static_cast<int>(zoneItems_.size())) return;
    const AssignmentLine group = zoneItems_.at(static_cast<std::size_t>(row)).group;
    const bool zona = group.kind == AssignmentLine::Zona;
    Key key = Key::decode(desktop().image(), *record);
    key.assignment = zona ? KeyAssignment::ofZona(group.number) : KeyAssignment::ofRazdel(group.number);
    key.encode(desktop().image(), *record);
    labelZone_ = (zona ? keytext::Zona() : keytext::RazdelPicked()) + QString::number(group.number);
    line_ = group;
    zonePicker_ = false;
}

void KeyCardPane::LabelTarniaClick() {
    const auto record = storedKey();
    if (!record || card_ != Card::Shown) return;
    const int stored = Key::decode(desktop().image(), *record).spiByte;
    tarniaSelected_ = stored < kTarniaItems ? stored : -1;
    tarniaPicker_ = true;
}

void KeyCardPane::rgTarniaNmbClick(int item) {
    const auto record = storedKey();
    if (!record || item < 0 || item >= kTarniaItems) return;
    Key key = Key::decode(desktop().image(), *record);
    key.spiByte = static_cast<std::uint8_t>(item);
    key.encode(desktop().image(), *record);
    tarniaSelected_ = item;
    tarniaPicker_ = false;
    labelTarnia_ = keytext::TarniaPicked() + QString::number(item + 1);
}

void KeyCardPane::N16Click() {
    DeviceLink* link = desktop().deviceLink();
    if (!link) return;
    // Keys of the user's own in the console's places are not replaced without asking; the console is
    // not read when the user keeps them.
    if (const std::vector<std::size_t> own = keysTheConsoleCopyWouldReplace(desktop().image());
        !own.empty()) {
        QStringList lines;
        for (const std::size_t record : own)
            lines << AddLine(desktop().image(), record);
        if (!desktop().prompts().confirmReplace(keytext::ReplaceOwnKeys().arg(lines.join(QLatin1Char('\n'))),
                                                keytext::Replace(), keytext::Keep()))
            return;
    }
    std::array<std::uint8_t, kConsoleKeyBlockSize> block{};
    if (!link->ReadConsoleKeys(block)) return;
    copyConsoleKeys(desktop().image(), block);
    // What is on screen shows the keys as they are now, so that nothing stale is committed or clicked.
    list()->keysChanged();
    if (desktop().isPaneVisible(objectName()) && card_ == Card::Shown && current_) {
        labelKey_ = keyLabel(keyCode(desktop().image(), *current_));
        showKey(*current_);
    }
}

void KeyCardPane::N1Click() {
    desktop().ClearDesktop();
    if (!codePrompt_) return;
    QString text = keytext::InitialCode();
    for (;;) {
        const std::optional<QString> typed = codePrompt_->keyCode(text);
        if (!typed) return;
        const TypedKeyCode read = readTypedKeyCode(*typed);
        if (read.code) {
            KeyRom rom{};
            std::copy(read.code->begin(), read.code->end(), rom.begin() + 1);
            ViewKeyParameter(rom);
            return;
        }
        // Nothing is added or assigned; the user is asked again with what they typed.
        desktop().prompts().message(read.problem);
        text = latinKeyDigits(*typed);
    }
}

}  // namespace v5
