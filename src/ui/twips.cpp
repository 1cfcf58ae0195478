#include "ui/twips.h"

#include <QGuiApplication>
#include <QScreen>

namespace kurvo::ui {

TwipsScale TwipsScale::ofScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return {96.0, 96.0};
    return {screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY()};
}

}  // namespace kurvo::ui
