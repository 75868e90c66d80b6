// Texts in ten scripts Windows-1252 cannot hold, and emoji, for the round trips of every file.
#pragma once

namespace tvtest {

// Polish, Czech, Turkish, Greek, Cyrillic, Chinese, Japanese, Korean, Arabic, Hebrew, and emoji
// outside the first plane, one a joined sequence.
inline const char* const kScripts[] = {
    "Zażółć gęślą jaźń", "Příliš žluťoučký kůň", "Iğdır'da görüşme", "Συνάντηση στο γραφείο", "Встреча в кафе",
    "和客户开会",        "会議の準備をする",     "고객과 회의",      "اجتماع مع العميل",      "פגישה עם הלקוח",
    "Party 🎂🎉👨‍👩‍👧",
};

}  // namespace tvtest
