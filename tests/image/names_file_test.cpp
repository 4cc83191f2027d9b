// The names beside a settings file: what is written is read back whole, a damaged file gives a reason
// and no names, and a missing one means no names.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "files/names_file.h"
#include "tests/support/image_builder.h"

namespace v5 {
namespace {

SiteNames sampleNames() {
    SiteNames names;
    names.site = {QStringLiteral("Склад №2"), QStringLiteral("ул. Ленина, 1"), QStringLiteral("ООО \"Ромашка\""),
                  QStringLiteral("+7 900 000-00-00"), QStringLiteral("две строки\nвторая")};
    names.loops = {{3, QStringLiteral("Окна кухни")}, {64, QStringLiteral("Дверь\tчёрного хода")}};
    names.zones = {{1, QStringLiteral("Подъезд 1")}};
    names.partitions = {{2, QStringLiteral("Офис")}};
    names.keys = {{17, {QStringLiteral("Иванов И. И."), QStringLiteral("кв. 12")}}, {400, {QString(), QStringLiteral("запасной")}}};
    names.relays = {{5, QStringLiteral("Сирена")}};
    return names;
}

TEST(NamesFileTest, WhatIsWrittenIsReadBackWholeAndTheFileSitsBesideTheSettingsFile) {
    QTemporaryDir dir;
    for (const SiteNames& names : {sampleNames(), SiteNames()}) {
        const QString path = namesPathFor(dir.filePath(QStringLiteral("site.v5")));
        ASSERT_FALSE(writeNamesFile(path, names));
        const NamesRead read = readNamesFile(path);
        EXPECT_TRUE(read.exists);
        EXPECT_TRUE(read.problem.isEmpty()) << read.problem.toStdString();
        EXPECT_EQ(read.names, names);
    }
    EXPECT_EQ(namesPathFor(QStringLiteral("/a/b/site.v5")), QStringLiteral("/a/b/site.names.json"));
    EXPECT_EQ(namesPathFor(QStringLiteral("/a/b/SITE.V5")), QStringLiteral("/a/b/SITE.names.json"));
    EXPECT_EQ(namesPathFor(QStringLiteral("/a/b/site")), QStringLiteral("/a/b/site.names.json"));

    const NamesRead missing = readNamesFile(dir.filePath(QStringLiteral("none.names.json")));
    EXPECT_FALSE(missing.exists);
    EXPECT_TRUE(missing.problem.isEmpty());
    EXPECT_TRUE(missing.names.isEmpty());
}

TEST(NamesFileTest, ADamagedOrForeignFileGivesAReasonAndNoNames) {
    const char* const damaged[] = {
        "",
        "{\"format\": \"v5ivez-names\", \"version\": 1, \"loops\": {\"3\": \"x\"",
        "[1, 2]",
        "{\"format\": \"other\", \"version\": 1}",
        "{\"format\": \"v5ivez-names\", \"version\": 2}",
        "{\"format\": \"v5ivez-names\"}",
        "{\"format\": \"v5ivez-names\", \"version\": 1, \"loops\": {\"0\": \"x\"}}",
        "{\"format\": \"v5ivez-names\", \"version\": 1, \"loops\": {\"03\": \"x\"}}",
        "{\"format\": \"v5ivez-names\", \"version\": 1, \"zones\": {\"a\": \"x\"}}",
        "{\"format\": \"v5ivez-names\", \"version\": 1, \"zones\": {\"1\": 5}}",
        "{\"format\": \"v5ivez-names\", \"version\": 1, \"zones\": [\"x\"]}",
        "{\"format\": \"v5ivez-names\", \"version\": 1, \"keys\": {\"17\": \"Иванов\"}}",
        "{\"format\": \"v5ivez-names\", \"version\": 1, \"keys\": {\"17\": {\"owner\": 1}}}",
        "{\"format\": \"v5ivez-names\", \"version\": 1, \"site\": {\"name\": null}}",
        "{\"format\": \"v5ivez-names\", \"version\": 1, \"site\": \"Склад\"}",
    };
    for (const char* text : damaged) {
        SCOPED_TRACE(text);
        const NamesParse parsed = parseNames(QByteArray(text));
        EXPECT_FALSE(parsed.names);
        EXPECT_FALSE(parsed.problem.isEmpty());
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("site.names.json"));
    ASSERT_TRUE(test::writeAll(path, QByteArray("{\"format\": \"v5ivez-names\", \"version\": 7}")));
    const NamesRead read = readNamesFile(path);
    EXPECT_TRUE(read.exists);
    EXPECT_TRUE(read.problem.contains(QStringLiteral("версия"))) << read.problem.toStdString();
    EXPECT_TRUE(read.names.isEmpty());
}

TEST(NamesFileTest, AWriteIntoAFolderThatIsNotThereIsReported) {
    QTemporaryDir dir;
    EXPECT_TRUE(writeNamesFile(dir.filePath(QStringLiteral("no/such/folder/site.names.json")), sampleNames()));
}

}  // namespace
}  // namespace v5
