// The query an installed "HomePage.url" carries for the post-install page.
// Win32-free.
#pragma once

#include <string>

// Offered the shortcut file's lines in order; the first line that begins
// with "URL=http://" decides: its text from the first '?' to the end of the
// line (line break removed) is the query, "" when it has none.
class HomePageQuery {
public:
    // False once the URL line has been seen: stop reading.
    bool OfferLine(const std::string& line);
    const std::string& Query() const { return query_; }

private:
    std::string query_;
};

// The page to open after installation for a query ("" -> installed page).
std::string PostInstallPage(const std::string& query);
