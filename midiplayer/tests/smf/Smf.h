// Standard MIDI files for the tests: a small writer that makes them and the duration reader
// the test sequencer driver answers "length" with.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace smf {

// One track of notes: each note lasts `ticks` and starts when the previous one ends; a tempo
// (microseconds per quarter note) can be set before any note.
struct Note {
    uint32_t ticks;
    uint8_t key;
    uint32_t tempoBefore = 0;  // 0: keep the tempo
};

// "MThd" len=6 format=0 tracks=1 division
// "MTrk" len  { delta-time event }*  delta FF 2F 00
//   event: FF 51 03 tttttt (tempo) | 9n kk vv (note on) | 8n kk 00 (note off)
std::vector<uint8_t> WriteSmf(uint16_t division, const std::vector<Note>& notes);

// The playing time in milliseconds of a format 0 or 1 file with a metrical division (tempo
// changes of every track apply), or nothing when the bytes are not such a file.
std::optional<uint32_t> SmfDurationMs(const uint8_t* data, size_t size);

} // namespace smf
