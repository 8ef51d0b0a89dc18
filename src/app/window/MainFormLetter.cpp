#include "widgets/DateField.h"
#include "window/MainForm.h"
#include "widgets/MemoField.h"
#include "widgets/SpinField.h"

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
    document::Letter l;
    l.recipientName = Edit1->text();
    l.recipientExtra = Edit2->text();
    l.recipientStreet = Edit3->text();
    l.recipientCity = Edit4->text();
    l.recipientCountry = Edit5->text();
    l.subject = Edit6->text();
    l.salutation = Edit7->text();
    l.closing = Edit8->text();
    l.signature = Edit9->text();
    l.body = memoText();
    l.date = DateEdit1->date();

    l.senderName = Edit10->text();
    l.senderExtra = Edit11->text();
    l.senderStreet = Edit12->text();
    l.senderPostcode = Edit13->text();
    l.senderCity = Edit19->text();
    l.senderCountry = Edit14->text();
    l.senderPhone = Edit15->text();
    l.senderFax = Edit16->text();
    l.senderEmail = Edit17->text();
    l.footer = Edit18->text();
    l.marginMm = RandEd->letterValue();
    l.phoneRight = TeleRechts->isChecked();
    l.footerCentred = FussZentr->isChecked();
    l.linesToSender = static_cast<int>(ZeilenAbsender->letterValue());
    l.linesToRecipient = static_cast<int>(ZeilenBisEmpfaenger->letterValue());
    l.linesToSubject = static_cast<int>(ZeilenBisBetreff->letterValue());
    l.senderOneLine = Absenderunterstr->isChecked();
    l.senderSeparator = TrennZeichen->text();
    l.senderSizeReduction = static_cast<int>(Absenderverkleinern->letterValue());
    l.layout1SmallerSender = kleinereSchriftCheck->isChecked();
    l.layout1BlankBeforeCity = LeerZeileCheck->isChecked();
    l.layout1LargerCity = PLZOrtGroesserCheck->isChecked();
    l.letterFont = m_letterFont;
    l.footerFont = m_footerFont;
    return l;
}

void MainForm::setLetter(const document::Letter& l)
{
    setText(Edit1, l.recipientName);
    setText(Edit2, l.recipientExtra);
    setText(Edit3, l.recipientStreet);
    setText(Edit4, l.recipientCity);
    setText(Edit5, l.recipientCountry);
    setText(Edit6, l.subject);
    setText(Edit7, l.salutation);
    setText(Edit8, l.closing);
    setText(Edit9, l.signature);
    if (memoText() != l.body) {
        QString body = l.body;
        body.replace(kLetterLineBreak, QStringLiteral("\n"))
            .replace(QLatin1Char('\r'), QLatin1Char('\n'));
        Memo1->setPlainText(body);
    }
    DateEdit1->setLetterDate(l.date);

    setText(Edit10, l.senderName);
    setText(Edit11, l.senderExtra);
    setText(Edit12, l.senderStreet);
    setText(Edit13, l.senderPostcode);
    setText(Edit19, l.senderCity);
    setText(Edit14, l.senderCountry);
    setText(Edit15, l.senderPhone);
    setText(Edit16, l.senderFax);
    setText(Edit17, l.senderEmail);
    setText(Edit18, l.footer);
    RandEd->setValue(l.marginMm);
    TeleRechts->setChecked(l.phoneRight);
    FussZentr->setChecked(l.footerCentred);
    ZeilenAbsender->setValue(l.linesToSender);
    ZeilenBisEmpfaenger->setValue(l.linesToRecipient);
    ZeilenBisBetreff->setValue(l.linesToSubject);
    Absenderunterstr->setChecked(l.senderOneLine);
    setText(TrennZeichen, l.senderSeparator);
    Absenderverkleinern->setValue(l.senderSizeReduction);
    kleinereSchriftCheck->setChecked(l.layout1SmallerSender);
    LeerZeileCheck->setChecked(l.layout1BlankBeforeCity);
    PLZOrtGroesserCheck->setChecked(l.layout1LargerCity);
    // The window's fonts keep the screen's resolution and take the point size.
    m_letterFont.assign(l.letterFont);
    m_footerFont.assign(l.footerFont);
}

} // namespace quillory::app
