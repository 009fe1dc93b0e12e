#include "almanac/records.h"

#include <bit>
#include <cstring>

namespace trix::almanac {
namespace {

class Writer {
public:
    explicit Writer(std::uint8_t* out) : p_(out) {}
    void u(std::uint64_t v, int width) {
        for (int i = width - 1; i >= 0; --i)
            *p_++ = static_cast<std::uint8_t>(v >> (8 * i));
    }
    void f(float v) { u(std::bit_cast<std::uint32_t>(v), 4); }
    void d(double v) { u(std::bit_cast<std::uint64_t>(v), 8); }

private:
    std::uint8_t* p_;
};

class Reader {
public:
    explicit Reader(const std::uint8_t* in) : p_(in) {}
    std::uint64_t u(int width) {
        std::uint64_t v = 0;
        for (int i = 0; i < width; ++i)
            v = (v << 8) | *p_++;
        return v;
    }
    std::int16_t s16() { return static_cast<std::int16_t>(u(2)); }
    std::uint16_t u16() { return static_cast<std::uint16_t>(u(2)); }
    std::int32_t s32() { return static_cast<std::int32_t>(u(4)); }
    float f() { return std::bit_cast<float>(static_cast<std::uint32_t>(u(4))); }
    double d() { return std::bit_cast<double>(u(8)); }

private:
    const std::uint8_t* p_;
};

} // namespace

GpsBytes encode(const KeplerAlmanac& k) {
    GpsBytes b{};
    Writer w(b.data());
    w.f(k.eccentricity);
    w.u(static_cast<std::uint32_t>(k.toa), 4);
    w.f(k.inclination);
    w.f(k.rate);
    w.u(static_cast<std::uint16_t>(k.health), 2);
    w.d(k.sqrtA);
    w.d(k.rightAscension);
    w.d(k.perigee);
    w.d(k.meanAnomaly);
    w.f(k.af0);
    w.f(k.af1);
    w.u(k.word58, 2);
    w.u(k.weekMod, 2);
    w.u(static_cast<std::uint16_t>(k.week), 2);
    w.u(static_cast<std::uint32_t>(k.timeOfWeek), 4);
    w.u(k.word68, 2);
    return b;
}

KeplerAlmanac decodeGps(std::span<const std::uint8_t, kGpsRecordSize> bytes) {
    Reader r(bytes.data());
    KeplerAlmanac k;
    k.eccentricity = r.f();
    k.toa = r.s32();
    k.inclination = r.f();
    k.rate = r.f();
    k.health = r.s16();
    k.sqrtA = r.d();
    k.rightAscension = r.d();
    k.perigee = r.d();
    k.meanAnomaly = r.d();
    k.af0 = r.f();
    k.af1 = r.f();
    k.word58 = r.u16();
    k.weekMod = r.u16();
    k.week = r.s16();
    k.timeOfWeek = r.s32();
    k.word68 = r.u16();
    return k;
}

GlonassBytes encode(const GlonassAlmanac& g) {
    GlonassBytes b{};
    Writer w(b.data());
    w.u(g.sv, 2);
    w.u(g.healthFlag, 2);
    w.f(g.eccentricity);
    w.u(static_cast<std::uint32_t>(g.day), 4);
    w.f(g.inclinationCorrection);
    w.f(g.longitude);
    w.f(g.nodeTime);
    w.f(g.perigee);
    w.f(g.periodCorrection);
    w.f(g.spare);
    w.f(g.clock);
    return b;
}

GlonassAlmanac decodeGlonass(std::span<const std::uint8_t, kGlonassRecordSize> bytes) {
    Reader r(bytes.data());
    GlonassAlmanac g;
    g.sv = r.u16();
    g.healthFlag = r.u16();
    g.eccentricity = r.f();
    g.day = r.s32();
    g.inclinationCorrection = r.f();
    g.longitude = r.f();
    g.nodeTime = r.f();
    g.perigee = r.f();
    g.periodCorrection = r.f();
    g.spare = r.f();
    g.clock = r.f();
    return g;
}

std::uint16_t wordSum(std::span<const std::uint8_t> bytes) {
    std::uint16_t sum = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        sum = static_cast<std::uint16_t>(sum + ((bytes[i] << 8) | bytes[i + 1]));
    return sum;
}

} // namespace trix::almanac
