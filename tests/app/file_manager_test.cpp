#include "file_manager.h"

#include <QDBusError>
#include <QDBusMetaType>
#include <QUrl>

#include <gtest/gtest.h>

namespace quillory {
namespace {

// Paths a user may well choose, and some no shell would survive.
const QString kAwkwardPaths[] = {
    QStringLiteral("/home/user/Pictures/background.bmp"),
    QStringLiteral("/home/user/My Pictures/chat background.bmp"),
    QStringLiteral("/tmp/100%/x#1?.bmp"),
    QStringLiteral("/tmp/中文文件夹/聊天背景.bmp"),
    QStringLiteral("/tmp/quote\"'$(rm -rf ~)`;&|<>.bmp"),
    QStringLiteral("/tmp/-n/--help.bmp"),
    QStringLiteral("/tmp/new\nline.bmp"),
};

TEST(FileManagerTest, ShowItemsRequestCarriesTheFileAsOneUri)
{
    for (const QString& path : kAwkwardPaths) {
        const QDBusMessage request = MakeShowItemsRequest(path);
        EXPECT_EQ(request.type(), QDBusMessage::MethodCallMessage);
        EXPECT_EQ(request.service(), QStringLiteral("org.freedesktop.FileManager1"));
        EXPECT_EQ(request.path(), QStringLiteral("/org/freedesktop/FileManager1"));
        EXPECT_EQ(request.interface(), QStringLiteral("org.freedesktop.FileManager1"));
        EXPECT_EQ(request.member(), QStringLiteral("ShowItems"));

        const QList<QVariant> arguments = request.arguments();
        ASSERT_EQ(arguments.size(), 2);
        // ShowItems(as uris, s startupId): any other signature is refused by the file manager.
        EXPECT_STREQ(QDBusMetaType::typeToSignature(arguments[0].metaType()), "as");
        EXPECT_STREQ(QDBusMetaType::typeToSignature(arguments[1].metaType()), "s");
        const QStringList uris = arguments[0].toStringList();
        ASSERT_EQ(uris.size(), 1);
        EXPECT_TRUE(uris[0].startsWith(QStringLiteral("file:///"))) << uris[0].toStdString();
        for (const QChar raw : {u' ', u'#', u'?', u'\n', u'"'}) {
            EXPECT_FALSE(uris[0].contains(raw)) << uris[0].toStdString();
        }
        EXPECT_EQ(QUrl(uris[0]).toLocalFile(), path);
        EXPECT_EQ(arguments[1].toString(), QString());
    }
}

TEST(FileManagerTest, FallbackOpensTheFolderAsOneArgument)
{
    for (const QString& path : kAwkwardPaths) {
        const ProgramCall call = MakeOpenFolderCall(path);
        EXPECT_EQ(call.program, QStringLiteral("xdg-open"));
        EXPECT_EQ(call.arguments, QStringList{path.left(path.lastIndexOf(u'/'))}) << path.toStdString();
    }
}

TEST(FileManagerTest, FallsBackOnlyWhenNoFileManagerTookTheRequest)
{
    const QDBusMessage request = MakeShowItemsRequest(QStringLiteral("/tmp/a.bmp"));
    const struct {
        QDBusMessage reply;
        bool taken;
        const char* why;
    } cases[] = {
        {request.createReply(), true, "the file manager answered"},
        {request.createErrorReply(QDBusError::NoReply, "slow"), true, "a file manager being started answers late"},
        {request.createErrorReply(QDBusError::Timeout, "slow"), true, "a file manager being started answers late"},
        {request.createErrorReply(QDBusError::ServiceUnknown, "none"), false, "no file manager on the bus"},
        {request.createErrorReply(QDBusError::UnknownMethod, "old"), false, "a file manager without ShowItems"},
        {QDBusMessage(), false, "no bus at all"},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(FileManagerTookRequest(testCase.reply), testCase.taken) << testCase.why;
    }
}

} // namespace
} // namespace quillory
