#include "document/LetterFile.h"
#include "FormFixture.h"
#include "SessionGuard.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>

#ifdef Q_OS_UNIX
#include <csignal>
#include <unistd.h>
#endif

using quillory::app::MainForm;
using quillory::app::SessionGuard;
using quillory::settings::MemorySettingsBackend;
using Answer = quillory::app::Prompts::Answer;

namespace {

const QString kOffer =
    QStringLiteral("recover: Ein ungespeicherter Brief wurde wiederhergestellt. Öffnen?");
const QString kCloseQuestion =
    QStringLiteral("ask: Die Datei wurde noch nicht gespeichert. Wollen Sie jetzt speichern?");

/** What the desktop session sends when it ends the program. */
void sendTerminate()
{
#ifdef Q_OS_UNIX
    ::kill(::getpid(), SIGTERM);
#endif
}

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
            recoveryFile = f.form->recoveryFilePath();
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
        next.prompts.recoveryAnswers << open;
        next.show();
        QCOMPARE(next.prompts.log, QStringList{kOffer});
        QCOMPARE(next.form->Edit10->text(), QStringLiteral("Absenderin"));
        if (open) {
            QCOMPARE(next.form->Edit1->text(), QStringLiteral("Herr Beispiel"));
            // Unnamed and modified: it is in no file of the user's yet.
            QVERIFY(next.form->fileName().isEmpty());
            QVERIFY(next.form->isChanged());
            QCOMPARE(next.form->windowTitle(), next.title(QStringLiteral("unbenannt.bri*")));
        } else {
            QVERIFY(next.form->Edit1->text().isEmpty());
            QVERIFY(!next.form->isChanged());
        }
        QVERIFY(QFile::exists(recoveryFile));

        // A refused close keeps it; a normal close removes it.
        next.form->Edit2->setText(QStringLiteral("x"));
        next.prompts.saveAnswers << Answer::Cancel << Answer::No;
        QVERIFY(!next.form->close());
        QVERIFY(QFile::exists(recoveryFile));
        QVERIFY(next.form->close());
        QVERIFY(!QFile::exists(recoveryFile));
    }

    void anUnmodifiedLetterLeavesNoRecoveryFile()
    {
        if (!signalsExist())
            QSKIP("no termination signal on this platform");
        MemorySettingsBackend settings;
        FormFixture f({}, &settings);
        sendTerminate();
        QTRY_VERIFY(settings.values.contains(QStringLiteral("Edit10_Text")));
        QVERIFY(!QFile::exists(f.form->recoveryFilePath()));
    }

    void onlyTheRunThatOfferedTheFileRemovesIt()
    {
        FormFixture f;
        // Another copy of the program, ended by the session after this one started.
        {
            auto other = quillory::document::Letter::makeNew();
            other.recipientName = QStringLiteral("vom anderen Programm");
            QVERIFY(!quillory::document::LetterFile::writeFile(f.form->recoveryFilePath(), other));
        }
        QVERIFY(f.form->close());
        QVERIFY(QFile::exists(f.form->recoveryFilePath()));
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
        // One letter per start, the older first; each gone after its run's normal close.
        QStringList opened;
        for (int run = 0; run < 3; ++run) {
            FormFixture next({}, nullptr, recovery.path(), false);
            next.prompts.recoveryAnswers << true;
            next.show();
            if (next.form->isChanged())
                opened << next.form->Edit1->text();
            next.prompts.saveAnswers << Answer::No;
            QVERIFY(next.form->close());
        }
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
        next.prompts.recoveryAnswers << false;
        next.show();
        next.form->Edit1->setText(QStringLiteral("neu"));
        QVERIFY(next.form->sessionEnds(false));

        QStringList kept;
        for (const QFileInfo& file : QDir(recovery.path()).entryInfoList(QDir::Files)) {
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
        next.prompts.recoveryAnswers << true;
        next.show();
        next.form->Edit1->setText(QStringLiteral("zweiter Stand"));
        QVERIFY(next.form->sessionEnds(false));
        QCOMPARE(QDir(recovery.path()).entryList(QDir::Files).size(), 1);
        const auto loaded = quillory::document::LetterFile::readFile(
            next.form->recoveryFilePath(), quillory::document::Letter::makeNew());
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
        QVERIFY(!QFile::exists(f.form->recoveryFilePath()));
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
            f.form->recoveryFilePath(), quillory::document::Letter::makeNew());
        QVERIFY(kept);
        QCOMPARE(kept->letter.recipientName, QStringLiteral("ungespeichert"));
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
