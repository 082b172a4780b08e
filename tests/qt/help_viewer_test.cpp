#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>
#include <filesystem>

#include "help_viewer.h"
#include "qt_host.h"
#include "temp_dir.h"

namespace humo::help {
namespace {

const std::string kBuiltFile = HUMO_BUILT_HELP_FILE;

// Takes the web addresses the viewer hands to the desktop, instead of a web browser.
class WebBrowser : public QObject {
    Q_OBJECT
public:
    WebBrowser() { QDesktopServices::setUrlHandler("https", this, "open"); }
    ~WebBrowser() override { QDesktopServices::unsetUrlHandler("https"); }
    std::vector<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.push_back(url); }
};

QUrl topic(const char* path) { return QUrl(QString("chm:") + path); }

// The help window on the help file the build compiled.
class HelpViewerTest : public ::testing::Test {
protected:
    QAction* action(const char* name) { return viewer.findChild<QAction*>(name); }
    QUrl shown() const { return viewer.browser()->source(); }
    QString page_text() const { return viewer.browser()->toPlainText(); }
    void click_link(const QString& text) {
        QTextBrowser* browser = viewer.browser();
        QTextCursor link = browser->document()->find(text, 0, QTextDocument::FindCaseSensitively);
        ASSERT_FALSE(link.isNull()) << text.toStdString();
        link.setPosition((link.selectionStart() + link.selectionEnd()) / 2);
        ASSERT_TRUE(link.charFormat().isAnchor()) << text.toStdString();
        QTest::mouseClick(browser->viewport(), Qt::LeftButton, {},
                          browser->cursorRect(link).center());
    }
    QTreeWidgetItem* contents_item(const QString& name) {
        const auto items =
            viewer.contents()->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
        return items.isEmpty() ? nullptr : items.first();
    }

    HelpViewer viewer;
};

TEST_F(HelpViewerTest, OpensAtAContextNumberAndFollowsLinksBackAndForward) {
    viewer.show_help(kBuiltFile, 15, 1001);
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_EQ(shown(), topic("/topics/climate_region.htm"));
    EXPECT_TRUE(page_text().startsWith("Climate Region\n"));
    EXPECT_EQ(viewer.windowTitle(), "HUMO Soil Carbon Tool Help - Climate Region");
    ASSERT_NE(viewer.contents()->currentItem(), nullptr);
    EXPECT_EQ(viewer.contents()->currentItem()->text(0), "Climate Region");
    EXPECT_FALSE(action("back")->isEnabled());
    click_link("country");
    EXPECT_EQ(shown(), topic("/topics/country.htm"));
    EXPECT_TRUE(page_text().startsWith("Country\n"));
    EXPECT_EQ(viewer.contents()->currentItem()->text(0), "Country");
    EXPECT_TRUE(action("back")->isEnabled());
    EXPECT_FALSE(action("forward")->isEnabled());
    action("back")->trigger();
    EXPECT_EQ(shown(), topic("/topics/climate_region.htm"));
    EXPECT_TRUE(action("forward")->isEnabled());
    action("forward")->trigger();
    EXPECT_EQ(shown(), topic("/topics/country.htm"));
    action("home")->trigger();
    EXPECT_EQ(shown(), topic("/topics/index.htm"));
    EXPECT_TRUE(page_text().startsWith("HUMO Soil Carbon Tool\n"));
    EXPECT_TRUE(viewer.message().isEmpty());
}

TEST_F(HelpViewerTest, TheContentsPaneOpensTopicsWithTheirPicturesAndStyle) {
    viewer.show_help(kBuiltFile, 0, 0);
    EXPECT_EQ(shown(), topic("/topics/index.htm"));
    ASSERT_TRUE(viewer.contents()->isVisibleTo(&viewer));
    // Nested as the contents file nests it.
    ASSERT_NE(contents_item("Country"), nullptr);
    ASSERT_NE(contents_item("Country")->parent(), nullptr);
    EXPECT_EQ(contents_item("Country")->parent()->text(0), "The calculator");
    EXPECT_EQ(contents_item("When there are no data")->parent(), nullptr);
    QTreeWidgetItem* example = contents_item("A worked example");
    ASSERT_NE(example, nullptr);
    const QRect row = viewer.contents()->visualItemRect(example);
    QTest::mouseClick(viewer.contents()->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(shown(), topic("/topics/example.htm"));
    const QVariant picture = viewer.browser()->document()->resource(
        QTextDocument::ImageResource, QUrl("../images/calculation.png"));
    EXPECT_EQ(picture.value<QImage>().size(), QSize(1024, 699));
    // The style sheet of the file colours the headings.
    const QTextBlock heading = viewer.browser()->document()->firstBlock();
    EXPECT_EQ(heading.charFormat().foreground().color(), QColor("#00209f"));
    // A place inside a topic is kept with it.
    const QUrl part = HelpBrowser::topic_url("/topics/example.htm#step");
    EXPECT_EQ(part.path(), "/topics/example.htm");
    EXPECT_EQ(part.fragment(), "step");
    // Only the help file's own objects are shown, never something from the web.
    HelpBrowser* browser = viewer.browser();
    EXPECT_TRUE(
        browser->loadResource(QTextDocument::ImageResource, topic("/images/calculation.png"))
            .isValid());
    EXPECT_FALSE(browser
                     ->loadResource(QTextDocument::ImageResource,
                                    QUrl("http://example.org/images/calculation.png"))
                     .isValid());
    EXPECT_FALSE(HelpBrowser()
                     .loadResource(QTextDocument::HtmlResource, topic("/topics/index.htm"))
                     .isValid());
}

TEST_F(HelpViewerTest, ProblemsAreShownAsAMessageInTheWindow) {
    viewer.show_help(kBuiltFile, 15, 4242);
    const QString no_topic = QString::fromStdString("The help file " + kBuiltFile +
                                                    " has no topic for context number 4242.");
    EXPECT_EQ(viewer.message(), no_topic);
    EXPECT_TRUE(page_text().contains(no_topic));
    EXPECT_TRUE(viewer.isVisible());
    // The same topic as before the message is shown again, not the message.
    viewer.show_help(kBuiltFile, 15, 1000);
    viewer.show_help(kBuiltFile, 15, 7);
    viewer.show_help(kBuiltFile, 15, 1000);
    EXPECT_TRUE(viewer.message().isEmpty());
    EXPECT_TRUE(page_text().startsWith("Country\n"));
    viewer.show_help(kBuiltFile, 3, 0);
    EXPECT_EQ(viewer.message(), "The help viewer does not carry out the help command 3.");
    // A topic named after the file, as a window's Help button asks for its own.
    viewer.show_help(kBuiltFile + "::/topics/country.htm", 0, 0);
    EXPECT_TRUE(page_text().startsWith("Country\n"));
    viewer.show_help(kBuiltFile + "::/topics/none.htm", 0, 0);
    EXPECT_EQ(viewer.message(), QString::fromStdString("The help file " + kBuiltFile +
                                                       " has no topic /topics/none.htm."));
    // A file that was there and has gone: its history leads nowhere any more.
    testing::TempDir dir;
    const std::string missing = dir.file("humo_tool.chm");
    std::filesystem::copy_file(kBuiltFile, missing);
    viewer.show_help(missing, 15, 1000);
    viewer.show_help(missing, 15, 1001);
    EXPECT_TRUE(action("back")->isEnabled());
    std::filesystem::remove(missing);
    viewer.show_help(missing, 0, 0);
    EXPECT_FALSE(action("back")->isEnabled());
    EXPECT_EQ(viewer.message(),
              QString::fromStdString("The help file " + missing + " does not exist."));
    EXPECT_TRUE(page_text().contains("does not exist"));
    EXPECT_FALSE(viewer.contents()->isVisibleTo(&viewer));
    EXPECT_FALSE(action("home")->isEnabled());
}

TEST_F(HelpViewerTest, FindInPageWithCtrlF) {
    viewer.show_help(kBuiltFile, 15, 1009);
    QApplication::setActiveWindow(&viewer);
    EXPECT_FALSE(viewer.find_bar()->isVisible());
    QTest::keyClick(&viewer, Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(viewer.find_bar()->isVisible());
    auto* text = viewer.find_bar()->findChild<QLineEdit*>("findText");
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->hasFocus());
    EXPECT_EQ(text->placeholderText(), "Find in page");
    QTest::keyClicks(text, "predicted");
    QTextCursor match = viewer.browser()->textCursor();
    EXPECT_EQ(match.selectedText().toLower(), "predicted");
    const int first = match.selectionStart();
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_GT(viewer.browser()->textCursor().selectionStart(), first);
    QTest::keyClick(text, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(viewer.browser()->textCursor().selectionStart(), first);
    auto* next = viewer.find_bar()->findChild<QPushButton*>("findNext");
    auto* previous = viewer.find_bar()->findChild<QPushButton*>("findPrevious");
    ASSERT_TRUE(next && previous && next->isVisible() && previous->isVisible());
    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_GT(viewer.browser()->textCursor().selectionStart(), first);
    QTest::mouseClick(previous, Qt::LeftButton);
    EXPECT_EQ(viewer.browser()->textCursor().selectionStart(), first);
    auto* status = viewer.find_bar()->findChild<QLabel*>("findStatus");
    QTest::keyClicks(text, "zzz");
    EXPECT_EQ(status->text(), "Not found");
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(text, Qt::Key_Backspace);
    EXPECT_EQ(status->text(), "");
    QTest::keyClick(text, Qt::Key_Escape);
    EXPECT_FALSE(viewer.find_bar()->isVisible());
    EXPECT_TRUE(viewer.browser()->hasFocus());
}

TEST_F(HelpViewerTest, EachHelpRequestAddsToTheHistoryUntilAnotherFileIsOpened) {
    for (int number : {1000, 1001, 1002})
        viewer.show_help(kBuiltFile, 15, number);
    action("back")->trigger();
    action("back")->trigger();
    EXPECT_EQ(shown(), topic("/topics/country.htm"));
    EXPECT_FALSE(action("back")->isEnabled());
    // In another file, the page shown before is no topic: Back says so.
    viewer.show_help(HUMO_PLAIN_HELP_FILE, 15, 7);
    EXPECT_EQ(shown(), topic("/a.htm"));
    action("back")->trigger();
    EXPECT_EQ(
        viewer.message(),
        QString("The help file %1 has no topic /topics/country.htm.").arg(HUMO_PLAIN_HELP_FILE));
}

TEST_F(HelpViewerTest, ABrokenLinkOrAMissingDefaultTopicIsAMessageNotAnEmptyPage) {
    const std::string plain = HUMO_PLAIN_HELP_FILE;
    viewer.show_help(plain, 15, 7);
    EXPECT_EQ(shown(), topic("/a.htm"));
    EXPECT_FALSE(viewer.contents()->isVisibleTo(&viewer));
    EXPECT_EQ(viewer.windowTitle(), "Plain - Topic A");
    click_link("missing topic");
    EXPECT_EQ(viewer.message(),
              QString::fromStdString("The help file " + plain + " has no topic /missing.htm."));
    EXPECT_TRUE(page_text().contains("has no topic /missing.htm"));
    viewer.show_help(plain, 15, 7);
    WebBrowser web;
    click_link("a page on the web");
    EXPECT_EQ(web.opened, std::vector<QUrl>{QUrl("https://example.org/more.htm")});
    EXPECT_EQ(shown(), topic("/a.htm"));
    EXPECT_TRUE(page_text().startsWith("Topic A\n"));
    click_link("topic B in a named file");
    EXPECT_EQ(shown(), topic("/b.htm"));
    EXPECT_EQ(page_text().trimmed(), "Topic B");
    action("home")->trigger();
    EXPECT_EQ(viewer.message(),
              QString::fromStdString("The help file " + plain + " names no default topic."));
}

TEST(QtHostHelp, ASecondCallReusesTheOpenWindow) {
    qt::QtHost host({"humo_tool.mdb", kBuiltFile, "."});
    EXPECT_EQ(host.help_viewer(), nullptr);
    host.html_help("frmmaster", kBuiltFile, 0, 0);
    HelpViewer* first = host.help_viewer();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(first));
    first->hide();
    host.html_help("frmmaster.Input1", kBuiltFile, 15, 1005);
    EXPECT_EQ(host.help_viewer(), first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->browser()->source(), topic("/topics/inputs.htm"));
    int viewers = 0;
    for (QWidget* window : QApplication::topLevelWidgets())
        viewers += dynamic_cast<HelpViewer*>(window) && window->isVisible() ? 1 : 0;
    EXPECT_EQ(viewers, 1);
}

}  // namespace
}  // namespace humo::help

#include "help_viewer_test.moc"
