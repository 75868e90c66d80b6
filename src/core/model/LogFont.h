// The logical-font record that event types and the clock store.
#pragma once

#include <cstdint>
#include <string>

#include "TextCodec.h"

namespace tv {

struct LogFont {
    static constexpr size_t kMaxFaceName = 31;

    int32_t height = 0;
    int32_t width = 0;
    int32_t escapement = 0;
    int32_t orientation = 0;
    int32_t weight = 0;
    uint8_t italic = 0;
    uint8_t underline = 0;
    uint8_t strikeOut = 0;
    uint8_t charSet = 0;
    uint8_t outPrecision = 0;
    uint8_t clipPrecision = 0;
    uint8_t quality = 0;
    uint8_t pitchAndFamily = 0;
    std::string faceName;  // UTF-8, at most kMaxFaceName UTF-16 units

    // The record holds 31 UTF-16 units; a longer face is cut between two characters.
    void SetFaceName(std::string_view name) { faceName = CutToUtf16Units(name, kMaxFaceName); }
    bool operator==(const LogFont&) const = default;
};

}  // namespace tv
