#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>
#include <sstream>

#include "calculator_session.h"
#include "qt_host.h"
#include "qt_renderer.h"
#include "twips.h"

namespace humo::qt {
namespace {

using Strings = std::vector<std::string>;

// The real windows over the fixture world; message boxes are recorded, not shown.
class RendererTest : public ::testing::Test {
protected:
    RendererTest() { QAccessible::setActive(true); }
    void start() { session.module.Main(); }
    void continue_to_calculator() {
        start();
        QTest::mouseClick(widget<QPushButton>("frmSplash", "Continue1"), Qt::LeftButton);
        QApplication::processEvents();
    }
    template <class Widget>
    Widget* widget(const char* form_name, const char* control_name) {
        for (const forms::Form* form : session.program.loaded_forms()) {
            if (FormView* view = form->name() == form_name ? renderer.view_of(*form) : nullptr)
                return view->findChild<Widget*>(control_name);
        }
        return nullptr;
    }
    void click_item(QListWidget* list, const QString& text) {
        auto found = list->findItems(text, Qt::MatchExactly);
        ASSERT_FALSE(found.isEmpty()) << text.toStdString();
        list->scrollToItem(found.first());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(found.first()).center());
    }

    testing::CalculatorSession session{testing::read_fixture("calculator.sql")};
    QtRenderer renderer{session.program};
};

TEST_F(RendererTest, TheFrameOpensWithTheIntroductionInside) {
    start();
    FrameWindow* frame = renderer.frame_window();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->windowTitle(), "HUMO Soil Carbon Tool");
    const auto children = frame->workspace()->subWindowList();
    ASSERT_EQ(children.size(), 1);
    EXPECT_EQ(children[0]->windowTitle(), "Introduction");
    EXPECT_EQ(children[0]->widget()->size(), pixel_size({11595, 5160}));
    auto* banner = widget<QLabel>("frmSplash", "Picture1");
    ASSERT_NE(banner, nullptr);
    EXPECT_EQ(banner->pixmap().size(), QSize(748, 79));
    EXPECT_EQ(widget<QPushButton>("frmSplash", "Exit1")->geometry(),
              pixel_rect({7320, 3120, 2265, 465}));
}

TEST_F(RendererTest, ContinueReplacesTheIntroductionWithTheCalculatorWaitingForASite) {
    const QSize initial = pixel_size({10920, 7560});
    continue_to_calculator();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const auto children = renderer.frame_window()->workspace()->subWindowList();
    ASSERT_EQ(children.size(), 1);
    EXPECT_EQ(children[0]->windowTitle(), "Calculate Soil Carbon Stocks");
    EXPECT_TRUE(children[0]->isVisible());
    // The frame grew towards the calculator's size.
    EXPECT_GT(renderer.frame_window()->width(), initial.width());
    auto* country = widget<QListWidget>("frmmaster", "country");
    ASSERT_NE(country, nullptr);
    EXPECT_EQ(country->count(), 4);
    EXPECT_EQ(country->item(0)->text(), "Atlantis");
    EXPECT_FALSE(widget<QListWidget>("frmmaster", "system1")->isEnabled());
    // A disabled box cannot be written through accessibility.
    auto* stock = widget<QLineEdit>("frmmaster", "carbon_stock");
    ASSERT_FALSE(stock->isEnabled());
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(stock);
    box->setText(QAccessible::Value, "99");
    if (QAccessibleEditableTextInterface* editable = box->editableTextInterface())
        editable->insertText(0, "77");
    EXPECT_EQ(stock->text(), "");
    EXPECT_EQ(session.calc().carbon_stock.text(), "");
    // Focus alone selects nothing.
    auto* regions = widget<QListWidget>("frmmaster", "climate_region");
    regions->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(session.calc().climate_region.list_index(), -1);
    EXPECT_EQ(session.calc().active_control(), &session.calc().climate_region);
    EXPECT_TRUE(session.messages().empty());
}

TEST_F(RendererTest, TypingAStockReachesTheModelAndRecomputesResultsWhichCanBeCopiedNotTyped) {
    continue_to_calculator();
    auto& c = session.calc();
    session.pick(c.country, "Atlantis");
    session.pick(c.climate_region, "Warm");
    session.pick(c.system1, "Set aside");
    auto* stock = widget<QLineEdit>("frmmaster", "carbon_stock");
    auto* result = widget<QLineEdit>("frmmaster", "carbon_stock_20yrs_1");
    EXPECT_EQ(result->text(), "35.3");
    stock->selectAll();
    QTest::keyClicks(stock, "50");
    EXPECT_EQ(result->text(), "46.5");  // 50 · 0.93, at every keystroke
    EXPECT_EQ(c.carbon_stock.text(), "50");
    EXPECT_EQ(c.active_control(), &c.carbon_stock);
    EXPECT_TRUE(result->isEnabled());
    EXPECT_TRUE(result->isReadOnly());
    result->setFocus();
    result->selectAll();
    QTest::keyClicks(result, "9");
    EXPECT_EQ(result->text(), "46.5");
    EXPECT_EQ(c.carbon_stock_20yrs_1.text(), "46.5");
    EXPECT_EQ(result->selectedText(), "46.5");  // there to be copied
}

TEST_F(RendererTest, AMessageBoxShowsTheStateItSpeaksOf) {
    continue_to_calculator();
    session.pick(session.calc().country, "Atlantis");
    session.pick(session.calc().climate_region, "Warm");
    QString stock_behind_message;
    QString soil_behind_message;
    session.host.while_shown = [&] {
        stock_behind_message = widget<QLineEdit>("frmmaster", "carbon_stock")->text();
        soil_behind_message =
            widget<QListWidget>("frmmaster", "soiltype")->selectedItems().value(0)->text();
    };
    click_item(widget<QListWidget>("frmmaster", "soiltype"), "Sandy");
    ASSERT_EQ(session.messages().size(), 1u);
    EXPECT_EQ(stock_behind_message, "0");  // the stored no-data value, as the message explains
    EXPECT_EQ(soil_behind_message, "Sandy");
    // After it, the window shows the reset.
    EXPECT_EQ(widget<QLineEdit>("frmmaster", "carbon_stock")->text(), "38");
    EXPECT_EQ(widget<QListWidget>("frmmaster", "soiltype")->selectedItems().value(0)->text(),
              "High clay activity mineral");
}

TEST_F(RendererTest, ListsAndBoxesAreNamedForScreenReaders) {
    continue_to_calculator();
    std::istringstream expected(
        "country=Country\nclimate_region=Climate Region\nsoiltype=Native Soil Type\n"
        "carbon_stock=Existing Carbon Stock\nsystem1=FROM Land Use Type\n"
        "Management1=FROM Mgmt System\nManagement2=TO Mgmt System\nInput1=FROM Inputs\n"
        "Input2=TO Inputs\nmanagement_factor2=TO Mgmt Factor\ninput_factor1=FROM Input Factor\n"
        "base_factor2=TO Land Use Factor\ncarbon_stock_20yrs_1=FROM Predicted Carbon Stock\n"
        "Sequestration_Potential=Annual Carbon Stock Change\n"
        "soiltype_fao=Select from WRB soil classifications\nExit=Exit");
    int controls = 0;
    for (std::string control, name;
         std::getline(expected, control, '=') && std::getline(expected, name); ++controls) {
        QWidget* found = widget<QWidget>("frmmaster", control.c_str());
        ASSERT_NE(found, nullptr) << control;
        EXPECT_EQ(QAccessible::queryAccessibleInterface(found)->text(QAccessible::Name),
                  QString::fromStdString(name));
    }
    EXPECT_EQ(controls, 16);
}

TEST_F(RendererTest, ASelectionMadeByAnAssistiveTechnologyRunsTheClickHandler) {
    continue_to_calculator();
    auto* country = widget<QListWidget>("frmmaster", "country");
    QSignalSpy current_row(country, &QListWidget::currentRowChanged);
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(country);
    ASSERT_NE(list->tableInterface(), nullptr);
    list->tableInterface()->selectRow(1);  // as the accessibility bridge selects a child
    EXPECT_EQ(current_row.count(), 0);
    EXPECT_EQ(session.calc().country.text(), "Borduria");
    EXPECT_EQ(widget<QListWidget>("frmmaster", "climate_region")->count(), 2);
    // The other way a screen reader picks: the item's own toggle action.
    QAccessibleInterface* item = list->tableInterface()->cellAt(3, 0);
    ASSERT_NE(item, nullptr);
    ASSERT_NE(item->actionInterface(), nullptr);
    item->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(session.calc().country.text(), "Syldavia");
    EXPECT_EQ(session.calc().climate_region.items(), (Strings{"Warm"}));
    QApplication::processEvents();
    ASSERT_EQ(country->selectedItems().size(), 1);
    EXPECT_EQ(country->selectedItems()[0]->text(), "Syldavia");
}

TEST_F(RendererTest, ClosingTheCalculatorWindowEndsTheProgram) {
    continue_to_calculator();
    QWidget* window = renderer.window_of(session.calc());
    ASSERT_NE(window, nullptr);
    window->close();
    EXPECT_TRUE(session.host.ended);
}

TEST_F(RendererTest, TheKeyboardMovesThroughTheFormAndPressesButtons) {
    start();
    ASSERT_TRUE(QTest::qWaitForWindowActive(renderer.frame_window()));
    auto* continue_button = widget<QPushButton>("frmSplash", "Continue1");
    EXPECT_TRUE(continue_button->hasFocus());
    QTest::keyClick(continue_button, Qt::Key_Tab);
    EXPECT_TRUE(widget<QPushButton>("frmSplash", "Exit1")->hasFocus());
    EXPECT_EQ(session.module.frmSplash().active_control(), &session.module.frmSplash().Exit1);
    QTest::keyClick(widget<QPushButton>("frmSplash", "Exit1"), Qt::Key_Backtab);
    QTest::keyClick(continue_button, Qt::Key_Return);
    // The button shows itself pressed before it clicks.
    EXPECT_TRUE(QTest::qWaitFor([&] { return session.calc().visible(); }));
    auto* country = widget<QListWidget>("frmmaster", "country");
    EXPECT_TRUE(country->hasFocus());
    QTest::keyClick(country, Qt::Key_Down);
    EXPECT_EQ(session.calc().country.text(), "Atlantis");
}

TEST(QtHostTest, MessageBoxesCarryTheirTitleTextAndIcon) {
    QtHost host({"humo_tool.mdb", "humo_tool.chm", "."});
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        box->button(QMessageBox::Ok)->click();
    });
    const auto result = host.msg_box("Error Code: 3021\r\nDescription: x\r\nSource: y", "Error",
                                     forms::MsgBoxButtons::kOk, forms::MsgBoxIcon::kStop);
    EXPECT_EQ(result, forms::MsgBoxResult::kOk);
    EXPECT_EQ(title, "Error");
    EXPECT_EQ(text, "Error Code: 3021\nDescription: x\nSource: y");
    EXPECT_EQ(icon, QMessageBox::Critical);
}

}  // namespace
}  // namespace humo::qt

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
