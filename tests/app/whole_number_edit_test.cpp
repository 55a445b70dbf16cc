#include "whole_number_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace quillory {
namespace {

void LoseFocus(WholeNumberEdit& box, Qt::FocusReason reason = Qt::TabFocusReason)
{
    QFocusEvent focusOut(QEvent::FocusOut, reason);
    QApplication::sendEvent(&box, &focusOut);
}

struct TypingCase {
    const char* typed;
    const char* shown;
};

TEST(WholeNumberEditTest, IgnoresTypedCharactersOtherThanDigitsAndMinus)
{
    const TypingCase cases[] = {
        {"1a2-b3", "12-3"},
        {"abc", ""},
        {" 7.5", "75"},
        {"-42", "-42"},
        {"+9", "9"},
    };
    for (const TypingCase& testCase : cases) {
        WholeNumberEdit box;
        QTest::keyClicks(&box, testCase.typed);
        EXPECT_EQ(box.text(), QString::fromUtf8(testCase.shown)) << "typed " << testCase.typed;
    }
}

TEST(WholeNumberEditTest, ControlKeysStillWork)
{
    WholeNumberEdit box;
    QTest::keyClicks(&box, "123");
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(box.text(), QStringLiteral("12"));
    QTest::keyClick(&box, Qt::Key_Home);
    QTest::keyClick(&box, Qt::Key_Delete);
    EXPECT_EQ(box.text(), QStringLiteral("2"));
}

TEST(WholeNumberEditTest, InputMethodTextIsFilteredLikeTyping)
{
    WholeNumberEdit box;
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("4x5好-"));
    QApplication::sendEvent(&box, &commit);
    EXPECT_EQ(box.text(), QStringLiteral("45-"));
}

TEST(WholeNumberEditTest, PastedTextIsTidiedWhenTheBoxLosesFocus)
{
    WholeNumberEdit box;
    QApplication::clipboard()->setText(QStringLiteral("1080abc"));
    QTest::keySequence(&box, QKeySequence::Paste);
    EXPECT_EQ(box.text(), QStringLiteral("1080abc"));
    LoseFocus(box);
    EXPECT_EQ(box.text(), QStringLiteral("1080"));
}

TEST(WholeNumberEditTest, LosingFocusWritesTheNumberBack)
{
    const struct {
        const char16_t* text;
        const char16_t* shown;
    } cases[] = {
        {u"0", u""},
        {u"-0", u""},
        {u"", u""},
        {u"abc", u""},
        {u"007", u"7"},
        {u"  42", u"42"},
        {u"+5", u"5"},
        {u"12-3", u"12"},
        {u"１９２０", u"1920"},
        {u"99999999999", u"2147483647"},
        {u"-99999999999", u"-2147483648"},
    };
    for (const auto& testCase : cases) {
        WholeNumberEdit box;
        box.setText(QString::fromUtf16(testCase.text));
        LoseFocus(box);
        EXPECT_EQ(box.text(), QString::fromUtf16(testCase.shown)) << QString::fromUtf16(testCase.text).toStdString();
    }
}

TEST(WholeNumberEditTest, AContextMenuDoesNotCountAsLeaving)
{
    WholeNumberEdit box;
    box.setText(QStringLiteral("12ab"));
    LoseFocus(box, Qt::PopupFocusReason);
    EXPECT_EQ(box.text(), QStringLiteral("12ab"));
}

} // namespace
} // namespace quillory
