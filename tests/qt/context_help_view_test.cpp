#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>
#include <algorithm>

#include "calculator_session.h"
#include "qt_renderer.h"

namespace humo::qt {
namespace {

// The calculator's real window; help requests go to the recording host.
class ContextHelpViewTest : public ::testing::Test {
protected:
    ContextHelpViewTest() {
        session.start_calculator();
        QApplication::processEvents();
        c.country.set_focus();
        session.pick(c.country, "Atlantis");
        session.pick(c.climate_region, "Warm");
        QApplication::processEvents();
    }
    template <class Widget>
    Widget* widget(const forms::Control& control) {
        return qobject_cast<Widget*>(renderer.view_of(c)->widget_for(control));
    }
    void right_click(QWidget* target, QPoint point) {
        QTest::mouseClick(target, Qt::RightButton, {}, point);
        QApplication::processEvents();
    }
    std::string help_file() const { return session.dir.path().string() + "/humo_tool.chm"; }
    static bool window_shown(const char* class_name) {
        return std::ranges::any_of(QApplication::topLevelWidgets(), [&](QWidget* window) {
            return window->inherits(class_name) && window->isVisible();
        });
    }

    testing::CalculatorSession session{testing::read_fixture("calculator.sql")};
    QtRenderer renderer{session.program};
    calculator::frmmaster& c = session.calc();
};

TEST_F(ContextHelpViewTest, ARightClickOnAListNeitherSelectsNorTakesTheFocus) {
    c.soiltype.set_focus();
    QApplication::processEvents();
    auto* country = widget<QListWidget>(c.country);
    ASSERT_NE(country, nullptr);
    const QListWidgetItem* other = country->findItems("Borduria", Qt::MatchExactly).first();
    right_click(country->viewport(), country->visualItemRect(other).center());
    const forms::HelpCall soil_type{"frmmaster.soiltype", help_file(), forms::kHelpContext, 1002};
    EXPECT_EQ(session.host.help_calls, std::vector<forms::HelpCall>{soil_type});
    EXPECT_TRUE(window_shown("QWhatsThat"));
    EXPECT_EQ(c.country.text(), "Atlantis");
    EXPECT_EQ(country->selectedItems().first()->text(), "Atlantis");
    EXPECT_TRUE(c.soiltype.has_focus());
    EXPECT_TRUE(widget<QListWidget>(c.soiltype)->hasFocus());
}

TEST_F(ContextHelpViewTest, ARightClickOnABoxOrF1OpensHelpInsteadOfAMenu) {
    auto* stock = widget<QLineEdit>(c.carbon_stock);
    ASSERT_TRUE(stock->isEnabled());
    right_click(stock, stock->rect().center());
    EXPECT_FALSE(window_shown("QMenu"));
    EXPECT_TRUE(window_shown("QWhatsThat"));
    // Picking the climate region left the focus on its list.
    const forms::HelpCall region{"frmmaster.climate_region", help_file(), forms::kHelpContext,
                                 1001};
    EXPECT_EQ(session.host.help_calls, std::vector<forms::HelpCall>{region});
    // A disabled box gets no mouse events at all.
    auto* change = widget<QLineEdit>(c.Sequestration_Potential);
    ASSERT_FALSE(change->isEnabled());
    right_click(change, change->rect().center());
    EXPECT_EQ(session.host.help_calls.size(), 1u);
    // F1 and Shift+F1 on the keyboard open the focused control's topic.
    auto* list = widget<QListWidget>(c.climate_region);
    QTest::keyClick(list, Qt::Key_F1);
    QTest::keyClick(list, Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_EQ(session.host.help_calls, std::vector<forms::HelpCall>(3, region));
}

}  // namespace
}  // namespace humo::qt
