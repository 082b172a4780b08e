#include <gtest/gtest.h>

#include "connection.h"
#include "program.h"
#include "recording_host.h"
#include "report_connection_errors.h"

namespace humo::calculator {
namespace {

using Strings = std::vector<std::string>;

class ReportTest : public ::testing::Test {
protected:
    forms::RecordingHost host;
    forms::Program program{host, "humo_tool"};
    recordset::Connection connection;
    const Failure running{3021, "No current record.", "Recordset"};
};

TEST_F(ReportTest, ShowsTheFirstPendingErrorAndClearsTheList) {
    connection.errors().add({-2147467259, "first", "SQLite"});
    connection.errors().add({2, "second", "SQLite"});
    connection.errors().add({3, "third", "SQLite"});
    ReportConnectionErrors(program, &connection, running);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              "Error Code: -2147467259\r\nDescription: first\r\nSource: SQLite");
    EXPECT_EQ(host.messages[0].title, "Error");
    EXPECT_EQ(host.messages[0].icon, forms::MsgBoxIcon::kStop);
    EXPECT_EQ(host.messages[0].buttons, forms::MsgBoxButtons::kOk);
    EXPECT_EQ(connection.errors().count(), 0u);

    connection.errors().add({5, "alone", "SQLite"});
    ReportConnectionErrors(program, &connection, running);
    EXPECT_EQ(host.messages.back().text, "Error Code: 5\r\nDescription: alone\r\nSource: SQLite");
}

TEST_F(ReportTest, ShowsTheRunningFailureWhenNothingIsPending) {
    ReportConnectionErrors(program, &connection, running);
    ReportConnectionErrors(program, nullptr, running);
    EXPECT_EQ(
        host.message_texts(),
        (Strings(2, "Error Code: 3021\r\nDescription: No current record.\r\nSource: Recordset")));
}

}  // namespace
}  // namespace humo::calculator
