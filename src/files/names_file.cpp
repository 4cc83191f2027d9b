#include "files/names_file.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include "files/system_file.h"

namespace v5 {

namespace {

constexpr int kVersion = 1;
constexpr qint64 kLargestFile = 4 << 20;  // far more than every name a panel can hold
constexpr int kLargestNumber = 9999;

QString formatName() {
    return QStringLiteral("v5ivez-names");
}

template <class Value, class ToJson>
QJsonObject numbered(const std::map<int, Value>& values, ToJson toJson) {
    QJsonObject object;
    for (const auto& [number, value] : values)
        object.insert(QString::number(number), toJson(value));
    return object;
}

QJsonValue text(const QString& value) {
    return value;
}

QJsonValue keyName(const KeyName& key) {
    QJsonObject object;
    object.insert(QStringLiteral("owner"), key.owner);
    object.insert(QStringLiteral("note"), key.note);
    return object;
}

// Reads one numbered section; false (with `problem` set) at the first entry of the wrong kind.
template <class Value, class FromJson>
bool readNumbered(const QJsonObject& root, const char* section, std::map<int, Value>& out, QString& problem,
                  FromJson fromJson) {
    const QJsonValue value = root.value(QLatin1String(section));
    if (value.isUndefined()) return true;
    if (!value.isObject()) {
        problem = QStringLiteral("раздел \"%1\" не объект").arg(QLatin1String(section));
        return false;
    }
    const QJsonObject object = value.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        bool ok = false;
        const int number = it.key().toInt(&ok);
        if (!ok || number < 1 || number > kLargestNumber || QString::number(number) != it.key()) {
            problem = QStringLiteral("раздел \"%1\": номер \"%2\"").arg(QLatin1String(section), it.key());
            return false;
        }
        std::optional<Value> read = fromJson(it.value());
        if (!read) {
            problem = QStringLiteral("раздел \"%1\": запись %2").arg(QLatin1String(section), it.key());
            return false;
        }
        out[number] = std::move(*read);
    }
    return true;
}

std::optional<QString> textOf(const QJsonValue& value) {
    if (!value.isString()) return std::nullopt;
    return value.toString();
}

std::optional<KeyName> keyNameOf(const QJsonValue& value) {
    if (!value.isObject()) return std::nullopt;
    const QJsonObject object = value.toObject();
    const QJsonValue owner = object.value(QStringLiteral("owner"));
    const QJsonValue note = object.value(QStringLiteral("note"));
    if ((!owner.isUndefined() && !owner.isString()) || (!note.isUndefined() && !note.isString()))
        return std::nullopt;
    return KeyName{owner.toString(), note.toString()};
}

struct SiteField {
    const char* name;
    QString SiteData::*field;
};
constexpr SiteField kSiteFields[] = {{"name", &SiteData::name},
                                     {"address", &SiteData::address},
                                     {"customer", &SiteData::customer},
                                     {"phone", &SiteData::phone},
                                     {"notes", &SiteData::notes}};

}  // namespace

QString namesPathFor(const QString& settingsPath) {
    QString base = settingsPath;
    if (base.endsWith(QStringLiteral(".v5"), Qt::CaseInsensitive)) base.chop(3);
    return base + QStringLiteral(".names.json");
}

QByteArray namesJson(const SiteNames& names) {
    QJsonObject root;
    root.insert(QStringLiteral("format"), formatName());
    root.insert(QStringLiteral("version"), kVersion);
    QJsonObject site;
    for (const SiteField& f : kSiteFields)
        site.insert(QLatin1String(f.name), names.site.*f.field);
    root.insert(QStringLiteral("site"), site);
    root.insert(QStringLiteral("loops"), numbered(names.loops, text));
    root.insert(QStringLiteral("zones"), numbered(names.zones, text));
    root.insert(QStringLiteral("partitions"), numbered(names.partitions, text));
    root.insert(QStringLiteral("keys"), numbered(names.keys, keyName));
    root.insert(QStringLiteral("relays"), numbered(names.relays, text));
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

NamesParse parseNames(const QByteArray& json) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        return {std::nullopt, QStringLiteral("не JSON: %1 (позиция %2)").arg(error.errorString()).arg(error.offset)};
    if (!document.isObject()) return {std::nullopt, QStringLiteral("не объект JSON")};
    const QJsonObject root = document.object();
    if (root.value(QStringLiteral("format")).toString() != formatName())
        return {std::nullopt, QStringLiteral("не файл названий V5ivez")};
    if (root.value(QStringLiteral("version")).toInt(-1) != kVersion)
        return {std::nullopt, QStringLiteral("неизвестная версия %1")
                                  .arg(root.value(QStringLiteral("version")).toVariant().toString())};
    SiteNames names;
    QString problem;
    const QJsonValue site = root.value(QStringLiteral("site"));
    if (!site.isUndefined()) {
        if (!site.isObject()) return {std::nullopt, QStringLiteral("раздел \"site\" не объект")};
        for (const SiteField& f : kSiteFields) {
            const QJsonValue value = site.toObject().value(QLatin1String(f.name));
            if (value.isUndefined()) continue;
            if (!value.isString())
                return {std::nullopt, QStringLiteral("раздел \"site\": поле \"%1\"").arg(QLatin1String(f.name))};
            names.site.*f.field = value.toString();
        }
    }
    if (!readNumbered(root, "loops", names.loops, problem, textOf) ||
        !readNumbered(root, "zones", names.zones, problem, textOf) ||
        !readNumbered(root, "partitions", names.partitions, problem, textOf) ||
        !readNumbered(root, "keys", names.keys, problem, keyNameOf) ||
        !readNumbered(root, "relays", names.relays, problem, textOf))
        return {std::nullopt, problem};
    return {std::move(names), QString()};
}

NamesRead readNamesFile(const QString& path) {
    NamesRead result;
    if (!QFileInfo::exists(path)) return result;
    result.exists = true;
    const FileRead read = readFileStart(path, kLargestFile + 1);
    if (read.failure) {
        result.problem = russianReason(*read.failure);
        return result;
    }
    if (read.size > kLargestFile) {
        result.problem = QStringLiteral("файл больше %1 МБ").arg(kLargestFile >> 20);
        return result;
    }
    NamesParse parsed = parseNames(read.bytes);
    if (!parsed.names) {
        result.problem = parsed.problem;
        return result;
    }
    result.names = std::move(*parsed.names);
    return result;
}

std::optional<FileError> writeNamesFile(const QString& path, const SiteNames& names) {
    return writeFileAtomically(path, namesJson(names));
}

}  // namespace v5
