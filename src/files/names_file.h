#pragma once

#include <map>
#include <optional>

#include <QByteArray>
#include <QString>

#include "files/settings_file.h"

namespace v5 {

// What the panel does not keep: the names an installer gives the site and its loops, zones,
// partitions, keys and relays. They live in "<name>.names.json" beside "<name>.v5", so that the
// settings file stays the panel's exact image.
struct KeyName {
    QString owner;
    QString note;
    friend bool operator==(const KeyName&, const KeyName&) = default;
};

struct SiteData {
    QString name;
    QString address;
    QString customer;
    QString phone;
    QString notes;
    friend bool operator==(const SiteData&, const SiteData&) = default;
};

struct SiteNames {
    SiteData site;
    std::map<int, QString> loops;
    std::map<int, QString> zones;
    std::map<int, QString> partitions;
    std::map<int, KeyName> keys;
    std::map<int, QString> relays;

    bool isEmpty() const { return *this == SiteNames(); }
    friend bool operator==(const SiteNames&, const SiteNames&) = default;
};

// "D:/site.v5" → "D:/site.names.json"; a name without the ".v5" suffix gets ".names.json" appended.
QString namesPathFor(const QString& settingsPath);

// The file's text: UTF-8 JSON, format "v5ivez-names", version 1, empty names left out.
QByteArray namesJson(const SiteNames& names);
// The names of a file's text, or why they cannot be taken (not JSON, another format or version, a
// number or a value of the wrong kind). Nothing of a damaged file is taken.
struct NamesParse {
    std::optional<SiteNames> names;
    QString problem;
};
NamesParse parseNames(const QByteArray& json);

// Reading the names beside a settings file. A missing file means no names; a damaged one is reported
// (`problem`) and gives no names.
struct NamesRead {
    bool exists = false;
    SiteNames names;
    QString problem;  // empty when the file is missing or was read whole
};
NamesRead readNamesFile(const QString& path);
// Writes the names all or nothing; the old file stays on failure.
std::optional<FileError> writeNamesFile(const QString& path, const SiteNames& names);

}  // namespace v5
