#include "document/LetterFile.h"
#include "FormFixture.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>

using quillory::document::Letter;
using quillory::settings::MemoryListStore;

namespace {

QMenu* recentMenu(quillory::app::MainForm& form)
{
    return form.findChild<QMenu*>(QStringLiteral("ZuletztGeoeffnet1"));
}

/** The menu as the user sees it when it opens: texts, and the tool tips of the letters. */
QStringList shownMenu(quillory::app::MainForm& form, QStringList* tips = nullptr)
{
    emit recentMenu(form)->aboutToShow();
    QStringList texts;
    for (QAction* action : recentMenu(form)->actions()) {
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        if (tips && !action->isSeparator() && action->objectName().isEmpty())
            *tips << action->toolTip();
    }
    return texts;
}

QAction* menuAction(quillory::app::MainForm& form, const QString& text)
{
    emit recentMenu(form)->aboutToShow();
    for (QAction* action : recentMenu(form)->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

} // namespace

class TestRecent : public QObject
{
    Q_OBJECT

private slots:
    void theMenuListsTheLastLettersMostRecentFirst_data()
    {
        QTest::addColumn<QList<int>>("opened");
        QTest::addColumn<QList<int>>("listed");
        QTest::newRow("one") << QList<int>{3} << QList<int>{3};
        QTest::newRow("most recent first") << QList<int>{0, 1, 2} << QList<int>{2, 1, 0};
        QTest::newRow("opened again moves up") << QList<int>{0, 1, 2, 0} << QList<int>{0, 2, 1};
        QTest::newRow("eight at most")
            << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9} << QList<int>{9, 8, 7, 6, 5, 4, 3, 2};
    }

    void theMenuListsTheLastLettersMostRecentFirst()
    {
        QFETCH(QList<int>, opened);
        QFETCH(QList<int>, listed);
        QTemporaryDir dir;
        const auto path = [&](int i) {
            return dir.filePath(QStringLiteral("Brief %1.bri").arg(i));
        };
        for (int i = 0; i < 10; ++i)
            QVERIFY(!quillory::document::LetterFile::writeFile(path(i), Letter::makeNew()));

        MemoryListStore lists;
        QStringList expected;
        QStringList tips;
        for (int i = 0; i < listed.size(); ++i) {
            expected << QStringLiteral("&%1 Brief %2.bri").arg(i + 1).arg(listed.at(i));
            tips << QDir::toNativeSeparators(path(listed.at(i)));
        }
        expected << QStringLiteral("-") << QStringLiteral("Liste leeren");
        {
            FormFixture f({}, nullptr, QString(), false);
            f.form->setListStore(&lists);
            f.show();
            QCOMPARE(shownMenu(*f.form),
                     (QStringList{QStringLiteral("-"), QStringLiteral("Liste leeren")}));
            // Saving counts as much as opening.
            f.prompts.saveNames << path(opened.constFirst());
            f.form->Edit1->setText(QStringLiteral("neu"));
            QVERIFY(f.form->SaveFile());
            for (int i : opened.mid(1))
                f.form->OpenFileWithName(path(i));
            QStringList shownTips;
            QCOMPARE(shownMenu(*f.form, &shownTips), expected);
            QCOMPARE(shownTips, tips);
        }
        // After a restart, from the user's own store.
        FormFixture next({}, nullptr, QString(), false);
        next.form->setListStore(&lists);
        next.show();
        QCOMPARE(shownMenu(*next.form), expected);
        // And chosen from the menu, the letter opens.
        menuAction(*next.form, expected.constFirst())->trigger();
        QCOMPARE(next.form->fileName(), path(listed.constFirst()));
        QVERIFY(next.prompts.errors.isEmpty());
    }

    void aLetterThatIsGoneLeavesTheListAndTheListCanBeEmptied()
    {
        QTemporaryDir dir;
        MemoryListStore lists;
        const QString kept = dir.filePath(QStringLiteral("bleibt.bri"));
        const QString gone = dir.filePath(QStringLiteral("weg.bri"));
        FormFixture f({}, nullptr, QString(), false);
        f.form->setListStore(&lists);
        f.show();
        for (const QString& path : {gone, kept}) {
            QVERIFY(!quillory::document::LetterFile::writeFile(path, Letter::makeNew()));
            f.form->OpenFileWithName(path);
        }
        QVERIFY(QFile::remove(gone));
        menuAction(*f.form, QStringLiteral("&2 weg.bri"))->trigger();
        // Nothing opened, nothing asked: a note in the status bar is all.
        QCOMPARE(f.form->fileName(), kept);
        QVERIFY(f.prompts.errors.isEmpty());
        QVERIFY(f.form->StatusBar1->currentMessage().contains(QDir::toNativeSeparators(gone)));
        QCOMPARE(shownMenu(*f.form),
                 (QStringList{QStringLiteral("&1 bleibt.bri"), QStringLiteral("-"),
                              QStringLiteral("Liste leeren")}));

        menuAction(*f.form, QStringLiteral("Liste leeren"))->trigger();
        QCOMPARE(shownMenu(*f.form),
                 (QStringList{QStringLiteral("-"), QStringLiteral("Liste leeren")}));
        QVERIFY(!menuAction(*f.form, QStringLiteral("Liste leeren"))->isEnabled());
        QCOMPARE(lists.lists.value(QStringLiteral("RecentLetters/Files")), QStringList());
    }
};

QTEST_MAIN(TestRecent)
#include "tst_recent.moc"
