// The DIN 5008 letters as the window offers them: Form A and Form B beside
// the form's own layouts, and on "Ihre Daten" what only they print: the
// letterhead image, the date's style and paper with a printed letterhead.
// Composition draws all of it; here it is chosen, kept and handed on.
#include "features/din/DinLetterPart.h"

#include "features/din/DinLetterChoice.h"
#include "layout/Composer.h"
#include "layout/PrintedPage.h"
#include "output/LetterPrinter.h"
#include "output/PreviewGeometry.h"
#include "output/PreviewRenderer.h"
#include "settings/FormStorage.h"
#include "support/ErrorReport.h"
#include "support/KeptImage.h"
#include "widgets/FormBuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <utility>

namespace quillory::app {
namespace {

using DateStyle = DinLetterChoice::DateStyle;

/** The combo's entries in this order. */
constexpr DateStyle kDateStyles[] = {DateStyle::Numeric, DateStyle::Iso, DateStyle::Long};
/** The copy's name in the data folder, without the suffix the original had. */

QString shownPath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

DinLetterPart::DinLetterPart(LetterWindow& window)
    : WindowPart(window, QStringLiteral("DinLetterPart"))
{
    window.addPart(this);
    buildChoice();
    buildOptions();
    connectHandlers();
}

void DinLetterPart::buildChoice()
{
    const FormBuilder b{DesignScale()};
    QWidget* const panel = window().place(LetterWindow::Place::PreviewPanel);
    // On the panel's second line, under Layout 1 and Layout 2; the same
    // parent makes the four choices exclusive.
    m_formA = b.radioButton(panel, QStringLiteral("DinACheck"), QStringLiteral("DIN 5008 A"), 280,
                            37, 113);
    m_formB = b.radioButton(panel, QStringLiteral("DinBCheck"), QStringLiteral("DIN 5008 B"), 400,
                            37, 113);
    // Wide captions at a larger screen font push the second one right.
    int left = std::max(m_formB->x(), m_formA->geometry().right() + 1 + b.scale().px(7));
    if (QWidget* layout2 = panel->findChild<QWidget*>(QStringLiteral("Layout2Check"))) {
        left = std::max(left, layout2->x());
        QWidget::setTabOrder(layout2, m_formA);
    }
    m_formB->move(left, m_formB->y());
    QWidget::setTabOrder(m_formA, m_formB);
}

void DinLetterPart::buildOptions()
{
    const FormBuilder b{DesignScale()};
    const DesignScale& scale = b.scale();
    QWidget* const tab = window().place(LetterWindow::Place::SenderTab);
    // Under the sender profiles, left of the signature's group.
    auto* group = new QGroupBox(QStringLiteral("Briefkopf für DIN 5008"), tab);
    group->setObjectName(QStringLiteral("BriefkopfGruppe"));
    group->setGeometry(scale.rect(8, 466, 305, 106));

    const auto button = [&](const QString& name, const QString& caption, int top) {
        auto* pushButton = new QPushButton(caption, group);
        pushButton->setObjectName(name);
        pushButton->setGeometry(scale.rect(10, top, 120, FormBuilder::kButtonHeight));
        pushButton->resize(std::max(pushButton->width(), pushButton->sizeHint().width()),
                           pushButton->height());
        return pushButton;
    };
    m_choose = button(QStringLiteral("BriefkopfButton"), QStringLiteral("Briefkopf (Bild)..."), 20);
    m_remove = button(QStringLiteral("BriefkopfEntfernen"), QStringLiteral("Entfernen"), 48);
    m_remove->resize(m_choose->width(), m_remove->height());

    m_shown = new QLabel(group);
    m_shown->setObjectName(QStringLiteral("BriefkopfVorschau"));
    const int left = std::max(scale.px(140), m_choose->geometry().right() + 1 + scale.px(10));
    m_shown->setGeometry(left, scale.px(20), std::max(scale.px(40), scale.px(295) - left),
                         scale.px(53));
    m_shown->setFrameShape(QFrame::StyledPanel);
    m_shown->setAlignment(Qt::AlignCenter);
    // The image as it goes on white paper.
    m_shown->setAutoFillBackground(true);
    QPalette paper = m_shown->palette();
    paper.setColor(QPalette::Window, Qt::white);
    m_shown->setPalette(paper);

    QLabel* dateLabel = b.label(group, QStringLiteral("Datum:"), 10, 81);
    m_dateStyle = new QComboBox(group);
    m_dateStyle->setObjectName(QStringLiteral("DatumFormat"));
    const QDate today = QDate::currentDate();
    m_dateStyle->addItem(today.toString(QStringLiteral("dd.MM.yyyy")));
    m_dateStyle->addItem(today.toString(Qt::ISODate));
    m_dateStyle->addItem(QLocale(QLocale::German).toString(today, QStringLiteral("d. MMMM yyyy")));
    m_dateStyle->setGeometry(scale.rect(60, 78, 140, FormBuilder::kFieldHeight));
    m_dateStyle->move(std::max(m_dateStyle->x(), dateLabel->geometry().right() + 1 + scale.px(4)),
                      m_dateStyle->y());
    m_dateStyle->resize(std::max(m_dateStyle->width(), m_dateStyle->sizeHint().width()),
                        m_dateStyle->height());
    dateLabel->setBuddy(m_dateStyle);

    // Below the signature's group, in the right-hand column.
    m_preprinted =
        b.checkBox(tab, QStringLiteral("VordruckCheck"),
                   QStringLiteral("Briefkopf und Fußzeile nicht drucken (Papier mit Vordruck)"),
                   328, 536, 457);

    // A group box grown by wide captions keeps all of them inside.
    QRect needed;
    for (QWidget* w : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        needed |= w->geometry();
    group->resize(std::max(group->width(), needed.right() + scale.px(10)),
                  std::max(group->height(), needed.bottom() + scale.px(6)));

    if (QWidget* last = tab->findChild<QWidget*>(QStringLiteral("UnterschriftNurPdf")))
        QWidget::setTabOrder(last, m_choose);
    QWidget::setTabOrder(m_choose, m_remove);
    QWidget::setTabOrder(m_remove, m_dateStyle);
    QWidget::setTabOrder(m_dateStyle, m_preprinted);
    showImage();
}

void DinLetterPart::connectHandlers()
{
    // From one form to the other both toggle; the one chosen answers. Back
    // to Layout 1 or 2, the one left does.
    for (QRadioButton* form : {m_formA, m_formB})
        connectGuarded(form, &QRadioButton::toggled, [this](bool on) {
            if (on || !(m_formA->isChecked() || m_formB->isChecked()))
                formChanged();
        });
    // The form's own choice, which it stores while a DIN form is shown.
    QWidget* const panel = window().place(LetterWindow::Place::PreviewPanel);
    for (const bool layout2 : {false, true}) {
        auto* own = panel->findChild<QRadioButton*>(layout2 ? QStringLiteral("Layout2Check")
                                                            : QStringLiteral("Layout1Check"));
        if (own)
            connect(own, &QRadioButton::toggled, this, [this, layout2](bool on) {
                if (on)
                    m_layout2 = layout2;
            });
    }
    // A printer or form that cannot have every mark in its place is told once.
    connectGuarded(&window().events(), &WindowEvents::pageSetUpChanged,
                   [this] { noteUnreachablePlaces(); });
    connectGuarded(m_choose, &QPushButton::clicked, [this] { chooseImage(); });
    connectGuarded(m_remove, &QPushButton::clicked, [this] { removeImage(); });
    connectGuarded(m_dateStyle, &QComboBox::currentIndexChanged, [this] { optionChanged(); });
    connectGuarded(m_preprinted, &QCheckBox::toggled, [this] { optionChanged(); });
}

void DinLetterPart::restoreSettings(const settings::ViewChoices& view)
{
    m_layout2 = view.layout2;
    const DinLetterChoice choice = DinLetterChoice::read(window().settingsStore());
    if (choice.form != DinLetterChoice::Form::None)
        (choice.form == DinLetterChoice::Form::A ? m_formA : m_formB)->setChecked(true);
    m_dateStyle->setCurrentIndex(
        int(std::find(std::begin(kDateStyles), std::end(kDateStyles), choice.dateStyle) -
            std::begin(kDateStyles)));
    m_preprinted->setChecked(choice.preprinted);
    // Kept as stored: the user decides whether to choose another or remove it.
    if (const QString reason = m_kept.restore(choice.imagePath); !reason.isEmpty())
        m_problem = QStringLiteral("Das Bild Ihres Briefkopfs „%1“ %2. Bis Sie unter „Ihre "
                                   "Daten“ ein anderes wählen oder es entfernen, stehen im "
                                   "Briefkopf Ihr Name und Ihre Anschrift.")
                        .arg(shownPath(m_kept.path()), reason);
    showImage();
    m_restored = true;
    window().repaintPreview();
}

void DinLetterPart::saveView(settings::ViewChoices& view) const
{
    if (m_formA->isChecked() || m_formB->isChecked())
        view.layout2 = m_layout2;
}

void DinLetterPart::windowShown()
{
    noteUnreachablePlaces();
    if (!m_problem.isEmpty())
        throw CommandError(std::exchange(m_problem, QString()));
}

QStringList DinLetterPart::inputFiles() const
{
    return m_kept.files();
}

void DinLetterPart::shapeRequest(output::PrintRequest& request, bool) const
{
    if (m_formA->isChecked())
        request.kind = layout::LayoutKind::DinA;
    else if (m_formB->isChecked())
        request.kind = layout::LayoutKind::DinB;
    request.view.letterheadImage = m_kept.image();
    request.view.dateStyle = kDateStyles[std::clamp(m_dateStyle->currentIndex(), 0, 2)];
    request.view.preprintedStationery = m_preprinted->isChecked();
}

void DinLetterPart::showImage()
{
    m_kept.showIn(*m_shown, *m_remove);
}

void DinLetterPart::saveChoice()
{
    if (!m_restored)
        return;
    DinLetterChoice choice;
    if (m_formA->isChecked())
        choice.form = DinLetterChoice::Form::A;
    else if (m_formB->isChecked())
        choice.form = DinLetterChoice::Form::B;
    choice.imagePath = m_kept.path();
    choice.dateStyle = kDateStyles[std::clamp(m_dateStyle->currentIndex(), 0, 2)];
    choice.preprinted = m_preprinted->isChecked();
    saveSettings([&choice](settings::SettingsBackend& store) { return choice.write(store); });
}

void DinLetterPart::noteUnreachablePlaces()
{
    QStringList missed;
    if (m_formA->isChecked() || m_formB->isChecked()) {
        const layout::DinReach reach = layout::dinReach(window().previewRequest().printer.page());
        if (!reach.marks)
            missed << QStringLiteral("die Falz- und Lochmarken");
        if (!reach.footer)
            missed << QStringLiteral("die Fußzeile");
    }
    const QString note =
        missed.isEmpty()
            ? QString()
            : QStringLiteral("Der Drucker erreicht %1 des DIN-Briefs nicht; sie stehen so nah wie "
                             "möglich an ihrem Platz.")
                  .arg(missed.join(QStringLiteral(" und ")));
    // Once for each printer and form that fall short, not at every change of the page.
    if (!note.isEmpty() && note != m_reachNote)
        window().showStatus(note, LetterWindow::kStatusNoteMs);
    m_reachNote = note;
}

void DinLetterPart::formChanged()
{
    window().repaintPreview();
    window().events().pageSetUpChanged();
    saveChoice();
}

void DinLetterPart::chooseImage()
{
    const QString chosen = window().prompts().nextFileName(Prompts::FileKind::Image, m_dialogName);
    if (chosen.isEmpty())
        return;
    m_kept.take(chosen, KeptImage::read(chosen), window().dataFolder());
    m_problem.clear();
    showImage();
    window().repaintPreview();
    saveChoice();
}

void DinLetterPart::removeImage()
{
    m_kept.remove(window().dataFolder());
    m_problem.clear();
    showImage();
    window().repaintPreview();
    saveChoice();
}

void DinLetterPart::optionChanged()
{
    window().repaintPreview();
    saveChoice();
}

} // namespace quillory::app
