#include "card/site_card.h"

#include <array>
#include <initializer_list>
#include <map>

#include "card/card_texts.h"
#include "compare/compare_texts.h"
#include "compare/plain_terms.h"
#include "image/configuration.h"
#include "reports/format_text.h"

namespace v5 {

using namespace config;

namespace {

namespace ct = compare_text;
namespace kt = card_text;
using plain::text;

constexpr int kLoopsPerModule = 8;
constexpr int kRelaysPerModule = 4;
constexpr int kIndicatorsPerModule = 8;

// User text into HTML: escaped, its line breaks kept.
QString escaped(const QString& value) {
    QString out = value.toHtmlEscaped();
    out.replace(QLatin1Char('\n'), QLatin1StringView("<br>"));
    return out;
}

const QString& nameIn(const std::map<int, QString>& names, int number) {
    static const QString none;
    const auto at = names.find(number);
    return at == names.end() ? none : at->second;
}

// "1-3,9", as the report compresses its lists; "нет" for no loops.
QString loopNumbers(LoopMask mask) {
    if (mask.isEmpty()) return text(kt::kNone);
    QString list;
    appendCompressedLoopList(list, mask);
    return list.trimmed();
}

QString joined(const QStringList& items) {
    return items.isEmpty() ? QString() : items.join(QStringLiteral(", "));
}

class CardBuilder {
public:
    CardBuilder(const Image& image, const SiteNames& names)
        : c_(Configuration::decode(image)), names_(names) {}

    QString build(const QString& settingsPath, const QDate& date) {
        html_.reserve(256 * 1024);
        const QString& title = text(kt::kTitle);
        const QString heading =
            names_.site.name.isEmpty() ? title : title + QStringLiteral(": ") + names_.site.name;
        html_ += QStringLiteral("<html><head><meta charset=\"utf-8\"><title>");
        html_ += escaped(heading);
        html_ += QStringLiteral("</title></head><body>\n<h1>");
        html_ += escaped(heading);
        html_ += QStringLiteral("</h1>\n<p>");
        html_ +=
            escaped(text(kt::kDate) + QStringLiteral(": ") + date.toString(QStringLiteral("dd.MM.yyyy")));
        html_ += QStringLiteral("<br>");
        html_ += escaped(text(kt::kSettingsFile) + QStringLiteral(": ") +
                         (settingsPath.isEmpty() ? text(kt::kNoSettingsFile) : settingsPath));
        html_ += QStringLiteral("</p>\n");
        site();
        modules();
        loops();
        zones();
        partitions();
        keys();
        relays();
        indicators();
        lineModules();
        sounders();
        panel();
        html_ += QStringLiteral("</body></html>\n");
        return std::move(html_);
    }

private:
    // --- HTML ---

    void begin(const char* heading) {
        html_ += QStringLiteral("<h2>");
        html_ += escaped(text(heading));
        html_ += QStringLiteral(
            "</h2>\n<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">\n");
        rows_ = 0;
    }
    // A table of rows under a heading row, which a long table repeats on every page. The columns'
    // shares of the width (in percent) keep every word of a narrow column whole on the page.
    template <std::size_t N>
    void table(const char* heading, const std::array<const char*, N>& columns,
               const std::array<int, N>& widths) {
        begin(heading);
        html_ += QStringLiteral("<thead><tr>");
        for (std::size_t i = 0; i < N; ++i) {
            html_ += QStringLiteral("<th width=\"%1%\">").arg(widths[i]);
            html_ += escaped(text(columns[i]));
            html_ += QStringLiteral("</th>");
        }
        html_ += QStringLiteral("</tr></thead>\n");
    }
    void row(std::initializer_list<QString> cells) {
        html_ += QStringLiteral("<tr>");
        for (const QString& cell : cells) {
            html_ += QStringLiteral("<td>");
            html_ += escaped(cell);
            html_ += QStringLiteral("</td>");
        }
        html_ += QStringLiteral("</tr>\n");
        ++rows_;
    }
    // A table without rows says so, rather than leaving a bare heading row.
    void endTable(std::size_t columns) {
        if (rows_ == 0)
            html_ += QStringLiteral("<tr><td colspan=\"%1\">%2</td></tr>\n")
                         .arg(columns)
                         .arg(escaped(text(kt::kNone)));
        html_ += QStringLiteral("</table>\n");
    }

    // --- Sections ---

    void site() {
        const SiteData& s = names_.site;
        begin(kt::kSite);
        const std::array values{&s.name, &s.address, &s.customer, &s.phone, &s.notes};
        for (std::size_t i = 0; i < values.size(); ++i)
            row({text(kt::kSiteFields.at(i)), *values.at(i)});
        html_ += QStringLiteral("</table>\n");
    }

    void modules() {
        table(kt::kModules, kt::kModuleColumns, {10, 90});
        for (int s = 1; s <= kSlotCount; ++s) {
            const SlotEntry& entry = c_.slotTable[static_cast<std::size_t>(s - 1)];
            if (!entry.isEmpty()) row({QString::number(s), plain::moduleText(entry)});
        }
        endTable(kt::kModuleColumns.size());
    }

    static QString loopOptions(const LoopRecord& r) {
        QStringList on;
        const auto flag = [&on](bool set, const char* name) {
            if (set) on << text(name);
        };
        flag(r.roundTheClock(), ct::kRoundTheClock);
        flag(r.tamperControl(), ct::kTamperControl);
        flag(r.triggerLimit(), ct::kTriggerLimit);
        flag(r.soundConfirmation(), ct::kSoundConfirmation);
        flag(r.verification(), ct::kVerification);
        flag(r.paired(), ct::kPaired);
        if (r.triggerSelection() != TriggerSelection::None)
            on << QString::fromUtf8(kt::kOneOf)
                      .arg(text(ct::kSelection),
                           text(ct::kSelections.at(static_cast<std::size_t>(r.triggerSelection()))));
        return joined(on);
    }

    void loops() {
        table(kt::kLoops, kt::kLoopColumns, {10, 14, 15, 13, 10, 18, 20});
        for (int l = 1; l <= static_cast<int>(kLoopCount); ++l) {
            if (!c_.loopModulePlaced((l - 1) / kLoopsPerModule + 1)) continue;
            const LoopRecord& r = c_.loop(l);
            const QString number = QString::number(l);
            const QString& name = nameIn(names_.loops, l);
            // An off loop has nothing else that counts.
            if (r.disabled())
                row({number, name, plain::loopTypeText(r), QString(), QString(), QString(), QString()});
            else
                row({number, name, plain::loopTypeText(r),
                     text(ct::kDelays.at(static_cast<std::size_t>(r.delayCode()))),
                     text(ct::kReactions.at(static_cast<std::size_t>(r.reactionCode()))),
                     text(ct::kConfirmations.at(static_cast<std::size_t>(r.confirmationCode()))),
                     loopOptions(r)});
        }
        endTable(kt::kLoopColumns.size());
    }

    void zones() {
        table(kt::kZones, kt::kZoneColumns, {10, 45, 45});
        for (int z = 1; z <= kZonaCount; ++z)
            if (c_.zonaExists(z)) row({QString::number(z), nameIn(names_.zones, z), loopNumbers(c_.zona(z))});
        endTable(kt::kZoneColumns.size());
    }

    void partitions() {
        table(kt::kPartitions, kt::kPartitionColumns, {10, 30, 30, 30});
        for (int p = 1; p <= kRazdelCount; ++p) {
            if (!c_.razdelExists(p)) continue;
            // The zones the partition pane ticks: those sharing its loops.
            QStringList zones;
            for (int z = 1; z <= kZonaCount; ++z)
                if (c_.zonaExists(z) && c_.zona(z).intersects(c_.razdel(p))) zones << QString::number(z);
            row({QString::number(p), nameIn(names_.partitions, p),
                 zones.isEmpty() ? text(kt::kNone) : joined(zones), loopNumbers(c_.razdel(p))});
        }
        endTable(kt::kPartitionColumns.size());
    }

    // The assignment with the name of its zone or partition, when it has one.
    QString assignment(KeyAssignment a) const {
        const QString words = plain::assignmentText(a);
        const std::map<int, QString>* groupNames = a.role() == KeyRole::Zona     ? &names_.zones
                                                   : a.role() == KeyRole::Razdel ? &names_.partitions
                                                                                 : nullptr;
        if (!groupNames) return words;
        const QString& name = nameIn(*groupNames, a.number());
        return name.isEmpty() ? words : QString::fromUtf8(kt::kNamedGroup).arg(words, name);
    }

    void keys() {
        static const KeyName kNoName;
        table(kt::kKeys, kt::kKeyColumns, {7, 14, 22, 20, 10, 27});
        for (int n = 1; n <= kKeyCount; ++n) {
            const Key& key = c_.key(n);
            if (key.isFree()) continue;
            const auto named = names_.keys.find(n);
            const KeyName& name = named == names_.keys.end() ? kNoName : named->second;
            row({plain::numbered(kt::kKeyNumber, n), key.codeText(), name.owner, assignment(key.assignment),
                 QString::number(key.spiNumber()), name.note});
        }
        endTable(kt::kKeyColumns.size());
    }

    void relays() {
        table(kt::kRelays, kt::kRelayColumns, {7, 16, 27, 14, 20, 16});
        for (int k = 1; k <= kRelayCount; ++k) {
            if (!c_.isPlaced(ModuleId{ModuleKind::MR, (k - 1) / kRelaysPerModule + 1})) continue;
            const Relay& relay = c_.relay(k);
            QStringList options;
            if (relay.tamperBit6()) options << text(ct::kRelayTamperGB5);
            if (relay.tamperBit7()) options << text(ct::kRelayTamperVT5);
            row({QString::number(k), nameIn(names_.relays, k), plain::relayModeText(relay.modeCode()),
                 relay.modeHasRunTime() ? plain::runTimeText(relay.runTime) : QString(), joined(options),
                 loopNumbers(relay.loops)});
        }
        endTable(kt::kRelayColumns.size());
    }

    // The indicators of one table that light for some loop, of the modules the panel holds.
    void indicatorRows(std::span<const LoopMask> table, const char* module, auto present) {
        for (std::size_t i = 0; i < table.size(); ++i) {
            const int number = static_cast<int>(i) / kIndicatorsPerModule + 1;
            if (table[i].isEmpty() || !present(number)) continue;
            const QString owner = QString::fromUtf8(module) + QString::number(number);
            row({QString::fromUtf8(ct::kIndicator).arg(owner).arg(i % kIndicatorsPerModule + 1),
                 loopNumbers(table[i])});
        }
    }

    void indicators() {
        table(kt::kIndicators, kt::kIndicatorColumns, {30, 70});
        indicatorRows(c_.indicators, "МД", [this](int m) {
            return c_.isPlaced(ModuleId{ModuleKind::MD, m});
        });
        indicatorRows(c_.externalIndicators, "МДВ", [this](int m) { return c_.externalModules.mdv(m); });
        endTable(kt::kIndicatorColumns.size());
    }

    void lineModules() {
        table(kt::kLineModules, kt::kLineColumns, {20, 20, 60});
        for (int n = 1; n <= kLineModuleCount; ++n) {
            const ModuleId id{ModuleKind::MS, n};
            if (!c_.isPlaced(id)) continue;
            const LineModule& module = c_.lineModule(n);
            QStringList served;
            for (int m = 1; m <= 8; ++m)
                if (module.serves(m)) served << moduleName(ModuleId{ModuleKind::MShS, m});
            row({moduleName(id), plain::numbered(ct::kAddressFormat, module.address),
                 served.isEmpty() ? text(kt::kNone) : joined(served)});
        }
        endTable(kt::kLineColumns.size());
    }

    void sounders() {
        // In the order of the pane's tabs: the СЗО relay first.
        static constexpr std::array kOrder{SounderOutput::SzoRelay, SounderOutput::VzoGB5,
                                           SounderOutput::ZoVT5Loops1to32, SounderOutput::ZoVT5Loops33to64};
        table(kt::kSounders, kt::kSounderColumns, {16, 14, 14, 18, 22, 16});
        for (SounderOutput output : kOrder) {
            const Sounder& s = c_.sounder(output);
            QStringList options;
            // The СЗО relay repeats no relay: its first three option bits mean nothing.
            const int firstOption = output == SounderOutput::SzoRelay ? 3 : 0;
            for (int bit = firstOption; bit < static_cast<int>(ct::kSounderOptions.size()); ++bit)
                if (s.option(bit)) options << text(ct::kSounderOptions.at(static_cast<std::size_t>(bit)));
            row({text(ct::kSounder.at(static_cast<std::size_t>(output))),
                 plain::durationText(s.alarmDuration), plain::durationText(s.fireDuration),
                 plain::durationText(s.faultDuration), joined(options), loopNumbers(s.loops)});
        }
        endTable(kt::kSounderColumns.size());
    }

    void panel() {
        begin(kt::kPanel);
        QStringList options;
        for (int bit = 0; bit < static_cast<int>(ct::kOptionNames.size()); ++bit)
            if (c_.options.bit(bit)) options << text(ct::kOptionNames.at(static_cast<std::size_t>(bit)));
        row({text(ct::kOptions), options.isEmpty() ? text(kt::kNone) : joined(options)});
        QStringList external;
        const ExternalModules& e = c_.externalModules;
        for (int n = 1; n <= 4; ++n)
            if (e.mdv(n)) external << QStringLiteral("МДВ%1").arg(n);
        for (int n = 1; n <= 4; ++n)
            if (e.bi(n)) external << QStringLiteral("БИ%1").arg(n);
        for (int n = 1; n <= 4; ++n)
            if (e.mk(n)) external << QStringLiteral("МК%1").arg(n);
        row({text(ct::kExternalModules), external.isEmpty() ? text(kt::kNone) : joined(external)});
        html_ += QStringLiteral("</table>\n");
    }

    const Configuration c_;
    const SiteNames& names_;
    QString html_;
    int rows_ = 0;
};

}  // namespace

QString siteCardHtml(const Image& image, const SiteNames& names, const QString& settingsPath,
                     const QDate& date) {
    return CardBuilder(image, names).build(settingsPath, date);
}

}  // namespace v5
