// What the reports do with a list's own texts: shown as text, never run by a spreadsheet
// program or a browser.

#include "takeoff/csv_report.h"
#include "takeoff/html_report.h"
#include "takeoff_fixture.h"

TEST_F(TakeoffFixture, ListTextsAreShownNeverRun) {
    const TTakeoff takeoff =
        Run("类型,规格,长度\n"
            "\"=HYPERLINK(\"\"x\"\")\",1,1\n"
            "管材,<script>x</script>,1\n"
            "圆棒,20,6\n");
    ASSERT_EQ(takeoff.skipped.size(), 2u);

    const std::string csv = CsvReport(takeoff);
    EXPECT_NE(csv.find("\r\n2,\"'=HYPERLINK(\"\"x\"\")\",1,"), std::string::npos) << csv;
    EXPECT_EQ(csv.find(",=HYPERLINK"), std::string::npos);

    const std::string html = HtmlReport(takeoff, L"a&b");
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_NE(html.find("&lt;script&gt;x&lt;/script&gt;"), std::string::npos);
    EXPECT_NE(html.find("a&amp;b"), std::string::npos);
    // Nothing to fetch: the page is one file.
    for (const char* reference : {"src=", "href=", "url(", "@import"}) {
        EXPECT_EQ(html.find(reference), std::string::npos) << reference;
    }
}
