#include "scripted_services.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

template <typename Answer>
std::optional<Answer> NextAnswer(std::deque<std::optional<Answer>>& answers, const char* dialog)
{
    if (answers.empty()) {
        ADD_FAILURE() << "the " << dialog << " dialog opened without a scripted answer";
        return std::nullopt;
    }
    std::optional<Answer> answer;
    answer.swap(answers.front());
    answers.pop_front();
    return answer;
}

} // namespace

std::optional<QString> ScriptedServices::ChooseFontFace(QWidget*, const QString& faceName)
{
    fontDialogFaces.push_back(faceName);
    return NextAnswer(fontAnswers, "font");
}

std::optional<ColorRef> ScriptedServices::ChooseColour(QWidget*, ColorRef current)
{
    colourDialogColours.push_back(current);
    return NextAnswer(colourAnswers, "colour");
}

std::optional<QString> ScriptedServices::ChooseSavePath(QWidget*)
{
    ++saveDialogsOpened;
    return NextAnswer(saveAnswers, "save");
}

FileWriteResult ScriptedServices::WriteFile(const QString& path, const Bytes& bytes)
{
    writtenPaths.push_back(path);
    if (writeFailure) {
        return {false, *writeFailure};
    }
    return WriteFileReplacing(path, bytes);
}

void ScriptedServices::ShowInFileManager(const QString& path)
{
    shownPaths.push_back(path);
}

} // namespace quillory
