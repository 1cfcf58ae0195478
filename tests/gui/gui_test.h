// Qt Test classes of the desktop program, collected into one binary that runs
// on the offscreen platform.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace kurvo::ui::test {

using TestFactory = std::function<std::unique_ptr<QObject>()>;
std::vector<TestFactory>& registeredTests();

template <class T>
struct Registration {
    Registration() {
        registeredTests().push_back([] { return std::make_unique<T>(); });
    }
};

}  // namespace kurvo::ui::test

#define KURVO_GUI_TEST(Class) static const kurvo::ui::test::Registration<Class> kRegistered##Class;
