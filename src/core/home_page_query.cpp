#include "core/home_page_query.h"

#include "core/product_profile.h"

#include <cstring>

bool HomePageQuery::OfferLine(const std::string& line)
{
    const char* prefix = ProductProfile::homePageUrlPrefix;
    if (line.compare(0, std::strlen(prefix), prefix) != 0) return true;
    std::size_t question = line.find('?');
    if (question != std::string::npos) {
        std::size_t end = line.find_first_of("\r\n", question);
        query_ = line.substr(question, end == std::string::npos ? std::string::npos : end - question);
    }
    return false;
}

std::string PostInstallPage(const std::string& query)
{
    if (query.empty()) return ProductProfile::installedPage;
    return std::string(ProductProfile::installScriptPage) + query;
}
