#include "widgets/DateField.h"
#include "widgets/MemoField.h"
#include "widgets/SpinField.h"
#include "window/MainForm.h"
#include "window/WindowPart.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace quillory::app {
namespace {

const QString kLetterLineBreak = QStringLiteral("\r\n");

void setText(QLineEdit* edit, const QString& text)
{
    // Setting the same text again would still reset the cursor and undo.
    if (edit->text() == text)
        return;
    edit->setText(text);
    // A text longer than the field shows its start, as the user reads it.
    edit->setCursorPosition(0);
}

} // namespace

QString MainForm::memoText() const
{
    // Block by block: toPlainText() would turn no-break spaces into spaces.
    QStringList lines;
    for (QTextBlock block = Memo1->document()->begin(); block.isValid(); block = block.next())
        lines.append(block.text());
    return lines.join(kLetterLineBreak).replace(QChar::LineSeparator, kLetterLineBreak);
}

document::Letter MainForm::letter() const
{
    // Starting from the letter shown keeps what this window has no field for
    // (entries of a later version, data a part not built here would show)
    // through every save.
    document::Letter l = m_given;
    for (const auto& [member, edit] : m_lineFields)
        l.*member = edit->text();
    l.body = memoText();
    l.date = DateEdit1->date();

    l.marginMm = RandEd->letterValue();
    l.phoneRight = TeleRechts->isChecked();
    l.footerCentred = FussZentr->isChecked();
    l.linesToSender = static_cast<int>(ZeilenAbsender->letterValue());
    l.linesToRecipient = static_cast<int>(ZeilenBisEmpfaenger->letterValue());
    l.linesToSubject = static_cast<int>(ZeilenBisBetreff->letterValue());
    l.senderOneLine = Absenderunterstr->isChecked();
    l.senderSizeReduction = static_cast<int>(Absenderverkleinern->letterValue());
    l.layout1SmallerSender = kleinereSchriftCheck->isChecked();
    l.layout1BlankBeforeCity = LeerZeileCheck->isChecked();
    l.layout1LargerCity = PLZOrtGroesserCheck->isChecked();
    l.letterFont = m_letterFont;
    l.footerFont = m_footerFont;
    for (const WindowPart* part : m_parts)
        part->readLetter(l);
    return l;
}

void MainForm::setLetter(const document::Letter& l)
{
    m_given = l;
    for (const auto& [member, edit] : m_lineFields)
        setText(edit, l.*member);
    if (memoText() != l.body) {
        QString body = l.body;
        body.replace(kLetterLineBreak, QStringLiteral("\n"))
            .replace(QLatin1Char('\r'), QLatin1Char('\n'));
        Memo1->setPlainText(body);
    }
    DateEdit1->setLetterDate(l.date);

    RandEd->setValue(l.marginMm);
    TeleRechts->setChecked(l.phoneRight);
    FussZentr->setChecked(l.footerCentred);
    ZeilenAbsender->setValue(l.linesToSender);
    ZeilenBisEmpfaenger->setValue(l.linesToRecipient);
    ZeilenBisBetreff->setValue(l.linesToSubject);
    Absenderunterstr->setChecked(l.senderOneLine);
    Absenderverkleinern->setValue(l.senderSizeReduction);
    kleinereSchriftCheck->setChecked(l.layout1SmallerSender);
    LeerZeileCheck->setChecked(l.layout1BlankBeforeCity);
    PLZOrtGroesserCheck->setChecked(l.layout1LargerCity);
    // The window's fonts keep the screen's resolution and take the point size.
    m_letterFont.assign(l.letterFont);
    m_footerFont.assign(l.footerFont);
    for (WindowPart* part : m_parts)
        part->showLetter(l);
}

} // namespace quillory::app
