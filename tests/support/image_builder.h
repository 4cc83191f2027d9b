#pragma once

#include <deque>
#include <initializer_list>
#include <optional>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "image/image.h"
#include "image/slots.h"
#include "desktop/user_prompts.h"

namespace v5::test {

// Puts modules into the slot table of an image, as the panel's slot table would hold them.
void placeModule(Image& image, int slot, const QString& name);
LoopMask loops(std::initializer_list<int> numbers);
QByteArray readAll(const QString& path);
bool writeAll(const QString& path, const QByteArray& content);

// Answers the desktop's questions from queues filled by the test, and records every message.
class ScriptedPrompts : public UserPrompts {
public:
    std::deque<std::optional<QString>> openAnswers;
    std::deque<std::optional<QString>> saveAnswers;
    // Answers to "Сохранить изменения?"; without one the edits are dropped, as closing a test's window
    // with edits in it wants.
    std::deque<SaveAnswer> saveQuestionAnswers;
    QStringList messages;
    QStringList notices;
    QStringList questions;
    QString lastProposedSaveName;

    std::optional<QString> openFileName(const QString& filter) override;
    std::optional<QString> saveFileName(const QString& proposed, const QString& filter,
                                        const QString& suffix) override;
    void message(const QString& text) override { messages << text; }
    void notice(const QString& text) override { notices << text; }
    SaveAnswer askToSave(const QString& question) override;
    // Answers to confirmReplace (true: replace); without one the default, keep, is answered.
    std::deque<bool> replaceAnswers;
    QStringList replaceQuestions;
    bool confirmReplace(const QString& question, const QString& replace, const QString& keep) override;
};

}  // namespace v5::test
