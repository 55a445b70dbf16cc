#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The program binds the engine from its own folder. Run from a folder that
// holds everything but the engine, it must stop with the fatal message naming
// the library and the routine, instead of running on without imaging.
TEST(StartupTest, AMissingEngineStopsTheProgramWithTheFatalMessage)
{
    const QFileInfo program(QStringLiteral(QUILLORY_PROGRAM));
    ASSERT_TRUE(program.exists()) << program.filePath().toStdString();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QDir source = program.dir();
    for (const QString& library : source.entryList({QStringLiteral("*.so*")}, QDir::Files)) {
        if (!library.startsWith(QStringLiteral("libquillory-engine"))) {
            ASSERT_TRUE(QFile::copy(source.filePath(library), folder.filePath(library)));
        }
    }
    const QString copy = folder.filePath(program.fileName());
    ASSERT_TRUE(QFile::copy(program.filePath(), copy));

    QProcess run;
    run.setProgram(copy);
    run.setProcessChannelMode(QProcess::SeparateChannels);
    run.start();
    ASSERT_TRUE(run.waitForStarted());
    // A program that opened its window would wait for the user; the bound keeps
    // such a fault from hanging the run.
    const bool finished = run.waitForFinished(120000);
    if (!finished) {
        run.kill();
        run.waitForFinished();
    }
    ASSERT_TRUE(finished) << "the program kept running without its engine";
    EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
    EXPECT_NE(run.exitCode(), 0);
    const QString errors = QString::fromLocal8Bit(run.readAllStandardError());
    EXPECT_TRUE(errors.contains(QStringLiteral("libquillory-engine"))) << errors.toStdString();
    EXPECT_TRUE(errors.contains(QStringLiteral("GdiplusStartup"))) << errors.toStdString();
}

} // namespace
