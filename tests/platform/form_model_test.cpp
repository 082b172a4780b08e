#include <gtest/gtest.h>

#include "command_button.h"
#include "failure.h"
#include "form.h"
#include "form_slot.h"
#include "frame.h"
#include "list_box.h"
#include "program.h"
#include "recording_host.h"
#include "text_box.h"

namespace humo::forms {
namespace {

class TestForm : public Form {
public:
    explicit TestForm(Program& program, FormStyle style = FormStyle::kTopLevel,
                      std::string name = "frmTest")
        : Form(program, std::move(name), "Test", {3000, 2000}, style) {
        set_tab_order({&first, &box, &second, &button});
    }
    ListBox first{*this, "first", {0, 0, 100, 100}};
    TextBox box{*this, "box", {0, 0, 100, 100}};
    ListBox second{*this, "second", {0, 0, 100, 100}};
    CommandButton button{*this, "button", {0, 0, 100, 100}, "Go"};
    std::vector<std::string> events;
    // Shared between forms, to see the order in which they unload.
    std::vector<std::string>* journal = nullptr;

protected:
    void Form_Load() override { events.push_back("load"); }
    void Form_Unload(bool&) override {
        events.push_back("unload");
        if (journal)
            journal->push_back(name() + " unload");
    }
};

class FormModelTest : public ::testing::Test {
protected:
    FormModelTest() {
        for (const char* item : {"a", "b", "c"})
            form.first.add_item(item);
        for (const char* item : {"x", "y"})
            form.second.add_item(item);
        form.first.Click = [this] { log.push_back("first=" + form.first.text()); };
        form.second.Click = [this] { log.push_back("second=" + form.second.text()); };
        form.show();
    }
    RecordingHost host;
    Program program{host, "humo_tool"};
    TestForm form{program};
    std::vector<std::string> log;
};

TEST_F(FormModelTest, ClickRunsOnlyWhenTheSelectionChanges) {
    form.first.set_text("b");
    form.first.set_text("b");  // re-selecting runs nothing
    form.first.set_list_index(1);
    form.first.set_selected(2, true);
    form.first.set_text("");              // clearing the selection runs nothing
    form.first.set_text("no such item");  // leaves the selection as it is
    form.first.set_list_index(0);
    form.first.clear();
    EXPECT_EQ(log, (std::vector<std::string>{"first=b", "first=c", "first=a"}));
    EXPECT_EQ(form.first.list_index(), -1);
    EXPECT_EQ(form.first.text(), "");
}

TEST_F(FormModelTest, AHandlerRunsNestedInsideTheStatementThatSelected) {
    form.first.Click = [this] {
        log.push_back("first begins");
        form.second.set_text("y");
        log.push_back("first ends with second=" + form.second.text());
    };
    form.first.set_list_index(2);
    log.push_back("after");
    EXPECT_EQ(log, (std::vector<std::string>{"first begins", "second=y", "first ends with second=y",
                                             "after"}));
}

TEST_F(FormModelTest, AHandlerMayReenterAndRefillItsOwnList) {
    form.first.Click = [this] {
        log.push_back("click " + form.first.text());
        if (form.first.text() == "c") {
            form.first.clear();
            for (const char* item : {"p", "q"})
                form.first.add_item(item);
            form.first.set_text("q");  // nested run of the same handler
        }
    };
    form.first.set_text("c");
    EXPECT_EQ(log, (std::vector<std::string>{"click c", "click q"}));
    EXPECT_EQ(form.first.items(), (std::vector<std::string>{"p", "q"}));
    EXPECT_EQ(form.first.text(), "q");
}

TEST_F(FormModelTest, AnIndexOutsideTheListIsAnInvalidPropertyValue) {
    try {
        form.first.set_list_index(3);
        FAIL();
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.number(), 380);
    }
    EXPECT_TRUE(log.empty());
}

TEST_F(FormModelTest, UserActionsTakeTheFocusAndRespectTheEnabledState) {
    EXPECT_EQ(form.active_control(), &form.first);  // first in tab order on show
    EXPECT_FALSE(form.second.user_select(1));
    EXPECT_EQ(form.active_control(), &form.second);
    EXPECT_EQ(log, (std::vector<std::string>{"second=y"}));

    form.second.set_enabled(false);
    // The focus moves on to the next control that can take it.
    EXPECT_EQ(form.active_control(), &form.button);
    EXPECT_EQ(form.second.user_select(0), "control disabled");
    EXPECT_EQ(form.second.user_select(5), "control disabled");
    form.box.set_enabled(false);
    EXPECT_EQ(form.box.user_type("typed"), "control disabled");
    EXPECT_EQ(form.box.text(), "");
    form.box.set_enabled(true);
    EXPECT_FALSE(form.box.user_type("typed"));
    EXPECT_EQ(form.box.text(), "typed");
    EXPECT_EQ(form.first.user_select(7), "no such item");

    form.second.set_focus();  // disabled: the focus stays
    EXPECT_EQ(form.active_control(), &form.box);
}

TEST_F(FormModelTest, TheFocusMovesOnInTabOrderAndWrapsAround) {
    form.button.set_focus();
    form.button.set_enabled(false);
    EXPECT_EQ(form.active_control(), &form.first);  // wrapped to the first
    form.button.set_enabled(true);
    form.second.set_focus();
    form.second.set_enabled(false);
    EXPECT_EQ(form.active_control(), &form.button);  // the last one is not skipped
    form.first.set_enabled(false);
    form.box.set_enabled(false);
    form.button.set_enabled(false);
    EXPECT_EQ(form.active_control(), nullptr);  // nowhere left to go
}

TEST_F(FormModelTest, ALockedBoxRefusesTypingAndTypingRunsItsChangeHandler) {
    std::vector<std::string> changes;
    form.box.Change = [&] { changes.push_back(form.box.text()); };
    EXPECT_FALSE(form.box.user_type("12"));
    EXPECT_FALSE(form.box.user_type("12"));  // no change, no handler
    form.box.set_text("by the program");     // the program's own change runs nothing
    EXPECT_EQ(changes, (std::vector<std::string>{"12"}));
    form.box.set_locked(true);
    EXPECT_EQ(form.box.user_type("13"), "read-only");
    EXPECT_EQ(form.box.text(), "by the program");
}

TEST(FormFrameTest, ADisabledOrHiddenFrameRefusesItsButtons) {
    RecordingHost host;
    Program program{host, "humo_tool"};
    Form form{program, "frmTest", "Test", {3000, 2000}, FormStyle::kTopLevel};
    Frame frame{form, "fraDefaults", {0, 0, 1000, 1000}, "Default Settings"};
    CommandButton inside{form, "inside", {0, 0, 100, 100}, "Inside"};
    inside.set_container(frame);
    int clicks = 0;
    inside.Click = [&] { ++clicks; };
    form.show();
    frame.set_enabled(false);
    EXPECT_EQ(inside.user_click(), "control disabled");
    EXPECT_FALSE(inside.can_take_focus());
    frame.set_enabled(true);
    frame.set_visible(false);
    EXPECT_EQ(inside.user_click(), "control hidden");
    frame.set_visible(true);
    EXPECT_FALSE(inside.user_click());
    EXPECT_EQ(clicks, 1);
}

TEST_F(FormModelTest, AnUntrappedFailureIsARunTimeErrorThatEndsTheProgram) {
    form.button.Click = [] { throw failures::invalid_use_of_null(); };
    form.button.user_click();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Run-time error '94':\n\nInvalid use of Null");
    EXPECT_EQ(host.messages[0].title, "humo_tool");
    EXPECT_TRUE(host.ended);
    EXPECT_EQ(form.first.user_select(0), "program ended");
}

TEST_F(FormModelTest, AnyOtherFaultOfAHandlerIsShownAndNeverEscapes) {
    form.button.Click = [] { throw std::out_of_range("vector::at"); };
    EXPECT_NO_THROW(form.button.user_click());
    EXPECT_EQ(host.message_texts(), (std::vector<std::string>{"Run-time error:\n\nvector::at"}));
    EXPECT_TRUE(host.ended);
}

class FormLifecycleTest : public ::testing::Test {
protected:
    FormLifecycleTest() {
        program.set_mdi_frame(frame);
        frame.journal = &journal;
        child.journal = &journal;
    }
    RecordingHost host;
    Program program{host, "humo_tool"};
    TestForm frame{program, FormStyle::kMdiFrame, "frame"};
    TestForm child{program, FormStyle::kMdiChild, "child"};
    std::vector<std::string> journal;
};

TEST_F(FormLifecycleTest, TheProgramRunsWhileAFormIsLoaded) {
    child.show();  // a child window brings its frame with it
    EXPECT_TRUE(frame.visible());
    EXPECT_EQ(frame.events, (std::vector<std::string>{"load"}));
    child.load();  // once only
    EXPECT_EQ(child.events, (std::vector<std::string>{"load"}));

    child.user_close();
    EXPECT_FALSE(child.loaded());
    EXPECT_TRUE(child.spent());
    EXPECT_FALSE(host.ended);
    EXPECT_EQ(child.user_close(), "form not loaded");

    frame.user_close();
    EXPECT_EQ(frame.events, (std::vector<std::string>{"load", "unload"}));
    EXPECT_TRUE(host.ended);
}

TEST_F(FormLifecycleTest, AFormUnloadedByItsOwnHandlerLivesUntilTheActionReturns) {
    FormSlot<TestForm> slot([this] { return std::make_unique<TestForm>(program); });
    frame.show();
    TestForm* first = &slot();
    first->show();
    first->button.Click = [&] {
        first->unload();
        // A new instance is made while the old one's handler still runs.
        TestForm& second = slot();
        EXPECT_NE(&second, first);
        first->events.push_back("still here");
    };
    first->button.user_click();
    EXPECT_EQ(slot().events, std::vector<std::string>{});
}

TEST_F(FormLifecycleTest, ClosingTheFrameUnloadsItsChildrenFirst) {
    child.show();
    frame.user_close();
    EXPECT_EQ(journal, (std::vector<std::string>{"child unload", "frame unload"}));
    EXPECT_TRUE(program.loaded_forms().empty());
    EXPECT_TRUE(host.ended);
}

}  // namespace
}  // namespace humo::forms
