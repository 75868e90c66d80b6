// The program's English date forms and the forms in use.
#include "DateTexts.h"

namespace tv {

namespace {

const DateTexts* g_installed = nullptr;

}  // namespace

std::string DateTexts::WeekdayName(int dayOfWeek) const {
    if (dayOfWeek < 1 || dayOfWeek > 7) return {};
    // 1 January 2006 was a Sunday.
    std::string name = DateTime::FromParts(2006, 1, dayOfWeek).Format("%A");
    if (name.size() > 255) name.resize(255);
    return name;
}

std::string DateTexts::MonthShortName(int month) const {
    if (month < 1 || month > 12) return {};
    return DateTime::FromParts(2002, month, 1).Format("%b");
}

const DateTexts& GetDateTexts() {
    static const DateTexts english;
    return g_installed ? *g_installed : english;
}

void SetDateTexts(const DateTexts* texts) { g_installed = texts; }

}  // namespace tv
