#include "save_file_dialog.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

namespace quillory {

SaveFileDialog::SaveFileDialog(QWidget* parent) : QFileDialog(parent)
{
    setObjectName(QStringLiteral("通用对话框3"));
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setDefaultSuffix(QStringLiteral("bmp"));
}

void SaveFileDialog::accept()
{
    const QStringList files = selectedFiles();
    if (!files.isEmpty()) {
        const QFileInfo file(files.constFirst());
        if (!file.absoluteDir().exists()) {
            auto* message = new QMessageBox(QMessageBox::Warning, windowTitle(),
                QStringLiteral("文件夹不存在：%1").arg(file.absolutePath()), QMessageBox::Ok, this);
            message->setAttribute(Qt::WA_DeleteOnClose);
            message->open();
            return;
        }
    }
    QFileDialog::accept();
}

} // namespace quillory
