#include "file_writing.h"

#include "bmp_pixels.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace quillory {
namespace {

Bytes BytesOf(const QByteArray& data)
{
    return Bytes(data.begin(), data.end());
}

void WriteRaw(const QString& path, const QByteArray& data)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(data), data.size());
}

QStringList Entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

class FileWritingTest : public testing::Test {
protected:
    QString PathOf(const QString& name) const { return folder_.filePath(name); }
    QTemporaryDir folder_;
};

TEST_F(FileWritingTest, WritesANewFileExactly)
{
    const QByteArray data("BM\0\1\2\3", 6);
    const FileWriteResult result = WriteFileReplacing(PathOf("new.bmp"), BytesOf(data));
    EXPECT_TRUE(result.written) << result.error.toStdString();
    EXPECT_EQ(ReadWholeFile(PathOf("new.bmp")), data);
    EXPECT_EQ(Entries(folder_.path()), QStringList{"new.bmp"});
}

TEST_F(FileWritingTest, ReplacesALongerFileCompletelyWithANewFile)
{
    const QString path = PathOf("old.bmp");
    WriteRaw(path, QByteArray(1 << 20, 'x'));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    struct stat before { };
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &before), 0);

    const QByteArray data("short");
    ASSERT_TRUE(WriteFileReplacing(path, BytesOf(data)).written);

    EXPECT_EQ(ReadWholeFile(path), data);
    // A new file took the old one's place: a reader of the old file never saw
    // it truncated or half rewritten.
    struct stat after { };
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &after), 0);
    EXPECT_NE(before.st_ino, after.st_ino);
    EXPECT_EQ(after.st_mode & 07777, 0640u) << "the replacement keeps the file's permissions";
    EXPECT_EQ(Entries(folder_.path()), QStringList{"old.bmp"});
}

TEST_F(FileWritingTest, WritingThroughALinkReplacesTheFileItNames)
{
    const QString target = PathOf("picture.bmp");
    WriteRaw(target, "old");
    ASSERT_TRUE(QFile::link("picture.bmp", PathOf("link.bmp")));

    const QByteArray data("new");
    ASSERT_TRUE(WriteFileReplacing(PathOf("link.bmp"), BytesOf(data)).written);

    EXPECT_EQ(QFileInfo(PathOf("link.bmp")).symLinkTarget(), target) << "the link is still a link";
    EXPECT_EQ(ReadWholeFile(target), data);
    EXPECT_EQ(Entries(folder_.path()), (QStringList{"link.bmp", "picture.bmp"}));
}

TEST_F(FileWritingTest, FailsWithAReasonAndLeavesNothingBehind)
{
    WriteRaw(PathOf("plain-file"), "not a folder");
    ASSERT_TRUE(QDir(folder_.path()).mkdir("folder"));
    const struct {
        QString path;
        const char* why;
    } cases[] = {
        {QString(), "no path"},
        {PathOf("plain-file/picture.bmp"), "the folder is a file"},
        {PathOf("missing/picture.bmp"), "the folder does not exist"},
        {PathOf("folder"), "the target is a folder"},
    };
    for (const auto& testCase : cases) {
        const FileWriteResult result = WriteFileReplacing(testCase.path, BytesOf("data"));
        EXPECT_FALSE(result.written) << testCase.why;
        EXPECT_FALSE(result.error.isEmpty()) << testCase.why;
    }
    EXPECT_EQ(Entries(folder_.path()), (QStringList{"folder", "plain-file"}));
    EXPECT_TRUE(Entries(PathOf("folder")).isEmpty());
    EXPECT_EQ(ReadWholeFile(PathOf("plain-file")), QByteArray("not a folder"));
}

} // namespace
} // namespace quillory
