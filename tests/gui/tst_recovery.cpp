#include "features/recovery/AutosaveSchedule.h"
#include "document/LetterFile.h"
#include "FormFixture.h"
#include "features/recovery/RecoveryPart.h"
#include "features/recovery/RecoveryStore.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLockFile>

using quillory::app::AutosaveSchedule;
using quillory::app::MainForm;
using quillory::app::RecoveryStore;
using quillory::document::Letter;
using Answer = quillory::app::Prompts::Answer;
using Recovery = quillory::app::Prompts::Recovery;

namespace {

/** The window's part that keeps the recovery copy. */
quillory::app::RecoveryPart& recoveryPart(const MainForm& form)
{
    return *form.findChild<quillory::app::RecoveryPart*>();
}

/** When the copy of a letter whose recipient is name was last written. */
QDateTime writtenAt(int hour)
{
    return QDateTime(QDate(2024, 3, 5), QTime(hour, 7));
}

QString question(const QString& name, int hour)
{
    return QStringLiteral("recover: Ein ungespeicherter Brief (%1.bri, zuletzt geändert am "
                          "05.03.2024 um %2:07) wurde gefunden. Wiederherstellen?")
        .arg(name)
        .arg(hour);
}

bool setWritten(const QString& path, const QDateTime& time)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite) &&
           file.setFileTime(time, QFileDevice::FileModificationTime);
}

QStringList lettersIn(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("*.bri")}, QDir::Files);
}

/** A lock file as a process writes it that has been killed since. */
bool leaveStaleLock(const QString& lockPath)
{
    QByteArray content;
    {
        QLockFile lock(lockPath);
        if (!lock.tryLock(0))
            return false;
        QFile file(lockPath);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        content = file.readAll();
    }
    // No process has this number: Linux ends at 2^22, other systems lower.
    content = "2147480000" + content.mid(content.indexOf('\n'));
    QFile file(lockPath);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

enum class Setup { Live, Stale, KilledLock, Unreadable, TwoStale };

} // namespace

Q_DECLARE_METATYPE(Setup)

class TestRecovery : public QObject
{
    Q_OBJECT

private slots:
    void theCopyIsDueAfterAPauseAndDuringTyping_data()
    {
        QTest::addColumn<QList<qint64>>("changes");
        QTest::addColumn<QList<qint64>>("writes");
        QTest::newRow("one key") << QList<qint64>{0} << QList<qint64>{2000};
        QTest::newRow("keys within the pause")
            << QList<qint64>{0, 1500, 3000} << QList<qint64>{5000};
        QTest::newRow("two bursts")
            << QList<qint64>{0, 100, 200, 4000} << QList<qint64>{2200, 6000};
        QList<qint64> typing;
        for (qint64 t = 0; t <= 12000; t += 250)
            typing << t;
        // Never a pause of 2 s, yet written every 5 s, and 2 s after the last key.
        QTest::newRow("typing without a pause") << typing << QList<qint64>{5000, 10250, 14000};
    }

    void theCopyIsDueAfterAPauseAndDuringTyping()
    {
        QFETCH(QList<qint64>, changes);
        QFETCH(QList<qint64>, writes);
        AutosaveSchedule schedule;
        QList<qint64> written;
        for (qint64 now = 0; now <= 30000; ++now) {
            if (changes.contains(now))
                schedule.changed(now);
            if (schedule.isPending() && schedule.due() <= now) {
                written << now;
                schedule.clear();
            }
        }
        QCOMPARE(written, writes);
    }

    void theCopyGoesWhenTheLetterIsSavedOrGivenUp_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("kept");
        QTest::newRow("Speichern") << "save" << false;
        QTest::newRow("Nein at close") << "close no" << false;
        QTest::newRow("Abbrechen at close") << "close cancel" << true;
        QTest::newRow("Nein before Neu") << "new no" << false;
        QTest::newRow("clean close after saving") << "save, close" << false;
        QTest::newRow("ended by the session") << "session" << true;
    }

    void theCopyGoesWhenTheLetterIsSavedOrGivenUp()
    {
        QFETCH(QString, action);
        QFETCH(bool, kept);
        QTemporaryDir files;
        FormFixture f;
        const QString copy = recoveryPart(*f.form).recoveryFilePath();
        f.form->Edit1->setText(QStringLiteral("Frau Muster"));
        // Not at every key: the timer writes it.
        QVERIFY(recoveryPart(*f.form).isRecoveryCopyPending());
        QVERIFY(!QFile::exists(copy));
        QVERIFY(recoveryPart(*f.form).writeRecoveryCopy());
        QVERIFY(!recoveryPart(*f.form).isRecoveryCopyPending());
        QVERIFY(QFile::exists(copy));

        f.prompts.saveNames << files.filePath(QStringLiteral("brief.bri"));
        if (action.startsWith(QStringLiteral("save"))) {
            QVERIFY(f.form->SaveFile());
            if (action.endsWith(QStringLiteral("close")))
                QVERIFY(f.form->close());
        } else if (action == QStringLiteral("close no")) {
            f.prompts.saveAnswers << Answer::No;
            QVERIFY(f.form->close());
        } else if (action == QStringLiteral("close cancel")) {
            f.prompts.saveAnswers << Answer::Cancel;
            QVERIFY(!f.form->close());
        } else if (action == QStringLiteral("new no")) {
            f.prompts.saveAnswers << Answer::No;
            f.form->Neu1Click();
        } else {
            QVERIFY(f.form->sessionEnds(false));
        }
        QCOMPARE(QFile::exists(copy), kept);
        QCOMPARE(QFile::exists(RecoveryStore::namePathOf(copy)), kept);
    }

    void copiesFoundAtTheStart_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QList<Recovery>>("answers");
        QTest::addColumn<QList<bool>>("discard");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<QString>("recovered");
        QTest::addColumn<int>("lettersLeft");

        const QString a = question(QStringLiteral("Brief A"), 14);
        const QString b = question(QStringLiteral("Brief B"), 15);
        const QString discardA =
            QStringLiteral("discard: Der ungespeicherte Brief (Brief A.bri) wird endgültig "
                           "gelöscht. Fortfahren?");
        QTest::newRow("a live run's copy is not offered")
            << Setup::Live << QList<Recovery>{} << QList<bool>{} << QStringList{} << QString() << 1;
        QTest::newRow("a stale copy, Ja")
            << Setup::Stale << QList<Recovery>{Recovery::Recover} << QList<bool>{} << QStringList{a}
            << QStringLiteral("Brief A") << 1;
        QTest::newRow("a killed run's lock, Ja")
            << Setup::KilledLock << QList<Recovery>{Recovery::Recover} << QList<bool>{}
            << QStringList{a} << QStringLiteral("Brief A") << 1;
        QTest::newRow("Später keeps it") << Setup::Stale << QList<Recovery>{Recovery::Later}
                                         << QList<bool>{} << QStringList{a} << QString() << 1;
        QTest::newRow("Nein, confirmed, deletes it")
            << Setup::Stale << QList<Recovery>{Recovery::Discard} << QList<bool>{true}
            << QStringList{a, discardA} << QString() << 0;
        QTest::newRow("Nein, not confirmed, keeps it")
            << Setup::Stale << QList<Recovery>{Recovery::Discard} << QList<bool>{false}
            << QStringList{a, discardA} << QString() << 1;
        QTest::newRow("an unreadable copy is reported, kept and not offered")
            << Setup::Unreadable << QList<Recovery>{} << QList<bool>{}
            << QStringList{QStringLiteral("error: ")} << QString() << 0;
        QTest::newRow("two copies, newest first")
            << Setup::TwoStale << QList<Recovery>{Recovery::Later, Recovery::Later} << QList<bool>{}
            << QStringList{b, a} << QString() << 2;
        QTest::newRow("two copies, the older taken")
            << Setup::TwoStale << QList<Recovery>{Recovery::Later, Recovery::Recover}
            << QList<bool>{} << QStringList{b, a} << QStringLiteral("Brief A") << 2;
    }

    void copiesFoundAtTheStart()
    {
        QFETCH(Setup, setup);
        QFETCH(QList<Recovery>, answers);
        QFETCH(QList<bool>, discard);
        QFETCH(QStringList, asked);
        QFETCH(QString, recovered);
        QFETCH(int, lettersLeft);

        QTemporaryDir folder;
        const QString originalA = folder.filePath(QStringLiteral("Briefe/Brief A.bri"));
        std::unique_ptr<RecoveryStore> live;
        const auto keep = [&](const QString& name, int hour, bool alive = false) {
            auto store = std::make_unique<RecoveryStore>(folder.path());
            Letter letter = Letter::makeNew();
            letter.recipientName = name;
            QVERIFY(!store->write(letter, folder.filePath(QStringLiteral("Briefe/") + name +
                                                          QStringLiteral(".bri"))));
            const QString path = store->ownPath();
            if (alive)
                live = std::move(store);
            else
                store.reset(); // the run ends and lets go of its lock
            if (setup == Setup::KilledLock)
                QVERIFY(leaveStaleLock(RecoveryStore::lockPathOf(path)));
            QVERIFY(setWritten(path, writtenAt(hour)));
        };
        switch (setup) {
        case Setup::Live:
            keep(QStringLiteral("Brief A"), 14, true);
            break;
        case Setup::Stale:
        case Setup::KilledLock:
            keep(QStringLiteral("Brief A"), 14);
            break;
        case Setup::TwoStale:
            keep(QStringLiteral("Brief A"), 14);
            keep(QStringLiteral("Brief B"), 15);
            break;
        case Setup::Unreadable: {
            QFile damaged(folder.filePath(QStringLiteral("copy-0123456789abcdef.bri")));
            QVERIFY(damaged.open(QIODevice::WriteOnly));
            damaged.write("kein Brief");
            break;
        }
        }

        FormFixture f({}, nullptr, folder.path(), false);
        f.prompts.recoveryAnswers = answers;
        f.prompts.discardAnswers = discard;
        f.show();
        QCOMPARE(f.prompts.log.size(), asked.size());
        for (int i = 0; i < asked.size(); ++i)
            QVERIFY2(f.prompts.log.at(i).startsWith(asked.at(i)), qPrintable(f.prompts.log.at(i)));
        QCOMPARE(f.form->Edit1->text(), recovered);
        QCOMPARE(f.form->isChanged(), !recovered.isEmpty());
        if (recovered == QStringLiteral("Brief A")) {
            // Back under its own name, marked, and held by this run's copy now.
            QCOMPARE(f.form->fileName(), originalA);
            QCOMPARE(f.form->windowTitle(), f.title(QStringLiteral("Brief A.bri*")));
            QVERIFY(QFile::exists(recoveryPart(*f.form).recoveryFilePath()));
        }
        QCOMPARE(lettersIn(folder.path()).size(), lettersLeft);

        // The next start asks again about what was kept, and only about that.
        f.prompts.saveAnswers << Answer::No;
        QVERIFY(f.form->close());
        FormFixture next({}, nullptr, folder.path(), false);
        next.show();
        const int offered = int(next.prompts.log.filter(QStringLiteral("recover: ")).size());
        QCOMPARE(offered, setup == Setup::Live ? 0 : lettersIn(folder.path()).size());
        QVERIFY(next.prompts.errors.isEmpty());
        if (setup == Setup::Unreadable)
            QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 1);
    }
};

QTEST_MAIN(TestRecovery)
#include "tst_recovery.moc"
