#include "document/FileIdentity.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;
using namespace quillory::document;

class TestFileIdentity : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        for (const char* name : {"brief.bri", "daten.csv"}) {
            QFile file(m_dir.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(name);
        }
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("ordner")));
#ifdef Q_OS_UNIX
        QVERIFY(QFile::link(m_dir.filePath(QStringLiteral("brief.bri")),
                            m_dir.filePath(QStringLiteral("verweis.pdf"))));
        QVERIFY(QFile::link(m_dir.filePath(QStringLiteral("ordner")),
                            m_dir.filePath(QStringLiteral("ordnerverweis"))));
        const QByteArray from = QFile::encodeName(m_dir.filePath(QStringLiteral("brief.bri")));
        const QByteArray to = QFile::encodeName(m_dir.filePath(QStringLiteral("hart.pdf")));
        QVERIFY(::link(from.constData(), to.constData()) == 0);
#endif
    }

    void sameFile_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<bool>("same"); // as brief.bri
        QTest::newRow("its own name") << u"brief.bri"_s << true;
        QTest::newRow("through . and ..") << u"ordner/.././/brief.bri"_s << true;
        QTest::newRow("another file") << u"daten.csv"_s << false;
        QTest::newRow("a file not yet there") << u"neu.pdf"_s << false;
        QTest::newRow("an empty name") << QString() << false;
#ifdef Q_OS_UNIX
        QTest::newRow("a symbolic link") << u"verweis.pdf"_s << true;
        QTest::newRow("through a linked folder") << u"ordnerverweis/../brief.bri"_s << true;
        QTest::newRow("a hard link") << u"hart.pdf"_s << true;
#endif
    }

    void sameFile()
    {
        QFETCH(QString, output);
        QFETCH(bool, same);
        const QString path = output.isEmpty() ? output : m_dir.filePath(output);
        const QString letter = m_dir.filePath(QStringLiteral("brief.bri"));
        QCOMPARE(isSameFile(path, letter), same);
        QCOMPARE(isSameFile(letter, path), same);
        // Only the input it is: no other, and no empty name.
        const QString other = m_dir.filePath(QStringLiteral("daten.csv"));
        QCOMPARE(inputAt(path, {other, QString(), letter}), same            ? letter
                                                            : path == other ? other
                                                                            : QString());
    }

    void twoNamesOfAFileNotYetThere()
    {
        QVERIFY(isSameFile(m_dir.filePath(QStringLiteral("neu.pdf")),
                           m_dir.filePath(QStringLiteral("ordner/../neu.pdf"))));
    }
};

QTEST_GUILESS_MAIN(TestFileIdentity)
#include "tst_fileidentity.moc"
