// The scanned signature on "Ihre Daten": a copy of the chosen image in the
// program's data folder, its height and where it is used, kept per user in a
// group of their own. Composition draws it; here it is only chosen, shown
// and handed to the preview, the printer and the PDF export.
#include "features/signature/SignaturePart.h"

#include "features/signature/SignatureChoice.h"
#include "layout/PrintedPage.h"
#include "layout/SignatureImage.h"
#include "output/LetterPrinter.h"
#include "support/ErrorReport.h"
#include "support/KeptImage.h"
#include "widgets/FormBuilder.h"
#include "widgets/SpinField.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPageSize>
#include <QPushButton>

#include <algorithm>
#include <utility>

namespace quillory::app {
namespace {

constexpr document::NumberRange kHeightRange{layout::ViewOptions::kMinSignatureHeightMm,
                                             layout::ViewOptions::kMaxSignatureHeightMm, 1};

QString shownPath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

SignaturePart::SignaturePart(LetterWindow& window)
    : WindowPart(window, QStringLiteral("SignaturePart"))
{
    window.addPart(this);
    build();
    connectHandlers();
}

void SignaturePart::build()
{
    const FormBuilder b{DesignScale()};
    const DesignScale& scale = b.scale();
    QWidget* const tab = window().place(LetterWindow::Place::SenderTab);
    // Below the right-hand column of the tab, clear of everything above it.
    m_group = new QGroupBox(QStringLiteral("Unterschrift als Bild"), tab);
    m_group->setObjectName(QStringLiteral("UnterschriftGruppe"));
    m_group->setGeometry(scale.rect(320, 408, 465, 118));
    QWidget* const box = m_group;

    // Each widget after the one before, as wide captions at a larger screen
    // font push them right.
    const auto after = [&](QWidget* w, int left, int gap) {
        return std::max(scale.px(left), w->geometry().right() + 1 + scale.px(gap));
    };
    const auto button = [&](const QString& name, const QString& caption, int top) {
        auto* pushButton = new QPushButton(caption, box);
        pushButton->setObjectName(name);
        pushButton->setGeometry(scale.rect(10, top, 130, FormBuilder::kButtonHeight));
        pushButton->resize(std::max(pushButton->width(), pushButton->sizeHint().width()),
                           pushButton->height());
        return pushButton;
    };
    m_choose =
        button(QStringLiteral("UnterschriftButton"), QStringLiteral("Unterschrift (Bild)..."), 20);
    m_remove = button(QStringLiteral("UnterschriftEntfernen"), QStringLiteral("Entfernen"), 50);
    m_remove->resize(m_choose->width(), m_remove->height());

    m_shown = new QLabel(box);
    m_shown->setObjectName(QStringLiteral("UnterschriftVorschau"));
    m_shown->setGeometry(after(m_choose, 150, 10), scale.px(20), scale.px(170), scale.px(55));
    m_shown->setFrameShape(QFrame::StyledPanel);
    m_shown->setAlignment(Qt::AlignCenter);
    // The image as it goes on white paper.
    m_shown->setAutoFillBackground(true);
    QPalette paper = m_shown->palette();
    paper.setColor(QPalette::Window, Qt::white);
    m_shown->setPalette(paper);

    QLabel* heightLabel = b.labelAbove(box, QStringLiteral("Höhe in mm:"), 335, 36);
    m_height = b.spinField(box, QStringLiteral("UnterschriftHoehe"), SpinField::Kind::Integer,
                           kHeightRange, 335, 36, 60);
    m_height->setValue(layout::ViewOptions::kSignatureHeightMm);
    const QPoint shift(std::max(0, after(m_shown, 0, 10) - m_height->x()), 0);
    heightLabel->move(heightLabel->pos() + shift);
    m_height->move(m_height->pos() + shift);
    heightLabel->setBuddy(m_height);

    m_onlyInPdf = b.checkBox(box, QStringLiteral("UnterschriftNurPdf"),
                             QStringLiteral("Bild nur in PDF-Dateien verwenden"), 10, 88, 300);
    m_onlyInPdf->setChecked(true);
    b.fitLabels(box);

    // A group box grown by wide captions keeps all of them inside.
    QRect needed;
    for (QWidget* w : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        needed |= w->geometry();
    m_group->resize(std::max(m_group->width(), needed.right() + scale.px(10)),
                    std::max(m_group->height(), needed.bottom() + scale.px(8)));

    // In the tab's order right after its last check box.
    if (QWidget* last = tab->findChild<QWidget*>(QStringLiteral("Leer2Check")))
        QWidget::setTabOrder(last, m_choose);
    QWidget::setTabOrder(m_choose, m_remove);
    QWidget::setTabOrder(m_remove, m_height);
    QWidget::setTabOrder(m_height, m_onlyInPdf);
    showImage();
}

void SignaturePart::connectHandlers()
{
    connectGuarded(m_choose, &QPushButton::clicked, [this] { chooseImage(); });
    connectGuarded(m_remove, &QPushButton::clicked, [this] { removeImage(); });
    connectGuarded(m_height, &SpinField::changed, [this] { optionChanged(); });
    connectGuarded(m_onlyInPdf, &QCheckBox::toggled, [this] { optionChanged(); });
}

void SignaturePart::restoreSettings(const settings::ViewChoices&)
{
    const SignatureChoice choice = SignatureChoice::read(window().settingsStore());
    m_height->setValue(choice.heightMm);
    m_onlyInPdf->setChecked(choice.onlyInPdf);
    // Kept as stored: the user decides whether to choose another or remove it.
    if (const QString reason = m_kept.restore(choice.imagePath); !reason.isEmpty())
        m_problem =
            QStringLiteral("Das Bild Ihrer Unterschrift „%1“ %2. Bis Sie unter „Ihre Daten“ "
                           "ein anderes wählen oder es entfernen, steht im Brief die "
                           "punktierte Linie.")
                .arg(shownPath(m_kept.path()), reason);
    showImage();
    m_restored = true;
    window().repaintPreview();
}

void SignaturePart::windowShown()
{
    if (!m_problem.isEmpty())
        throw CommandError(std::exchange(m_problem, QString()));
}

QStringList SignaturePart::inputFiles() const
{
    return m_kept.files();
}

void SignaturePart::shapeRequest(output::PrintRequest& request, bool forPdf) const
{
    // The preview shows what the printer prints: the image only where
    // printed letters carry it too; they are mostly signed by hand.
    if (forPdf || !m_onlyInPdf->isChecked())
        request.view.signatureImage = m_kept.image();
    request.view.signatureHeightMm = int(m_height->letterValue());
}

void SignaturePart::showImage()
{
    m_kept.showIn(*m_shown, *m_remove);
}

void SignaturePart::saveChoice()
{
    if (!m_restored)
        return;
    SignatureChoice choice;
    choice.imagePath = m_kept.path();
    choice.heightMm = int(m_height->letterValue());
    choice.onlyInPdf = m_onlyInPdf->isChecked();
    saveSettings([&choice](settings::SettingsBackend& store) { return choice.write(store); });
}

void SignaturePart::chooseImage()
{
    const QString chosen = window().prompts().nextFileName(Prompts::FileKind::Image, m_dialogName);
    if (chosen.isEmpty())
        return;
    QImage image = KeptImage::read(chosen);
    // Checked at the smallest height on A4 as a PDF is saved, so that no
    // height chosen later makes the signature vanish from the page.
    const layout::PrintedPage a4 = layout::PrintedPage::a4At600();
    const QString shape = layout::signatureShapeProblem(
        image.size(), layout::ViewOptions::kMinSignatureHeightMm, a4.dpiX,
        QPageSize(QPageSize::A4).size(QPageSize::Millimeter).width());
    if (!shape.isEmpty())
        throw CommandError(
            QStringLiteral("„%1“ taugt nicht als Unterschrift: %2").arg(shownPath(chosen), shape));

    // A copy of our own, so that moving or deleting the original loses nothing.
    m_kept.take(chosen, std::move(image), window().dataFolder());
    m_problem.clear();
    showImage();
    window().repaintPreview();
    saveChoice();
}

void SignaturePart::removeImage()
{
    m_kept.remove(window().dataFolder());
    m_problem.clear();
    showImage();
    window().repaintPreview();
    saveChoice();
}

void SignaturePart::optionChanged()
{
    window().repaintPreview();
    saveChoice();
}

} // namespace quillory::app
