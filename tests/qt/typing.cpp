#include "typing.h"

#include "keyboard.h"

#include <gtest/gtest.h>

namespace testing_support {

void typeText(QWidget* box, const QString& typed) {
    ASSERT_NE(box, nullptr);
    typing::typeAsAPerson(box, typed);
}

} // namespace testing_support
