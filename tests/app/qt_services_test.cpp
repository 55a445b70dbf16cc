#include "qt_services.h"

#include "colour_value.h"
#include "save_file_dialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QFontDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace quillory {
namespace {

// The real dialogs are modal: the script runs inside the dialog's own event
// loop, as soon as it has opened, and must close it.
template <typename Dialog> void WhenOpen(std::function<void(Dialog&)> script)
{
    QTimer::singleShot(0, [script] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            ADD_FAILURE() << "the expected dialog did not open";
            if (QWidget* other = QApplication::activeModalWidget()) {
                other->close();
            }
            return;
        }
        script(*dialog);
    });
}

TEST(QtServicesTest, FontDialogOpensOnTheFaceAndGivesOnlyTheFace)
{
    QtServices services;
    QString openedOn;
    WhenOpen<QFontDialog>([&](QFontDialog& dialog) {
        openedOn = dialog.currentFont().family();
        QFont chosen(QStringLiteral("DejaVu Sans"), 30, QFont::Bold, true);
        dialog.setCurrentFont(chosen);
        dialog.accept();
    });
    EXPECT_EQ(services.ChooseFontFace(nullptr, QStringLiteral("DejaVu Serif")), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(openedOn, QStringLiteral("DejaVu Serif"));

    WhenOpen<QFontDialog>([](QFontDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(services.ChooseFontFace(nullptr, QStringLiteral("DejaVu Serif")), std::nullopt);
}

TEST(QtServicesTest, ColourDialogOpensOnTheColourWithoutAlpha)
{
    QtServices services;
    QColor openedOn;
    bool offersAlpha = true;
    WhenOpen<QColorDialog>([&](QColorDialog& dialog) {
        openedOn = dialog.currentColor();
        offersAlpha = dialog.testOption(QColorDialog::ShowAlphaChannel);
        dialog.setCurrentColor(QColor(0x12, 0x34, 0x56));
        dialog.accept();
    });
    EXPECT_EQ(services.ChooseColour(nullptr, 0x7D7DFF), std::optional<ColorRef>(0x563412));
    EXPECT_EQ(openedOn, QColor(255, 125, 125));
    EXPECT_FALSE(offersAlpha);

    WhenOpen<QColorDialog>([](QColorDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(services.ChooseColour(nullptr, 0x7D7DFF), std::nullopt);
}

TEST(QtServicesTest, SaveDialogAsksForABmpFileToWrite)
{
    QTemporaryDir folder;
    QtServices services;
    WhenOpen<SaveFileDialog>([&](SaveFileDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), QStringLiteral("通用对话框3"));
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dialog.fileMode(), QFileDialog::AnyFile);
        EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("bmp"));
        EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_FALSE(dialog.testOption(QFileDialog::ReadOnly));
        EXPECT_TRUE(
            dialog.nameFilters().isEmpty() || dialog.nameFilters() == QStringList{QStringLiteral("All Files (*)")});
        dialog.setDirectory(folder.path());
        dialog.selectFile(QStringLiteral("聊天背景"));
        dialog.accept();
    });
    EXPECT_EQ(services.ChooseSavePath(nullptr), folder.filePath(QStringLiteral("聊天背景.bmp")))
        << "the default suffix is added to a name without one";

    WhenOpen<SaveFileDialog>([](SaveFileDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(services.ChooseSavePath(nullptr), std::nullopt);
}

TEST(QtServicesTest, SaveDialogRefusesAFolderThatDoesNotExist)
{
    QTemporaryDir folder;
    SaveFileDialog dialog;
    dialog.setDirectory(folder.path());
    dialog.show();
    auto* nameBox = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(nameBox, nullptr);
    nameBox->setText(QStringLiteral("missing/picture.bmp"));

    dialog.accept();
    EXPECT_TRUE(dialog.isVisible()) << "the dialog stays open";
    EXPECT_EQ(dialog.result(), 0);
    auto* complaint = dialog.findChild<QMessageBox*>();
    ASSERT_NE(complaint, nullptr) << "the user is told why";
    EXPECT_TRUE(complaint->text().contains(folder.filePath(QStringLiteral("missing"))))
        << complaint->text().toStdString();
    complaint->close();
}

} // namespace
} // namespace quillory
