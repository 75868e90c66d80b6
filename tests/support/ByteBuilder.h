// Builds file images field by field from the documented layouts, independently of the writer.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

namespace tvtest {

class Bytes {
public:
    Bytes& u8(uint8_t v) { m_s.push_back(static_cast<char>(v)); return *this; }
    Bytes& u16(uint16_t v) { return u8(v & 0xFF).u8(v >> 8); }
    Bytes& u32(uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    Bytes& i32(int32_t v) { return u32(static_cast<uint32_t>(v)); }
    Bytes& f64(double v) {
        uint64_t bits;
        std::memcpy(&bits, &v, 8);
        return u32(static_cast<uint32_t>(bits)).u32(static_cast<uint32_t>(bits >> 32));
    }
    // The short form of a text: one length byte below 255.
    Bytes& text(const std::string& t) { u8(static_cast<uint8_t>(t.size())); m_s += t; return *this; }
    Bytes& raw(const std::string& t) { m_s += t; return *this; }
    Bytes& zeros(size_t n) { m_s.append(n, '\0'); return *this; }
    // status (0 valid, 1 invalid, 2 null) then the day count.
    Bytes& date(double days, int32_t status = 0) { return i32(status).f64(days); }
    Bytes& append(const Bytes& o) { m_s += o.m_s; return *this; }
    const std::string& str() const { return m_s; }
    size_t size() const { return m_s.size(); }

private:
    std::string m_s;
};

}  // namespace tvtest
