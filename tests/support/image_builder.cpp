#include "tests/support/image_builder.h"

#include <stdexcept>

#include <QFile>

namespace v5::test {

void placeModule(Image& image, int slot, const QString& name) {
    if (!parseModuleName(name)) throw std::invalid_argument("not a module name");
    writeSlotEntry(image, slot, name);
}

LoopMask loops(std::initializer_list<int> numbers) {
    LoopMask mask;
    for (int n : numbers)
        mask.set(n);
    return mask;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

bool writeAll(const QString& path, const QByteArray& content) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

std::optional<QString> ScriptedPrompts::openFileName(const QString&) {
    if (openAnswers.empty()) throw std::logic_error("unexpected open dialog");
    auto answer = openAnswers.front();
    openAnswers.pop_front();
    return answer;
}

std::optional<QString> ScriptedPrompts::saveFileName(const QString& proposed, const QString&,
                                                     const QString&) {
    lastProposedSaveName = proposed;
    if (saveAnswers.empty()) throw std::logic_error("unexpected save dialog");
    auto answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

SaveAnswer ScriptedPrompts::askToSave(const QString& question) {
    questions << question;
    if (saveQuestionAnswers.empty()) return SaveAnswer::DontSave;
    const SaveAnswer answer = saveQuestionAnswers.front();
    saveQuestionAnswers.pop_front();
    return answer;
}

bool ScriptedPrompts::confirmReplace(const QString& question, const QString& replace, const QString& keep) {
    replaceQuestions << question + QStringLiteral(" [") + replace + QStringLiteral(" / ") + keep +
                            QLatin1Char(']');
    if (replaceAnswers.empty()) return false;
    const bool answer = replaceAnswers.front();
    replaceAnswers.pop_front();
    return answer;
}

}  // namespace v5::test
