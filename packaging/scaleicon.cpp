// Writes the program's icon at one size for the hicolor theme, so every size
// comes from the one picture the window also uses.
#include <QImage>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 4) {
        std::fputs("usage: quillory_scaleicon IN.png SIZE OUT.png\n", stderr);
        return 2;
    }
    const QImage source(QString::fromLocal8Bit(argv[1]));
    const int size = QString::fromLocal8Bit(argv[2]).toInt();
    if (source.isNull() || size <= 0) {
        std::fprintf(stderr, "quillory_scaleicon: cannot read %s or size %s\n", argv[1], argv[2]);
        return 1;
    }
    const QImage scaled = source.convertToFormat(QImage::Format_ARGB32)
                              .scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    // save() reports a failed write (full disk included) as false.
    if (!scaled.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "quillory_scaleicon: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
