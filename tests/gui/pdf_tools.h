// PDF files as the tests look at them, through the poppler tools where
// they are installed.
#pragma once

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

namespace kurvo::ui::test {

// "Pages: 1" and the like from pdfinfo; empty when pdfinfo is missing.
inline QString pdfInfo(const QString& path, const QString& field) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (program.isEmpty()) return {};
    QProcess info;
    info.start(program, {path});
    info.waitForFinished();
    for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split(QLatin1Char('\n')))
        if (line.startsWith(field + QLatin1Char(':'))) return line.mid(field.size() + 1).trimmed();
    return {};
}

// The page rendered by pdftoppm at `dpi`, in grey levels; null when pdftoppm is missing.
inline QImage renderPdf(const QString& path, int dpi) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (program.isEmpty()) return {};
    const QString stem = path + QStringLiteral(".render");
    QProcess render;
    render.start(program, {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"), QStringLiteral("-png"),
                           QStringLiteral("-singlefile"), path, stem});
    render.waitForFinished();
    return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8);
}

}  // namespace kurvo::ui::test
