#include "widgets/DateField.h"
#include "widgets/FormBuilder.h"
#include "window/MainForm.h"
#include "widgets/MemoField.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace quillory::app {

void MainForm::buildLetterTab(FormBuilder& b)
{
    TabSheet1 = new QWidget(PageControl1);
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    PageControl1->addTab(TabSheet1, QStringLiteral("Brief schreiben"));

    Panel1 = new QFrame(TabSheet1);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::NoFrame);
    Panel1->setFixedHeight(b.scale().px(233));

    const auto field = [&](const QString& name, const QString& label, int left, int top) {
        b.labelAbove(Panel1, label, left, top);
        return b.textField(Panel1, name, left, top, 233);
    };
    Edit1 = field(QStringLiteral("Edit1"), QStringLiteral("Name des Empfängers:"), 8, 32);
    Edit2 = field(
        QStringLiteral("Edit2"),
        QStringLiteral("Zusatzinformationen wie z.Hd. Herrn  Velderin usw. oder Ortsteil:"), 8, 72);
    Edit3 =
        field(QStringLiteral("Edit3"), QStringLiteral("Straße und Nummer oder Postfach:"), 8, 112);
    Edit4 = field(QStringLiteral("Edit4"), QStringLiteral("Postleitzahl und Ort:"), 8, 152);
    Edit5 = field(QStringLiteral("Edit5"),
                  QStringLiteral("Zielland (falls der Brief ins Ausland geht:"), 8, 192);
    Edit6 = field(QStringLiteral("Edit6"),
                  QStringLiteral("Betreff (z.B. Kündigung Vertrags Nr. 34534345)"), 320, 32);
    Edit7 = field(QStringLiteral("Edit7"), QStringLiteral("Anrede:"), 320, 72);
    Edit8 =
        field(QStringLiteral("Edit8"), QStringLiteral("Schlussformel (Verabschiedung):"), 320, 112);
    RadioButton1 =
        b.radioButton(Panel1, QStringLiteral("RadioButton1"),
                      QStringLiteral("Unterschrift entspricht dem Absendernamen"), 320, 136, 289);
    RadioButton2 = b.radioButton(Panel1, QStringLiteral("RadioButton2"),
                                 QStringLiteral("Folgende Unterschrift verwenden:"), 320, 152, 233);
    RadioButton1->setChecked(true);
    Edit9 = b.textField(Panel1, QStringLiteral("Edit9"), 320, 168, 233);

    BitBtnXP1 = new QPushButton(QStringLiteral("Schriftart und Größe ändern..."), Panel1);
    BitBtnXP1->setObjectName(QStringLiteral("BitBtnXP1"));
    BitBtnXP1->setGeometry(b.scale().rect(320, 200, 185, FormBuilder::kButtonHeight));

    b.labelAbove(Panel1, QStringLiteral("Datum:"), 608, 32);
    DateEdit1 = b.dateField(Panel1, QStringLiteral("DateEdit1"), 608, 32, 121);

    BitBtnXP2 = new QPushButton(QStringLiteral("Schriftart für Fußzeile ändern..."), Panel1);
    BitBtnXP2->setObjectName(QStringLiteral("BitBtnXP2"));
    BitBtnXP2->setGeometry(b.scale().rect(512, 200, 185, FormBuilder::kButtonHeight));
    for (QPushButton* button : {BitBtnXP1, BitBtnXP2}) {
        button->setIcon(QIcon(QStringLiteral(":/quillory/font.png")));
        button->setIconSize(b.scale().size(16, 16));
    }

    b.label(Panel1, QStringLiteral("Brieftext:"), 8, 216);
    b.fitLabels(Panel1);

    Memo1 = new MemoField(TabSheet1);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont memoFont(QStringLiteral("Arial"));
    memoFont.setPixelSize(b.scale().px(15));
    Memo1->setFont(memoFont);

    auto* layout = new QVBoxLayout(TabSheet1);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel1);
    layout->addWidget(Memo1, 1);

    QWidget* const order[] = {Edit1, Edit2,     Edit3,     Edit4,        Edit5,
                              Edit6, Edit7,     Edit8,     RadioButton1, RadioButton2,
                              Edit9, BitBtnXP1, DateEdit1, BitBtnXP2,    Memo1};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

} // namespace quillory::app
