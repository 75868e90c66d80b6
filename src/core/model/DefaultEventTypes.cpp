// The event types a first start begins with. This is the one place they are defined; their
// names are in the table of texts (texts/UserTexts.h), which gives them in the user's language.
//
// Icon indices refer to the shipped type icon strips (data/icons): 0 alarm clock, 1 cake,
// 2 calendar page, 3 sun, 4 telephone, 5 two people, 6 coins, 7 aeroplane, 8 television,
// 9 globe, 10 star, 11 heart, 12 pill, 13 note, 14 flag, 15 hourglass.
#include <iterator>

#include "EventType.h"
#include "texts/Translate.h"
#include "texts/UserTexts.h"

namespace tv {

namespace {

// In the order of texts::kDefaultTypeNames.
struct Seed {
    int icon;
    int durationSeconds;
    int remindBeforeSeconds;
    ColorRef textColor;
    const char* sound;
};

constexpr int kMinute = 60;
constexpr int kHour = 3600;
constexpr int kDay = 86400;

constexpr Seed kSeeds[] = {
    {0, 5 * kMinute, 0, MakeColorRef(192, 0, 0), "Alarm.wav"},  // Alarm
    {1, kDay, kDay, MakeColorRef(160, 32, 160), "Bell.wav"},  // Birthday
    {2, kHour, 30 * kMinute, MakeColorRef(0, 64, 160), "Bell.wav"},  // Appointment
    {3, kDay, kDay, MakeColorRef(0, 128, 0), ""},  // Holiday
    {4, 15 * kMinute, 5 * kMinute, MakeColorRef(0, 128, 128), "Ding.wav"},  // Phone Call
    {5, kHour, 15 * kMinute, MakeColorRef(32, 64, 192), "Bell.wav"},  // Meeting
    {6, 30 * kMinute, 3 * kDay, MakeColorRef(176, 96, 0), "Ding.wav"},  // Payment
    {7, 2 * kHour, 2 * kHour, MakeColorRef(128, 64, 32), "Alarm.wav"},  // Travel
    {8, kHour, 10 * kMinute, MakeColorRef(96, 48, 160), "Gentle.wav"},  // TV Programme
    {9, 30 * kMinute, 5 * kMinute, MakeColorRef(0, 112, 176), "Gentle.wav"},  // Internet
};

}  // namespace

std::vector<CEventType> DefaultEventTypes(const DateTime& now) {
    // The reminder pop-up shows the event's name in the type's font: a clear, bold face.
    LogFont font;
    font.height = -20;
    font.weight = 700;
    font.faceName = "Arial";

    static_assert(std::size(kSeeds) == std::size(texts::kDefaultTypeNames));
    std::vector<CEventType> types;
    for (size_t i = 0; i < std::size(kSeeds); ++i) {
        const Seed& s = kSeeds[i];
        CEventType t(now);
        // A first start names its types in the user's language; from then on they are the
        // user's own names, stored as they are.
        t.SetName(texts::Tr(texts::kDefaultTypeNames[i]));
        t.SetIcon(s.icon);
        t.SetDefaultDuration(s.durationSeconds);
        t.SetDefaultRemindBefore(s.remindBeforeSeconds);
        t.SetTextColor(s.textColor);
        t.SetSound(s.sound);
        t.SetFont(font);
        types.push_back(t);
    }
    return types;
}

}  // namespace tv
