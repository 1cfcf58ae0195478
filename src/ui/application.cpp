#include "ui/application.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QLibraryInfo>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QSessionManager>
#include <QFile>
#include <QStandardPaths>
#include <QStyleFactory>
#include <QTranslator>

#ifndef KURVO_VERSION_MAJOR
#error "KURVO_VERSION_MAJOR, KURVO_VERSION_MINOR and KURVO_VERSION_PATCH come from the project version"
#endif

namespace kurvo::ui {

namespace {

bool sessionEnding = false;

// The kinds of file the file dialog's type column names; Qt 6.4's Japanese
// catalogue has them only under the context of Qt 5, so they would stay English.
class FileKindTexts : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char* disambiguation, int n) const override {
        Q_UNUSED(disambiguation);
        Q_UNUSED(n);
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0) return {};
        static const QHash<QByteArray, QString> texts{{"Drive", QStringLiteral("ドライブ")},
                                                      {"Folder", QStringLiteral("フォルダー")},
                                                      {"Shortcut", QStringLiteral("ショートカット")},
                                                      {"File", QStringLiteral("ファイル")},
                                                      {"%1 File", QStringLiteral("%1 ファイル")}};
        return texts.value(QByteArray(source));
    }
};

// The first installed family of the candidates, or the first candidate.
QString firstInstalled(const QStringList& candidates) {
    const QStringList families = QFontDatabase::families();
    for (const QString& candidate : candidates)
        if (families.contains(candidate, Qt::CaseInsensitive)) return candidate;
    return candidates.front();
}

}  // namespace

void configureFonts() {
    const QString gothic = firstInstalled({QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP"),
                                           QStringLiteral("TakaoGothic"), QStringLiteral("VL Gothic")});
    const QString pGothic = firstInstalled({QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
                                            QStringLiteral("TakaoPGothic"), gothic});
    QFont::insertSubstitution(QString::fromUtf8(kGothic), gothic);
    QFont::insertSubstitution(QString::fromUtf8(kProportionalGothic), pGothic);
}

QFont numberFont(double points) {
    QFont japanese(QString::fromUtf8(kGothic));
    japanese.setPointSizeF(points);
    QFont font = japanese;
    // Without the Latin face the Japanese one answers, and nothing is narrowed.
    font.setFamilies({QStringLiteral("DejaVu Sans Mono"), QString::fromUtf8(kGothic)});
    const double half = QFontMetricsF(japanese).horizontalAdvance(u'0');
    const double latin = QFontMetricsF(font).horizontalAdvance(u'0');
    if (half > 0 && latin > half) font.setStretch(qRound(100 * half / latin));
    return font;
}

std::string userSettingsPath() {
    return QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                             QStringLiteral("/kurvo/kurvo.conf"))
        .toStdString();
}

void useJapaneseLocale() {
    // LC_ALL outranks every other setting; where the C library has no
    // Japanese locale installed it keeps "C", and Qt still uses its own
    // Japanese data for dates and numbers.
    qputenv("LC_ALL", "ja_JP.UTF-8");
}

void configureApplication(QApplication& app) {
    app.setApplicationName(QStringLiteral("Kurvo"));
    const ProgramVersion v = programVersion();
    app.setApplicationVersion(QStringLiteral("%1.%2.%3").arg(v.major).arg(v.minor).arg(v.revision));
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) app.setStyle(fusion);
    configureFonts();
    // Qt's own dialogs and buttons (the file and printer dialogs, はい and
    // いいえ) in Japanese, with Japanese dates and sizes, whatever the
    // machine's locale: the program speaks Japanese everywhere.
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    QLocale::setDefault(japanese);
    auto* qtTexts = new QTranslator(&app);
    if (qtTexts->load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        app.installTranslator(qtTexts);
    }
    app.installTranslator(new FileKindTexts(&app));
    // The desktop session asks to save before it ends: from then on the
    // windows let themselves be closed.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app,
                     [](QSessionManager&) { setSystemSessionEnding(true); });
}

bool displayAvailable() {
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY") ||
           qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

ProgramVersion programVersion() { return {KURVO_VERSION_MAJOR, KURVO_VERSION_MINOR, KURVO_VERSION_PATCH}; }

// A fitted curve through measured points on the window's blue.
QIcon programIcon() {
    QPixmap pixmap(32, 32);
    QPainter painter(&pixmap);
    QLinearGradient gradient(0, 0, 0, 32);
    gradient.setColorAt(0, QColor(0, 0, 255));
    gradient.setColorAt(1, QColor(0, 0, 0));
    painter.fillRect(pixmap.rect(), gradient);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 255, 0), 2));
    QPainterPath curve(QPointF(3, 28));
    curve.cubicTo(QPointF(12, 26), QPointF(20, 18), QPointF(29, 4));
    painter.drawPath(curve);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 0, 0));
    for (const QPointF& p : {QPointF(6, 26), QPointF(13, 23), QPointF(19, 17), QPointF(25, 10)})
        painter.drawEllipse(p, 2.5, 2.5);
    return QIcon(pixmap);
}

bool systemSessionEnding() { return sessionEnding; }
void setSystemSessionEnding(bool ending) { sessionEnding = ending; }

}  // namespace kurvo::ui
