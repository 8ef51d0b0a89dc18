#include "FormFixture.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QKeySequence>
#include <QTextBlock>
#include <QTextLayout>

using Keys = QList<QKeySequence>;

// About 400 characters in one paragraph, then a short one.
const QString kBody =
    QStringLiteral("Bitte senden Sie mir eine schriftliche Kündigungsbestätigung zu. ")
        .repeated(6) +
    QStringLiteral("\r\nZweiter Absatz.");

class TestWrapping : public QObject
{
    Q_OBJECT

private slots:
    void theBodyWrapsOnScreenOnly_data()
    {
        QTest::addColumn<int>("clicks"); // on "Zeilenumbruch", in the window before
        QTest::addColumn<bool>("wrapped");
        QTest::addColumn<Keys>("keys");     // typed at character 200
        QTest::addColumn<QString>("typed"); // what they leave there
        QTest::addColumn<int>("block");     // where they leave the caret
        const QKeySequence down(Qt::Key_Down), x(Qt::Key_X);
        QTest::newRow("on: down within") << 0 << true << Keys{down} << QString() << 0;
        QTest::newRow("off: down to the next") << 1 << false << Keys{down} << QString() << 1;
        QTest::newRow("on again: typed") << 2 << true << Keys{x} << QStringLiteral("x") << 0;
        QTest::newRow("on: Return")
            << 0 << true << Keys{QKeySequence(Qt::Key_Return)} << QStringLiteral("\r\n") << 1;
        QTest::newRow("on: undone")
            << 0 << true << Keys{x, QKeySequence(Qt::CTRL | Qt::Key_Z)} << QString() << 0;
    }

    void theBodyWrapsOnScreenOnly()
    {
        QFETCH(int, clicks);
        QFETCH(bool, wrapped);
        QFETCH(Keys, keys);
        QFETCH(QString, typed);
        QFETCH(int, block);
        quillory::settings::MemorySettingsBackend settings;
        for (int run = 0; run < 2; ++run) {
            FormFixture f({}, &settings);
            f.form->Memo1->setPlainText(kBody);
            for (int click = 0; run == 0 && click < clicks; ++click)
                f.form->findChild<QAction*>(QStringLiteral("Zeilenumbruch1"))->trigger();
            const QTextBlock first = f.form->Memo1->document()->firstBlock();
            f.form->Memo1->document()->documentLayout()->blockBoundingRect(first);
            QCOMPARE(first.layout()->lineCount() > 1, wrapped);
            // Only the screen: the letter holds the paragraph as typed.
            QCOMPARE(f.form->letter().body, kBody);
            if (run == 0)
                continue;
            // In the next window, as chosen, the keys work on screen lines.
            QTextCursor cursor(f.form->Memo1->document());
            cursor.setPosition(200);
            f.form->Memo1->setTextCursor(cursor);
            for (const QKeySequence& key : keys)
                QTest::keySequence(f.form->Memo1, key);
            QCOMPARE(f.form->letter().body, kBody.left(200) + typed + kBody.mid(200));
            QCOMPARE(f.form->Memo1->textCursor().blockNumber(), block);
        }
        QCOMPARE(settings.values.contains(QStringLiteral("Editor/Zeilenumbruch")), clicks > 0);
    }
};

QTEST_MAIN(TestWrapping)
#include "tst_wrapping.moc"
