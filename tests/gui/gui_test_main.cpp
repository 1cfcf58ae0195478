// Runs every registered test class.  Arguments after the program name are
// handed to Qt Test; "-class Name" runs only that class.
#include <QApplication>
#include <QTest>
#include <cstring>

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
    QApplication application(argc, argv);
    kurvo::ui::configureApplication(application);

    QStringList arguments = application.arguments();
    QString onlyClass;
    if (const qsizetype at = arguments.indexOf(QStringLiteral("-class")); at > 0 && at + 1 < arguments.size()) {
        onlyClass = arguments[at + 1];
        arguments.remove(at, 2);
    }
    int failures = 0;
    for (const auto& make : kurvo::ui::test::registeredTests()) {
        const std::unique_ptr<QObject> test = make();
        if (!onlyClass.isEmpty() && onlyClass != QString::fromLatin1(test->metaObject()->className()).section(QStringLiteral("::"), -1))
            continue;
        failures += QTest::qExec(test.get(), arguments);
    }
    return failures == 0 ? 0 : 1;
}
