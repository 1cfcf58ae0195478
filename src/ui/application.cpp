#include "ui/application.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QStyleFactory>

namespace kurvo::ui {

namespace {

// The first installed family of the candidates, or the first candidate.
QString firstInstalled(const QStringList& candidates) {
    const QStringList families = QFontDatabase::families();
    for (const QString& candidate : candidates)
        if (families.contains(candidate, Qt::CaseInsensitive)) return candidate;
    return candidates.front();
}

}  // namespace

void configureApplication(QApplication& app) {
    app.setApplicationName(QStringLiteral("Kurvo"));
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) app.setStyle(fusion);

    const QString gothic = firstInstalled({QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP"),
                                           QStringLiteral("TakaoGothic"), QStringLiteral("VL Gothic")});
    const QString pGothic = firstInstalled({QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
                                            QStringLiteral("TakaoPGothic"), gothic});
    QFont::insertSubstitution(QString::fromUtf8(kGothic), gothic);
    QFont::insertSubstitution(QString::fromUtf8(kProportionalGothic), pGothic);
}

bool displayAvailable() {
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY") ||
           qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

}  // namespace kurvo::ui
