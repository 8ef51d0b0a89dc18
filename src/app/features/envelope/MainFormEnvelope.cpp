// The window envelope on the preview tab: the address checked against the
// chosen envelope's window as the letter changes, the window drawn over the
// preview, and "Anpassen". The check itself lives in the envelope module.
#include "widgets/DateField.h"
#include "envelope/AddressCheck.h"
#include "envelope/WindowOverlay.h"
#include "widgets/FormBuilder.h"
#include "window/MainForm.h"
#include "window/WindowEvents.h"
#include "output/PreviewRenderer.h"
#include "widgets/SpinField.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>

#include <algorithm>
#include <optional>

namespace quillory::app {
namespace {

const QString kNoEnvelope = QStringLiteral("kein");

envelope::Sheet sheetOf(const output::PrinterMetrics& printer)
{
    return {printer.paperMm, printer.printableOriginMm};
}

std::optional<envelope::EnvelopeKind> chosenEnvelope(const QComboBox& combo)
{
    return envelope::Envelope::fromName(combo.currentText());
}

} // namespace

void MainForm::buildEnvelopeChoice(FormBuilder& b)
{
    const DesignScale& scale = b.scale();
    // Beside the layout choice, each widget after the one before, as wide
    // captions at a larger screen font push them right.
    const auto after = [&](QWidget* w, int gap) {
        return w->geometry().right() + 1 + scale.px(gap);
    };

    QLabel* caption = b.label(Panel2, QStringLiteral("Fensterumschlag:"), 520, 12);
    caption->setObjectName(QStringLiteral("UmschlagLabel"));
    caption->move(std::max(caption->x(), after(Layout2Check, 6)), caption->y());

    UmschlagCombo = new QComboBox(Panel2);
    UmschlagCombo->setObjectName(QStringLiteral("UmschlagCombo"));
    UmschlagCombo->addItem(kNoEnvelope);
    for (envelope::EnvelopeKind kind :
         {envelope::EnvelopeKind::DL, envelope::EnvelopeKind::C6_5, envelope::EnvelopeKind::C5})
        UmschlagCombo->addItem(envelope::Envelope::of(kind).name);
    UmschlagCombo->setGeometry(after(caption, 4), scale.px(8), scale.px(70),
                               scale.px(FormBuilder::kFieldHeight));
    UmschlagCombo->resize(std::max(UmschlagCombo->width(), UmschlagCombo->sizeHint().width()),
                          UmschlagCombo->height());
    caption->setBuddy(UmschlagCombo);

    AnpassenButton = new QPushButton(QStringLiteral("Anpassen"), Panel2);
    AnpassenButton->setObjectName(QStringLiteral("AnpassenButton"));
    AnpassenButton->setGeometry(after(UmschlagCombo, 8), scale.px(6), scale.px(75),
                                scale.px(FormBuilder::kButtonHeight));
    AnpassenButton->resize(std::max(AnpassenButton->width(), AnpassenButton->sizeHint().width()),
                           AnpassenButton->height());
    AnpassenButton->setEnabled(false);

    // The second line: the verdict under the layout and envelope choice.
    UmschlagVerdict = b.label(Panel2, QString(), 280, 37);
    UmschlagVerdict->setObjectName(QStringLiteral("UmschlagVerdict"));
    UmschlagVerdict->resize(scale.px(580), UmschlagVerdict->height());

    setTabOrder(Layout2Check, UmschlagCombo);
    setTabOrder(UmschlagCombo, AnpassenButton);
}

void MainForm::connectEnvelopeCheck()
{
    UmschlagStatus = new QLabel(StatusBar1);
    UmschlagStatus->setObjectName(QStringLiteral("UmschlagStatus"));
    StatusBar1->addWidget(UmschlagStatus, 1);

    connect(UmschlagCombo, &QComboBox::currentIndexChanged, this,
            [this] { runGuarded([this] { UmschlagComboChange(); }); });
    connect(AnpassenButton, &QPushButton::clicked, this,
            [this] { runGuarded([this] { AnpassenClick(); }); });

    // Everything that can move the head of page 1. The body lies below the
    // address, and the signature after the body: neither is watched.
    for (QLineEdit* edit : {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit10, Edit11, Edit12,
                            Edit13, Edit14, Edit15, Edit16, Edit17, Edit18, Edit19, TrennZeichen})
        connect(edit, &QLineEdit::textChanged, this, &MainForm::scheduleEnvelopeCheck);
    connect(DateEdit1, &DateField::dateChanged, this, &MainForm::scheduleEnvelopeCheck);
    for (SpinField* field :
         {RandEd, ZeilenAbsender, ZeilenBisEmpfaenger, ZeilenBisBetreff, Absenderverkleinern})
        connect(field, &SpinField::changed, this, &MainForm::scheduleEnvelopeCheck);
    for (QCheckBox* box : {TeleRechts, FussZentr, Absenderunterstr, kleinereSchriftCheck,
                           LeerZeileCheck, PLZOrtGroesserCheck, Leer2Check})
        connect(box, &QCheckBox::toggled, this, &MainForm::scheduleEnvelopeCheck);
    connect(Layout2Check, &QRadioButton::toggled, this, &MainForm::scheduleEnvelopeCheck);
    // What the page shows moved, e.g. another record of a serial letter.
    connect(m_events, &WindowEvents::pageSetUpChanged, this, &MainForm::scheduleEnvelopeCheck);
}

void MainForm::scheduleEnvelopeCheck()
{
    if (m_envelopeCheckPending)
        return;
    m_envelopeCheckPending = true;
    // Typing fires a notification per key, and opening a letter one per
    // field: they all come down to one check once the event loop is back.
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_envelopeCheckPending = false;
            runGuarded([this] { updateEnvelopeCheck(); });
        },
        Qt::QueuedConnection);
}

void MainForm::updateEnvelopeCheck()
{
    const std::optional<envelope::EnvelopeKind> kind = chosenEnvelope(*UmschlagCombo);
    AnpassenButton->setEnabled(kind.has_value());
    if (!kind) {
        UmschlagVerdict->clear();
        UmschlagVerdict->setToolTip(QString());
        UmschlagStatus->clear();
        return;
    }
    const output::PreviewRequest request = previewRequest();
    const layout::PrintedPage page = request.printer.page();
    const envelope::Sheet sheet = sheetOf(request.printer);
    const envelope::Envelope& chosen = envelope::Envelope::of(*kind);
    // The preview composes the whole letter at print geometry anyway, and
    // keeps it: the check reads that. Elsewhere page 1's head is enough.
    const envelope::AddressCheck check =
        PageControl1->currentWidget() == TabSheet3
            ? envelope::checkAddress(*preview().layoutFor(request), page, sheet, chosen)
            : envelope::checkAddress(
                  envelope::composeHead(request.letter, request.view, request.kind, page), page,
                  sheet, chosen);
    // The reservations make the sentence long: where it outruns its line,
    // the whole of it is in the tool tip, before the warnings in full.
    const QString verdict = check.verdict();
    const QString shown = UmschlagVerdict->fontMetrics().elidedText(verdict, Qt::ElideRight,
                                                                    UmschlagVerdict->width());
    UmschlagVerdict->setText(shown);
    QStringList tip = check.warnings;
    if (shown != verdict)
        tip.prepend(verdict);
    UmschlagVerdict->setToolTip(tip.join(QLatin1Char('\n')));
    UmschlagStatus->setText(check.shortVerdict());
    UmschlagStatus->setToolTip(check.verdict());
}

void MainForm::paintEnvelopeWindow(QPainter& painter, const output::PreviewRequest& request)
{
    const std::optional<envelope::EnvelopeKind> kind = chosenEnvelope(*UmschlagCombo);
    if (!kind || request.page != 1)
        return;
    const layout::PrintedPage page = request.printer.page();
    const envelope::Sheet sheet = sheetOf(request.printer);
    const envelope::AddressCheck check = envelope::checkAddress(
        *preview().layoutFor(request), page, sheet, envelope::Envelope::of(*kind));
    envelope::drawWindowOverlay(painter, check, sheet, page, request.geometry.scale);
}

void MainForm::UmschlagComboChange()
{
    updateEnvelopeCheck();
    repaintPreview();
}

void MainForm::AnpassenClick()
{
    const std::optional<envelope::EnvelopeKind> kind = chosenEnvelope(*UmschlagCombo);
    if (!kind)
        return;
    const output::PreviewRequest request = previewRequest();
    const envelope::Envelope& chosen = envelope::Envelope::of(*kind);
    const envelope::AddressFit fit =
        envelope::fitAddress(request.letter, request.view, request.kind, request.printer.page(),
                             sheetOf(request.printer), chosen);
    if (!fit.possible) {
        m_prompts->showInfo(QStringLiteral("Die Anschrift lässt sich nicht ins Fenster (%1) "
                                           "setzen. %2.")
                                .arg(chosen.name, fit.reason));
        return;
    }
    // Through the fields, so the letter is modified as by typing.
    ZeilenAbsender->setValue(fit.linesToSender);
    ZeilenBisEmpfaenger->setValue(fit.linesToRecipient);
}

} // namespace quillory::app
