#include "document/LetterFile.h"
#include "FormFixture.h"
#include "features/recovery/RecoveryPart.h"
#include "support/SessionGuard.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>
#endif

using quillory::app::MainForm;
using quillory::app::SessionGuard;
using quillory::settings::MemorySettingsBackend;
using Answer = quillory::app::Prompts::Answer;
using Recovery = quillory::app::Prompts::Recovery;

namespace {

/** The window's part that keeps the recovery copy. */
quillory::app::RecoveryPart& recoveryPart(const MainForm& form)
{
    return *form.findChild<quillory::app::RecoveryPart*>();
}

const QString kOffer =
    QStringLiteral("recover: Ein ungespeicherter Brief (unbenannt.bri, zuletzt geändert am ");
const QString kCloseQuestion =
    QStringLiteral("ask: Die Datei wurde noch nicht gespeichert. Wollen Sie jetzt speichern?");

/** The letter files in a recovery folder. */
QStringList copiesIn(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("*.bri")}, QDir::Files);
}

/** What the desktop session sends when it ends the program. */
void sendTerminate()
{
#ifdef Q_OS_UNIX
    ::kill(::getpid(), SIGTERM);
#endif
}

#ifdef Q_OS_LINUX
/** True once the process has a handler of its own for SIGTERM. */
bool catchesTermination(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (SIGTERM - 1)) & 1;
    }
    return false;
}
#endif

// Without termination signals the session manager's request is tested through sessionEnds().
bool signalsExist()
{
    return SessionGuard::isSupported();
}

} // namespace

class TestSession : public QObject
{
    Q_OBJECT

private slots:
    void aTerminatedRunKeepsTheLetterForTheNextStart_data()
    {
        QTest::addColumn<bool>("open");
        QTest::newRow("opened") << true;
        QTest::newRow("declined") << false;
    }

    void aTerminatedRunKeepsTheLetterForTheNextStart()
    {
        if (!signalsExist())
            QSKIP("no termination signal on this platform");
        QFETCH(bool, open);
        MemorySettingsBackend settings;
        QTemporaryDir recovery;
        QString recoveryFile;
        {
            FormFixture f({}, &settings, recovery.path());
            recoveryFile = recoveryPart(*f.form).recoveryFilePath();
            f.form->Edit1->setText(QStringLiteral("Herr Beispiel"));
            f.form->Edit10->setText(QStringLiteral("Absenderin"));
            sendTerminate();
            QTRY_VERIFY(QFile::exists(recoveryFile));
            // Nobody was asked, and the settings are saved as well.
            QVERIFY(f.prompts.log.isEmpty());
            QCOMPARE(settings.values.value(QStringLiteral("Edit10_Text")).toString(),
                     QStringLiteral("Absenderin"));
        }
        QVERIFY(recoveryFile.startsWith(recovery.path()));

        FormFixture next({}, &settings, recovery.path(), false);
        next.prompts.recoveryAnswers << (open ? Recovery::Recover : Recovery::Later);
        next.show();
        QCOMPARE(next.prompts.log.size(), 1);
        QVERIFY2(next.prompts.log.constFirst().startsWith(kOffer),
                 qPrintable(next.prompts.log.constFirst()));
        QCOMPARE(next.form->Edit10->text(), QStringLiteral("Absenderin"));
        if (open) {
            QCOMPARE(next.form->Edit1->text(), QStringLiteral("Herr Beispiel"));
            // It never had a file of its own, and it is still unsaved.
            QVERIFY(next.form->fileName().isEmpty());
            QVERIFY(next.form->isChanged());
            QCOMPARE(next.form->windowTitle(), next.title(QStringLiteral("unbenannt.bri*")));
            // This run's copy holds it now; the dead run's is gone.
            QVERIFY(!QFile::exists(recoveryFile));
            QVERIFY(QFile::exists(recoveryPart(*next.form).recoveryFilePath()));
        } else {
            QVERIFY(next.form->Edit1->text().isEmpty());
            QVERIFY(!next.form->isChanged());
            QVERIFY(QFile::exists(recoveryFile));
        }

        // A refused close keeps this run's copy; a normal close removes it.
        // "Später" keeps the other for the next start.
        next.form->Edit2->setText(QStringLiteral("x"));
        QVERIFY(recoveryPart(*next.form).writeRecoveryCopy());
        next.prompts.saveAnswers << Answer::Cancel << Answer::No;
        QVERIFY(!next.form->close());
        QVERIFY(QFile::exists(recoveryPart(*next.form).recoveryFilePath()));
        QVERIFY(next.form->close());
        QVERIFY(!QFile::exists(recoveryPart(*next.form).recoveryFilePath()));
        QCOMPARE(copiesIn(recovery.path()).size(), open ? 0 : 1);
    }

    void anUnmodifiedLetterLeavesNoRecoveryFile()
    {
        if (!signalsExist())
            QSKIP("no termination signal on this platform");
        MemorySettingsBackend settings;
        FormFixture f({}, &settings);
        sendTerminate();
        QTRY_VERIFY(settings.values.contains(QStringLiteral("Edit10_Text")));
        QVERIFY(!QFile::exists(recoveryPart(*f.form).recoveryFilePath()));
    }

    void aLiveCopyOfAnotherRunIsLeftAlone()
    {
        FormFixture f;
        // Another copy of the program, still running, with an unsaved letter.
        FormFixture other({}, nullptr, f.ownRecoveryDir.path());
        other.form->Edit1->setText(QStringLiteral("vom anderen Programm"));
        QVERIFY(recoveryPart(*other.form).writeRecoveryCopy());
        f.form->Edit1->setText(QStringLiteral("eigener Brief"));
        QVERIFY(recoveryPart(*f.form).writeRecoveryCopy());
        f.prompts.saveAnswers << Answer::No;
        QVERIFY(f.form->close());
        QVERIFY(!QFile::exists(recoveryPart(*f.form).recoveryFilePath()));
        QVERIFY(QFile::exists(recoveryPart(*other.form).recoveryFilePath()));
    }

    void twoCopiesEndedTogetherKeepBothLetters()
    {
        QTemporaryDir recovery;
        {
            FormFixture first({}, nullptr, recovery.path());
            FormFixture second({}, nullptr, recovery.path());
            first.form->Edit1->setText(QStringLiteral("Brief A"));
            second.form->Edit1->setText(QStringLiteral("Brief B"));
            QVERIFY(first.form->sessionEnds(false));
            QVERIFY(second.form->sessionEnds(false));
        }
        // One letter per start; each gone after its run's normal close.
        QStringList opened;
        for (int run = 0; run < 3; ++run) {
            FormFixture next({}, nullptr, recovery.path(), false);
            next.prompts.recoveryAnswers << Recovery::Recover;
            next.show();
            if (next.form->isChanged())
                opened << next.form->Edit1->text();
            next.prompts.saveAnswers << Answer::No;
            QVERIFY(next.form->close());
        }
        opened.sort();
        QCOMPARE(opened, (QStringList{QStringLiteral("Brief A"), QStringLiteral("Brief B")}));
        QVERIFY(QDir(recovery.path()).isEmpty());
    }

    void aDeclinedLetterIsNotOverwritten()
    {
        QTemporaryDir recovery;
        {
            FormFixture f({}, nullptr, recovery.path());
            f.form->Edit1->setText(QStringLiteral("alt"));
            QVERIFY(f.form->sessionEnds(false));
        }
        FormFixture next({}, nullptr, recovery.path(), false);
        next.prompts.recoveryAnswers << Recovery::Later;
        next.show();
        next.form->Edit1->setText(QStringLiteral("neu"));
        QVERIFY(next.form->sessionEnds(false));

        QStringList kept;
        for (const QFileInfo& file :
             QDir(recovery.path()).entryInfoList({QStringLiteral("*.bri")}, QDir::Files)) {
            const auto loaded = quillory::document::LetterFile::readFile(
                file.filePath(), quillory::document::Letter::makeNew());
            QVERIFY(loaded);
            kept << loaded->letter.recipientName;
        }
        kept.sort();
        QCOMPARE(kept, (QStringList{QStringLiteral("alt"), QStringLiteral("neu")}));
    }

    void anOpenedLetterIsKeptInItsOwnFileAgain()
    {
        QTemporaryDir recovery;
        {
            FormFixture f({}, nullptr, recovery.path());
            f.form->Edit1->setText(QStringLiteral("erster Stand"));
            QVERIFY(f.form->sessionEnds(false));
        }
        FormFixture next({}, nullptr, recovery.path(), false);
        next.prompts.recoveryAnswers << Recovery::Recover;
        next.show();
        next.form->Edit1->setText(QStringLiteral("zweiter Stand"));
        QVERIFY(next.form->sessionEnds(false));
        QCOMPARE(copiesIn(recovery.path()).size(), 1);
        const auto loaded = quillory::document::LetterFile::readFile(
            recoveryPart(*next.form).recoveryFilePath(), quillory::document::Letter::makeNew());
        QVERIFY(loaded);
        QCOMPARE(loaded->letter.recipientName, QStringLiteral("zweiter Stand"));
    }

    void theSessionAsksWhereItCan_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("mayEnd");
        QTest::newRow("Cancel keeps the program") << int(Answer::Cancel) << false;
        QTest::newRow("No ends without the letter") << int(Answer::No) << true;
    }

    void theSessionAsksWhereItCan()
    {
        QFETCH(int, answer);
        QFETCH(bool, mayEnd);
        MemorySettingsBackend settings;
        FormFixture f({}, &settings);
        f.form->Edit1->setText(QStringLiteral("ungespeichert"));
        f.prompts.saveAnswers << Answer(answer);
        QCOMPARE(f.form->sessionEnds(true), mayEnd);
        QCOMPARE(f.prompts.log, QStringList{kCloseQuestion});
        QCOMPARE(settings.writes > 0, mayEnd);
        QVERIFY(!QFile::exists(recoveryPart(*f.form).recoveryFilePath()));
        if (mayEnd) {
            // The window then closes without the same question again.
            QVERIFY(f.form->close());
            QCOMPARE(f.prompts.log.size(), 1);
        }
    }

    void editingAfterACalledOffLogOffAsksAgain()
    {
        FormFixture f;
        f.form->Edit1->setText(QStringLiteral("ungespeichert"));
        f.prompts.saveAnswers << Answer::No << Answer::Cancel;
        QVERIFY(f.form->sessionEnds(true));
        // The log-off did not happen after all; the user goes on writing.
        f.form->Edit1->setText(QStringLiteral("weiter geschrieben"));
        QVERIFY(!f.form->close());
        QCOMPARE(f.prompts.log, (QStringList{kCloseQuestion, kCloseQuestion}));
    }

    void withoutInteractionNothingIsAskedAndNothingLost()
    {
        MemorySettingsBackend settings;
        FormFixture f({}, &settings);
        f.form->Edit1->setText(QStringLiteral("ungespeichert"));
        QVERIFY(f.form->sessionEnds(false));
        QVERIFY(f.prompts.log.isEmpty());
        QVERIFY(settings.writes > 0);
        const auto kept = quillory::document::LetterFile::readFile(
            recoveryPart(*f.form).recoveryFilePath(), quillory::document::Letter::makeNew());
        QVERIFY(kept);
        QCOMPARE(kept->letter.recipientName, QStringLiteral("ungespeichert"));
    }

    void aFailingStoreNeverStopsTheEnd_data()
    {
        QTest::addColumn<int>("how"); // 0 SIGTERM, 1 log-off without, 2 with interaction
        QTest::newRow("SIGTERM") << 0;
        QTest::newRow("log-off, nobody there") << 1;
        QTest::newRow("log-off, answered") << 2;
    }

    void aFailingStoreNeverStopsTheEnd()
    {
        QFETCH(int, how);
        if (how == 0 && !signalsExist())
            QSKIP("no termination signal on this platform");
        MemorySettingsBackend settings;
        auto f = std::make_unique<FormFixture>(QStringList(), &settings);
        settings.groupCreationFails = true;
        f->form->Edit1->setText(QStringLiteral("ungespeichert"));
        const QString recoveryFile = recoveryPart(*f->form).recoveryFilePath();
        // Written once, where someone may read it later; never in a box.
        QTest::ignoreMessage(
            QtWarningMsg, QRegularExpression(QStringLiteral("Erzeugung von Schl.*ssel TMainForm")));
        QTest::failOnWarning(QRegularExpression(QStringLiteral("TMainForm")));
        if (how == 0) {
            sendTerminate();
            QTRY_VERIFY(QFile::exists(recoveryFile));
        } else {
            f->prompts.saveAnswers << Answer::No;
            QVERIFY(f->form->sessionEnds(how == 2));
            QVERIFY(f->form->close());
        }
        const QStringList errors = f->prompts.errors;
        f->form.reset();
        QCOMPARE(errors, QStringList());
        QCOMPARE(f->prompts.errors, QStringList());
        QCOMPARE(QFile::exists(recoveryFile), how < 2);
    }

    void terminationWithAReadOnlyStoreEndsTheProgram_data()
    {
        QTest::addColumn<QByteArray>("store");
        QTest::newRow("read-only") << QByteArray("[TMainForm]\nEdit10_Text=Alt\n");
        QTest::newRow("read-only and damaged")
            << QByteArray("[TMainForm\n# Kommentar\nEdit10_Text=Alt\nEdit11");
    }

    void terminationWithAReadOnlyStoreEndsTheProgram()
    {
#ifndef Q_OS_LINUX
        QSKIP("needs /proc to see when the program listens for SIGTERM");
#else
        QFETCH(QByteArray, store);
        QTemporaryDir home;
        QDir dir(home.path());
        for (const char* folder : {"config/Software", "data", "runtime"})
            QVERIFY(dir.mkpath(QString::fromLatin1(folder)));
        const QString ini = dir.filePath(QStringLiteral("config/Software/quillory.ini"));
        {
            QFile file(ini);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(store);
        }
        QString program = QStringLiteral(QUILLORY_PROGRAM);
        QStringList arguments;
        if (::geteuid() == 0) {
            // Permissions hold only for others than root.
            const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
            if (setpriv.isEmpty())
                QSKIP("runs as root and has no setpriv: a read-only file would not hold");
            const uid_t nobody = 65534;
            QVERIFY(::chown(qPrintable(home.path()), nobody, nobody) == 0);
            QDirIterator it(home.path(), QDir::AllEntries | QDir::NoDotAndDotDot,
                            QDirIterator::Subdirectories);
            while (it.hasNext())
                QVERIFY(::chown(qPrintable(it.next()), nobody, nobody) == 0);
            arguments = {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                         QStringLiteral("--clear-groups"), program};
            program = setpriv;
        }
        const QString software = dir.filePath(QStringLiteral("config/Software"));
        QVERIFY(::chmod(qPrintable(ini), 0444) == 0);
        QVERIFY(::chmod(qPrintable(software), 0555) == 0);
        const auto writable = qScopeGuard([&] { ::chmod(qPrintable(software), 0755); });

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           dir.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"),
                           dir.filePath(QStringLiteral("runtime")));
        QProcess quillory;
        quillory.setProcessEnvironment(environment);
        quillory.start(program, arguments);
        QVERIFY(quillory.waitForStarted());
        // Before it listens, SIGTERM would end it the default way and prove nothing.
        QTRY_VERIFY_WITH_TIMEOUT(catchesTermination(quillory.processId()), 30000);
        QVERIFY(::kill(pid_t(quillory.processId()), SIGTERM) == 0);
        // Generous: a box nobody answers would keep it forever.
        QVERIFY(quillory.waitForFinished(30000));
        QCOMPARE(quillory.exitStatus(), QProcess::NormalExit);
        QCOMPARE(quillory.exitCode(), 0);
        const QString stderrText = QString::fromUtf8(quillory.readAllStandardError());
        QCOMPARE(stderrText.count(QStringLiteral("Erzeugung von Schlüssel TMainForm misslungen")),
                 1);
        QFile file(ini);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), store);
#endif
    }

    void theNewestGuardHearsTheSignal()
    {
        if (!signalsExist())
            QSKIP("no termination signal on this platform");
        SessionGuard first;
        QSignalSpy firstSpy(&first, &SessionGuard::terminationRequested);
        {
            SessionGuard second;
            QSignalSpy secondSpy(&second, &SessionGuard::terminationRequested);
            sendTerminate();
            QTRY_COMPARE(secondSpy.size(), 1);
            QCOMPARE(firstSpy.size(), 0);
        }
        sendTerminate();
        QTRY_COMPARE(firstSpy.size(), 1);
    }
};

QTEST_MAIN(TestSession)
#include "tst_session.moc"
