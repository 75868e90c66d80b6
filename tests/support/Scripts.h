// Texts in ten scripts Windows-1252 cannot hold, and emoji, for the round trips of every file.
#pragma once

namespace tvtest {

inline const char* const kScripts[] = {
    "Zażółć gęślą jaźń",      // Polish
    "Příliš žluťoučký kůň",   // Czech
    "Iğdır'da görüşme",       // Turkish
    "Συνάντηση στο γραφείο",  // Greek
    "Встреча в кафе",         // Cyrillic
    "和客户开会",             // Chinese
    "会議の準備をする",       // Japanese
    "고객과 회의",            // Korean
    "اجتماع مع العميل",       // Arabic
    "פגישה עם הלקוח",         // Hebrew
    "Party 🎂🎉👨‍👩‍👧",           // emoji outside the first plane, one a joined sequence
};

}  // namespace tvtest
