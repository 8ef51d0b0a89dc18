// The window envelope on the preview tab: the address checked against the
// chosen envelope's window as the letter changes, the window drawn over the
// preview, and "Anpassen". The check itself lives in the envelope module.
#include "features/envelope/EnvelopePart.h"

#include "envelope/AddressCheck.h"
#include "envelope/WindowOverlay.h"
#include "output/PreviewRenderer.h"
#include "settings/FormStorage.h"
#include "widgets/FormBuilder.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>

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

EnvelopePart::EnvelopePart(LetterWindow& window)
    : WindowPart(window, QStringLiteral("EnvelopePart"))
{
    window.addPart(this);
    buildChoice();

    connectGuarded(UmschlagCombo, &QComboBox::currentIndexChanged,
                   [this] { UmschlagComboChange(); });
    connectGuarded(AnpassenButton, &QPushButton::clicked, [this] { AnpassenClick(); });

    // Everything that can move the head of page 1: an edit of the letter
    // (a field or a font), another letter, the layout, the blank line before
    // the city, the printer and its paper.
    WindowEvents& events = window.events();
    for (auto signal : {&WindowEvents::letterEdited, &WindowEvents::letterReplaced,
                        &WindowEvents::pageSetUpChanged})
        connect(&events, signal, this, &EnvelopePart::scheduleCheck);
}

void EnvelopePart::buildChoice()
{
    QWidget* panel = window().place(LetterWindow::Place::PreviewPanel);
    QWidget* layout2 = panel->findChild<QWidget*>(QStringLiteral("Layout2Check"));
    const FormBuilder b{DesignScale()};
    const DesignScale& scale = b.scale();
    // Beside the layout choice, each widget after the one before, as wide
    // captions at a larger screen font push them right.
    const auto after = [&](QWidget* w, int gap) {
        return w->geometry().right() + 1 + scale.px(gap);
    };

    QLabel* caption = b.label(panel, QStringLiteral("Fensterumschlag:"), 520, 12);
    caption->setObjectName(QStringLiteral("UmschlagLabel"));
    if (layout2)
        caption->move(std::max(caption->x(), after(layout2, 6)), caption->y());

    UmschlagCombo = new QComboBox(panel);
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

    AnpassenButton = new QPushButton(QStringLiteral("Anpassen"), panel);
    AnpassenButton->setObjectName(QStringLiteral("AnpassenButton"));
    AnpassenButton->setGeometry(after(UmschlagCombo, 8), scale.px(6), scale.px(75),
                                scale.px(FormBuilder::kButtonHeight));
    AnpassenButton->resize(std::max(AnpassenButton->width(), AnpassenButton->sizeHint().width()),
                           AnpassenButton->height());
    AnpassenButton->setEnabled(false);

    // The second line: the verdict under the envelope's choice, beside the
    // DIN forms under the layouts.
    UmschlagVerdict = b.label(panel, QString(), 280, 37);
    UmschlagVerdict->setObjectName(QStringLiteral("UmschlagVerdict"));
    UmschlagVerdict->move(caption->x(), UmschlagVerdict->y());
    UmschlagVerdict->resize(scale.px(580), UmschlagVerdict->height());

    // After the panel's last layout choice.
    QWidget* before = panel->findChild<QWidget*>(QStringLiteral("DinBCheck"));
    if (!before)
        before = layout2;
    if (before)
        QWidget::setTabOrder(before, UmschlagCombo);
    QWidget::setTabOrder(UmschlagCombo, AnpassenButton);

    QWidget* bar = window().place(LetterWindow::Place::StatusBar);
    UmschlagStatus = new QLabel(bar);
    UmschlagStatus->setObjectName(QStringLiteral("UmschlagStatus"));
    if (auto* statusBar = qobject_cast<QStatusBar*>(bar))
        statusBar->addWidget(UmschlagStatus, 1);
}

void EnvelopePart::restoreSettings(const settings::ViewChoices& view)
{
    // A name this program does not know (any more) is no envelope.
    const int envelope = UmschlagCombo->findText(view.envelope, Qt::MatchFixedString);
    UmschlagCombo->setCurrentIndex(std::max(0, envelope));
    // The restored letter's fonts change no field, and so tell nobody.
    scheduleCheck();
}

void EnvelopePart::saveView(settings::ViewChoices& view) const
{
    view.envelope = UmschlagCombo->currentText();
}

void EnvelopePart::scheduleCheck()
{
    if (m_checkPending)
        return;
    m_checkPending = true;
    // Typing fires a notification per key, and opening a letter one per
    // field: they all come down to one check once the event loop is back.
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_checkPending = false;
            window().runGuarded([this] { updateCheck(); });
        },
        Qt::QueuedConnection);
}

void EnvelopePart::updateCheck()
{
    const std::optional<envelope::EnvelopeKind> kind = chosenEnvelope(*UmschlagCombo);
    AnpassenButton->setEnabled(kind.has_value());
    if (!kind) {
        UmschlagVerdict->clear();
        UmschlagVerdict->setToolTip(QString());
        UmschlagStatus->clear();
        emit checked();
        return;
    }
    const output::PreviewRequest request = window().previewRequest();
    const layout::PrintedPage page = request.printer.page();
    const envelope::Sheet sheet = sheetOf(request.printer);
    const envelope::Envelope& chosen = envelope::Envelope::of(*kind);
    // The preview composes the whole letter at print geometry anyway, and
    // keeps it: the check reads that. Elsewhere page 1's head is enough.
    const envelope::AddressCheck check =
        window().isPreviewShown()
            ? envelope::checkAddress(*window().preview().layoutFor(request), page, sheet, chosen)
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
    emit checked();
}

void EnvelopePart::paintOverPreview(QPainter& painter, const output::PreviewRequest& request)
{
    const std::optional<envelope::EnvelopeKind> kind = chosenEnvelope(*UmschlagCombo);
    if (!kind || request.page != 1)
        return;
    const layout::PrintedPage page = request.printer.page();
    const envelope::Sheet sheet = sheetOf(request.printer);
    const envelope::AddressCheck check = envelope::checkAddress(
        *window().preview().layoutFor(request), page, sheet, envelope::Envelope::of(*kind));
    envelope::drawWindowOverlay(painter, check, sheet, page, request.geometry.scale);
}

void EnvelopePart::UmschlagComboChange()
{
    updateCheck();
    window().repaintPreview();
}

void EnvelopePart::AnpassenClick()
{
    const std::optional<envelope::EnvelopeKind> kind = chosenEnvelope(*UmschlagCombo);
    if (!kind)
        return;
    const output::PreviewRequest request = window().previewRequest();
    const envelope::Envelope& chosen = envelope::Envelope::of(*kind);
    const envelope::AddressFit fit =
        envelope::fitAddress(request.letter, request.view, request.kind, request.printer.page(),
                             sheetOf(request.printer), chosen);
    if (!fit.possible) {
        // A DIN letter's address has its place already: the reason says so alone.
        window().prompts().showInfo(
            layout::isDin(request.kind)
                ? fit.reason + QLatin1Char('.')
                : QStringLiteral("Die Anschrift lässt sich nicht ins Fenster (%1) setzen. %2.")
                      .arg(chosen.name, fit.reason));
        return;
    }
    // Into the letter as typed, not the shown record's, and modified as by typing.
    document::Letter typed = window().letter();
    typed.linesToSender = fit.linesToSender;
    typed.linesToRecipient = fit.linesToRecipient;
    window().editLetter(typed);
}

} // namespace quillory::app
