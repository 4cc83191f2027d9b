// The window as the program starts it: with a settings file named on the command line (as a file
// manager opens one), and from the menu, where its files go to ~/V5ivez.
#include <QDir>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QtTest>

#include "files/names_file.h"
#include "image/image.h"
#include "start/window_arguments.h"
#include "tests/support/image_builder.h"
#include "window/window_program.h"

namespace v5 {

class NoViewer : public TextViewer {
public:
    bool open(const QString&) override { return true; }
};

class WindowStartTest : public QObject {
    Q_OBJECT
    test::ScriptedPrompts prompts_;
    NoViewer viewer_;
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<TV5ivezMainForm> window_;
    QString startFolder_;
    QByteArray home_;

    QString path(const QString& name) const { return QDir(dir_->path()).filePath(name); }

    void start(const QStringList& arguments) {
        const WindowStart start = windowStartFor(parseWindowArguments(arguments));
        MainFormSetup setup;
        setup.prompts = &prompts_;
        setup.textViewer = &viewer_;
        setup.systemPorts = [] { return QStringList(); };
        window_ = showWindow(start, std::move(setup));
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        prompts_ = test::ScriptedPrompts();
        startFolder_ = QDir::currentPath();
        home_ = qgetenv("HOME");
        QVERIFY(QDir::setCurrent(dir_->path()));
    }
    void cleanup() {
        window_.reset();
        QDir::setCurrent(startFolder_);
        qputenv("HOME", home_);
    }

    // The menu bar's "»" comes read as the PNG it is: the window starts without asking every image
    // plugin about it, and the arrow looks as Fusion's own. First, before anything else in this process
    // reads a picture.
    void startsWithoutLoadingImagePlugins() {
        start({});
        if (!QApplication::style()->inherits("v5::FrameStyle")) QSKIP("the style is not Fusion here");
        QFile maps(QStringLiteral("/proc/self/maps"));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        const QByteArray mapped = maps.readAll();
        QVERIFY2(!mapped.contains("/imageformats/"), "an image plugin was loaded at start");

        for (const auto arrow :
             {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
            const QIcon ours = QApplication::style()->standardIcon(arrow);
            const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("fusion")));
            const QIcon theirs = fusion->standardIcon(arrow);
            QVERIFY(!ours.isNull());
            for (const int size : {8, 16, 32})
                QCOMPARE(ours.pixmap(size).toImage(), theirs.pixmap(size).toImage());
        }
    }

    void opensTheSettingsFileItWasStartedWith() {
        Image image;
        test::placeModule(image, 1, QStringLiteral("МШС1"));
        QVERIFY(test::writeAll(path(QStringLiteral("site.v5")),
                               QByteArray(reinterpret_cast<const char*>(image.data()), Image::kSize)));
        SiteNames names;
        names.site.name = QStringLiteral("Склад №2");
        QVERIFY(!writeNamesFile(path(QStringLiteral("site.names.json")), names));

        start({QStringLiteral("site.v5")});
        // As "Прочитать с  диска" reads it: the caption, the slots, the names beside it.
        QTRY_COMPARE(window_->windowTitle(), path(QStringLiteral("site.v5")));
        QCOMPARE(window_->findChild<QPushButton*>(QStringLiteral("btnSlot1"))->text(), QStringLiteral("МШС1"));
        QCOMPARE(window_->desktop().names().site.name, QStringLiteral("Склад №2"));
        QVERIFY(prompts_.messages.isEmpty());
        // Started from a terminal: its files stay in the current folder.
        QCOMPARE(window_->desktop().workFolder(), dir_->path());
        QVERIFY(QFileInfo::exists(path(QStringLiteral("V5ivez.ini"))));
        QVERIFY(!programIcon().pixmap(48).isNull());
    }

    void aFileThatCannotBeReadIsToldOverTheWindow() {
        QVERIFY(test::writeAll(path(QStringLiteral("short.v5")), QByteArray(100, '\0')));
        start({QStringLiteral("short.v5")});
        QTRY_COMPARE(prompts_.messages.size(), 1);
        QVERIFY(prompts_.messages.first().startsWith(QStringLiteral("Ошибка чтения")));
        QCOMPARE(window_->windowTitle(), QStringLiteral("Файл не выбран"));
    }

    void fromTheMenuItsFilesGoToTheFolderInHome() {
        const QString home = path(QStringLiteral("home"));
        QVERIFY(QDir().mkpath(home));
        qputenv("HOME", QFile::encodeName(home));
        QVERIFY(QDir::setCurrent(home));
        start({QStringLiteral("--from-menu")});
        const QString folder = QDir(home).filePath(QStringLiteral("V5ivez"));
        QCOMPARE(window_->desktop().workFolder(), folder);
        QVERIFY(QFileInfo::exists(QDir(folder).filePath(QStringLiteral("V5ivez.ini"))));
        QVERIFY(!QFileInfo::exists(QDir(home).filePath(QStringLiteral("V5ivez.ini"))));
    }

    void withoutThatFolderItWorksWhereItWasStartedAndSaysWhy() {
        const QString home = path(QStringLiteral("home"));
        QVERIFY(QDir().mkpath(home));
        QVERIFY(test::writeAll(QDir(home).filePath(QStringLiteral("V5ivez")), "a file, not a folder"));
        qputenv("HOME", QFile::encodeName(home));
        QVERIFY(QDir::setCurrent(home));
        start({QStringLiteral("--from-menu")});
        QCOMPARE(window_->desktop().workFolder(), home);
        QTRY_COMPARE(prompts_.messages.size(), 1);
        QVERIFY(prompts_.messages.first().contains(QDir(home).filePath(QStringLiteral("V5ivez"))));
    }
};

}  // namespace v5

QTEST_MAIN(v5::WindowStartTest)
#include "window_start_test.moc"
