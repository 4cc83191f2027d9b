#include "operations/named_changes.h"

#include <array>

#include "compare/compare_texts.h"
#include "desktop/site_names.h"

namespace v5 {

namespace {

namespace ct = compare_text;

struct NamedSubject {
    const char* format;  // "шлейф %d": the words before the number are matched
    NameField field;
};
constexpr std::array<NamedSubject, 5> kNamedSubjects{{
    {ct::kLoop, NameField::Loop},
    {ct::kZona, NameField::Zone},
    {ct::kRazdel, NameField::Partition},
    {ct::kRelay, NameField::Relay},
    {ct::kKey, NameField::KeyOwner},
}};

// The object a subject such as "шлейф 17" or "ключ 012" speaks of.
std::optional<NamedObject> objectOf(const QString& subject) {
    for (const NamedSubject& s : kNamedSubjects) {
        const QString words = QString::fromUtf8(s.format).section(u'%', 0, 0);
        if (!subject.startsWith(words)) continue;
        bool ok = false;
        const int number = QStringView(subject).mid(words.size()).toInt(&ok);
        if (ok && number > 0) return NamedObject{s.field, number};
    }
    return std::nullopt;
}

}  // namespace

std::vector<FieldChange> withNames(std::vector<FieldChange> changes, const SiteNames& names) {
    if (names.isEmpty()) return changes;
    for (FieldChange& change : changes)
        if (const auto object = objectOf(change.subject))
            change.subject = withName(change.subject, nameOf(names, *object));
    return changes;
}

}  // namespace v5
