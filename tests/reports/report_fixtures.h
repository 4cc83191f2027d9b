#pragma once

#include <ostream>

#include <gtest/gtest.h>

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

#include "desktop/desktop.h"
#include "image/image.h"
#include "tests/support/image_builder.h"
#include "panes/install_panes.h"
#include "tests/support/qt_print.h"
#include "reports/text_viewer.h"

namespace v5::test {

// The lines as the panel's tools write text files: Windows-1251, every line ended by CR LF. Encoded
// here by hand (ASCII and the Cyrillic alphabet), apart from the code under test.
QByteArray cp1251Lines(const QStringList& lines);

QStringList textLines(std::initializer_list<const char16_t*> texts);

// A configuration with something in every section of the report, some data of modules that are
// not in the rack, which the orphan sweep removes before the report is written, and a few events.
Image configuredImage();

// Remembers what would have been opened in the text editor.
class RecordingViewer : public TextViewer {
public:
    bool open(const QString& path) override {
        opened << path;
        return opens;
    }
    bool opens = true;  // false: no editor on this machine
    QStringList opened;
};

// A desktop with every pane, writing its text files into a fresh folder.
class MenuActionTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ScriptedPrompts prompts;
    Desktop desktop{prompts, dir.path()};
    RecordingViewer viewer;

    void SetUp() override { installPanes(desktop); }
    QString path(const QString& name) const { return dir.filePath(name); }
};

}  // namespace v5::test
