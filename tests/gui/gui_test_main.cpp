// Runs every registered test class; "-class Name" runs only that one, other
// arguments go to Qt Test.
#include <QApplication>
#include <QFile>
#include <QStandardPaths>
#include <QTest>

#include "gui_test.h"
#include "ui/application.h"

namespace kurvo::ui::test {
std::vector<TestFactory>& registeredTests() {
    static std::vector<TestFactory> tests;
    return tests;
}
}  // namespace kurvo::ui::test

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    kurvo::ui::useJapaneseLocale();
    QApplication application(argc, argv);
    // The user's settings stay the user's: the tests keep theirs apart, and
    // start from none.
    QStandardPaths::setTestModeEnabled(true);
    QFile::remove(QString::fromStdString(kurvo::ui::userSettingsPath()));
    kurvo::ui::configureApplication(application);

    QStringList arguments = application.arguments();
    QString only;
    if (const qsizetype at = arguments.indexOf(QStringLiteral("-class")); at > 0 && at + 1 < arguments.size())
        only = arguments.takeAt(at + 1), arguments.removeAt(at);
    int failures = 0;
    for (const auto& make : kurvo::ui::test::registeredTests()) {
        const std::unique_ptr<QObject> test = make();
        if (only.isEmpty() || only == QString::fromLatin1(test->metaObject()->className()))
            failures += QTest::qExec(test.get(), arguments);
    }
    return failures == 0 ? 0 : 1;
}
