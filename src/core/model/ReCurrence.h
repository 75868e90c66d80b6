// Recurrence rules: the rule an event embeds and its four repeating patterns.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>

#include "Archive.h"
#include "DateTime.h"

namespace tv {

// Pattern kinds as the recurrence dialog numbers them.
enum PatternType : int { kPatternNone = -1, kPatternDaily = 0, kPatternWeekly = 1, kPatternMonthly = 2, kPatternYearly = 3 };

class CRePattern {
public:
    virtual ~CRePattern() = default;

    virtual const char* ClassName() const = 0;
    virtual PatternType Type() const = 0;
    // The class part of the archive body (the two version words are handled here).
    void Serialize(ArchiveWriter& ar) const;
    void Serialize(ArchiveReader& ar);

    virtual bool IsOccurrenceDay(const DateTime& date, const DateTime& reference) const = 0;
    // The first occurrence day on or after from; reference when there is none in the window.
    virtual DateTime GetNextDate(const DateTime& reference, const DateTime& from) const;
    virtual std::unique_ptr<CRePattern> Clone() const = 0;
    virtual std::string GetDescription() const = 0;
    virtual bool Equals(const CRePattern& other) const = 0;

    static std::unique_ptr<CRePattern> Create(PatternType type);
    static std::unique_ptr<CRePattern> CreateByClassName(std::string_view name);

protected:
    virtual void WriteFields(ArchiveWriter& ar) const = 0;
    virtual void ReadFields(ArchiveReader& ar) = 0;
};

class CDailyRePattern final : public CRePattern {
public:
    const char* ClassName() const override { return "CDailyRePattern"; }
    PatternType Type() const override { return kPatternDaily; }
    bool IsOccurrenceDay(const DateTime& date, const DateTime& reference) const override;
    DateTime GetNextDate(const DateTime& reference, const DateTime& from) const override;
    std::unique_ptr<CRePattern> Clone() const override { return std::make_unique<CDailyRePattern>(*this); }
    std::string GetDescription() const override;
    bool Equals(const CRePattern& other) const override;

    int GetInterval() const { return m_interval; }
    void SetInterval(int v) { if (v >= 1 && v <= 365) m_interval = v; }

protected:
    void WriteFields(ArchiveWriter& ar) const override;
    void ReadFields(ArchiveReader& ar) override;

private:
    int32_t m_interval = 1;
};

class CWeeklyRePattern final : public CRePattern {
public:
    const char* ClassName() const override { return "CWeeklyRePattern"; }
    PatternType Type() const override { return kPatternWeekly; }
    bool IsOccurrenceDay(const DateTime& date, const DateTime& reference) const override;
    DateTime GetNextDate(const DateTime& reference, const DateTime& from) const override;
    std::unique_ptr<CRePattern> Clone() const override { return std::make_unique<CWeeklyRePattern>(*this); }
    std::string GetDescription() const override;
    bool Equals(const CRePattern& other) const override;

    int GetInterval() const { return m_interval; }
    void SetInterval(int v) { if (v >= 1 && v <= 51) m_interval = v; }
    // Bit 0 = Sunday ... bit 6 = Saturday.
    int GetWeekdayMask() const { return m_mask; }
    void SetWeekdayMask(int v) { if (v >= 0 && v <= 0x7F) m_mask = v; }

protected:
    void WriteFields(ArchiveWriter& ar) const override;
    void ReadFields(ArchiveReader& ar) override;

private:
    int32_t m_interval = 1;
    int32_t m_mask = 1;
};

class CMonthlyRePattern final : public CRePattern {
public:
    const char* ClassName() const override { return "CMonthlyRePattern"; }
    PatternType Type() const override { return kPatternMonthly; }
    bool IsOccurrenceDay(const DateTime& date, const DateTime& reference) const override;
    DateTime GetNextDate(const DateTime& reference, const DateTime& from) const override;
    std::unique_ptr<CRePattern> Clone() const override { return std::make_unique<CMonthlyRePattern>(*this); }
    std::string GetDescription() const override;
    bool Equals(const CRePattern& other) const override;

    int GetInterval() const { return m_interval; }
    void SetInterval(int v) { if (v >= 1 && v <= 12) m_interval = v; }
    int GetDay() const { return m_day; }
    void SetDay(int v) { if (v >= 1 && v <= 31) m_day = v; }
    int GetOrdinal() const { return m_ordinal; }
    void SetOrdinal(int v) { if (v >= 1 && v <= 5) m_ordinal = v; }
    int GetWeekday() const { return m_weekday; }
    void SetWeekday(int v) { if (v >= 1 && v <= 7) m_weekday = v; }
    bool IsDayMode() const { return m_dayMode != 0; }
    void SetDayMode(bool v) { m_dayMode = v ? 1 : 0; }

protected:
    void WriteFields(ArchiveWriter& ar) const override;
    void ReadFields(ArchiveReader& ar) override;

private:
    int32_t m_interval = 1;
    int32_t m_day = 1;
    int32_t m_ordinal = 1;
    int32_t m_weekday = 1;
    int32_t m_dayMode = 1;
};

class CYearlyRePattern final : public CRePattern {
public:
    const char* ClassName() const override { return "CYearlyRePattern"; }
    PatternType Type() const override { return kPatternYearly; }
    bool IsOccurrenceDay(const DateTime& date, const DateTime& reference) const override;
    DateTime GetNextDate(const DateTime& reference, const DateTime& from) const override;
    std::unique_ptr<CRePattern> Clone() const override { return std::make_unique<CYearlyRePattern>(*this); }
    std::string GetDescription() const override;
    bool Equals(const CRePattern& other) const override;

    int GetMonth() const { return m_month; }
    void SetMonth(int v) { if (v >= 1 && v <= 12) m_month = v; }
    int GetDay() const { return m_day; }
    void SetDay(int v) { if (v >= 1 && v <= 31) m_day = v; }
    int GetWeekday() const { return m_weekday; }
    void SetWeekday(int v) { if (v >= 1 && v <= 7) m_weekday = v; }
    int GetOrdinal() const { return m_ordinal; }
    void SetOrdinal(int v) { if (v >= 1 && v <= 5) m_ordinal = v; }
    bool IsDayMode() const { return m_dayMode != 0; }
    void SetDayMode(bool v) { m_dayMode = v ? 1 : 0; }

protected:
    void WriteFields(ArchiveWriter& ar) const override;
    void ReadFields(ArchiveReader& ar) override;

private:
    int32_t m_month = 1;
    int32_t m_day = 1;
    int32_t m_weekday = 1;
    int32_t m_ordinal = 1;
    int32_t m_dayMode = 1;
};

// The rule every event embeds; the event recurs when the rule holds a pattern. The pattern is
// held inline and the moments as their day counts with the statuses beside them, so that a
// rule is one flat value: a store of many events keeps them without an allocation or padding
// per rule.
class CReCurrence {
public:
    CReCurrence() = default;
    // A fresh rule starts at the next whole minute after now.
    explicit CReCurrence(const DateTime& now);

    // The first occurrence on or after the later of from's day and the anchor's day, counted
    // from the start. Past the end it answers the end's date at the start's time (earlier than
    // from: no further occurrence); a null value when the pattern never falls on a day.
    DateTime GetNextOccurrence(const DateTime& from) const;
    // The first occurrence on or after from's day, counted from the start whatever the anchor
    // says: accepted occurrences stay on the calendar. A null value when there is none (past
    // the end, or a pattern that never falls on a day).
    DateTime GetOccurrenceOnOrAfter(const DateTime& from) const;
    // 00:00 of the anchor's day, the lower bound of the reminder search; a null value when no
    // anchor is set. Its time of day never counts, also in files written before.
    DateTime GetAnchorDay() const;

    bool HasPattern() const { return m_pattern.index() != 0; }
    const CRePattern* GetPattern() const;
    CRePattern* GetPattern() { return const_cast<CRePattern*>(static_cast<const CReCurrence*>(this)->GetPattern()); }
    PatternType GetPatternType() const { return static_cast<PatternType>(static_cast<int>(m_pattern.index()) - 1); }
    void SetPatternType(int type);
    // Takes a copy of the pattern (null removes it, keeping the anchor).
    void SetPattern(std::unique_ptr<CRePattern> pattern);
    void RemovePattern();
    std::string GetDescription() const { return HasPattern() ? GetPattern()->GetDescription() : std::string(); }

    DateTime GetStart() const { return DateTime(m_start, Status(m_startStatus)); }
    void SetStart(const DateTime& v) { Put(v, m_start, m_startStatus); }
    DateTime GetEnd() const { return DateTime(m_end, Status(m_endStatus)); }
    void SetEnd(const DateTime& v) { Put(v, m_end, m_endStatus); }
    bool IsEndEnabled() const { return m_endEnabled != 0; }
    void SetEndEnabled(bool v) { m_endEnabled = v ? 1 : 0; }
    int GetDuration() const { return m_duration; }
    void SetDuration(int seconds) { m_duration = seconds; }
    DateTime GetAnchor() const { return DateTime(m_anchor, Status(m_anchorStatus)); }
    void SetAnchor(const DateTime& v) { Put(v, m_anchor, m_anchorStatus); }

    void Serialize(ArchiveWriter& ar) const;
    void Serialize(ArchiveReader& ar);

    bool operator==(const CReCurrence& other) const;

private:
    static DateTimeStatus Status(uint8_t s) { return static_cast<DateTimeStatus>(s); }
    static void Put(const DateTime& v, double& days, uint8_t& status) {
        days = v.Days();
        status = static_cast<uint8_t>(v.Status());
    }

    double m_start = 0.0;
    double m_end = 0.0;
    double m_anchor = 0.0;
    int32_t m_endEnabled = 0;
    int32_t m_duration = 1800;
    uint8_t m_startStatus = 0;
    uint8_t m_endStatus = 0;
    uint8_t m_anchorStatus = 0;
    // In the order of PatternType, one up: index 0 is no pattern.
    std::variant<std::monostate, CDailyRePattern, CWeeklyRePattern, CMonthlyRePattern, CYearlyRePattern> m_pattern;
};

// The next whole minute after now (seconds dropped, one minute added).
DateTime NextWholeMinute(const DateTime& now);

// Day of month of the ordinal-th (5 = last) weekday; 0 when the arguments name no day.
int NthWeekdayOfMonth(int year, int month, int ordinal, int weekday);
// The names descriptions use, in the user's language (texts/DateTexts.h, texts/Translate.h).
std::string GetDayName(int weekday);    // full name, 1 = Sunday
std::string GetMonthName(int month);    // short name, 1 = January
std::string GetOrdinalName(int ordinal);  // "First" .. "Fourth", 5 = "Last"

}  // namespace tv
