#include "document/SafeWrite.h"
#include "FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/sysmacros.h>
#endif

using namespace quillory::document;

namespace {

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList entriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::Hidden |
                                  QDir::NoDotAndDotDot);
}

} // namespace

class TestSafeWrite : public QObject
{
    Q_OBJECT

private slots:
    void aFailedWriteKeepsTheOldFile_data()
    {
        QTest::addColumn<int>("size"); // of the new content; the disk takes 100 bytes
        QTest::addColumn<bool>("inPlace");
        QTest::addColumn<QString>("message");
        const QString full = QStringLiteral("Disk full");
        // A short file is held in the write buffer until the commit.
        QTest::newRow("fits") << 60 << false << QString();
        QTest::newRow("short file") << 900 << false << full;
        QTest::newRow("beyond the write buffer") << 100000 << false << full;
        QTest::newRow("in place, fits") << 60 << true << QString();
        QTest::newRow("in place, short file") << 900 << true << full;
        QTest::newRow("in place, beyond the write buffer") << 100000 << true << full;
    }

    void aFailedWriteKeepsTheOldFile()
    {
        QFETCH(int, size);
        QFETCH(bool, inPlace);
        QFETCH(QString, message);
#ifdef Q_OS_UNIX
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("zu"));
        const QString path = folder + QStringLiteral("/brief.bri");
        QVERIFY(QDir().mkpath(folder));
        const QByteArray old("der alte Brief");
        QVERIFY(writeAll(path, old));
        const QByteArray bytes(size, 'n');

        // In place: the folder forbids a temporary file, the file may be written.
        const auto open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                          QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
        const auto reopen = qScopeGuard([&] { QFile::setPermissions(folder, open); });
        uid_t writer = geteuid();
        if (inPlace) {
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner |
                                                    QFile::ReadGroup | QFile::WriteGroup |
                                                    QFile::ReadOther | QFile::WriteOther));
            QVERIFY(QFile::setPermissions(folder, open & ~QFile::WriteOwner));
            QVERIFY(QFile::setPermissions(dir.path(), open));
            if (writer == 0) {
                // root writes anywhere: the write is made as "nobody".
                const passwd* nobody = getpwnam("nobody");
                if (!nobody)
                    QSKIP("running as root, and there is no user \"nobody\" to write as");
                writer = nobody->pw_uid;
            }
        }
        const uid_t self = geteuid();
        QCOMPARE(seteuid(writer), 0);
        FileError error;
        {
            FileSizeLimit limit(100);
            error = writeWholeFile(path, bytes);
        }
        QCOMPARE(seteuid(self), 0);

        QCOMPARE(error.message(), message);
        QCOMPARE(contentOf(path), message.isEmpty() ? bytes : old);
        QCOMPARE(entriesOf(folder), QStringList{QStringLiteral("brief.bri")});
#else
        Q_UNUSED(size);
        Q_UNUSED(inPlace);
        Q_UNUSED(message);
        QSKIP("a file size limit is set on Unix only");
#endif
    }

    void targetsThatAreNoFileAreRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("throughLink");
        QTest::newRow("a device") << QStringLiteral("device") << false;
        QTest::newRow("a link to a device") << QStringLiteral("device") << true;
        QTest::newRow("a pipe") << QStringLiteral("pipe") << false;
        QTest::newRow("a link to a pipe") << QStringLiteral("pipe") << true;
    }

    void targetsThatAreNoFileAreRefused()
    {
        QFETCH(QString, kind);
        QFETCH(bool, throughLink);
#ifdef Q_OS_UNIX
        QTemporaryDir dir;
        // A device of its own (the null device's numbers), so that a fault
        // here never replaces the system's.
        const QString special = dir.filePath(kind);
        const QByteArray name = QFile::encodeName(special);
        if (kind == QLatin1String("device")) {
            if (mknod(name.constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
                QSKIP("no device can be made here");
        } else {
            QCOMPARE(mkfifo(name.constData(), 0666), 0);
        }
        const QString link = dir.filePath(QStringLiteral("brief.pdf"));
        if (throughLink)
            QVERIFY(QFile::link(special, link));
        const QString path = throughLink ? link : special;
        QCOMPARE(writeWholeFile(path, "neu").message(),
                 QStringLiteral("„%1“ ist keine gewöhnliche Datei").arg(path));
        const QFileInfo after(special);
        QVERIFY(after.exists() && !after.isFile() && !after.isSymbolicLink());
        QCOMPARE(QFileInfo(link).isSymbolicLink(), throughLink);
        QCOMPARE(entriesOf(dir.path()).size(), throughLink ? 2 : 1);
#else
        Q_UNUSED(kind);
        Q_UNUSED(throughLink);
        QSKIP("devices and pipes are made on Unix only");
#endif
    }

    void aLinkIsWrittenThroughAndStays()
    {
        // Each links to the next, relative as links are usually made; the last is the file.
        const QStringList chain{QStringLiteral("a.bri"), QStringLiteral("b.bri"),
                                QStringLiteral("f.bri")};
#ifndef Q_OS_UNIX
        QSKIP("QFile::link makes shortcuts here, not links");
#endif
        QTemporaryDir dir;
        QVERIFY(writeAll(dir.filePath(chain.last()), "alt"));
        for (qsizetype i = 0; i + 1 < chain.size(); ++i) {
            if (!QFile::link(chain[i + 1], dir.filePath(chain[i])))
                QSKIP("no links can be made here");
        }
        QCOMPARE(writeWholeFile(dir.filePath(chain.first()), "neu"), FileError());
        QCOMPARE(contentOf(dir.filePath(chain.last())), QByteArray("neu"));
        for (qsizetype i = 0; i + 1 < chain.size(); ++i)
            QVERIFY(QFileInfo(dir.filePath(chain[i])).isSymbolicLink());
        QCOMPARE(entriesOf(dir.path()).size(), chain.size());
    }
};

QTEST_APPLESS_MAIN(TestSafeWrite)
#include "tst_safewrite.moc"
