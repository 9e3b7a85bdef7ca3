#include "Smf.h"

#include <algorithm>
#include <map>

namespace smf {
namespace {

void Put32(std::vector<uint8_t>& o, uint32_t v)
{
    for (int s = 24; s >= 0; s -= 8)
        o.push_back(static_cast<uint8_t>(v >> s));
}

void PutVarLen(std::vector<uint8_t>& o, uint32_t v)
{
    uint8_t bytes[5];
    int n = 0;
    do {
        bytes[n++] = static_cast<uint8_t>(v & 0x7F);
        v >>= 7;
    } while (v);
    while (n-- > 0)
        o.push_back(static_cast<uint8_t>(bytes[n] | (n ? 0x80 : 0)));
}

// Bounds-checked big-endian reader; once a read runs past the end, ok stays false.
struct Reader {
    const uint8_t* p;
    size_t size;
    size_t pos = 0;
    bool ok = true;
    uint8_t U8()
    {
        if (pos >= size) {
            ok = false;
            return 0;
        }
        return p[pos++];
    }
    uint32_t U16() { uint32_t a = U8(); return (a << 8) | U8(); }
    uint32_t U32() { uint32_t a = U16(); return (a << 16) | U16(); }
    uint32_t VarLen()
    {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            uint8_t b = U8();
            v = (v << 7) | (b & 0x7F);
            if (!(b & 0x80))
                return v;
        }
        ok = false;
        return v;
    }
    void Skip(uint32_t n)
    {
        if (n > size - pos) {
            ok = false;
            pos = size;
        } else {
            pos += n;
        }
    }
};

} // namespace

std::vector<uint8_t> WriteSmf(uint16_t division, const std::vector<Note>& notes)
{
    std::vector<uint8_t> track;
    for (const Note& n : notes) {
        if (n.tempoBefore) {
            PutVarLen(track, 0);
            track.insert(track.end(), {0xFF, 0x51, 0x03});
            track.push_back(static_cast<uint8_t>(n.tempoBefore >> 16));
            track.push_back(static_cast<uint8_t>(n.tempoBefore >> 8));
            track.push_back(static_cast<uint8_t>(n.tempoBefore));
        }
        PutVarLen(track, 0);
        track.insert(track.end(), {0x90, n.key, 0x60});
        PutVarLen(track, n.ticks);
        track.insert(track.end(), {0x80, n.key, 0x00});
    }
    PutVarLen(track, 0);
    track.insert(track.end(), {0xFF, 0x2F, 0x00});

    std::vector<uint8_t> out = {'M', 'T', 'h', 'd'};
    Put32(out, 6);
    out.insert(out.end(), {0, 0, 0, 1});
    out.push_back(static_cast<uint8_t>(division >> 8));
    out.push_back(static_cast<uint8_t>(division));
    out.insert(out.end(), {'M', 'T', 'r', 'k'});
    Put32(out, static_cast<uint32_t>(track.size()));
    out.insert(out.end(), track.begin(), track.end());
    return out;
}

std::optional<uint32_t> SmfDurationMs(const uint8_t* data, size_t size)
{
    Reader r{data, size};
    if (r.U32() != 0x4D546864 /* MThd */)
        return std::nullopt;
    uint32_t headerLen = r.U32();
    uint32_t format = r.U16(), tracks = r.U16(), division = r.U16();
    if (!r.ok || headerLen < 6 || format > 1 || tracks == 0 || division == 0 || (division & 0x8000))
        return std::nullopt;
    r.Skip(headerLen - 6);
    std::map<uint64_t, uint32_t> tempos;  // absolute tick -> microseconds per quarter note
    uint64_t endTick = 0;
    for (uint32_t t = 0; t < tracks; ++t) {
        if (r.U32() != 0x4D54726B /* MTrk */)
            return std::nullopt;
        uint32_t len = r.U32();
        if (!r.ok || len > size - r.pos)
            return std::nullopt;
        Reader tr{data + r.pos, len};
        r.Skip(len);
        uint64_t tick = 0;
        uint8_t status = 0;
        while (tr.ok && tr.pos < tr.size) {
            tick += tr.VarLen();
            uint8_t b = tr.U8();
            if (b == 0xFF) {
                uint8_t type = tr.U8();
                uint32_t n = tr.VarLen();
                if (type == 0x51 && n == 3) {
                    uint32_t us = tr.U8() << 16;
                    us |= tr.U8() << 8;
                    us |= tr.U8();
                    tempos[tick] = us;
                } else {
                    tr.Skip(n);
                }
                if (type == 0x2F)
                    break;
            } else if (b == 0xF0 || b == 0xF7) {
                tr.Skip(tr.VarLen());
            } else {
                if (b & 0x80) {
                    status = b;
                } else {
                    if (!status)
                        return std::nullopt;
                    --tr.pos;  // running status: b was the first data byte
                }
                uint8_t kind = status & 0xF0;
                tr.Skip(kind == 0xC0 || kind == 0xD0 ? 1 : 2);
            }
        }
        if (!tr.ok)
            return std::nullopt;
        endTick = std::max(endTick, tick);
    }
    // Integrate the tempo map up to the last event.
    double us = 0;
    uint64_t at = 0;
    uint32_t tempo = 500000;
    for (const auto& [tick, t] : tempos) {
        if (tick >= endTick)
            break;
        us += static_cast<double>(tick - at) * tempo / division;
        at = tick;
        tempo = t;
    }
    us += static_cast<double>(endTick - at) * tempo / division;
    return static_cast<uint32_t>(us / 1000.0 + 0.5);
}

} // namespace smf
