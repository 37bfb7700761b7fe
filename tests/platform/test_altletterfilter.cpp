#include "platform/altletterfilter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <gtest/gtest.h>

using namespace verno;

// Under X11 a line edit types the letter of an Alt+letter that matched no
// access key (the offscreen platform does not), so the rule is checked here.
TEST(AltLetterFilter, DropsAltLettersBoundForTextFieldsOnly)
{
    AltLetterFilter filter;
    QLineEdit edit;
    QSpinBox spin;
    QPushButton button;
    const struct {
        QObject *target;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        const char *text;
        bool dropped;
    } cases[] = {
        {&edit, Qt::Key_U, Qt::AltModifier, "u", true},
        {&edit, Qt::Key_Q, Qt::AltModifier | Qt::ShiftModifier, "Q", true},
        {&spin, Qt::Key_7, Qt::AltModifier, "7", true},
        {&edit, Qt::Key_X, Qt::NoModifier, "x", false},
        {&edit, Qt::Key_X, Qt::ShiftModifier, "X", false},
        {&edit, Qt::Key_E, Qt::ControlModifier | Qt::AltModifier, "e", false}, // AltGr on some layouts
        {&edit, Qt::Key_Backspace, Qt::AltModifier, "\b", false},
        {&edit, Qt::Key_F4, Qt::AltModifier, "", false},
        {&button, Qt::Key_U, Qt::AltModifier, "u", false},
    };
    for (const auto &c : cases) {
        QKeyEvent press(QEvent::KeyPress, c.key, c.mods, QString::fromLatin1(c.text));
        EXPECT_EQ(filter.eventFilter(c.target, &press), c.dropped) << c.key << " " << c.mods;
        QKeyEvent release(QEvent::KeyRelease, c.key, c.mods, QString::fromLatin1(c.text));
        EXPECT_FALSE(filter.eventFilter(c.target, &release));
    }
}
