#pragma once

#include "services.h"

#include <deque>
#include <optional>
#include <vector>

namespace quillory {

// Services whose dialogs answer from a script and which record what was asked.
// A dialog opened without a scripted answer fails the test and counts as
// cancelled. Files are written for real unless a write failure is scripted.
class ScriptedServices final : public Services {
public:
    std::optional<QString> ChooseFontFace(QWidget* parent, const QString& faceName) override;
    std::optional<ColorRef> ChooseColour(QWidget* parent, ColorRef current) override;
    std::optional<QString> ChooseSavePath(QWidget* parent) override;
    FileWriteResult WriteFile(const QString& path, const Bytes& bytes) override;
    void ShowInFileManager(const QString& path) override;

    // Answers, in the order the dialogs open; nothing means the user cancels.
    std::deque<std::optional<QString>> fontAnswers;
    std::deque<std::optional<ColorRef>> colourAnswers;
    std::deque<std::optional<QString>> saveAnswers;
    // When set, every write fails with this reason and touches nothing.
    std::optional<QString> writeFailure;

    // What the program asked for.
    std::vector<QString> fontDialogFaces;
    std::vector<ColorRef> colourDialogColours;
    int saveDialogsOpened = 0;
    std::vector<QString> writtenPaths;
    std::vector<QString> shownPaths;
};

} // namespace quillory
