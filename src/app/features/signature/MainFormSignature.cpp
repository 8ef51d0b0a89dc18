// The scanned signature on "Ihre Daten": a copy of the chosen image in the
// program's data folder, its height and where it is used, kept per user in a
// group of their own. Composition draws it; here it is only chosen, shown
// and handed to the preview, the printer and the PDF export.
#include "support/ErrorReport.h"
#include "widgets/FormBuilder.h"
#include "layout/PrintedPage.h"
#include "layout/SignatureImage.h"
#include "window/MainForm.h"
#include "settings/FormStorage.h"
#include "features/signature/SignatureChoice.h"
#include "widgets/SpinField.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPageSize>
#include <QPixmap>
#include <QPushButton>

#include <algorithm>
#include <utility>

namespace quillory::app {
namespace {

/** The copy's name in the data folder, without the suffix the original had. */
const QString kCopyName = QStringLiteral("Unterschrift");

constexpr document::NumberRange kHeightRange{layout::ViewOptions::kMinSignatureHeightMm,
                                             layout::ViewOptions::kMaxSignatureHeightMm, 1};

QString shownPath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

/** Only a copy the program made may be deleted; a path pointing elsewhere is the user's file. */
bool isOwnCopy(const QString& path, const QDir& folder)
{
    const QFileInfo file(path);
    return !path.isEmpty() && file.dir() == folder && file.completeBaseName() == kCopyName;
}

} // namespace

void MainForm::buildSignatureChoice(FormBuilder& b)
{
    const DesignScale& scale = b.scale();
    // Below the right-hand column of the tab, clear of everything above it.
    UnterschriftGruppe = new QGroupBox(QStringLiteral("Unterschrift als Bild"), TabSheet2);
    UnterschriftGruppe->setObjectName(QStringLiteral("UnterschriftGruppe"));
    UnterschriftGruppe->setGeometry(scale.rect(320, 408, 465, 118));
    QWidget* const box = UnterschriftGruppe;

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
    UnterschriftButton =
        button(QStringLiteral("UnterschriftButton"), QStringLiteral("Unterschrift (Bild)..."), 20);
    UnterschriftEntfernen =
        button(QStringLiteral("UnterschriftEntfernen"), QStringLiteral("Entfernen"), 50);
    UnterschriftEntfernen->resize(UnterschriftButton->width(), UnterschriftEntfernen->height());

    UnterschriftVorschau = new QLabel(box);
    UnterschriftVorschau->setObjectName(QStringLiteral("UnterschriftVorschau"));
    UnterschriftVorschau->setGeometry(after(UnterschriftButton, 150, 10), scale.px(20),
                                      scale.px(170), scale.px(55));
    UnterschriftVorschau->setFrameShape(QFrame::StyledPanel);
    UnterschriftVorschau->setAlignment(Qt::AlignCenter);
    // The image as it goes on white paper.
    UnterschriftVorschau->setAutoFillBackground(true);
    QPalette paper = UnterschriftVorschau->palette();
    paper.setColor(QPalette::Window, Qt::white);
    UnterschriftVorschau->setPalette(paper);

    QLabel* heightLabel = b.labelAbove(box, QStringLiteral("Höhe in mm:"), 335, 36);
    UnterschriftHoehe = b.spinField(box, QStringLiteral("UnterschriftHoehe"),
                                    SpinField::Kind::Integer, kHeightRange, 335, 36, 60);
    UnterschriftHoehe->setValue(layout::ViewOptions::kSignatureHeightMm);
    const QPoint shift(std::max(0, after(UnterschriftVorschau, 0, 10) - UnterschriftHoehe->x()), 0);
    heightLabel->move(heightLabel->pos() + shift);
    UnterschriftHoehe->move(UnterschriftHoehe->pos() + shift);
    heightLabel->setBuddy(UnterschriftHoehe);

    UnterschriftNurPdf =
        b.checkBox(box, QStringLiteral("UnterschriftNurPdf"),
                   QStringLiteral("Bild nur in PDF-Dateien verwenden"), 10, 88, 300);
    UnterschriftNurPdf->setChecked(true);
    b.fitLabels(box);

    // A group box grown by wide captions keeps all of them inside.
    QRect needed;
    for (QWidget* w : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        needed |= w->geometry();
    UnterschriftGruppe->resize(
        std::max(UnterschriftGruppe->width(), needed.right() + scale.px(10)),
        std::max(UnterschriftGruppe->height(), needed.bottom() + scale.px(8)));

    setTabOrder(Leer2Check, UnterschriftButton);
    setTabOrder(UnterschriftButton, UnterschriftEntfernen);
    setTabOrder(UnterschriftEntfernen, UnterschriftHoehe);
    setTabOrder(UnterschriftHoehe, UnterschriftNurPdf);
    showSignature();
}

void MainForm::connectSignature()
{
    connect(UnterschriftButton, &QPushButton::clicked, this,
            [this] { runGuarded([this] { UnterschriftClick(); }); });
    connect(UnterschriftEntfernen, &QPushButton::clicked, this,
            [this] { runGuarded([this] { UnterschriftEntfernenClick(); }); });
    connect(UnterschriftHoehe, &SpinField::changed, this,
            [this] { runGuarded([this] { UnterschriftOptionChange(); }); });
    connect(UnterschriftNurPdf, &QCheckBox::toggled, this,
            [this] { runGuarded([this] { UnterschriftOptionChange(); }); });
}

void MainForm::restoreSignature()
{
    if (!m_settingsBackend)
        return;
    const SignatureChoice choice = SignatureChoice::read(*m_settingsBackend);
    UnterschriftHoehe->setValue(choice.heightMm);
    UnterschriftNurPdf->setChecked(choice.onlyInPdf);
    m_signaturePath = choice.imagePath;
    m_signatureImage = QImage();
    if (!m_signaturePath.isEmpty()) {
        QString reason;
        if (!QFileInfo::exists(m_signaturePath)) {
            reason = QStringLiteral("gibt es nicht mehr");
        } else {
            QString error;
            if (std::optional<QImage> image = layout::readSignatureImage(m_signaturePath, error))
                m_signatureImage = std::move(*image);
            else
                reason = QStringLiteral("lässt sich nicht lesen (%1)").arg(error);
        }
        // Kept as stored: the user decides whether to choose another or remove it.
        if (!reason.isEmpty())
            m_signatureProblem =
                QStringLiteral("Das Bild Ihrer Unterschrift „%1“ %2. Bis Sie unter „Ihre Daten“ "
                               "ein anderes wählen oder es entfernen, steht im Brief die "
                               "punktierte Linie.")
                    .arg(shownPath(m_signaturePath), reason);
    }
    showSignature();
    m_signatureRestored = true;
    repaintPreview();
}

void MainForm::reportSignatureProblem()
{
    if (m_signatureProblem.isEmpty())
        return;
    const QString text = std::exchange(m_signatureProblem, QString());
    runGuarded([&text] { throw CommandError(text); });
}

void MainForm::showSignature()
{
    UnterschriftEntfernen->setEnabled(!m_signaturePath.isEmpty());
    if (m_signatureImage.isNull()) {
        UnterschriftVorschau->setPixmap(QPixmap());
        UnterschriftVorschau->setText(m_signaturePath.isEmpty() ? QString()
                                                                : QStringLiteral("Bild fehlt"));
        UnterschriftVorschau->setToolTip(shownPath(m_signaturePath));
        return;
    }
    const QSize room = UnterschriftVorschau->contentsRect().size() - QSize(4, 4);
    UnterschriftVorschau->setPixmap(QPixmap::fromImage(
        m_signatureImage.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    UnterschriftVorschau->setToolTip(shownPath(m_signaturePath));
}

void MainForm::saveSignatureChoice()
{
    // Not into a store whose reading failed: this run leaves it as it is.
    if (!m_signatureRestored || !FormStorage1 || !FormStorage1->isRestored() || !m_settingsBackend)
        return;
    SignatureChoice choice;
    choice.imagePath = m_signaturePath;
    choice.heightMm = int(UnterschriftHoehe->letterValue());
    choice.onlyInPdf = UnterschriftNurPdf->isChecked();
    const QString error = choice.write(*m_settingsBackend);
    if (!error.isEmpty())
        throw CommandError(error);
}

void MainForm::UnterschriftClick()
{
    const QString chosen = m_prompts->nextFileName(Prompts::FileKind::Image, m_imageDialogName);
    if (chosen.isEmpty())
        return;
    QString error;
    std::optional<QImage> image = layout::readSignatureImage(chosen, error);
    if (!image)
        throw CommandError(QStringLiteral("„%1“ lässt sich nicht als Bild lesen: %2")
                               .arg(shownPath(chosen), error));
    // Checked at the smallest height on A4 as a PDF is saved, so that no
    // height chosen later makes the signature vanish from the page.
    const layout::PrintedPage a4 = layout::PrintedPage::a4At600();
    const QString shape = layout::signatureShapeProblem(
        image->size(), layout::ViewOptions::kMinSignatureHeightMm, a4.dpiX,
        QPageSize(QPageSize::A4).size(QPageSize::Millimeter).width());
    if (!shape.isEmpty())
        throw CommandError(
            QStringLiteral("„%1“ taugt nicht als Unterschrift: %2").arg(shownPath(chosen), shape));

    // A copy of our own, so that moving or deleting the original loses nothing.
    const QDir folder(m_dataFolder);
    if (!folder.mkpath(QStringLiteral(".")))
        throw CommandError(QStringLiteral("Der Ordner „%1“ lässt sich nicht anlegen")
                               .arg(shownPath(m_dataFolder)));
    const QString suffix = QFileInfo(chosen).suffix().toLower();
    const QString copy =
        folder.filePath(kCopyName + (suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix));
    if (QFileInfo(chosen) != QFileInfo(copy)) {
        // Into a new file first: the old copy stays until the new one is whole.
        const QString incoming = folder.filePath(kCopyName + QStringLiteral("-neu"));
        QFile::remove(incoming);
        if (!QFile::copy(chosen, incoming))
            throw CommandError(QStringLiteral("Das Bild lässt sich nicht nach „%1“ kopieren")
                                   .arg(shownPath(folder.absolutePath())));
        // A read-only original would give a copy that Windows refuses to replace later.
        QFile::setPermissions(incoming, QFile::ReadOwner | QFile::WriteOwner);
        if (isOwnCopy(m_signaturePath, folder))
            QFile::remove(m_signaturePath);
        QFile::remove(copy);
        if (!QFile::rename(incoming, copy)) {
            QFile::remove(incoming);
            throw CommandError(QStringLiteral("Das Bild lässt sich nicht nach „%1“ kopieren")
                                   .arg(shownPath(copy)));
        }
    }
    m_signaturePath = copy;
    m_signatureImage = std::move(*image);
    m_signatureProblem.clear();
    showSignature();
    repaintPreview();
    saveSignatureChoice();
}

void MainForm::UnterschriftEntfernenClick()
{
    if (isOwnCopy(m_signaturePath, QDir(m_dataFolder)))
        QFile::remove(m_signaturePath);
    m_signaturePath.clear();
    m_signatureImage = QImage();
    m_signatureProblem.clear();
    showSignature();
    repaintPreview();
    saveSignatureChoice();
}

void MainForm::UnterschriftOptionChange()
{
    repaintPreview();
    saveSignatureChoice();
}

} // namespace quillory::app
