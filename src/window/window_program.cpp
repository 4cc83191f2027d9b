#include "window/window_program.h"

#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include "files/system_file.h"
#include "start/version.h"
#include "start/work_folder.h"
#include "window/frame_style.h"
#include "window/russian_interface.h"

namespace v5 {

namespace {

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toUtf8().constData(), stream);
}

QString canonicalFolder(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(path) : canonical;
}

}  // namespace

WindowStart windowStartFor(const WindowArguments& arguments) {
    WindowStart start;
    const QString current = QDir::currentPath();
    if (!arguments.settingsFile.isEmpty())
        start.settingsFile = QFileInfo(arguments.settingsFile).absoluteFilePath();
    start.workFolder =
        workFolderFor({current, canonicalFolder(QDir::homePath()), start.settingsFile, arguments.fromMenu});
    if (const auto failure = makeWorkFolder(start.workFolder)) {
        start.folderProblem =
            QStringLiteral("Не удалось создать папку %1: %2.\nФайлы программы сохраняются в %3")
                .arg(start.workFolder, russianReason(*failure), current);
        start.workFolder = current;
    }
    return start;
}

std::unique_ptr<TV5ivezMainForm> showWindow(const WindowStart& start, MainFormSetup setup) {
    setup.workFolder = start.workFolder;
    auto window = std::make_unique<TV5ivezMainForm>(std::move(setup));
    window->show();
    QTimer::singleShot(0, window.get(), [shown = window.get(), start] {
        if (!start.folderProblem.isEmpty()) shown->desktop().prompts().message(start.folderProblem);
        if (!start.settingsFile.isEmpty()) shown->openSettingsFile(start.settingsFile);
    });
    return window;
}

QIcon programIcon() {
    return pngIcon(QStringLiteral(":/icons/v5ivez-%1.png"), {16, 24, 32, 48, 64, 128});
}

int runWindowProgram(int argc, char** argv, const std::function<void(TV5ivezMainForm&)>& shown) {
    // Answered before Qt looks for a display: the manual page is made from them at build time.
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--") break;
        if (argument == "--help" || argument == "-h") {
            print(stdout, windowHelpText());
            return 0;
        }
        if (argument == "--version") {
            print(stdout, windowVersionText());
            return 0;
        }
    }
    // The window's own menu bar, whatever the desktop offers: its Alt letters and F10 belong to the
    // window, and asking the session bus for a global menu cost a good part of a cold start.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("V5ivez"));
    QApplication::setApplicationVersion(QString::fromLatin1(kVersion));
    // Window managers show it after each window's own title: "Файл не выбран — V5ivez 0.1.0".
    QGuiApplication::setApplicationDisplayName(QStringLiteral("V5ivez ") + QString::fromLatin1(kVersion));
    QGuiApplication::setDesktopFileName(QStringLiteral("ru.v5ivez.V5ivez"));
    QApplication::setWindowIcon(programIcon());
    useRussianInterface(app);

    // The arguments Qt left, as the bytes the system gave: a file name that is not UTF-8 still opens.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << fileNameFromSystem(QByteArray(argv[i]));
    const WindowArguments parsed = parseWindowArguments(arguments);
    if (parsed.action == WindowArguments::Action::Wrong) {
        print(stderr, QStringLiteral("v5ivez: %1\nTry 'v5ivez --help'.\n").arg(parsed.problem));
        return 2;
    }
    const auto window = showWindow(windowStartFor(parsed));
    if (shown) shown(*window);
    return QApplication::exec();
}

}  // namespace v5
